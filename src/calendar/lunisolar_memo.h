// The month starts of the lunisolar calendar, kept per quarter and zone offset so that
// the days of one quarter share one search. A lunisolar date is a pure function of the
// day and the offset, so nothing kept here can go stale.
#pragma once

#include <cstdint>

#include "calendar/cal_date.h"

namespace tavoli {

// What the conversion searches for the quarter that begins at an equinox or solstice:
// the month holding the quarter point, the months that begin inside the quarter and the
// first month after it, with the Sun's whole degrees at the local start of each.
struct LunarQuarter {
    static constexpr int kMaxStarts = 6;

    int count = 0;  // 4 … 6
    CalDate starts[kMaxStarts];
    int degrees[kMaxStarts] = {};
};

// The search itself: one solar search and up to six new-moon searches. The quarter point
// is the first time in `searchYear` at which the Sun reaches `longitude` (0, 90, 180 or
// 270); month starts are local dates in the zone `offset` ahead of universal time.
LunarQuarter SearchLunarQuarter(int searchYear, int longitude, TimeOfDay offset);

// The last quarters searched, at most kSlots of them; a new one takes the place of the
// oldest.
class LunarQuarterMemo {
public:
    static constexpr int kSlots = 16;

    const LunarQuarter& Get(int searchYear, int longitude, TimeOfDay offset);
    void Clear();
    // The searches this memo has made (its misses).
    uint64_t Searches() const { return searches_; }

private:
    struct Slot {
        bool used = false;
        int searchYear = 0, longitude = 0;
        int32_t offset = 0;
        LunarQuarter quarter;
    };
    Slot slots_[kSlots];
    int last_ = 0;  // the slot of the last answer: consecutive days ask for it again
    int next_ = 0;  // the slot the next search fills
    uint64_t searches_ = 0;
};

// ToLunarDate keeps one memo per thread: the functions that convert (the calendar
// systems, the templates, the holiday rules) hold no object that could own one, and a
// memo of a pure function needs no owner to tell it when to forget. On by default; off,
// every conversion searches again (for tests and benchmarks that compare both paths).
void SetLunisolarMemo(bool on);
bool LunisolarMemoOn();
LunarQuarterMemo& ThisThreadsLunarQuarterMemo();

}  // namespace tavoli
