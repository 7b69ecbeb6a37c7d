#include "events/recurrence.h"

#include <algorithm>
#include <cstdlib>

namespace tavoli {

namespace {

constexpr const char* kWeekdayNames[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};
// More entries than any part can mean ("BYYEARDAY" has 732 values) is a hostile rule.
constexpr size_t kMaxListSize = 800;

bool ParseInt(std::string_view text, int64_t& value) {
    if (text.empty() || text.size() > 10) return false;
    size_t at = 0;
    bool negative = false;
    if (text[0] == '+' || text[0] == '-') {
        negative = text[0] == '-';
        at = 1;
    }
    if (at >= text.size()) return false;
    value = 0;
    for (; at < text.size(); ++at) {
        if (text[at] < '0' || text[at] > '9') return false;
        value = value * 10 + (text[at] - '0');
    }
    if (negative) value = -value;
    return true;
}

int WeekdayOf(std::string_view name) {
    for (int i = 0; i < 7; ++i) {
        if (name == kWeekdayNames[i]) return i;
    }
    return -1;
}

// A comma list of numbers in [low, high], zero refused where the part has no day zero.
bool ParseList(std::string_view text, int low, int high, bool signedRange, std::vector<int>& out) {
    out.clear();
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = std::min(text.find(',', start), text.size());
        int64_t value;
        if (!ParseInt(text.substr(start, comma - start), value)) return false;
        const int64_t magnitude = std::llabs(value);
        if (signedRange ? (value == 0 || magnitude < low || magnitude > high) : (value < low || value > high))
            return false;
        if (out.size() >= kMaxListSize) return false;
        out.push_back(static_cast<int>(value));
        start = comma + 1;
    }
    return true;
}

bool ParseByDay(std::string_view text, std::vector<RecurrenceRule::WeekdayNumber>& out) {
    out.clear();
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = std::min(text.find(',', start), text.size());
        std::string_view item = text.substr(start, comma - start);
        if (item.size() < 2) return false;
        RecurrenceRule::WeekdayNumber day;
        day.weekday = WeekdayOf(item.substr(item.size() - 2));
        if (day.weekday < 0) return false;
        if (item.size() > 2) {
            int64_t ordinal;
            if (!ParseInt(item.substr(0, item.size() - 2), ordinal) || ordinal == 0 || std::llabs(ordinal) > 53)
                return false;
            day.ordinal = static_cast<int>(ordinal);
        }
        if (out.size() >= kMaxListSize) return false;
        out.push_back(day);
        start = comma + 1;
    }
    return true;
}

