// Recurrence rules (RRULE): the rule's parts, and the instances it gives in a range, found
// period by period with a bounded amount of work.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "events/ics_time.h"

namespace tavoli {

struct RecurrenceRule {
    enum Frequency : uint8_t { kSecondly, kMinutely, kHourly, kDaily, kWeekly, kMonthly, kYearly };
    struct WeekdayNumber {
        int weekday = 0;  // 0 Sunday … 6 Saturday
        int ordinal = 0;  // 0 every one; 1 the first, -1 the last of the month or year
    };
    Frequency frequency = kDaily;
    int interval = 1;
    int64_t count = 0;  // 0: not bounded by a count
    bool hasUntil = false;
    IcsTime until;
    std::vector<int> bySecond, byMinute, byHour, byMonthDay, byYearDay, byWeekNo, byMonth, bySetPos;
    std::vector<WeekdayNumber> byDay;
    int weekStart = 1;  // Monday
};

// The rule of an RRULE value; false with the reason for a rule that names no frequency or
// holds a part or value outside its range.
bool ParseRecurrenceRule(std::string_view text, RecurrenceRule& rule, std::string& reason);

// What one expansion may cost: steps (a day or time looked at) and instances.
struct ExpansionBudget {
    int64_t steps = 250000;
    size_t instances = 20000;
    bool exhausted = false;  // set when either ran out
};

// The starts, in the frame of dtstart, of the rule's instances that start in [from, to),
// in order, dtstart itself the first instance. toComparable maps a start to the frame of
// UNTIL (UTC for a zoned start; the identity otherwise).
void ExpandRule(const RecurrenceRule& rule, int64_t dtstart, bool allDay, int64_t from, int64_t to,
                const std::function<int64_t(int64_t)>& toComparable, ExpansionBudget& budget,
                std::vector<int64_t>& starts);

}  // namespace tavoli
