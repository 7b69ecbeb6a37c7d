#include "calendar/calendar_system.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

// Independent day counts for the round trips: the usual closed formulas.
int64_t JulianDayNumberOfJulianDate(int64_t y, int64_t m, int64_t d) {
    const int64_t a = (14 - m) / 12;
    const int64_t yy = y + 4800 - a;
    const int64_t mm = m + 12 * a - 3;
    return d + (153 * mm + 2) / 5 + 365 * yy + yy / 4 - 32083;
}

int64_t JulianDayNumberOfHijriDate(int64_t y, int64_t m, int64_t d) {
    return d + (59 * (m - 1) + 1) / 2 + (y - 1) * 354 + (3 + 11 * y) / 30 + 1948439;
}

TEST(CalendarSystem, SelectionByLetter) {
    const CalDate d(2024, 3, 1);
    EXPECT_EQ(MakeCalendarSystem('G')->split(d).month, 3);
    EXPECT_EQ(MakeCalendarSystem('x')->split(d).month, 3);  // any other letter: Gregorian
    EXPECT_EQ(MakeCalendarSystem('j')->split(d).month, 3);  // letters are case-sensitive
    EXPECT_EQ(MakeCalendarSystem('J')->split(d).day, 17);
    EXPECT_EQ(MakeCalendarSystem('H')->split(d).year, 1445);
    EXPECT_EQ(MakeCalendarSystem('A', TimeOfDay(9 * 3600000))->split(d).month, 1);  // 21 Jan 2024 lunar
}

TEST(CalendarSystem, SplitsOfKnownDays) {
    struct Case {
        char letter;
        CalDate date;
        SplitDate expected;
    } cases[] = {
        {'G', CalDate(2024, 5, 5), {2024, 5, 5, 0}},
        {'G', CalDate(2000, 1, 1), {2000, 1, 1, 6}},
        {'J', CalDate(2024, 3, 1), {2024, 2, 17, 5}},   // weekday stays the day's
        {'J', CalDate(2024, 3, 13), {2024, 2, 29, 3}},  // Julian leap day
        {'J', CalDate(2024, 3, 14), {2024, 3, 1, 4}},
        {'J', CalDate(1582, 10, 15), {1582, 10, 5, 5}},  // the Gregorian reform
        {'J', CalDate(2024, 1, 13), {2023, 12, 31, 6}},
        {'J', CalDate(2024, 1, 14), {2024, 1, 1, 0}},
        {'H', CalDate(2024, 7, 8), {1446, 1, 1, 1}},    // 1 Muharram 1446
        {'H', CalDate(2024, 7, 7), {1445, 12, 30, 0}},  // 1445 is a leap year (cycle year 5)
        {'H', CalDate(2000, 1, 1), {1420, 9, 24, 6}},
        {'A', CalDate(2023, 3, 22), {2023, 14, 1, 2}},
        {'A', CalDate(2000, 1, 1), {1999, 11, 25, 5}},
    };
    for (const Case& c : cases) {
        const SplitDate s = MakeCalendarSystem(c.letter, TimeOfDay(9 * 3600000))->split(c.date);
        EXPECT_EQ(s.year, c.expected.year) << c.letter << " " << c.date.Text();
        EXPECT_EQ(s.month, c.expected.month) << c.letter << " " << c.date.Text();
        EXPECT_EQ(s.day, c.expected.day) << c.letter << " " << c.date.Text();
        EXPECT_EQ(s.weekday, c.expected.weekday) << c.letter << " " << c.date.Text();
    }
    for (char letter : {'G', 'J', 'A', 'H'}) {
        const SplitDate s = MakeCalendarSystem(letter)->split(CalDate());
        EXPECT_EQ(s.year, 0);
        EXPECT_EQ(s.month, 0);
        EXPECT_EQ(s.day, 0);
    }
}

