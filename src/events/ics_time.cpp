#include "events/ics_time.h"

namespace tavoli {

namespace {

// The Julian Day Number of 1970-01-01.
constexpr int64_t kUnixEpochDay = 2440588;

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Digits at text[at, at + count) as a number; false when any is not a digit.
bool Digits(std::string_view text, size_t at, size_t count, int& value) {
    if (at + count > text.size()) return false;
    value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

std::string TwoDigits(int value) {
    return std::string(1, static_cast<char>('0' + value / 10)) + char('0' + value % 10);
}

}  // namespace

int64_t CivilSeconds(int year, int month, int day, int hour, int minute, int second) {
    const int64_t days = static_cast<int64_t>(CalDate(year, month, day).Serial()) - kUnixEpochDay;
    return days * kSecondsPerDay + hour * 3600 + minute * 60 + second;
}

CalDate DayOfSeconds(int64_t seconds) {
    return CalDate::FromSerial(static_cast<uint32_t>(FloorDiv(seconds, kSecondsPerDay) + kUnixEpochDay));
}

int64_t SecondsOfDay(CalDate day) { return (static_cast<int64_t>(day.Serial()) - kUnixEpochDay) * kSecondsPerDay; }

CivilParts CivilOf(int64_t seconds) {
    const CalDate day = DayOfSeconds(seconds);
    const YearMonthDay ymd = day.Parts();
    const int64_t inDay = seconds - SecondsOfDay(day);  // [0, 86399]
    CivilParts parts;
    parts.year = ymd.year;
    parts.month = ymd.month;
    parts.day = ymd.day;
    parts.hour = static_cast<int>(inDay / 3600);
    parts.minute = static_cast<int>(inDay / 60 % 60);
    parts.second = static_cast<int>(inDay % 60);
    parts.weekday = day.Weekday();
    return parts;
}

bool ParseIcsTime(std::string_view text, IcsTime& time) {
    int year, month, day;
    if (!Digits(text, 0, 4, year) || !Digits(text, 4, 2, month) || !Digits(text, 6, 2, day)) return false;
    if (month < 1 || month > 12 || day < 1 || day > 31 || year < 1) return false;
    time.isDate = text.size() == 8;
    time.seconds = CivilSeconds(year, month, day);
    if (time.isDate) {
        time.frame = IcsTime::kFloating;
        return DayOfSeconds(time.seconds).Day() == day;  // 30 February is no day
    }
    int hour, minute, second;
    if (text.size() < 15 || text[8] != 'T' || !Digits(text, 9, 2, hour) || !Digits(text, 11, 2, minute) ||
        !Digits(text, 13, 2, second))
        return false;
    // A leap second (60) is taken as the last second of its minute.
    if (hour > 23 || minute > 59 || second > 60) return false;
    if (second == 60) second = 59;
    if (text.size() == 16 && text[15] == 'Z') time.frame = IcsTime::kUtc;
    else if (text.size() != 15) return false;
    time.seconds += hour * 3600 + minute * 60 + second;
    return DayOfSeconds(time.seconds).Day() == day;
}

bool ParseIcsDuration(std::string_view text, IcsDuration& duration) {
    duration = {};
    size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    if (at >= text.size() || text[at++] != 'P') return false;
    bool inTime = false, any = false, anyTime = false;
    while (at < text.size()) {
        if (text[at] == 'T') {
            if (inTime) return false;
            inTime = true;
            ++at;
            continue;
        }
        anyTime = inTime;
        int64_t number = 0;
        size_t digits = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            // Some ten million days is more than any calendar means; more is refused.
            if (++digits > 9) return false;
            number = number * 10 + (text[at++] - '0');
        }
        if (digits == 0 || at >= text.size()) return false;
        const char unit = text[at++];
        if (!inTime && unit == 'W') duration.days += number * 7;
        else if (!inTime && unit == 'D') duration.days += number;
        else if (inTime && unit == 'H') duration.seconds += number * 3600;
        else if (inTime && unit == 'M') duration.seconds += number * 60;
        else if (inTime && unit == 'S') duration.seconds += number;
        else return false;
        any = true;
    }
    if (!any || (inTime && !anyTime)) return false;
    if (negative) duration = {-duration.days, -duration.seconds};
    return true;
}

std::string DayText(int64_t seconds) { return DayOfSeconds(seconds).Text(); }

std::string MinuteText(int64_t seconds) {
    const CivilParts p = CivilOf(seconds);
    return DayText(seconds) + " " + TwoDigits(p.hour) + ":" + TwoDigits(p.minute);
}

}  // namespace tavoli
