// Easter in both computi: published dates, then every year from 1583 to 4099 against
// algorithms of another construction (Knuth's epact algorithm for the Gregorian computus;
// Gauss's formula for the Julian one, whose date the Julian calendar system turns back).
#include "calendar/easter.h"

#include <gtest/gtest.h>

#include "calendar/calendar_system.h"

namespace tavoli {
namespace {

TEST(Easter, PublishedDates) {
    const struct {
        int year;
        CalDate western, orthodox;  // null: not in the table
    } years[] = {
        {1818, CalDate(1818, 3, 22), CalDate(1818, 4, 26)},  // the earliest Western Easter
        {1943, CalDate(1943, 4, 25), CalDate(1943, 4, 25)},  // the latest, on the same day
        {2000, CalDate(2000, 4, 23), CalDate(2000, 4, 30)}, {2008, CalDate(2008, 3, 23), CalDate(2008, 4, 27)},
        {2010, CalDate(2010, 4, 4), CalDate(2010, 4, 4)},   {2016, CalDate(2016, 3, 27), CalDate(2016, 5, 1)},
        {2019, CalDate(2019, 4, 21), CalDate(2019, 4, 28)}, {2021, CalDate(2021, 4, 4), CalDate(2021, 5, 2)},
        {2024, CalDate(2024, 3, 31), CalDate(2024, 5, 5)},  {2025, CalDate(2025, 4, 20), CalDate(2025, 4, 20)},
        {2038, CalDate(2038, 4, 25), CalDate(2038, 4, 25)}, {2285, CalDate(2285, 3, 22), CalDate()},
    };
    for (const auto& y : years) {
        EXPECT_EQ(WesternEaster(y.year), y.western) << y.year;
        if (!y.orthodox.IsNull()) {
            EXPECT_EQ(OrthodoxEaster(y.year), y.orthodox) << y.year;
        }
    }
}

// Knuth, The Art of Computer Programming, vol. 1, 1.3.2 exercise 14 (Algorithm E).
CalDate KnuthEaster(int y) {
    const int g = y % 19 + 1, c = y / 100 + 1, x = 3 * c / 4 - 12, z = (8 * c + 5) / 25 - 5;
    const int d = 5 * y / 4 - x - 10;
    int e = (11 * g + 20 + z - x) % 30;
    if ((e == 25 && g > 11) || e == 24) ++e;
    int n = 44 - e;
    if (n < 21) n += 30;
    n = n + 7 - (d + n) % 7;
    return n > 31 ? CalDate(y, 4, n - 31) : CalDate(y, 3, n);
}

TEST(Easter, EveryYearAgreesWithAnotherConstruction) {
    const auto julian = MakeCalendarSystem('J');
    for (int year = 1583; year <= 4099; ++year) {
        ASSERT_EQ(WesternEaster(year), KnuthEaster(year)) << year;
        const CalDate orthodox = OrthodoxEaster(year);
        ASSERT_EQ(orthodox.Weekday(), 0) << year;
        const int a = year % 19, b = year % 4, c = year % 7, d = (19 * a + 15) % 30,
                  e = (2 * b + 4 * c + 6 * d + 6) % 7;
        const int march = 22 + d + e;  // Gauss: March 22 + d + e of the Julian calendar
        const SplitDate split = julian->split(orthodox);
        ASSERT_EQ(split.year, year);
        ASSERT_EQ(split.month * 100 + split.day, march > 31 ? 400 + march - 31 : 300 + march) << year;
        const int month = orthodox.Parts().month;
        ASSERT_TRUE(orthodox.Parts().year == year && (month == 4 || month == 5)) << year;
    }
}

}  // namespace
}  // namespace tavoli
