#include "view/day_kind_memo.h"

#include <algorithm>

namespace tavoli {

void DayKindMemo::Clear() {
    first_ = CalDate();
    std::vector<Day>().swap(days_);
}

void DayKindMemo::Cover(int year, int month, int months) {
    const CalDate first = CalDate(year, month, 1) - kDaysBefore;
    // Beyond two months: each month's 31 days and the split halves' week after the last.
    const size_t days = static_cast<size_t>(std::max(kDays, kDaysBefore + 31 * months + 7));
    if (first == first_ && days == days_.size()) return;
    first_ = first;
    days_.assign(days, Day());
}

DayKindMemo::Day* DayKindMemo::Find(CalDate date) {
    if (first_.IsNull() || date < first_) return nullptr;
    const int64_t at = date - first_;
    return at < static_cast<int64_t>(days_.size()) ? &days_[static_cast<size_t>(at)] : nullptr;
}

std::string DayKindMemo::KindOf(const HolidayScript& script, CalDate date) {
    Day* day = Find(date);
    if (!day) return tavoli::KindOf(script, date);
    if (!day->kindKnown) {
        day->kind = tavoli::KindOf(script, date);
        day->kindKnown = true;
    }
    return day->kind;
}

}  // namespace tavoli
