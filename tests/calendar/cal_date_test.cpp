#include "calendar/cal_date.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

std::string Ymd(CalDate date) {
    YearMonthDay p = date.Parts();
    return std::to_string(p.year) + "-" + std::to_string(p.month) + "-" + std::to_string(p.day);
}

TEST(CalDate, SerialNumbersOfKnownDays) {
    struct Case {
        int year, month, day;
        uint32_t serial;
    } cases[] = {
        {2000, 1, 1, 2451545},  {1970, 1, 1, 2440588}, {1858, 11, 17, 2400001}, {1582, 10, 15, 2299161},
        {2024, 2, 29, 2460370}, {-4713, 11, 25, 1},    {2024, 1, 32, 2460342},  // day 32 of January is 1 February
        {2024, 3, 0, 2460370},  // day 0 is the last day of the month before
        {2024, 1, 0, 2460310},  // 31 December 2023
        {0, 0, 0, 0},           // the null date
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CalDate(c.year, c.month, c.day).Serial(), c.serial) << c.year << "-" << c.month << "-" << c.day;
    }
    EXPECT_EQ(CalDate(2024, 1, 32), CalDate(2024, 2, 1));
    EXPECT_EQ(CalDate(2024, 3, 0), CalDate(2024, 2, 29));
    EXPECT_EQ(CalDate(2024, 14, 1), CalDate(2025, 2, 1));  // months past December go on
}

TEST(CalDate, PartsIncludingTheTwoSpecialBranches) {
    struct Case {
        int year, month, day;
    } cases[] = {
        {2000, 1, 1},   {2000, 12, 31},  // last day of a 400-year cycle
        {2024, 12, 31},                  // last day of a four-year block
        {1600, 12, 31}, {2400, 12, 31},  {1900, 12, 31}, {1900, 2, 28},  {1900, 3, 1}, {2000, 2, 29},
        {-4799, 1, 1},  {-4400, 12, 31}, {-4401, 2, 28}, {9999, 12, 31}, {0, 1, 1},    {-1, 12, 31},
    };
    for (const Case& c : cases) {
        YearMonthDay p = CalDate(c.year, c.month, c.day).Parts();
        EXPECT_EQ(p.year, c.year);
        EXPECT_EQ(p.month, c.month) << c.year;
        EXPECT_EQ(p.day, c.day) << c.year << "-" << c.month;
    }
    EXPECT_EQ(CalDate().Parts(), (YearMonthDay{0, 0, 0}));
}

TEST(CalDate, LeapYearsAndMonthLengths) {
    struct Case {
        int year;
        int days;
    } years[] = {
        {2000, 366}, {1900, 365}, {2100, 365},  {2024, 366},  {2023, 365},    {0, 366}, {-4, 366},  // treated as 4,396
        {-1, 365},                                                                                  // treated as 4,399
        {-100, 365}, {-400, 366}, {-4400, 366}, {-4401, 365}, {-100000, 366},
    };
    for (const Case& c : years) EXPECT_EQ(DaysInYear(c.year), c.days) << c.year;

    struct MonthCase {
        int year, month, length;
    } months[] = {
        {2024, 2, 29}, {2023, 2, 28}, {1900, 2, 28}, {2024, 1, 31},  {2024, 4, 30}, {2024, 12, 31},
        {2024, 0, 0},  {2024, 13, 0}, {2024, -1, 0}, {-4400, 2, 29}, {-4401, 1, 0},
    };
    for (const MonthCase& c : months) EXPECT_EQ(MonthLength(c.year, c.month), c.length) << c.year << "/" << c.month;
}

