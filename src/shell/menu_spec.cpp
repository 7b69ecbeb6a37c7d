#include "shell/menu_spec.h"

namespace tavoli {

namespace {

bool IsWordChar(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The part of the description that is read: everything before the first byte that
// cannot belong to a one-line ASCII text.
std::string_view ReadablePart(std::string_view spec) {
    size_t end = 0;
    while (end < spec.size()) {
        const auto c = static_cast<unsigned char>(spec[end]);
        if ((c < 0x20 && c != '\t') || c > 0x7E) break;
        ++end;
    }
    return spec.substr(0, end);
}

// A menu being filled, with the command last named at its level: a "<" that follows
// takes that command's caption for the submenu.
struct Level {
    MenuDescription menu;
    const CommandEntry* lastCommand = nullptr;
};

}  // namespace

MenuDescription ParseMenuSpec(std::string_view spec, const CommandTable& commands) {
    const std::string_view text = ReadablePart(spec);
    // levels[0] is the menu itself; one more per open submenu. [1, kMaxMenuDepth + 1]
    std::vector<Level> levels(1);
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        const bool marked = c == '*' && i + 1 < text.size() && IsWordChar(text[i + 1]);
        if (marked || IsWordChar(c)) {
            const size_t start = marked ? i + 1 : i;
            i = start;
            while (i < text.size() && IsWordChar(text[i])) ++i;
            const CommandEntry& entry = commands.Find(text.substr(start, i - start));
            if (entry.name.empty()) continue;  // names nothing: changes nothing

            Level& level = levels.back();
            level.lastCommand = &entry;
            size_t next = i;
            while (next < text.size() && IsBlank(text[next])) ++next;
            // A word before "<" only names the submenu.
            if (next < text.size() && text[next] == '<') continue;
            if (!IsUsableCommandId(entry.id)) continue;

            MenuItem item;
            item.id = entry.id;
            item.text = entry.MenuText();
            item.grayed = !entry.enabled;
            item.checked = entry.checked;
            level.menu.items.push_back(std::move(item));
            if (marked) level.menu.defaultPosition = static_cast<int>(level.menu.items.size()) - 1;
            continue;
        }
        if (c == '|') {
            MenuItem separator;
            separator.kind = MenuItem::Kind::kSeparator;
            levels.back().menu.items.push_back(std::move(separator));
        } else if (c == '<') {
            if (static_cast<int>(levels.size()) <= kMaxMenuDepth) levels.emplace_back();
        } else if (c == '>' && levels.size() > 1) {
            MenuItem popup;
            popup.kind = MenuItem::Kind::kPopup;
            popup.submenu = std::move(levels.back().menu);
            levels.pop_back();
            Level& enclosing = levels.back();
            if (enclosing.lastCommand) popup.text = enclosing.lastCommand->caption;
            enclosing.menu.items.push_back(std::move(popup));
        }
        ++i;
    }
    return std::move(levels.front().menu);
}

}  // namespace tavoli
