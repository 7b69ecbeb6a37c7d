// The kinds of the days around the shown month. Every paint asks for the kind of each
// painted day, and with rules on lunisolar dates or solar longitudes each answer costs
// series evaluations; the answers are a function of the compiled script and the day
// alone, so they are kept until the month or the script changes.
#pragma once

#include <string>
#include <vector>

#include "calendar/cal_date.h"
#include "holidays/day_kinds.h"

namespace tavoli {

class DayKindMemo {
public:
    // Days kept: from 16 days before the first of the shown month on, which covers the
    // two-month grid with its neighbour days and the lower halves of split cells.
    static constexpr int kDaysBefore = 16;
    static constexpr int kDays = 112;

    // Forgets every answer (the script changed).
    void Clear();
    // Keeps the days around these months; others forget the answers of the last.
    void Cover(int year, int month, int months = 1);

    // KindOf of the script, answered from the memo for the days it keeps; the script must
    // be the one the answers came from.
    std::string KindOf(const HolidayScript& script, CalDate date);

private:
    struct Day {
        bool kindKnown = false;
        std::string kind;
    };
    Day* Find(CalDate date);

    CalDate first_;  // null: nothing covered
    std::vector<Day> days_;
};

}  // namespace tavoli
