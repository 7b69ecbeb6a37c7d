// Times as iCalendar writes them: seconds counted in their own frame (UTC, the local
// time of a zone, or floating), dates, durations and periods, and their text forms.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/cal_date.h"

namespace tavoli {

constexpr int64_t kSecondsPerDay = 86400;

// Seconds since 1970-01-01 00:00 of the frame; the day may overflow its month (day 32 of
// January is 1 February), as CalDate takes it.
int64_t CivilSeconds(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
// The day a count of seconds falls on (floor, so -1 is 1969-12-31).
CalDate DayOfSeconds(int64_t seconds);
int64_t SecondsOfDay(CalDate day);

struct CivilParts {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    int weekday = 0;  // 0 Sunday … 6 Saturday
};
CivilParts CivilOf(int64_t seconds);

// A DATE or DATE-TIME value.
struct IcsTime {
    enum Frame : uint8_t { kFloating, kUtc, kZoned };
    int64_t seconds = 0;  // in the frame: UTC, the zone's local time, or as written
    bool isDate = false;  // a day (seconds at its 00:00), floating by nature
    Frame frame = kFloating;
    std::string zone;  // the TZID of a zoned value
};

// "20240102" or "20240102T090000" or "…Z"; isDate when the value is a DATE. False for a
// malformed value (the caller says where).
bool ParseIcsTime(std::string_view text, IcsTime& time);

// A DURATION: nominal days (weeks count 7) and exact seconds, with one sign.
struct IcsDuration {
    int64_t days = 0;
    int64_t seconds = 0;
};
bool ParseIcsDuration(std::string_view text, IcsDuration& duration);

// "YYYY/MM/DD" or "YYYY/MM/DD HH:MM" of a count of seconds.
std::string DayText(int64_t seconds);
std::string MinuteText(int64_t seconds);

}  // namespace tavoli