bool Contains(const std::vector<int>& list, int value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

// The first day of week 1 of a year: the week (starting on weekStart) that holds 4 January.
int64_t WeekOneStart(int year, int weekStart) {
    const int64_t january4 = CivilSeconds(year, 1, 4) / kSecondsPerDay;
    const int weekday = DayOfSeconds(january4 * kSecondsPerDay).Weekday();
    return january4 - (weekday - weekStart + 7) % 7;
}

// What a day (a day count since 1970) is, for the rule's day parts.
struct DayFacts {
    int64_t day = 0;
    int year = 0, month = 0, dayOfMonth = 0, weekday = 0, dayOfYear = 0, daysInYear = 0, daysInMonth = 0;
};

// One date conversion a day: the rest from the month lengths (this runs for every day a
// rule looks at).
DayFacts FactsOf(int64_t day) {
    static constexpr int kDaysBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    DayFacts f;
    f.day = day;
    const CalDate date = DayOfSeconds(day * kSecondsPerDay);
    const YearMonthDay ymd = date.Parts();
    const bool leap = IsLeapYear(ymd.year);
    f.year = ymd.year;
    f.month = ymd.month;
    f.dayOfMonth = ymd.day;
    f.weekday = date.Weekday();
    f.dayOfYear = kDaysBefore[ymd.month - 1] + (leap && ymd.month > 2 ? 1 : 0) + ymd.day;
    f.daysInYear = DaysInYear(ymd.year);
    f.daysInMonth = MonthLength(ymd.year, ymd.month);
    return f;
}

// The facts of the next day, from those of this one.
void Advance(DayFacts& f) {
    ++f.day;
    f.weekday = (f.weekday + 1) % 7;
    ++f.dayOfYear;
    if (++f.dayOfMonth <= f.daysInMonth) return;
    f.dayOfMonth = 1;
    if (++f.month > 12) {
        f.month = 1;
        f.dayOfYear = 1;
        f.daysInYear = DaysInYear(++f.year);
    }
    f.daysInMonth = MonthLength(f.year, f.month);
}

class Expander {
public:
    Expander(const RecurrenceRule& rule, int64_t dtstart, bool allDay)
        : rule_(rule), dtstart_(dtstart), allDay_(allDay) {
        start_ = CivilOf(dtstart);
        // The parts a rule leaves out come from its start.
        const bool dayParts =
            !rule.byWeekNo.empty() || !rule.byYearDay.empty() || !rule.byMonthDay.empty() || !rule.byDay.empty();
        byMonth_ = &rule.byMonth;
        byMonthDay_ = &rule.byMonthDay;
        byDay_ = &rule.byDay;
        if (rule.frequency == RecurrenceRule::kYearly) {
            if (!dayParts) {
                if (rule.byMonth.empty()) byMonth_ = Own(ownMonth_, start_.month);
                byMonthDay_ = Own(ownMonthDay_, start_.day);
            } else if (!rule.byWeekNo.empty() && rule.byDay.empty() && rule.byMonthDay.empty() &&
                       rule.byYearDay.empty()) {
                ownDay_ = {{start_.weekday, 0}};
                byDay_ = &ownDay_;
            }
        } else if (rule.frequency == RecurrenceRule::kMonthly && rule.byMonthDay.empty() && rule.byDay.empty() &&
                   rule.byYearDay.empty()) {
            byMonthDay_ = Own(ownMonthDay_, start_.day);
        } else if (rule.frequency == RecurrenceRule::kWeekly && rule.byDay.empty()) {
            ownDay_ = {{start_.weekday, 0}};
            byDay_ = &ownDay_;
        }
        dayFilters_ = !byMonth_->empty() || !rule.byWeekNo.empty() || !rule.byYearDay.empty() ||
                      !byMonthDay_->empty() || !byDay_->empty();
        // The months in order, each once, for a yearly rule that walks them.
        months_ = *byMonth_;
        std::sort(months_.begin(), months_.end());
        months_.erase(std::unique(months_.begin(), months_.end()), months_.end());
        const bool daily = rule.frequency >= RecurrenceRule::kDaily;
        Times(hours_, rule.frequency >= RecurrenceRule::kDaily ? rule.byHour : kNone, daily, start_.hour);
        Times(minutes_, rule.frequency >= RecurrenceRule::kHourly ? rule.byMinute : kNone,
              rule.frequency >= RecurrenceRule::kHourly, start_.minute);
        Times(seconds_, rule.frequency >= RecurrenceRule::kMinutely ? rule.bySecond : kNone,
              rule.frequency >= RecurrenceRule::kMinutely, start_.second);
    }

    // The index of the first period that may hold a start at or after `local`.
    int64_t FirstPeriodFor(int64_t local) const {
        if (local <= dtstart_) return 0;
        const CivilParts at = CivilOf(local);
        int64_t units = 0;
        switch (rule_.frequency) {
        case RecurrenceRule::kYearly: units = at.year - start_.year; break;
        case RecurrenceRule::kMonthly: units = (at.year - start_.year) * 12 + (at.month - start_.month); break;
        case RecurrenceRule::kWeekly:
            units = (WeekStartDay(DayNumber(local)) - WeekStartDay(DayNumber(dtstart_))) / 7;
            break;
        case RecurrenceRule::kDaily: units = DayNumber(local) - DayNumber(dtstart_); break;
        case RecurrenceRule::kHourly: units = (local - Floor(dtstart_, 3600)) / 3600; break;
        case RecurrenceRule::kMinutely: units = (local - Floor(dtstart_, 60)) / 60; break;
        case RecurrenceRule::kSecondly: units = local - dtstart_; break;
        }
        return std::max<int64_t>(0, units / rule_.interval - 1);
    }

    // The earliest any instance of period k can start (its first day's 00:00).
    int64_t PeriodStart(int64_t k) const {
        const int64_t step = k * rule_.interval;
        switch (rule_.frequency) {
        case RecurrenceRule::kYearly: {
            const int64_t year = std::min<int64_t>(start_.year + step, 10000);
            const int y = static_cast<int>(year);
            return (rule_.byWeekNo.empty() ? CivilSeconds(y, 1, 1) / kSecondsPerDay
                                           : WeekOneStart(y, rule_.weekStart)) *
                   kSecondsPerDay;
        }
        case RecurrenceRule::kMonthly: {
            const int64_t months = std::min<int64_t>(start_.month - 1 + step, 120000);
            return CivilSeconds(static_cast<int>(start_.year + months / 12), static_cast<int>(months % 12) + 1, 1);
        }
        case RecurrenceRule::kWeekly: return (WeekStartDay(DayNumber(dtstart_)) + step * 7) * kSecondsPerDay;
        case RecurrenceRule::kDaily: return (DayNumber(dtstart_) + step) * kSecondsPerDay;
        case RecurrenceRule::kHourly: return Floor(dtstart_, 3600) + step * 3600;
        case RecurrenceRule::kMinutely: return Floor(dtstart_, 60) + step * 60;
        default: return dtstart_ + step;
        }
    }

    // The candidate starts of period k, sorted, with BYSETPOS applied; false past the
    // calendar's years.
    bool Period(int64_t k, ExpansionBudget& budget, std::vector<int64_t>& out) {
        out.clear();
        const int64_t step = k * rule_.interval;
        switch (rule_.frequency) {
        case RecurrenceRule::kYearly: {
            const int64_t year = start_.year + step;
            if (year > 9999) return false;
            const int y = static_cast<int>(year);
            int64_t first, last;
            if (!byMonth_->empty() && rule_.byWeekNo.empty() && rule_.byYearDay.empty()) {
                // Only the months named need looking at (a zone's rule asks this often).
                for (int month : months_)
                    Days(CivilSeconds(y, month, 1) / kSecondsPerDay, CivilSeconds(y, month + 1, 1) / kSecondsPerDay, y,
                         budget, out);
                break;
            }
            if (!rule_.byWeekNo.empty()) {
                first = WeekOneStart(y, rule_.weekStart);
                last = WeekOneStart(y + 1, rule_.weekStart);
            } else {
                first = CivilSeconds(y, 1, 1) / kSecondsPerDay;
                last = CivilSeconds(y + 1, 1, 1) / kSecondsPerDay;
            }
            Days(first, last, y, budget, out);
            break;
        }
        case RecurrenceRule::kMonthly: {
            const int64_t months = start_.month - 1 + step;
            const int64_t year = start_.year + months / 12;
            if (year > 9999) return false;
            const int month = static_cast<int>(months % 12) + 1;
            Days(CivilSeconds(static_cast<int>(year), month, 1) / kSecondsPerDay,
                 CivilSeconds(static_cast<int>(year), month + 1, 1) / kSecondsPerDay, 0, budget, out);
            break;
        }
        case RecurrenceRule::kWeekly: {
            const int64_t first = WeekStartDay(DayNumber(dtstart_)) + step * 7;
            if (first > kLastDay) return false;
            Days(first, first + 7, 0, budget, out);
            break;
        }
        case RecurrenceRule::kDaily: {
            const int64_t day = DayNumber(dtstart_) + step;
            if (day > kLastDay) return false;
            Days(day, day + 1, 0, budget, out);
            break;
        }
        default: {
            const int64_t unit = rule_.frequency == RecurrenceRule::kHourly     ? 3600
                                 : rule_.frequency == RecurrenceRule::kMinutely ? 60
                                                                                : 1;
            const int64_t at = Floor(dtstart_, unit) + step * unit;
            if (at / kSecondsPerDay > kLastDay) return false;
            --budget.steps;
            const CivilParts p = CivilOf(at);
            if (!DayMatches(FactsOf(DayNumber(at)), 0)) break;
            if (!rule_.byHour.empty() && !Contains(rule_.byHour, p.hour)) break;
            if (rule_.frequency <= RecurrenceRule::kMinutely && !rule_.byMinute.empty() &&
                !Contains(rule_.byMinute, p.minute))
                break;
            if (rule_.frequency == RecurrenceRule::kSecondly && !rule_.bySecond.empty() &&
                !Contains(rule_.bySecond, p.second))
                break;
            const int64_t hourStart = at - p.minute * 60 - p.second;
            if (rule_.frequency == RecurrenceRule::kHourly) {
                for (int minute : minutes_) {
                    for (int second : seconds_) out.push_back(hourStart + minute * 60 + second);
                }
            } else if (rule_.frequency == RecurrenceRule::kMinutely) {
                for (int second : seconds_) out.push_back(at - p.second + second);
            } else {
                out.push_back(at);
            }
            break;
        }
        }
        SetPositions(out);
        return true;
    }

private:
    static constexpr int64_t kLastDay = 2932896;  // 9999-12-31 as days since 1970

    static int64_t Floor(int64_t value, int64_t unit) { return value / unit * unit - (value % unit < 0 ? unit : 0); }
    static int64_t DayNumber(int64_t seconds) { return Floor(seconds, kSecondsPerDay) / kSecondsPerDay; }
    int64_t WeekStartDay(int64_t day) const {
        const int weekday = DayOfSeconds(day * kSecondsPerDay).Weekday();
        return day - (weekday - rule_.weekStart + 7) % 7;
    }

    // Does the day pass the rule's day parts? ordinalYear: the year in which BYDAY
    // ordinals count for a yearly rule without months (0 to count in the month).
    bool DayMatches(const DayFacts& f, int ordinalYear) const {
        if (!byMonth_->empty() && !Contains(*byMonth_, f.month)) return false;
        if (!rule_.byWeekNo.empty()) {
            int year = f.year;
            if (f.day < WeekOneStart(year, rule_.weekStart)) --year;
            else if (f.day >= WeekOneStart(year + 1, rule_.weekStart)) ++year;
            const int64_t one = WeekOneStart(year, rule_.weekStart);
            const int week = static_cast<int>((f.day - one) / 7) + 1;
            const int weeks = static_cast<int>((WeekOneStart(year + 1, rule_.weekStart) - one) / 7);
            bool found = false;
            for (int n : rule_.byWeekNo) found = found || n == week || (n < 0 && weeks + 1 + n == week);
            if (!found) return false;
        }
        if (!rule_.byYearDay.empty()) {
            bool found = false;
            for (int n : rule_.byYearDay)
                found = found || n == f.dayOfYear || (n < 0 && f.daysInYear + 1 + n == f.dayOfYear);
            if (!found) return false;
        }
        if (!byMonthDay_->empty()) {
            bool found = false;
            for (int n : *byMonthDay_)
                found = found || n == f.dayOfMonth || (n < 0 && f.daysInMonth + 1 + n == f.dayOfMonth);
            if (!found) return false;
        }
        if (!byDay_->empty()) {
            // Ordinals count within the month, or the year for a yearly rule without
            // months; a weekly or daily rule, or one by week numbers, takes none.
            const bool ordinals =
                (rule_.frequency == RecurrenceRule::kMonthly || rule_.frequency == RecurrenceRule::kYearly) &&
                rule_.byWeekNo.empty();
            const bool inYear = rule_.frequency == RecurrenceRule::kYearly && byMonth_->empty() && ordinalYear != 0;
            bool found = false;
            for (const auto& d : *byDay_) {
                if (d.weekday != f.weekday) continue;
                if (d.ordinal == 0 || !ordinals) {
                    found = true;
                    break;
                }
                const int position = inYear ? f.dayOfYear : f.dayOfMonth;
                const int length = inYear ? f.daysInYear : f.daysInMonth;
                const int fromStart = (position - 1) / 7 + 1, fromEnd = -((length - position) / 7 + 1);
                if (d.ordinal == fromStart || d.ordinal == fromEnd) {
                    found = true;
                    break;
                }
            }
            if (!found) return false;
        }
        return true;
    }

    void Days(int64_t first, int64_t last, int ordinalYear, ExpansionBudget& budget, std::vector<int64_t>& out) {
        if (first >= last) return;
        // A rule without day parts (every day of a daily one) takes every day as it is.
        DayFacts facts = dayFilters_ ? FactsOf(first) : DayFacts();
        for (int64_t day = first; day < last; ++day) {
            if (day != first && dayFilters_) Advance(facts);
            --budget.steps;
            if (dayFilters_ && !DayMatches(facts, ordinalYear)) continue;
            const int64_t base = day * kSecondsPerDay;
            if (allDay_) {
                out.push_back(base);
                continue;
            }
            for (int hour : hours_) {
                for (int minute : minutes_) {
                    for (int second : seconds_) out.push_back(base + hour * 3600 + minute * 60 + second);
                }
            }
        }
    }

    void SetPositions(std::vector<int64_t>& set) const {
        if (rule_.bySetPos.empty() || set.empty()) return;
        std::vector<int64_t> chosen;
        const int size = static_cast<int>(set.size());
        for (int position : rule_.bySetPos) {
            const int index = position > 0 ? position - 1 : size + position;
            if (index >= 0 && index < size) chosen.push_back(set[static_cast<size_t>(index)]);
        }
        std::sort(chosen.begin(), chosen.end());
        chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
        set = std::move(chosen);
    }

    const RecurrenceRule& rule_;
    int64_t dtstart_;
    bool allDay_;
    CivilParts start_;
    // Times of a day, sorted, without allocating (there are at most 61 of each).
    struct TimeList {
        int values[61];
        int size = 0;
        const int* begin() const { return values; }
        const int* end() const { return values + size; }
    };
    static inline const std::vector<int> kNone{};

    static const std::vector<int>* Own(std::vector<int>& own, int value) {
        own = {value};
        return &own;
    }
    // The rule's list (each value once), or the start's value where the rule has none.
    static void Times(TimeList& list, const std::vector<int>& given, bool fromStart, int startValue) {
        list.size = 0;
        if (given.empty()) {
            if (fromStart) list.values[list.size++] = startValue;
            return;
        }
        for (int v : given) {
            if (list.size < 61 && std::find(list.begin(), list.end(), v) == list.end()) list.values[list.size++] = v;
        }
        std::sort(list.values, list.values + list.size);
    }

    const std::vector<int>*byMonth_, *byMonthDay_;
    const std::vector<RecurrenceRule::WeekdayNumber>* byDay_;
    std::vector<int> ownMonth_, ownMonthDay_, months_;
    std::vector<RecurrenceRule::WeekdayNumber> ownDay_;
    TimeList hours_, minutes_, seconds_;
    bool dayFilters_ = false;
};

}  // namespace

