#include "calendar/lunisolar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace tavoli {
namespace {

const TimeOfDay kJapan(9 * 3600000);

struct LunarCase {
    CalDate date;
    int year, monthCode, day;
};

void ExpectLunar(const LunarCase& c, TimeOfDay offset = kJapan) {
    const LunarDate l = ToLunarDate(c.date, offset);
    EXPECT_EQ(l.year, c.year) << c.date.Text();
    EXPECT_EQ(l.monthCode, c.monthCode) << c.date.Text();
    EXPECT_EQ(l.day, c.day) << c.date.Text();
    EXPECT_EQ(l.rokuyo, (c.monthCode + c.day - 2) % 6 + 1) << c.date.Text();
}

TEST(Lunisolar, DatesOfKnownDays) {
    const LunarCase cases[] = {
        {CalDate(2023, 1, 22), 2023, 1, 1},
        {CalDate(2023, 3, 21), 2023, 2, 30},
        {CalDate(2023, 3, 22), 2023, 14, 1},  // leap month 2
        {CalDate(2023, 4, 19), 2023, 14, 29},
        {CalDate(2023, 4, 20), 2023, 3, 1},
        {CalDate(2017, 6, 24), 2017, 17, 1},   // leap 5
        {CalDate(2020, 5, 23), 2020, 16, 1},   // leap 4
        {CalDate(2012, 4, 21), 2012, 15, 1},   // leap 3
        {CalDate(2014, 10, 24), 2014, 21, 1},  // leap 9
        {CalDate(2000, 1, 1), 1999, 11, 25},
        // New year's days of the old calendar.
        {CalDate(2017, 1, 28), 2017, 1, 1},
        {CalDate(2018, 2, 16), 2018, 1, 1},
        {CalDate(2019, 2, 5), 2019, 1, 1},
        {CalDate(2020, 1, 25), 2020, 1, 1},
        {CalDate(2021, 2, 12), 2021, 1, 1},
        {CalDate(2022, 2, 1), 2022, 1, 1},
        {CalDate(2024, 2, 10), 2024, 1, 1},
        {CalDate(2025, 1, 29), 2025, 1, 1},
        {CalDate(2026, 2, 17), 2026, 1, 1},
        {CalDate(2024, 2, 9), 2023, 12, 30},  // the day before: still the old year
        // The harvest moon, 15th of the eighth month.
        {CalDate(2023, 9, 29), 2023, 8, 15},
        {CalDate(2024, 9, 17), 2024, 8, 15},
        {CalDate(2025, 10, 6), 2025, 8, 15},
    };
    for (const LunarCase& c : cases) ExpectLunar(c);
    const LunarDate first = ToLunarDate(CalDate(2023, 1, 22), kJapan);
    EXPECT_EQ(first.rokuyo, 1);  // 先勝
}

// 2033: two leap months and no ordinary eleventh month; each day is numbered within the
// quarter in which it begins.
TEST(Lunisolar, TheYear2033) {
    const LunarCase cases[] = {
        {CalDate(2033, 7, 26), 2033, 7, 1},    {CalDate(2033, 8, 25), 2033, 19, 1},
        {CalDate(2033, 9, 23), 2033, 8, 1},    {CalDate(2033, 10, 23), 2033, 9, 1},
        {CalDate(2033, 11, 22), 2033, 10, 1},  {CalDate(2033, 12, 22), 2033, 23, 1},
        {CalDate(2034, 1, 20), 2033, 12, 1},   {CalDate(2034, 2, 19), 2034, 1, 1},
        {CalDate(2033, 12, 21), 2033, 10, 30},
    };
    for (const LunarCase& c : cases) ExpectLunar(c);
    const LunarDate leap = ToLunarDate(CalDate(2033, 12, 22), kJapan);
    EXPECT_EQ(leap.Month(), 11);
    EXPECT_EQ(leap.LeapFlag(), 1);
}

// A month begins on the local date of its new moon: the new moon of 5 December 2029 at
// 14:50 UT is 23:50 in Japan but 00:50 the next day ten hours east of Greenwich.
TEST(Lunisolar, TheZoneOffsetMovesMonthStarts) {
    const TimeOfDay plus10(10 * 3600000), plus8(8 * 3600000);
    const CalDate day(2029, 12, 5);
    EXPECT_EQ(ToLunarDate(day, kJapan).day, 1);
    EXPECT_EQ(ToLunarDate(day, plus8).day, 1);
    const LunarDate east = ToLunarDate(day, plus10);
    EXPECT_TRUE(east.day == 29 || east.day == 30) << east.day;
    EXPECT_EQ(ToLunarDate(day + 1, plus10).day, 1);
    EXPECT_EQ(ToLunarDate(day + 1, plus10).monthCode, ToLunarDate(day, kJapan).monthCode);

    // 27 January 2028: 00:10 in Japan, 23:10 the day before at +8.
    EXPECT_EQ(ToLunarDate(CalDate(2028, 1, 27), kJapan).day, 1);
    EXPECT_EQ(ToLunarDate(CalDate(2028, 1, 26), plus8).day, 1);
    EXPECT_NE(ToLunarDate(CalDate(2028, 1, 26), kJapan).day, 1);
}

TEST(Lunisolar, SeriesAndSearches) {
    // The Sun reaches 0° at the March equinox: 20 March 2024, 03:06 UT.
    const CalDateTime equinox = FindSolarLongitude(2024, 0);
    EXPECT_EQ(equinox.Date(), CalDate(2024, 3, 20));
    EXPECT_NEAR(equinox.Time().Milliseconds() / 60000.0, 3 * 60 + 6, 5);
    const double e = std::fmod(static_cast<double>(SolarLongitude(equinox)) + 180.0, 360.0) - 180.0;
    EXPECT_LT(std::fabs(e), 0.0005);
    // The first time in the year: the winter solstice of the same year, not the one before.
    EXPECT_EQ(FindSolarLongitude(2024, 270).Date(), CalDate(2024, 12, 21));

    // New moon of 11 January 2024, 11:57 UT, found from either side.
    const CalDateTime before = FindMoonPhase(CalDateTime(CalDate(2024, 1, 20), TimeOfDay(0)), -1, 0);
    const CalDateTime after = FindMoonPhase(CalDateTime(CalDate(2024, 1, 2), TimeOfDay(0)), 1, 0);
    EXPECT_EQ(before.Date(), CalDate(2024, 1, 11));
    EXPECT_EQ(after.Date(), CalDate(2024, 1, 11));
    EXPECT_NEAR(before.Time().Milliseconds() / 60000.0, 11 * 60 + 57, 10);
    EXPECT_LT(std::fabs(std::fmod(Elongation(before) + 180.0, 360.0) - 180.0), 0.0005);
    // Full moon (180°) of 25 January 2024, 17:54 UT.
    EXPECT_EQ(FindMoonPhase(before, 1, 180).Date(), CalDate(2024, 1, 25));
    // Direction 0 searches nothing.
    const CalDateTime none = FindMoonPhase(before, 0, 0);
    EXPECT_TRUE(none.Date().IsNull());
    EXPECT_EQ(none.Time().Milliseconds(), 0);

    for (int day = 0; day < 400; day += 7) {
        const CalDateTime t(CalDate(2024, 1, 1) + day, TimeOfDay(day * 1234567 % kMillisecondsPerDay));
        const long double sun = SolarLongitude(t), moon = LunarLongitude(t);
        const double elongation = Elongation(t);
        EXPECT_TRUE(sun >= 0 && sun < 360);
        EXPECT_TRUE(moon >= 0 && moon < 360);
        EXPECT_TRUE(elongation >= 0 && elongation < 360);
    }
}

// Lunar days run 1, 2, 3… and restart at 1 after 29 or 30; a month is followed by the
// next ordinary month or by its own leap month (or, where the quarter rule says so, by
// the leap month of the next number: known in 2033 only); the year changes on 1/1.
class LunisolarSweep {
public:
    // Checks the day after `previous`; returns false and records a message on a break.
    bool Follows(const LunarDate& previous, const LunarDate& next, CalDate date) {
        bool ok;
        if (next.day == previous.day + 1) {
            ok = next.monthCode == previous.monthCode && next.year == previous.year;
        } else if (next.day == 1 && (previous.day == 29 || previous.day == 30)) {
            const int ordinary = (previous.monthCode - 1) % 12 + 1;
            const int following = ordinary % 12 + 1;
            ok = next.monthCode == following || (previous.monthCode <= 12 && next.monthCode == previous.monthCode + 12);
            if (!ok && next.monthCode == following + 12) {
                exceptions.push_back(date);
                ok = true;
            }
            ok = ok && next.year == previous.year + (next.monthCode == 1 ? 1 : 0);
        } else {
            ok = false;
        }
        ok = ok && next.rokuyo == (next.monthCode + next.day - 2) % 6 + 1;
        return ok;
    }

