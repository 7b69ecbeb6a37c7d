// The holiday script (holidays.txt): rule lines of descriptors with a kind and a name,
// "#weekday" kinds, blocks and "#stop". This file compiles a script; evaluation is in
// day_kinds.h.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/error.h"

namespace tavoli {

struct Descriptor {
    char letter = 0;  // d e j l m p s w x y
    bool negated = false;
    char calendar = 0;  // a c g h j, or 0 for none
    int32_t low = 0;
    int32_t high = 0;
    uint16_t modulus = 0;  // 0: none
    int16_t offset = 0;    // time offset as signed HHMM; 0: none
    int16_t shift = 0;     // day shift; 0: none
};

constexpr int kMaxDescriptors = 16;
constexpr int32_t kMaxRangeValue = 9999999;

struct ScriptEntry {
    enum Type { kRule, kBlockBegin, kBlockEnd, kStop, kWeekday };
    Type type = kRule;
    int line = 0;                         // 1-based line of the script
    std::vector<Descriptor> descriptors;  // rules: 1 … 16
    bool hasKind = false;
    std::string kind;  // rules and #weekday
    bool hasName = false;
    std::string name;
    int32_t weekday = 0;  // #weekday
    int source = 0;       // the part of a holiday set it came from (0: the first or only one)
};

// A script as it was read, for showing its lines: its path and its lines in the system's
// code page.
struct ScriptText {
    std::string path;
    std::vector<std::string> lines;
};

// The messages a line can give, in their exact texts.
enum class LineMessage {
    kStored,  // an entry was stored
    kBlankLine,
    kTooLong,
    kTooManyDescriptors,
    kSyntaxError,
    kUnknownToken,
    kMemory,
    kInvalidValue,
    kDoubleDefinition,
    kParenthesis,
};
const char* MessageText(LineMessage message);

// Parses one line; on kStored the entry is filled. A line of a script in UTF-8 (one that
// began with a byte-order mark) may be longer; its kind words are matched as they stand,
// and its texts are converted to the system's code page, a name segment the code page
// cannot hold being dropped (another segment, the English one first, stands in).
LineMessage ParseScriptLine(std::string_view line, ScriptEntry& entry, bool utf8 = false);

class HolidayScript {
public:
    // On failure the compiled script is empty, the result is "script" and the report
    // holds one line, "Line N:" and the message.
    // A text that begins with a byte-order mark is in UTF-8.
    ErrorValue Compile(std::string_view text, std::vector<std::string>& report);
    ErrorValue CompileLines(const std::vector<std::string>& lines, std::vector<std::string>& report, bool utf8 = false);
    // A read failure empties the script and returns the read's error, with no report. A
    // file that begins with a byte-order mark is in UTF-8.
    ErrorValue CompileFile(const std::string& path, std::vector<std::string>& report);

    // A holiday set in one script: the parts in the order they win (the user's own script,
    // then the region's, then the country's), each walked as if alone. The first part's
    // kinds win, every part's names are given, in that order; an entry's source is its
    // part's index. A "#stop" ends the walk through the parts after it too.
    static HolidayScript Composed(const std::vector<const HolidayScript*>& parts);

    void Clear() { entries_.clear(); }
    bool Empty() const { return entries_.empty(); }
    const std::vector<ScriptEntry>& Entries() const { return entries_; }

private:
    std::vector<ScriptEntry> entries_;
};

}  // namespace tavoli
