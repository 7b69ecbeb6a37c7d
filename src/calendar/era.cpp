#include "calendar/era.h"

#include <vector>

#include "framework/lang_text.h"

namespace tavoli {

// The Japanese list gives an era a hundred years, so that a name no one knows yet is never
// shown for it.
const char* const kDefaultEraList =
    "\tja:2019/5/1=\"令和\" 1989/1/8=\"平成\" 1926/12/25=\"昭和\" 1912/7/30=\"大正\" 1868=\"明治\" 2118=\"\""
    "\tkr:1@2333=\"단군\""
    "\tch:"
    "\ttw:1912=\"民國\"";

const char* const kEarlierDefaultEraLists[1] = {
    "\tja:1989/1/8=\"平成\" 1926/12/25=\"昭和\" 1912/7/30=\"大正\" 1868=\"明治\" 2088=\"\""
    "\tkr:1@2333=\"단군\""
    "\tch:"
    "\ttw:1912=\"民國\"",
};

namespace {

// Reads the list one entry at a time. Spaces may stand around the separators; tabs only
// directly before or after a number.
class EraListReader {
public:
    explicit EraListReader(std::string_view text) : text_(text) {}

    bool AtEnd() {
        SkipSpaces();
        return pos_ >= text_.size();
    }

    // One entry; false on a syntax error.
    bool ReadEntry(CalDate& start, int& offset, std::string_view& name) {
        long parts[3] = {0, 1, 1};  // year, month, day defaults
        int partCount = 0;
        for (;;) {
            SkipSpaces();
            long value;
            if (ReadNumber(value)) parts[partCount] = value;
            ++partCount;
            SkipSpaces();
            if (Peek() != '/') break;
            if (partCount == 3) return false;  // a fourth date part
            ++pos_;
        }
        long eraOffset = 1;
        if (Peek() == '@') {
            ++pos_;
            SkipSpaces();
            long value;
            if (ReadNumber(value)) eraOffset = value;
            SkipSpaces();
        }
        if (Peek() != '=') return false;  // also "@" after the offset, or the end
        ++pos_;
        SkipSpaces();
        name = {};
        if (Peek() == '"') {
            const size_t close = text_.find('"', pos_ + 1);
            if (close == std::string_view::npos) return false;
            name = text_.substr(pos_ + 1, close - pos_ - 1);
            pos_ = close + 1;
        }
        start = CalDate(static_cast<int>(parts[0]), static_cast<int>(parts[1]), static_cast<int>(parts[2]));
        offset = static_cast<int>(eraOffset);
        return true;
    }

private:
    char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }

    void SkipSpaces() {
        while (Peek() == ' ') ++pos_;
    }

    void SkipTabs() {
        while (Peek() == '\t') ++pos_;
    }

    // Tabs, digits, tabs; false (the number is absent) when there are no digits. Tabs
    // without a number next to them are not consumed.
    bool ReadNumber(long& value) {
        const size_t begin = pos_;
        SkipTabs();
        if (Peek() < '0' || Peek() > '9') {
            pos_ = begin;
            return false;
        }
        value = 0;
        while (Peek() >= '0' && Peek() <= '9') {
            value = value * 10 + (Peek() - '0');
            if (value > 999999999) value = 999999999;  // no year that large is a date
            ++pos_;
        }
        SkipTabs();
        return true;
    }

    std::string_view text_;
    size_t pos_ = 0;
};

}  // namespace

namespace {

// The blank-separated words of a list.
std::vector<std::string_view> WordsOf(std::string_view list) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < list.size()) {
        while (i < list.size() && (list[i] == ' ' || list[i] == '\t')) ++i;
        const size_t start = i;
        while (i < list.size() && list[i] != ' ' && list[i] != '\t') ++i;
        if (start < i) words.push_back(list.substr(start, i - start));
    }
    return words;
}

}  // namespace

std::string EraListFromStored(const std::string& stored) {
    const std::vector<std::string_view> words = WordsOf(stored);
    if (words.empty()) return stored;  // an emptied list is the user's choice
    for (const char* earlier : kEarlierDefaultEraLists) {
        if (WordsOf(ResolveText(earlier)) == words) return ResolveText(kDefaultEraList);
    }
    return stored;
}

EraLookup LookUpEra(std::string_view eraList, CalDate date) {
    EraLookup result;
    EraListReader reader(eraList);
    CalDate bestStart;
    int bestOffset = 0;
    std::string_view bestName;
    while (!reader.AtEnd()) {
        CalDate start;
        int offset = 1;
        std::string_view name;
        if (!reader.ReadEntry(start, offset, name)) return EraLookup();
        if (start <= date && bestStart < start) {
            bestStart = start;
            bestOffset = offset;
            bestName = name;
        }
    }
    if (bestStart.IsNull()) return result;
    result.name = std::string(bestName);
    result.year = static_cast<int>(static_cast<int64_t>(date.Year()) - bestStart.Year() + bestOffset);
    result.found = !result.name.empty();
    return result;
}

}  // namespace tavoli
