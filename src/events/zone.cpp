#include "events/zone.h"

#include <algorithm>
#include <climits>

#include "framework/platform.h"

namespace tavoli {

int64_t Zone::ToUtc(int64_t local) const {
    // The offset a day before: it holds unless a change of clock came in between. Where
    // a change repeats the hour, it gives the first of the two.
    const int32_t before = OffsetAt(local - kSecondsPerDay);
    if (OffsetAt(local - before) == before) return local - before;
    const int32_t after = OffsetAt(local + kSecondsPerDay);
    if (OffsetAt(local - after) == after) return local - after;
    return local - before;  // in a gap
}

SystemZone::SystemZone(std::string name) : name_(std::move(name)) {
    int32_t offset;
    known_ = CurrentPlatform().UtcOffsetAt(name_, 0, offset);
}

int32_t SystemZone::OffsetAt(int64_t utc) const {
    const int64_t quarter = utc / 900 - (utc % 900 < 0);
    if (auto found = quarters_.find(quarter); found != quarters_.end()) return found->second;
    int32_t offset = 0;
    if (!CurrentPlatform().UtcOffsetAt(name_, quarter * 900, offset)) offset = 0;
    if (quarters_.size() > 100000) quarters_.clear();
    quarters_.emplace(quarter, offset);
    return offset;
}

const std::vector<int64_t>& CalendarZone::Onsets(size_t index, int year) const {
    const auto key = std::make_pair(index, year);
    auto found = onsets_.find(key);
    if (found != onsets_.end()) return found->second;
    const Observance& o = observances[index];
    std::vector<int64_t> starts;
    ExpansionBudget budget;
    budget.steps = 20000;
    ExpandRule(
        o.rule, o.start, false, CivilSeconds(year, 1, 1), CivilSeconds(year + 1, 1, 1),
        [&](int64_t local) { return local - o.offsetFrom; }, budget, starts);
    return onsets_.emplace(key, std::move(starts)).first->second;
}

int32_t CalendarZone::OffsetAt(int64_t utc) const {
    auto known =
        std::upper_bound(spans_.begin(), spans_.end(), utc, [](int64_t t, const Span& s) { return t < s.from; });
    if (known != spans_.begin() && utc < std::prev(known)->to) return std::prev(known)->offset;
    bool found = false;
    int64_t latest = 0, next = INT64_MAX;
    int32_t offset = 0;
    auto consider = [&](int64_t localOnset, const Observance& o) {
        const int64_t onset = localOnset - o.offsetFrom;
        if (onset > utc) next = std::min(next, onset);
        else if (!found || onset > latest) {
            found = true;
            latest = onset;
            offset = o.offsetTo;
        }
    };
    const int year = CivilOf(utc).year;
    for (size_t i = 0; i < observances.size(); ++i) {
        const Observance& o = observances[i];
        consider(o.start, o);
        for (int64_t date : o.dates) consider(date, o);
        if (!o.hasRule) continue;
        // Last year's onsets, this year's and next year's hold the one before and the one after.
        for (int y = year - 1; y <= year + 1; ++y) {
            for (int64_t start : Onsets(i, y)) consider(start, o);
        }
    }
    if (found) {
        // Known no further than the years looked at: the next year's end.
        const Span span{latest, std::min(next, CivilSeconds(year + 2, 1, 1) - kSecondsPerDay), offset};
        spans_.insert(
            std::upper_bound(spans_.begin(), spans_.end(), latest, [](int64_t t, const Span& s) { return t < s.from; }),
            span);
        return offset;
    }
    // Before the first onset the zone kept the offset the earliest one changes from.
    const Observance* earliest = nullptr;
    for (const Observance& o : observances) {
        if (earliest == nullptr || o.start < earliest->start) earliest = &o;
    }
    return earliest != nullptr ? earliest->offsetFrom : 0;
}

bool ParseOffsetText(std::string_view text, int32_t& offset) {
    std::string joined;
    if (text.size() == 6 && text[3] == ':') {
        joined = std::string(text.substr(0, 3)) + std::string(text.substr(4));
        text = joined;
    }
    if ((text.size() != 5 && text.size() != 7) || (text[0] != '+' && text[0] != '-')) return false;
    int32_t value = 0;
    for (size_t i = 1; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
    }
    const int hours = (text[1] - '0') * 10 + (text[2] - '0'), minutes = (text[3] - '0') * 10 + (text[4] - '0');
    const int seconds = text.size() == 7 ? (text[5] - '0') * 10 + (text[6] - '0') : 0;
    if (hours > 23 || minutes > 59 || seconds > 59) return false;
    value = hours * 3600 + minutes * 60 + seconds;
    offset = text[0] == '-' ? -value : value;
    return true;
}

}  // namespace tavoli
