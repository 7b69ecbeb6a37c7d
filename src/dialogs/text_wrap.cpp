#include "dialogs/text_wrap.h"

#include <algorithm>

#include "framework/lang_text.h"
#include "framework/platform.h"

namespace tavoli {

namespace {

// The characters of a text in the system code page, each with its bytes.
std::vector<std::string_view> Characters(std::string_view text) {
    std::vector<std::string_view> characters;
    const char* cursor = text.data();
    const char* const end = text.data() + text.size();
    while (cursor < end) {
        const char* start = cursor;
        if (NextChar(cursor, end).length == 0) break;
        characters.emplace_back(start, static_cast<size_t>(cursor - start));
    }
    return characters;
}

// Double-byte characters of the code page, from UTF-8; a character the code page does
// not have is left out (it cannot occur in a text of that code page).
std::vector<std::string> WideCharacters(std::string_view utf8) {
    std::vector<std::string> found;
    const std::string ansi = AnsiFromUtf8(utf8);
    for (std::string_view c : Characters(ansi)) {
        if (c.size() > 1) found.emplace_back(c);
    }
    return found;
}

struct BreakRules {
    std::vector<std::string> noStart;      // never begins a line
    std::vector<std::string> noEnd;        // never ends one
    std::vector<std::string> strongAfter;  // a full stop or comma: a good place to break after
};

const BreakRules& Rules() {
    // Built once per code page: the program's code page does not change while it runs,
    // but tests switch it.
    static int codePage = -1;
    static BreakRules rules;
    const int now = CurrentPlatform().AnsiCodePage();
    if (now != codePage) {
        codePage = now;
        rules.noStart = WideCharacters(
            "、。，．・：；？！ー…‥」』）］｝〉》〕】ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ々ゝゞヽヾ");
        rules.noEnd = WideCharacters("「『（［｛〈《〔【");
        rules.strongAfter = WideCharacters("、。，．！？");
    }
    return rules;
}

bool In(const std::vector<std::string>& set, std::string_view c) {
    return std::find(set.begin(), set.end(), c) != set.end();
}

bool IsBlank(std::string_view c) { return c == " "; }
bool NoStart(std::string_view c) {
    return (c.size() == 1 && std::string_view(",.;:!?)]}%").find(c[0]) != std::string_view::npos) ||
           In(Rules().noStart, c);
}
bool NoEnd(std::string_view c) {
    return (c.size() == 1 && std::string_view("([{").find(c[0]) != std::string_view::npos) || In(Rules().noEnd, c);
}

enum class Break { kNone, kWeak, kStrong };

// May a line end between these two characters?
Break BreakBetween(std::string_view before, std::string_view after) {
    if (IsBlank(before) && !IsBlank(after)) return Break::kStrong;
    if (before.size() < 2 && after.size() < 2) return Break::kNone;  // inside a word of one-byte letters
    if (NoStart(after) || NoEnd(before) || IsBlank(after)) return Break::kNone;
    return In(Rules().strongAfter, before) ? Break::kStrong : Break::kWeak;
}

std::string Join(const std::vector<std::string_view>& characters, size_t from, size_t to) {
    std::string text;
    for (size_t i = from; i < to; ++i) text += characters[i];
    return text;
}

std::string WithoutTrailingBlanks(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

void WrapLine(std::string_view line, int width, const TextMeasure& measure, std::vector<std::string>& lines) {
    const std::vector<std::string_view> characters = Characters(line);
    size_t start = 0;
    while (start < characters.size()) {
        // The longest run from start that fits; at least one character.
        size_t end = start + 1;
        while (end < characters.size() &&
               measure.Width(WithoutTrailingBlanks(Join(characters, start, end + 1))) <= width) {
            ++end;
        }
        size_t cut = end;
        if (end < characters.size()) {
            // Where to break before `end`: the last full stop or comma that keeps half
            // the width, else the last place a line may end, else the last full stop
            // anyway, else inside the word.
            size_t strong = 0, weak = 0, strongWide = 0;
            for (size_t i = start + 1; i <= end; ++i) {
                const Break b = BreakBetween(characters[i - 1], characters[i]);
                if (b == Break::kNone) continue;
                weak = i;
                if (b == Break::kStrong) {
                    strong = i;
                    if (measure.Width(WithoutTrailingBlanks(Join(characters, start, i))) * 2 >= width) strongWide = i;
                }
            }
            cut = strongWide ? strongWide : weak ? weak : strong ? strong : end;
        }
        lines.push_back(WithoutTrailingBlanks(Join(characters, start, cut)));
        start = cut;
        while (start < characters.size() && IsBlank(characters[start])) ++start;
    }
}

}  // namespace

std::string DisplayedText(std::string_view text) {
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;  // "&&" keeps the second
        shown += text[i];
    }
    return shown;
}

std::vector<std::string> WrapText(std::string_view text, int width, const TextMeasure& measure) {
    std::vector<std::string> lines;
    size_t from = 0;
    while (true) {
        const size_t feed = text.find('\n', from);
        const std::string_view line = text.substr(from, feed == std::string_view::npos ? feed : feed - from);
        if (line.empty()) lines.emplace_back();
        else WrapLine(line, width, measure, lines);
        if (feed == std::string_view::npos) break;
        from = feed + 1;
    }
    return lines;
}

int WidestUnbreakable(std::string_view text, const TextMeasure& measure) {
    int widest = 0;
    const std::vector<std::string_view> characters = Characters(text);
    size_t start = 0;
    for (size_t i = 1; i <= characters.size(); ++i) {
        const bool end = i == characters.size() || characters[i] == "\n" ||
                         (characters[i - 1] != "\n" && BreakBetween(characters[i - 1], characters[i]) != Break::kNone);
        if (!end) continue;
        std::string run = WithoutTrailingBlanks(Join(characters, start, i));
        while (!run.empty() && (run.front() == ' ' || run.front() == '\n')) run.erase(run.begin());
        widest = std::max(widest, measure.Width(run));
        start = i;
    }
    return widest;
}

}  // namespace tavoli
