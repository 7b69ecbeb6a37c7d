// Days as Julian Day Numbers, times of day in milliseconds, and the arithmetic on them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "framework/lang_text.h"
#include "framework/platform.h"

namespace tavoli {

constexpr int32_t kMillisecondsPerDay = 86400000;

// Milliseconds since midnight (or an offset such as the time zone's).
class TimeOfDay {
public:
    constexpr TimeOfDay() = default;
    constexpr explicit TimeOfDay(int32_t milliseconds) : ms_(milliseconds) {}
    // No range checks: 25:00 is 90,000,000 ms.
    static constexpr TimeOfDay FromParts(int hour, int minute, int second, int millisecond) {
        return TimeOfDay(static_cast<int32_t>(
            static_cast<uint32_t>(static_cast<int64_t>(hour) * 3600000 + static_cast<int64_t>(minute) * 60000 +
                                  static_cast<int64_t>(second) * 1000 + millisecond)));
    }

    constexpr int32_t Milliseconds() const { return ms_; }
    constexpr int Hour() const { return ms_ / 3600000; }
    constexpr int Minute() const { return (ms_ % 3600000) / 60000; }
    constexpr int Second() const { return (ms_ % 60000) / 1000; }
    constexpr int Millisecond() const { return ms_ % 1000; }

    constexpr TimeOfDay operator-() const { return TimeOfDay(static_cast<int32_t>(0u - static_cast<uint32_t>(ms_))); }
    constexpr bool operator==(TimeOfDay other) const { return ms_ == other.ms_; }
    constexpr bool operator!=(TimeOfDay other) const { return ms_ != other.ms_; }

private:
    int32_t ms_ = 0;
};

struct YearMonthDay {
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const YearMonthDay& o) const { return year == o.year && month == o.month && day == o.day; }
};

// A day of the proleptic Gregorian calendar as its Julian Day Number; 0 is no date.
// Ordering is that of the unsigned number, so the null date sorts first.
class CalDate {
public:
    constexpr CalDate() = default;
    static constexpr CalDate FromSerial(uint32_t serial) {
        CalDate d;
        d.serial_ = serial;
        return d;
    }
    // (0, 0, 0) is the null date. The day is an offset from the first of the month: day 0
    // is the last day of the month before, day 32 of January is 1 February.
    CalDate(int year, int month, int day);
    // The first three integers of the text; a "-" directly before a digit negates.
    static CalDate FromText(std::string_view text);
    // The same, false when the numbers name no day that comes back from Parts as itself
    // (a number too long to read, a day before 1 January −4,799 or beyond what 32 bits
    // count from there, or the count's day 0, which is the null date).
    static bool FromTextExactly(std::string_view text, CalDate& date);

    constexpr uint32_t Serial() const { return serial_; }
    constexpr bool IsNull() const { return serial_ == 0; }
    YearMonthDay Parts() const;
    int Year() const { return Parts().year; }
    int Month() const { return Parts().month; }
    int Day() const { return Parts().day; }
    // 0 Sunday … 6 Saturday.
    constexpr int Weekday() const { return static_cast<int>((serial_ + 1u) % 7u); }
    // "YYYY/MM/DD", each field cut or padded to its width.
    std::string Text() const;

    constexpr CalDate operator+(int32_t days) const { return FromSerial(serial_ + static_cast<uint32_t>(days)); }
    constexpr CalDate operator-(int32_t days) const { return FromSerial(serial_ - static_cast<uint32_t>(days)); }
    constexpr int32_t operator-(CalDate other) const { return static_cast<int32_t>(serial_ - other.serial_); }
    CalDate& operator+=(int32_t days) { return *this = *this + days; }
    CalDate& operator-=(int32_t days) { return *this = *this - days; }
    CalDate& operator++() { return *this += 1; }
    CalDate& operator--() { return *this -= 1; }

    constexpr bool operator==(CalDate o) const { return serial_ == o.serial_; }
    constexpr bool operator!=(CalDate o) const { return serial_ != o.serial_; }
    constexpr bool operator<(CalDate o) const { return serial_ < o.serial_; }
    constexpr bool operator<=(CalDate o) const { return serial_ <= o.serial_; }
    constexpr bool operator>(CalDate o) const { return serial_ > o.serial_; }
    constexpr bool operator>=(CalDate o) const { return serial_ >= o.serial_; }

private:
    // The day count of the parts, before it is cut to 32 bits.
    static int64_t WideSerial(int64_t year, int month, int64_t day);

    uint32_t serial_ = 0;
};

// A date and a time of day, always normalised: 0 <= time < 86,400,000.
class CalDateTime {
public:
    constexpr CalDateTime() = default;
    CalDateTime(CalDate date, TimeOfDay time);
    // Set from a Julian date: the moment is truncated to whole milliseconds.
    static CalDateTime FromJulianDate(double julianDate);

    CalDate Date() const { return date_; }
    TimeOfDay Time() const { return time_; }

    CalDateTime operator+(TimeOfDay offset) const;
    CalDateTime operator-(TimeOfDay offset) const { return *this + -offset; }

    // serial + time / 86,400,000 − 0.5, in extended precision.
    long double JulianDate() const;
    SystemTimeParts ToSystemTime() const;

    bool operator==(const CalDateTime& o) const { return date_ == o.date_ && time_ == o.time_; }
    bool operator!=(const CalDateTime& o) const { return !(*this == o); }

private:
    CalDate date_;
    TimeOfDay time_;
};

bool IsLeapYear(int year);
// 366 for a leap year, 365 otherwise; negative years follow the 400-year pattern.
int DaysInYear(int year);
// 0 for a month outside 1 … 12 or a year below −4,400.
int MonthLength(int year, int month);

// The date in a month grid's cell; row 0, column 0 lies on or before the first of the
// month and column c shows weekday (firstDayOfWeek + c) mod 7. Null for a month outside
// 0 … 12 (0 is January) or a year outside 0 … 9,999.
CalDate CellDate(int year, int month, int column, int row, int firstDayOfWeek);

// Week number under the first and base day of week; the count belongs to the year of the
// date and simply continues past the year's end.
int WeekNumber(int firstDayOfWeek, int baseDayOfWeek, CalDate date);

constexpr PackedTag kLocalZone = PackTag("loc");
// The local clock for the tag "loc", universal time for any other.
CalDate Today(PackedTag zone);
CalDateTime Now(PackedTag zone);
// −Bias of the standard time in milliseconds (Japan: +9 h); 0 when it cannot be read.
TimeOfDay TimeZoneOffset();

}  // namespace tavoli