bool ParseRecurrenceRule(std::string_view text, RecurrenceRule& rule, std::string& reason) {
    rule = RecurrenceRule();
    bool hasFrequency = false, hasCount = false;
    size_t start = 0;
    while (start < text.size()) {
        const size_t semicolon = std::min(text.find(';', start), text.size());
        const std::string_view part = text.substr(start, semicolon - start);
        start = semicolon + 1;
        if (part.empty()) continue;
        const size_t equals = part.find('=');
        if (equals == std::string_view::npos) {
            reason = "a part without a value: " + std::string(part);
            return false;
        }
        const std::string_view name = part.substr(0, equals), value = part.substr(equals + 1);
        bool ok = true;
        int64_t number = 0;
        if (name == "FREQ") {
            static constexpr const char* kNames[] = {"SECONDLY", "MINUTELY", "HOURLY", "DAILY",
                                                     "WEEKLY",   "MONTHLY",  "YEARLY"};
            ok = false;
            for (int i = 0; i < 7; ++i) {
                if (value == kNames[i]) {
                    rule.frequency = static_cast<RecurrenceRule::Frequency>(i);
                    ok = hasFrequency = true;
                }
            }
        } else if (name == "INTERVAL") {
            ok = ParseInt(value, number) && number >= 1 && number <= 1000000;
            rule.interval = static_cast<int>(number);
        } else if (name == "COUNT") {
            ok = ParseInt(value, number) && number >= 1;
            rule.count = number;
            hasCount = true;
        } else if (name == "UNTIL") {
            ok = ParseIcsTime(value, rule.until);
            rule.hasUntil = true;
        } else if (name == "BYSECOND") {
            ok = ParseList(value, 0, 60, false, rule.bySecond);
        } else if (name == "BYMINUTE") {
            ok = ParseList(value, 0, 59, false, rule.byMinute);
        } else if (name == "BYHOUR") {
            ok = ParseList(value, 0, 23, false, rule.byHour);
        } else if (name == "BYDAY") {
            ok = ParseByDay(value, rule.byDay);
        } else if (name == "BYMONTHDAY") {
            ok = ParseList(value, 1, 31, true, rule.byMonthDay);
        } else if (name == "BYYEARDAY") {
            ok = ParseList(value, 1, 366, true, rule.byYearDay);
        } else if (name == "BYWEEKNO") {
            ok = ParseList(value, 1, 53, true, rule.byWeekNo);
        } else if (name == "BYMONTH") {
            ok = ParseList(value, 1, 12, false, rule.byMonth);
        } else if (name == "BYSETPOS") {
            ok = ParseList(value, 1, 366, true, rule.bySetPos);
        } else if (name == "WKST") {
            rule.weekStart = WeekdayOf(value);
            ok = rule.weekStart >= 0;
        }  // other parts (RSCALE, SKIP, x-names) are left to the calendars that know them
        if (!ok) {
            reason = "a wrong value of " + std::string(name) + ": " + std::string(value);
            return false;
        }
    }
    if (!hasFrequency) {
        reason = "no FREQ";
        return false;
    }
    if (hasCount && rule.hasUntil) {
        reason = "both COUNT and UNTIL";
        return false;
    }
    return true;
}