TEST(CalDate, WeekdaysAndText) {
    EXPECT_EQ(CalDate(2000, 1, 1).Weekday(), 6);  // Saturday
    EXPECT_EQ(CalDate(2024, 5, 1).Weekday(), 3);  // Wednesday
    EXPECT_EQ(CalDate(2024, 5, 5).Weekday(), 0);
    EXPECT_EQ(CalDate::FromSerial(0xFFFFFFFFu).Weekday(), 0);  // unsigned: (2^32 − 1 + 1) mod 2^32 = 0

    struct Case {
        CalDate date;
        std::string_view text;
    } cases[] = {
        {CalDate(2024, 5, 1), "2024/05/01"},  {CalDate(987, 12, 3), "0987/12/03"},
        {CalDate(12345, 1, 1), "2345/01/01"},  // leftmost digits lost, as numbers in templates
        {CalDate(-4, 3, 9), "-0004/03/09"},   {CalDate(), "0000/00/00"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.date.Text(), c.text);
}

TEST(CalDate, FromText) {
    struct Case {
        std::string_view text;
        CalDate expected;
    } cases[] = {
        {"2024/3/7", CalDate(2024, 3, 7)},
        {"2024/03/07=x", CalDate(2024, 3, 7)},
        {"  2024 . 3 . 7", CalDate(2024, 3, 7)},
        {"y2024m3d7", CalDate(2024, 3, 7)},
        {"2024-3-7", CalDate(2024, -3, -7)},  // "-" negates; no month lengths, day −7
        {"2024-3-7", CalDate(2023, 12, 24)},
        {"2024 -3", CalDate(2024, -3, 0)},
        {"- 3", CalDate(3, 0, 0)},        // "-" not directly before a digit
        {"2024/3", CalDate(2024, 3, 0)},  // missing day counts as 0
        {"", CalDate()},
        {"no numbers at all", CalDate()},
        {"0/0/0", CalDate()},
        {"1/2/3/4", CalDate(1, 2, 3)},
        {"99999999999999999999/1/1", CalDate(999999999, 1, 1)},  // saturated, no overflow
    };
    for (const Case& c : cases) EXPECT_EQ(CalDate::FromText(c.text), c.expected) << c.text;
    EXPECT_TRUE(CalDate::FromText("none").IsNull());

    // Whether the numbers name a day the serial holds, or one that would wrap to another.
    const std::pair<std::string_view, bool> exact[] = {
        {"2024-3-7", true},
        {"", true},
        {"0/0/0", true},
        {"-4799/1/1", true},
        {"-4799/1/0", false},
        {"-4800/12/31", false},
        {"-4713/11/24", false},  // day 0: null
        {"-4713/11/25", true},
        {"-999999999/1/1", false},
        {"11754422/1/20", true},
        {"11754422/1/21", false},
        {"4294967296/1/1", false},
        {"2024/1/999999999", true},
        {"99999999999999999999/1/1", false},
        {"2024/1/9999999999", false},
    };
    for (const auto& [text, expected] : exact) {
        CalDate date;
        EXPECT_EQ(CalDate::FromTextExactly(text, date), expected) << text;
        EXPECT_EQ(date, CalDate::FromText(text)) << text;
    }
}

TEST(CalDate, ArithmeticAndUnsignedOrder) {
    CalDate d(2024, 2, 28);
    EXPECT_EQ(d + 1, CalDate(2024, 2, 29));
    EXPECT_EQ(d + 2, CalDate(2024, 3, 1));
    EXPECT_EQ(d - 59, CalDate(2023, 12, 31));
    EXPECT_EQ(CalDate(2025, 1, 1) - CalDate(2024, 1, 1), 366);
    EXPECT_EQ(CalDate(2024, 1, 1) - CalDate(2025, 1, 1), -366);
    CalDate e = d;
    ++e;
    e += 1;
    EXPECT_EQ(e, CalDate(2024, 3, 1));
    --e;
    EXPECT_EQ(e, CalDate(2024, 2, 29));

    CalDate null;
    EXPECT_TRUE(null.IsNull());
    EXPECT_LT(null, CalDate::FromSerial(1));
    EXPECT_LT(null, d);
    EXPECT_LE(null, null);
    EXPECT_GE(d, null);
    EXPECT_NE(null, d);
    EXPECT_GT(CalDate::FromSerial(0x80000000u), d);  // compared unsigned
}

TEST(TimeOfDay, PartsAndNegation) {
    TimeOfDay t = TimeOfDay::FromParts(9, 5, 3, 7);
    EXPECT_EQ(t.Milliseconds(), 9 * 3600000 + 5 * 60000 + 3007);
    EXPECT_EQ(t.Hour(), 9);
    EXPECT_EQ(t.Minute(), 5);
    EXPECT_EQ(t.Second(), 3);
    EXPECT_EQ(t.Millisecond(), 7);
    EXPECT_EQ(TimeOfDay::FromParts(25, 0, 0, 0).Milliseconds(), 90000000);  // no range checks
    EXPECT_EQ((-TimeOfDay(32400000)).Milliseconds(), -32400000);
}

TEST(CalDateTime, Normalises) {
    const CalDate d(2024, 12, 31);
    struct Case {
        int32_t time;
        CalDate date;
        int32_t normalised;
    } cases[] = {
        {90000000, d + 1, 3600000},
        {86400000, d + 1, 0},
        {86399999, d, 86399999},
        {0, d, 0},
        {-1, d - 1, 86399999},
        {-86400000, d - 1, 0},
        {-86400001, d - 2, 86399999},
        {std::numeric_limits<int32_t>::max(), d + 24, 2147483647 - 24 * 86400000},
        {std::numeric_limits<int32_t>::min(), d - 25, 2160000000 - 2147483648},
    };
    for (const Case& c : cases) {
        CalDateTime dt(d, TimeOfDay(c.time));
        EXPECT_EQ(dt.Date(), c.date) << c.time;
        EXPECT_EQ(dt.Time().Milliseconds(), c.normalised) << c.time;
    }
    CalDateTime noon(d, TimeOfDay(43200000));
    CalDateTime later = noon + TimeOfDay(12 * 3600000 + 1);
    EXPECT_EQ(later.Date(), CalDate(2025, 1, 1));
    EXPECT_EQ(later.Time().Milliseconds(), 1);
    CalDateTime earlier = CalDateTime(d, TimeOfDay(0)) - TimeOfDay(32400000);  // 00:00 JST in UTC
    EXPECT_EQ(earlier.Date(), CalDate(2024, 12, 30));
    EXPECT_EQ(earlier.Time().Milliseconds(), 15 * 3600000);
    CalDateTime far = noon + TimeOfDay(std::numeric_limits<int32_t>::max());  // no overflow
    EXPECT_EQ(far.Date(), d + 25);
}

TEST(CalDateTime, JulianDates) {
    EXPECT_EQ(CalDateTime(CalDate(2000, 1, 1), TimeOfDay(43200000)).JulianDate(), 2451545.0L);
    EXPECT_EQ(CalDateTime(CalDate(2000, 1, 1), TimeOfDay(0)).JulianDate(), 2451544.5L);

    struct Case {
        double julian;
        uint32_t serial;
        int32_t time;
    } cases[] = {
        {2451545.0, 2451545, 43200000},
        {2451544.5, 2451545, 0},
        {2451545.25, 2451545, 64800000},
        {2451545.0 + 1.5 / 86400000.0, 2451545, 43200001},  // truncated to whole milliseconds
        {2451544.4999999, 2451544, 86399991},
    };
    for (const Case& c : cases) {
        CalDateTime dt = CalDateTime::FromJulianDate(c.julian);
        EXPECT_EQ(dt.Date().Serial(), c.serial) << c.julian;
        EXPECT_EQ(dt.Time().Milliseconds(), c.time) << c.julian;
    }
    // A moment that is no day at all still gives a value, without undefined behaviour.
    EXPECT_TRUE(CalDateTime::FromJulianDate(std::nan("")).Date().IsNull());
    EXPECT_TRUE(CalDateTime::FromJulianDate(1e300).Date().IsNull());
    CalDateTime negative = CalDateTime::FromJulianDate(-10.25);
    EXPECT_EQ(negative.Time().Milliseconds(), 21600000);  // day −10, 06:00

    SystemTimeParts st = CalDateTime(CalDate(2024, 3, 7), TimeOfDay::FromParts(9, 5, 3, 7)).ToSystemTime();
    EXPECT_EQ(st.year, 2024);
    EXPECT_EQ(st.month, 3);
    EXPECT_EQ(st.dayOfWeek, 4);
    EXPECT_EQ(st.day, 7);
    EXPECT_EQ(st.hour, 9);
    EXPECT_EQ(st.minute, 5);
    EXPECT_EQ(st.second, 3);
    EXPECT_EQ(st.milliseconds, 7);
}

TEST(CellDate, MonthGrids) {
    struct Case {
        int year, month, column, row, firstDayOfWeek;
        CalDate expected;
    } cases[] = {
        {2024, 5, 0, 0, 0, CalDate(2024, 4, 28)},  // 1 May 2024 is a Wednesday
        {2024, 5, 3, 0, 0, CalDate(2024, 5, 1)},
        {2024, 5, 6, 4, 0, CalDate(2024, 6, 1)},
        {2024, 5, 0, 0, -6, CalDate(2024, 4, 29)},  // −6 is Monday
        {2024, 5, 0, 0, 1, CalDate(2024, 4, 29)},
        {2024, 5, 0, 0, 7, CalDate(2024, 4, 28)},
        {2024, 5, 0, 0, 3, CalDate(2024, 5, 1)},  // the first on the first column
        {2024, 5, 0, 0, 4, CalDate(2024, 4, 25)},
        {2024, 0, 0, 0, 0, CalDate(2023, 12, 31)},  // month 0 is January
        {2024, 1, 0, 0, 0, CalDate(2023, 12, 31)},
        {0, 1, 0, 0, 0, CalDate(-1, 12, 26)},
        {9999, 12, 6, 5, 0, CalDate(10000, 1, 8)},
        {2024, 13, 0, 0, 0, CalDate()},
        {2024, -1, 0, 0, 0, CalDate()},
        {-1, 5, 0, 0, 0, CalDate()},
        {10000, 1, 0, 0, 0, CalDate()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Ymd(CellDate(c.year, c.month, c.column, c.row, c.firstDayOfWeek)), Ymd(c.expected))
            << c.year << "/" << c.month << " col " << c.column << " row " << c.row << " first " << c.firstDayOfWeek;
    }
    // Column c shows weekday (first + c) mod 7 for every first day of week.
    for (int first = -8; first <= 8; ++first) {
        for (int column = 0; column < 7; ++column) {
            int weekday = CellDate(2024, 5, column, 2, first).Weekday();
            EXPECT_EQ(weekday, ((first + column) % 7 + 7) % 7);
        }
    }
}

TEST(WeekNumber, FirstAndBaseDayOfWeek) {
    struct Case {
        int first, base;
        CalDate date;
        int week;
    } cases[] = {
        {1, 4, CalDate(2021, 1, 1), 53},  // its Thursday is 31 December 2020
        {1, 4, CalDate(2021, 1, 4), 1},
        {1, 4, CalDate(2024, 12, 31), 53},  // its Thursday is 2 January 2025: week
                                            // 53, not 1
        {1, 4, CalDate(2024, 12, 29), 52},
        {0, 0, CalDate(2024, 1, 1), 53},  // its Sunday is 31 December 2023
        {0, 0, CalDate(2024, 1, 6), 53},
        {0, 0, CalDate(2024, 1, 7), 1},
        {0, 0, CalDate(2024, 1, 14), 2},
        {0, 6, CalDate(2028, 12, 31), 54},  // the count continues past the year's end
        {0, 6, CalDate(2028, 12, 30), 53},
        {8, 11, CalDate(2021, 1, 1), 53},  // 8 and 11 reduce to 1 and 4
        {-6, -3, CalDate(2021, 1, 1), 53},
        {1, 0, CalDate(2024, 1, 7), 53},  // base before first: the Sunday before the
                                          // week
        {1, 0, CalDate(2024, 1, 8), 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WeekNumber(c.first, c.base, c.date), c.week)
            << Ymd(c.date) << " first " << c.first << " base " << c.base;
    }
}

// Every day from −4799 to 9999: the round trip and consecutive parts; from the serial's
// origin on, the weekday too (before it the unsigned serial has wrapped around).
TEST(CalDate, EveryDayRoundTrips) {
    const CalDate first(-4799, 1, 1);
    const CalDate last(9999, 12, 31);
    EXPECT_EQ(Ymd(first), "-4799-1-1");
    EXPECT_EQ(Ymd(CalDate::FromSerial(0xFFFFFFFFu)), "-4713-11-23") << "the day before the serial's origin";
    const int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    YearMonthDay previous{-4800, 12, 31};
    int weekday = 0;
    long failures = 0;
    long days = 0;
    for (CalDate d = first; d != last + 1 && failures < 10; ++d, ++days) {
        if (d.IsNull()) {  // 24 November −4713 is serial 0: the null date
            previous = YearMonthDay{-4713, 11, 24};
            weekday = d.Weekday();
            continue;
        }
        const YearMonthDay p = d.Parts();
        const bool nextDay = p.year == previous.year && p.month == previous.month && p.day == previous.day + 1;
        const bool nextMonth =
            p.year == previous.year && p.month == previous.month + 1 && p.day == 1 &&
            previous.day == (previous.month == 2 ? 28 + IsLeapYear(previous.year) : kLengths[previous.month - 1]);
        const bool nextYear =
            p.year == previous.year + 1 && p.month == 1 && p.day == 1 && previous.month == 12 && previous.day == 31;
        weekday = (weekday + 1) % 7;
        const bool weekdayOk = d.Serial() > 0x80000000u || d.Weekday() == weekday;
        if (CalDate(p.year, p.month, p.day) != d || !(nextDay || nextMonth || nextYear) || !weekdayOk) {
            ADD_FAILURE() << "serial " << d.Serial() << " gives " << Ymd(d);
            ++failures;
        }
        previous = p;
    }
    EXPECT_EQ(days, 5405223);  // 12 cycles of 400 years before year 1, then 3,652,059 days
}

#ifndef _WIN32

TEST(Clock, TodayNowAndTheZoneOffset) {
    HostPlatform platform;
    SystemTimeParts local;
    local.year = 2024;
    local.month = 3;
    local.day = 1;
    local.hour = 8;
    local.minute = 30;
    local.second = 15;
    local.milliseconds = 250;
    platform.SetLocalTime(local);
    platform.SetTimeZoneBias(-540);
    ScopedPlatform scope(platform);

    EXPECT_EQ(Today(kLocalZone), CalDate(2024, 3, 1));
    EXPECT_EQ(Today(PackTag("utc")), CalDate(2024, 2, 29));
    CalDateTime now = Now(kLocalZone);
    EXPECT_EQ(now.Date(), CalDate(2024, 3, 1));
    EXPECT_EQ(now.Time(), TimeOfDay::FromParts(8, 30, 15, 250));
    CalDateTime universal = Now(0);
    EXPECT_EQ(universal.Date(), CalDate(2024, 2, 29));
    EXPECT_EQ(universal.Time(), TimeOfDay::FromParts(23, 30, 15, 250));

    EXPECT_EQ(TimeZoneOffset().Milliseconds(), 32400000);
    platform.SetTimeZoneBias(300);  // New York's standard time
    EXPECT_EQ(TimeZoneOffset().Milliseconds(), -18000000);
    platform.SetTimeZoneBias(std::nullopt);  // the zone cannot be read
    EXPECT_EQ(TimeZoneOffset().Milliseconds(), 0);
}

#else

TEST(Clock, TodayAgreesWithTheSystemClock) {
    // Read between two readings of the clock, the date equals one of them (midnight may
    // pass in between).
    const SystemTimeParts before = SystemPlatform().LocalTime();
    const CalDate today = Today(kLocalZone);
    const SystemTimeParts after = SystemPlatform().LocalTime();
    EXPECT_TRUE(today == CalDate(before.year, before.month, before.day) ||
                today == CalDate(after.year, after.month, after.day));
    int32_t offset = TimeZoneOffset().Milliseconds();
    EXPECT_EQ(offset % 60000, 0);
    EXPECT_LE(std::abs(offset), 14 * 3600000);
}

#endif

}  // namespace
}  // namespace tavoli
