#include "calendar/calendar_system.h"

#include "calendar/lunisolar.h"

namespace tavoli {

namespace {

int64_t FloorDiv(int64_t v, int64_t m) {
    int64_t q = v / m;
    return (v % m != 0 && (v < 0) != (m < 0)) ? q - 1 : q;
}

int64_t FloorMod(int64_t v, int64_t m) { return v - FloorDiv(v, m) * m; }

bool IsHijriLeapYear(int64_t year) {
    switch (FloorMod(year, 30)) {
    case 2:
    case 5:
    case 7:
    case 10:
    case 13:
    case 16:
    case 18:
    case 21:
    case 24:
    case 26:
    case 29: return true;
    default: return false;
    }
}

}  // namespace

SplitDate GregorianCalendar::split(CalDate date) const {
    if (date.IsNull()) return {};
    const YearMonthDay ymd = date.Parts();
    return {ymd.year, ymd.month, ymd.day, date.Weekday()};
}

SplitDate JulianCalendar::split(CalDate date) const {
    if (date.IsNull()) return {};
    // Years counted from 1 March, so that the leap day ends each four-year block.
    static constexpr int kShift[13] = {0, 1, 1, 2, 2, 3, 4, 4, 5, 5, 6, 7, 6};
    static constexpr int kLength[12] = {31, 30, 31, 30, 31, 31, 30, 31, 30, 31, 31, 29};  // March … February
    const int64_t a = static_cast<int64_t>(date.Serial()) - 1721118;  // days since 1 March of year 0
    int64_t year = 4 * FloorDiv(a, 1461);
    const int64_t r = FloorMod(a, 1461);  // [0, 1460]
    int64_t d;                            // day of the March-based year, [0, 365]
    if (r == 1460) {
        year += 3;
        d = 365;
    } else {
        year += r / 365;
        d = r % 365;
    }
    int i = static_cast<int>(d / 30);  // [0, 12]
    int b = static_cast<int>(d % 30) - kShift[i];
    if (b < 0) {
        i -= 1;
        b += kLength[i];
    }
    int month = i + 3;
    if (month > 12) {
        month -= 12;
        year += 1;
    }
    return {static_cast<int>(year), month, b + 1, date.Weekday()};
}

SplitDate LunisolarCalendar::split(CalDate date) const {
    if (date.IsNull()) return {};
    const LunarDate lunar = ToLunarDate(date, Offset());
    return {lunar.year, lunar.monthCode, lunar.day, lunar.rokuyo};
}

SplitDate ChineseLunisolarCalendar::split(CalDate date) const {
    if (date.IsNull()) return {};
    const LunarDate lunar = ToChineseLunarDate(date, Offset());
    return {lunar.year, lunar.monthCode, lunar.day, lunar.rokuyo};
}

SplitDate HijriCalendar::split(CalDate date) const {
    if (date.IsNull()) return {};
    // Leap years among the first k years of a cycle.
    static constexpr int kLeapYearsBefore[31] = {0, 0, 0, 1, 1, 1, 2, 2, 3, 3, 3, 4,  4,  4,  5, 5,
                                                 5, 6, 6, 7, 7, 7, 8, 8, 8, 9, 9, 10, 10, 10, 11};
    const int64_t a = static_cast<int64_t>(date.Serial()) - 1948086;  // from the start of year 0
    int64_t year = 30 * FloorDiv(a, 10631);
    const int64_t r = FloorMod(a, 10631);  // [0, 10630]
    const int64_t k = r / 354;             // [0, 30]
    year += k;
    int64_t e = r % 354 - kLeapYearsBefore[k];
    if (e < 0) {
        year -= 1;
        e += IsHijriLeapYear(year) ? 355 : 354;
    }
    if (e == 354) return {static_cast<int>(year), 12, 30, date.Weekday()};  // leap day of a leap year
    int month = static_cast<int>(2 * (e / 59) + 1);
    e %= 59;
    if (e >= 30) {
        month += 1;
        e -= 30;
    }
    return {static_cast<int>(year), month, static_cast<int>(e + 1), date.Weekday()};
}

std::unique_ptr<CalendarSystem> MakeCalendarSystem(char letter) { return MakeCalendarSystem(letter, TimeZoneOffset()); }

std::unique_ptr<CalendarSystem> MakeCalendarSystem(char letter, TimeOfDay offset) {
    switch (letter) {
    case 'J': return std::make_unique<JulianCalendar>(offset);
    case 'A': return std::make_unique<LunisolarCalendar>(offset);
    case 'C': return std::make_unique<ChineseLunisolarCalendar>(offset);
    case 'H': return std::make_unique<HijriCalendar>(offset);
    default: return std::make_unique<GregorianCalendar>(offset);
    }
}

}  // namespace tavoli
