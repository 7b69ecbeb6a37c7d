#include "calendar/cal_date.h"

#include <cmath>

#include "framework/number_text.h"

namespace tavoli {

namespace {

constexpr int kCommonMonthLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Days from 1 January −4,799 to the serial's origin, minus one.
constexpr int64_t kSerialOffset = 31739;
constexpr int64_t kDaysPer400Years = 146097;
constexpr int64_t kDaysPer100Years = 36524;
constexpr int64_t kDaysPer4Years = 1461;

// Month length without the guard against very old years: the inverse conversion walks
// years down to −4,799, where the public MonthLength answers 0.
int MonthLengthUnguarded(int year, int month) {
    if (month == 2 && IsLeapYear(year)) return 29;
    return kCommonMonthLength[month - 1];
}

// Floor modulo: a result in [0, m) for any sign of v.
int64_t FloorMod(int64_t v, int64_t m) {
    int64_t r = v % m;
    return r < 0 ? r + m : r;
}

}  // namespace

bool IsLeapYear(int year) {
    // Raising a negative year by multiples of 4,400 (a multiple of 400) keeps the pattern.
    int64_t y = year < 0 ? FloorMod(year, 4400) : year;
    return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
}

int DaysInYear(int year) { return IsLeapYear(year) ? 366 : 365; }

int MonthLength(int year, int month) {
    if (month < 1 || month > 12 || year < -4400) return 0;
    return MonthLengthUnguarded(year, month);
}

CalDate::CalDate(int year, int month, int day) {
    if (year == 0 && month == 0 && day == 0) return;
    serial_ = static_cast<uint32_t>(static_cast<uint64_t>(WideSerial(year, month, day)));
}

int64_t CalDate::WideSerial(int64_t year, int month, int64_t day) {
    // Months past December continue into the following years; a month below 1 adds no
    // month lengths, as January. Callers do not pass either.
    int64_t y = year;
    if (month > 12) {
        y += (month - 1) / 12;
        month = (month - 1) % 12 + 1;
    }
    const int64_t c = y + 4799;               // years since −4,799
    const int64_t q = c / 100;                // truncating, as the whole conversion
    int64_t s = 365 * c + c / 4 - q + q / 4;  // days from 1 January −4,799 to 1 January y
    for (int i = 1; i < month; ++i) {
        s += kCommonMonthLength[i - 1];
        if (i == 2 && IsLeapYear(static_cast<int>(y))) s += 1;
    }
    return s + day - kSerialOffset;
}

namespace {

// The first three integers of a text (missing ones 0); false when one is too long to be
// read whole.
bool FirstThreeNumbers(std::string_view text, int64_t (&numbers)[3]) {
    bool whole = true;
    int found = 0;
    size_t i = 0;
    while (i < text.size() && found < 3) {
        if (text[i] < '0' || text[i] > '9') {
            ++i;
            continue;
        }
        const bool negative = i > 0 && text[i - 1] == '-';
        int64_t value = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            // Saturate: a number this long is no date anyway.
            value = value * 10 + (text[i] - '0');
            if (value > 999999999) {
                value = 999999999;
                whole = false;
            }
        }
        numbers[found++] = negative ? -value : value;
    }
    return whole;
}

}  // namespace

CalDate CalDate::FromText(std::string_view text) {
    int64_t numbers[3] = {0, 0, 0};
    FirstThreeNumbers(text, numbers);
    return CalDate(static_cast<int>(numbers[0]), static_cast<int>(numbers[1]), static_cast<int>(numbers[2]));
}

bool CalDate::FromTextExactly(std::string_view text, CalDate& date) {
    int64_t numbers[3] = {0, 0, 0};
    const bool whole = FirstThreeNumbers(text, numbers);
    date = CalDate(static_cast<int>(numbers[0]), static_cast<int>(numbers[1]), static_cast<int>(numbers[2]));
    if (!whole) return false;
    if (numbers[0] == 0 && numbers[1] == 0 && numbers[2] == 0) return true;
    // The days from 1 January −4,799 on (the conversion counts no earlier year), as far
    // as the 32-bit count reaches: the range in which Parts gives back the same day. Day 0
    // is the null date, not a day.
    if (numbers[0] < -4799) return false;
    const int64_t serial = WideSerial(numbers[0], static_cast<int>(numbers[1]), numbers[2]);
    const int64_t sinceFirstYear = serial + kSerialOffset - 1;
    return serial != 0 && sinceFirstYear >= 0 && sinceFirstYear <= int64_t{UINT32_MAX};
}

YearMonthDay CalDate::Parts() const {
    YearMonthDay ymd;
    if (serial_ == 0) return ymd;
    // Days since 1 January −4,799, in 32-bit unsigned arithmetic like the serial itself:
    // days before the serial's origin (24 November −4713) wrap around to the top of the
    // range and come back here.
    int64_t a = static_cast<uint32_t>(serial_ + static_cast<uint32_t>(kSerialOffset - 1));
    int64_t y = -4799 + 400 * (a / kDaysPer400Years);
    a %= kDaysPer400Years;                   // [0, 146096]
    const int64_t n = a / kDaysPer100Years;  // [0, 4]
    y += 100 * n;
    int64_t c = a % kDaysPer100Years;  // [0, 36523]
    if (n == 4) {                      // the last day of a 400-year cycle
        y -= 100;
        c += kDaysPer100Years;
    }
    y += 4 * (c / kDaysPer4Years);
    const int64_t r = c % kDaysPer4Years;  // [0, 1460]
    const int64_t e = r / 365;             // [0, 4]
    y += e;
    int64_t f = r % 365;  // [0, 364]
    if (e == 4) {         // the last day of a four-year block
        y -= 1;
        f += 365;
    }
    ymd.year = static_cast<int>(y);
    int month = 1;
    while (month < 13 && f >= MonthLengthUnguarded(ymd.year, month)) {
        f -= MonthLengthUnguarded(ymd.year, month);
        ++month;
    }
    ymd.month = month;
    ymd.day = static_cast<int>(f + 1);
    return ymd;
}

