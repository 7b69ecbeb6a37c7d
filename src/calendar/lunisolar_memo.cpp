#include "calendar/lunisolar_memo.h"

namespace tavoli {

namespace {

struct ThreadState {
    bool on = true;
    LunarQuarterMemo memo;
};

ThreadState& State() {
    thread_local ThreadState state;
    return state;
}

}  // namespace

const LunarQuarter& LunarQuarterMemo::Get(int searchYear, int longitude, TimeOfDay offset) {
    const int32_t ms = offset.Milliseconds();
    auto matches = [&](const Slot& slot) {
        return slot.used && slot.searchYear == searchYear && slot.longitude == longitude && slot.offset == ms;
    };
    if (matches(slots_[last_])) return slots_[last_].quarter;
    for (int i = 0; i < kSlots; ++i) {
        if (matches(slots_[i])) {
            last_ = i;
            return slots_[i].quarter;
        }
    }
    Slot& slot = slots_[next_];
    ++searches_;
    slot.quarter = SearchLunarQuarter(searchYear, longitude, offset);
    slot.used = true;
    slot.searchYear = searchYear;
    slot.longitude = longitude;
    slot.offset = ms;
    last_ = next_;
    next_ = (next_ + 1) % kSlots;
    return slot.quarter;
}

void LunarQuarterMemo::Clear() {
    for (Slot& slot : slots_) slot.used = false;
    last_ = next_ = 0;
}

void SetLunisolarMemo(bool on) { State().on = on; }
bool LunisolarMemoOn() { return State().on; }
LunarQuarterMemo& ThisThreadsLunarQuarterMemo() { return State().memo; }

}  // namespace tavoli