    std::vector<CalDate> exceptions;
};

void SweepDays(CalDate first, CalDate last, int stride, LunisolarSweep& sweep) {
    int failures = 0;
    for (CalDate d = first; d <= last && failures < 10; d += stride) {
        const LunarDate a = ToLunarDate(d, kJapan);
        const LunarDate b = ToLunarDate(d + 1, kJapan);
        if (!sweep.Follows(a, b, d + 1)) {
            ADD_FAILURE() << (d + 1).Text() << ": " << b.year << "/" << b.monthCode << "/" << b.day << " after "
                          << a.year << "/" << a.monthCode << "/" << a.day;
            ++failures;
        }
    }
}

TEST(Lunisolar, SweepOfLeapYearsAndSampledDays) {
    LunisolarSweep sweep;
    // Every day of the years with leap months named above, and of 2033.
    for (int year : {2012, 2014, 2017, 2020, 2023, 2033}) {
        SweepDays(CalDate(year, 1, 1), CalDate(year, 12, 31), 1, sweep);
    }
    // Day pairs every 17 days from 1900 to 2100 (17 is prime to every month length).
    SweepDays(CalDate(1900, 1, 1), CalDate(2100, 12, 30), 17, sweep);
    ASSERT_FALSE(sweep.exceptions.empty());
    EXPECT_EQ(sweep.exceptions.front(), CalDate(2033, 12, 22));
}

// Every day from 1900 to 2100: TAVOLI_FULL_SWEEP=1 runs it (some seconds).
TEST(Lunisolar, FullSweep1900To2100) {
    const char* wanted = std::getenv("TAVOLI_FULL_SWEEP");
    if (!wanted || std::string(wanted) != "1") GTEST_SKIP() << "set TAVOLI_FULL_SWEEP=1 to walk all 73,414 days";
    LunisolarSweep sweep;
    int failures = 0;
    LunarDate previous = ToLunarDate(CalDate(1899, 12, 31), kJapan);
    for (CalDate d(1900, 1, 1); d <= CalDate(2100, 12, 31) && failures < 10; ++d) {
        const LunarDate next = ToLunarDate(d, kJapan);
        if (!sweep.Follows(previous, next, d)) {
            ADD_FAILURE() << d.Text();
            ++failures;
        }
        previous = next;
    }
    ASSERT_EQ(sweep.exceptions.size(), 1u);
    EXPECT_EQ(sweep.exceptions.front(), CalDate(2033, 12, 22));
}

TEST(Lunisolar, BadInputGivesSomeResult) {
    const CalDate dates[] = {
        CalDate(),
        CalDate::FromSerial(1),
        CalDate::FromSerial(2),
        CalDate(-4000, 1, 1),
        CalDate(0, 1, 1),
        CalDate(9999, 12, 31),
        CalDate(20000, 6, 1),
        CalDate(1000000, 1, 1),
        CalDate::FromSerial(0x7FFFFFFFu),
        CalDate::FromSerial(0xFFFFFFF0u),
        CalDate::FromSerial(0xFFFFFFFFu),
    };
    for (CalDate d : dates) {
        const LunarDate l = ToLunarDate(d, kJapan);
        if (d.IsNull()) {
            EXPECT_EQ(l.monthCode, 0);
            continue;
        }
        EXPECT_GE(l.monthCode, 1) << d.Serial();
        EXPECT_LE(l.monthCode, 24) << d.Serial();
        EXPECT_GE(l.rokuyo, 1) << d.Serial();
        EXPECT_LE(l.rokuyo, 6) << d.Serial();
    }
    // Offsets far beyond any zone still give a result.
    EXPECT_GE(ToLunarDate(CalDate(2024, 1, 1), TimeOfDay(2000000000)).monthCode, 1);
    EXPECT_GE(ToLunarDate(CalDate(2024, 1, 1), TimeOfDay(-2000000000)).monthCode, 1);
}

// The Chinese rule at each country's offset, against published new years, leap months and
// mid-autumn days; and 2033, where the Japanese rule puts a leap month after the 7th and
// the Chinese one after the 11th.
TEST(Lunisolar, ChineseRule) {
    const TimeOfDay vietnam(7 * 3600000), china(8 * 3600000), korea(9 * 3600000);
    const struct {
        CalDate date;
        TimeOfDay offset;
        int year, monthCode, day;
    } days[] = {
        {CalDate(2024, 2, 10), china, 2024, 1, 1},   {CalDate(2024, 9, 17), china, 2024, 8, 15},
        {CalDate(2020, 5, 23), china, 2020, 16, 1},  // leap 4th month
        {CalDate(2023, 3, 22), china, 2023, 14, 1},  {CalDate(2025, 7, 25), china, 2025, 18, 1},
        {CalDate(2017, 7, 23), china, 2017, 18, 1},  // leap 6th in China, 6th month in Japan
        {CalDate(2014, 10, 24), china, 2014, 21, 1}, {CalDate(2025, 1, 28), china, 2024, 12, 29},
        {CalDate(2033, 8, 25), china, 2033, 8, 1},   {CalDate(2033, 12, 22), china, 2033, 23, 1},
        {CalDate(2034, 1, 20), china, 2033, 12, 1},  {CalDate(2034, 2, 19), china, 2034, 1, 1},
        {CalDate(1997, 2, 7), china, 1997, 1, 1},    {CalDate(1997, 2, 8), korea, 1997, 1, 1},  // Seollal a day later
        {CalDate(1985, 1, 21), vietnam, 1985, 1, 1},  // Tết a month before China's new year
        {CalDate(1985, 2, 20), china, 1985, 1, 1},   {CalDate(2007, 2, 17), vietnam, 2007, 1, 1},
        {CalDate(2007, 2, 17), china, 2006, 12, 30},
    };
    for (const auto& d : days) {
        const LunarDate lunar = ToChineseLunarDate(d.date, d.offset);
        EXPECT_EQ((std::vector<int>{lunar.year, lunar.monthCode, lunar.day}),
                  (std::vector<int>{d.year, d.monthCode, d.day}))
            << d.date.Text();
    }
    // The Japanese rule is unchanged: the leap month after the 7th in 2033.
    EXPECT_EQ(ToLunarDate(CalDate(2033, 8, 25), TimeOfDay(9 * 3600000)).monthCode, 19);
    // The same days as the Japanese rule wherever both rules agree, a year of days through.
    for (CalDate day(2024, 1, 1); day < CalDate(2025, 1, 1); day = day + 1) {
        const LunarDate chinese = ToChineseLunarDate(day, korea), japanese = ToLunarDate(day, korea);
        ASSERT_EQ(chinese.monthCode * 100 + chinese.day, japanese.monthCode * 100 + japanese.day) << day.Text();
    }
}

}  // namespace
}  // namespace tavoli