std::string CalDate::Text() const {
    const YearMonthDay ymd = Parts();
    return FixedDigits(ymd.year, 4) + "/" + FixedDigits(ymd.month, 2) + "/" + FixedDigits(ymd.day, 2);
}

CalDateTime::CalDateTime(CalDate date, TimeOfDay time) {
    int64_t ms = time.Milliseconds();
    int64_t days = ms / kMillisecondsPerDay;
    ms %= kMillisecondsPerDay;
    if (ms < 0) {
        ms += kMillisecondsPerDay;
        days -= 1;
    }
    date_ = date + static_cast<int32_t>(days);
    time_ = TimeOfDay(static_cast<int32_t>(ms));
}

CalDateTime CalDateTime::operator+(TimeOfDay offset) const {
    int64_t ms = static_cast<int64_t>(time_.Milliseconds()) + offset.Milliseconds();
    int64_t days = ms / kMillisecondsPerDay;
    ms %= kMillisecondsPerDay;
    return CalDateTime(date_ + static_cast<int32_t>(days), TimeOfDay(static_cast<int32_t>(ms)));
}

CalDateTime CalDateTime::FromJulianDate(double julianDate) {
    const double a = julianDate + 0.5;
    // A moment outside every representable day (or not a number) still gives a value:
    // the serial wraps as the unsigned day count does.
    if (!(std::fabs(a) < 9.0e15)) return CalDateTime();
    const double whole = std::trunc(a);
    const auto serial = static_cast<int64_t>(whole);
    const auto time = static_cast<int32_t>(std::trunc((a - whole) * 86400000.0));
    return CalDateTime(CalDate::FromSerial(static_cast<uint32_t>(static_cast<uint64_t>(serial))), TimeOfDay(time));
}

long double CalDateTime::JulianDate() const {
    return static_cast<long double>(date_.Serial()) + static_cast<long double>(time_.Milliseconds()) / 86400000.0L -
           0.5L;
}

SystemTimeParts CalDateTime::ToSystemTime() const {
    const YearMonthDay ymd = date_.Parts();
    SystemTimeParts st;
    st.year = static_cast<uint16_t>(ymd.year);
    st.month = static_cast<uint16_t>(ymd.month);
    st.dayOfWeek = static_cast<uint16_t>(date_.Weekday());
    st.day = static_cast<uint16_t>(ymd.day);
    st.hour = static_cast<uint16_t>(time_.Hour());
    st.minute = static_cast<uint16_t>(time_.Minute());
    st.second = static_cast<uint16_t>(time_.Second());
    st.milliseconds = static_cast<uint16_t>(time_.Millisecond());
    return st;
}

CalDate CellDate(int year, int month, int column, int row, int firstDayOfWeek) {
    if (month < 0 || month > 12 || year < 0 || year > 9999) return CalDate();
    if (month == 0) month = 1;
    const int first = static_cast<int>(FloorMod(firstDayOfWeek, 7));
    const CalDate start(year, month, 1);
    const int shift = static_cast<int>(FloorMod(start.Weekday() - first, 7));
    return start + static_cast<int32_t>(static_cast<int64_t>(7) * row + column - shift);
}

int WeekNumber(int firstDayOfWeek, int baseDayOfWeek, CalDate date) {
    const int a = static_cast<int>(FloorMod(firstDayOfWeek, 7));
    const int b = static_cast<int>(FloorMod(baseDayOfWeek, 7));
    int w = date.Weekday();
    if (a > w) w += 7;
    const CalDate q = date + (b - w);
    const int year = date.Year();
    int32_t k = q - CalDate(year, 1, 1);
    if (k < 0) k = q - CalDate(year - 1, 1, 1);
    return k / 7 + 1;
}

CalDate Today(PackedTag zone) {
    const SystemTimeParts st = zone == kLocalZone ? CurrentPlatform().LocalTime() : CurrentPlatform().UniversalTime();
    return CalDate(st.year, st.month, st.day);
}

CalDateTime Now(PackedTag zone) {
    const SystemTimeParts st = zone == kLocalZone ? CurrentPlatform().LocalTime() : CurrentPlatform().UniversalTime();
    return CalDateTime(CalDate(st.year, st.month, st.day),
                       TimeOfDay::FromParts(st.hour, st.minute, st.second, st.milliseconds));
}

TimeOfDay TimeZoneOffset() {
    int32_t bias = 0;
    if (!CurrentPlatform().TimeZoneBias(bias)) return TimeOfDay(0);
    return TimeOfDay(static_cast<int32_t>(-static_cast<int64_t>(bias) * 60000));
}

}  // namespace tavoli