TEST(CalendarSystem, HijriLeapYearEnd) {
    // Year 2 of a cycle (here 1442) has 355 days: its last day is the 30th of month 12.
    const HijriCalendar hijri;
    const CalDate lastDay = CalDate::FromSerial(static_cast<uint32_t>(JulianDayNumberOfHijriDate(1443, 1, 1) - 1));
    SplitDate s = hijri.split(lastDay);
    EXPECT_EQ(s.year, 1442);
    EXPECT_EQ(s.month, 12);
    EXPECT_EQ(s.day, 30);
    s = hijri.split(lastDay + 1);
    EXPECT_EQ(s.year, 1443);
    EXPECT_EQ(s.month, 1);
    EXPECT_EQ(s.day, 1);
    // A common year's month 12 has 29 days.
    s = hijri.split(CalDate::FromSerial(static_cast<uint32_t>(JulianDayNumberOfHijriDate(1444, 1, 1) - 1)));
    EXPECT_EQ(s.year, 1443);
    EXPECT_EQ(s.day, 29);
}

// Every day from each calendar's start to the end of Gregorian 9999: the split matches
// the closed formula, and consecutive days follow each other.
TEST(CalendarSystem, JulianAndHijriRoundTrips) {
    const JulianCalendar julian;
    const HijriCalendar hijri;
    const uint32_t end = CalDate(9999, 12, 31).Serial();
    int failures = 0;
    for (uint32_t jdn = 1721118; jdn <= end && failures < 10; ++jdn) {
        const SplitDate s = julian.split(CalDate::FromSerial(jdn));
        if (JulianDayNumberOfJulianDate(s.year, s.month, s.day) != jdn) {
            ADD_FAILURE() << "Julian " << jdn << ": " << s.year << "/" << s.month << "/" << s.day;
            ++failures;
        }
    }
    for (uint32_t jdn = 1948440; jdn <= end && failures < 10; ++jdn) {
        const SplitDate s = hijri.split(CalDate::FromSerial(jdn));
        const bool inRange = s.month >= 1 && s.month <= 12 && s.day >= 1 && s.day <= 30;
        if (!inRange || JulianDayNumberOfHijriDate(s.year, s.month, s.day) != jdn) {
            ADD_FAILURE() << "Hijri " << jdn << ": " << s.year << "/" << s.month << "/" << s.day;
            ++failures;
        }
    }
    EXPECT_EQ(hijri.split(CalDate::FromSerial(1948440)).year, 1);
    // Before their start days both go on backwards instead of failing.
    const SplitDate early = julian.split(CalDate::FromSerial(1721117));  // the day before 1 March 0
    EXPECT_EQ(early.year, 0);
    EXPECT_EQ(early.month, 2);
    EXPECT_EQ(early.day, 29);
    const SplitDate beforeHijri = hijri.split(CalDate::FromSerial(1948439));
    EXPECT_EQ(beforeHijri.year, 0);
    EXPECT_EQ(beforeHijri.month, 12);
}

TEST(CalendarSystem, SexagenaryNumbers) {
    // Day stem and branch come from the day number, year stem and branch from the year.
    const CalDate d(2000, 1, 1);
    EXPECT_EQ(d.Serial() % 10, 5u);  // 戊
    EXPECT_EQ(d.Serial() % 12, 5u);  // 午
    const SplitDate s = GregorianCalendar().split(d);
    EXPECT_EQ(s.year % 10, 0);  // かのえ
    EXPECT_EQ(s.year % 12, 8);  // たつ
}

#ifndef _WIN32
TEST(CalendarSystem, TheOffsetIsReadWhenTheObjectIsMade) {
    HostPlatform platform;
    platform.SetTimeZoneBias(-540);
    ScopedPlatform scope(platform);
    LunisolarCalendar calendar;
    EXPECT_EQ(calendar.Offset().Milliseconds(), 9 * 3600000);
    platform.SetTimeZoneBias(-600);  // a later change does not reach this object
    EXPECT_EQ(calendar.Offset().Milliseconds(), 9 * 3600000);
    EXPECT_EQ(calendar.split(CalDate(2029, 12, 5)).day, 1);
    calendar.SetOffset(TimeOfDay(10 * 3600000));  // the holiday script's own offset
    EXPECT_NE(calendar.split(CalDate(2029, 12, 5)).day, 1);
    EXPECT_EQ(LunisolarCalendar().Offset().Milliseconds(), 10 * 3600000);
}
#endif

}  // namespace
}  // namespace tavoli
