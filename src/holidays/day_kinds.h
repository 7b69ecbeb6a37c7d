// What the compiled holiday script says about a day: its kind, its names, and the kind
// of each weekday.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "calendar/cal_date.h"
#include "holidays/holiday_script.h"

namespace tavoli {

// The five kinds of day, each written in the script as its digit or its word.
enum class DayKind { kNone = 0, kNormal = 1, kSemiHoliday = 2, kHoliday = 3, kNationalHoliday = 4, kAnniversary = 5 };

// "1"…"5" or "平日" "半休" "休日" "祝日" "記念" (in the ANSI code page), compared exactly;
// any other text is no kind.
DayKind DayKindFromText(std::string_view text);
// The kind's name in the user's language ("National holiday", "祝日"); empty for none.
std::string DayKindName(DayKind kind);

struct NameEntry {
    std::string kind;
    std::string name;
    bool operator==(const NameEntry& o) const { return kind == o.kind && name == o.name; }
};

// Why a query gave its answer, for the command-line tool: the entries of the rules that
// matched and, for each x descriptor that held, the block rule that matched.
struct EvaluationTrace {
    struct BlockMatch {
        size_t rule;        // the rule holding the x descriptor
        size_t descriptor;  // its position in the rule
        size_t blockRule;   // the block rule that matched the shifted day
        CalDate day;
    };
    std::vector<size_t> matchedRules;
    std::vector<BlockMatch> blockMatches;
};

// The kind text of the first rule with a kind that matches the date; empty when none.
std::string KindOf(const HolidayScript& script, CalDate date, EvaluationTrace* trace = nullptr);
// Every matching rule with a name, in script order; a name with texts for several
// languages gives the user's.
std::vector<NameEntry> NamesOf(const HolidayScript& script, CalDate date, EvaluationTrace* trace = nullptr);
// The kind text of the first "#weekday N" line with N = weekday mod 7.
std::string KindOfWeekday(const HolidayScript& script, int weekday);

}  // namespace tavoli