void ExpandRule(const RecurrenceRule& rule, int64_t dtstart, bool allDay, int64_t from, int64_t to,
                const std::function<int64_t(int64_t)>& toComparable, ExpansionBudget& budget,
                std::vector<int64_t>& starts) {
    Expander expander(rule, dtstart, allDay);
    int64_t until = INT64_MAX;
    bool untilUtc = false;
    if (rule.hasUntil) {
        // A date ends with its day; a UTC time is compared with the start in UTC.
        until = rule.until.isDate ? rule.until.seconds + kSecondsPerDay - 1 : rule.until.seconds;
        untilUtc = !rule.until.isDate && rule.until.frame == IcsTime::kUtc;
    }
    auto beyondUntil = [&](int64_t start) { return (untilUtc ? toComparable(start) : start) > until; };
    int64_t counted = 0;
    auto emit = [&](int64_t start) {
        if (start >= from && start < to) {
            if (starts.size() >= budget.instances) {
                budget.exhausted = true;
                return false;
            }
            starts.push_back(start);
        }
        return true;
    };
    // The start is the first instance, whether or not the rule gives it.
    if (!beyondUntil(dtstart)) {
        ++counted;
        if (!emit(dtstart)) return;
    }
    if (rule.count != 0 && counted >= rule.count) return;
    // Without a count, the periods before the range can be skipped.
    std::vector<int64_t> period;
    for (int64_t k = rule.count == 0 ? expander.FirstPeriodFor(from) : 0;; ++k) {
        if (budget.steps <= 0) {
            budget.exhausted = true;
            return;
        }
        // A rule that seldom or never matches stops at the range's end, not at year 9999.
        if (expander.PeriodStart(k) >= to || !expander.Period(k, budget, period)) return;
        for (int64_t start : period) {
            if (start <= dtstart) continue;
            if (beyondUntil(start) || start >= to) return;
            if (!emit(start)) return;
            if (rule.count != 0 && ++counted >= rule.count) return;
        }
    }
}

}  // namespace tavoli
