// Menu descriptions: any bytes read without harm into a menu that the Win32 half can
// build as it is — usable ids with the texts of their entries, default positions inside
// their menus, submenus no deeper than the limit.
#include <cstdlib>
#include <iterator>

#include "fuzz/fuzz_input.h"
#include "shell/menu_spec.h"

namespace {

using namespace tavoli;

// The program's commands and a few that the builders must skip or treat specially.
CommandTable FuzzCommands() {
    CommandTable table = BuildCommandTable();
    const struct {
        int id;
        const char* name;
        const char* caption;
        const char* alternative;
    } extras[] = {
        {0, "zero", "Zero", ""},       {40000, "far", "Far", ""},       {1100, "", "Nameless", ""},
        {1101, "alt", "Alt", "Other"}, {1102, "bare", "", ""},          {1103, "memo", "Second memo", ""},
        {1023, "low", "Low", ""},      {32766, "last_one", "Last", ""},
    };
    for (const auto& extra : extras) {
        CommandEntry entry;
        entry.id = extra.id;
        entry.name = extra.name;
        entry.caption = extra.caption;
        entry.alternativeCaption = extra.alternative;
        table.Add(entry);
    }
    table.Edit("today")->enabled = false;
    table.Edit("shownext")->checked = true;
    return table;
}

// Aborts unless the menu is one the builder may take; returns the number of items.
size_t Check(const MenuDescription& menu, const CommandTable& commands, int depth) {
    if (depth > kMaxMenuDepth) std::abort();
    if (menu.defaultPosition < -1 || menu.defaultPosition >= static_cast<int>(menu.items.size())) std::abort();
    if (menu.defaultPosition >= 0 && menu.items[menu.defaultPosition].kind != MenuItem::Kind::kCommand) std::abort();
    size_t count = menu.items.size();
    for (const MenuItem& item : menu.items) {
        switch (item.kind) {
        case MenuItem::Kind::kSeparator:
            if (item.id != 0 || !item.text.empty() || !item.submenu.items.empty()) std::abort();
            break;
        case MenuItem::Kind::kCommand: {
            if (!IsUsableCommandId(item.id)) std::abort();
            const CommandEntry& entry = commands.FindId(item.id);
            if (!entry.Usable() || entry.MenuText() != item.text) std::abort();
            if (item.grayed == entry.enabled || item.checked != entry.checked) std::abort();
            if (!item.submenu.items.empty()) std::abort();
            break;
        }
        case MenuItem::Kind::kPopup: count += Check(item.submenu, commands, depth + 1); break;
        }
    }
    return count;
}

bool Same(const MenuDescription& a, const MenuDescription& b) {
    if (a.defaultPosition != b.defaultPosition || a.items.size() != b.items.size()) return false;
    for (size_t i = 0; i < a.items.size(); ++i) {
        const MenuItem& x = a.items[i];
        const MenuItem& y = b.items[i];
        if (x.kind != y.kind || x.id != y.id || x.text != y.text || x.grayed != y.grayed || x.checked != y.checked ||
            !Same(x.submenu, y.submenu))
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const CommandTable commands = FuzzCommands();
    const std::string_view spec(reinterpret_cast<const char*>(data), size);
    const MenuDescription menu = ParseMenuSpec(spec, commands);
    // Every item comes from a byte of the description: a word, a "|" or a ">".
    if (Check(menu, commands, 0) > size) std::abort();
    // The reading ends at the first byte that cannot stand in a one-line description:
    // what follows it changes nothing.
    for (size_t i = 0; i < size; ++i) {
        const auto c = static_cast<unsigned char>(spec[i]);
        if ((c < 0x20 && c != '\t') || c > 0x7E) {
            if (!Same(ParseMenuSpec(spec.substr(0, i), commands), menu)) std::abort();
            break;
        }
    }
    return 0;
}
