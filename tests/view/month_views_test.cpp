// Which months the views of several show, and how their blocks lie on a work area.
#include "view/month_views.h"

#include <gtest/gtest.h>

namespace tavoli {
namespace {

TEST(MonthViews, FirstShownMonth) {
    const struct {
        int count, year, month;
        std::pair<int, int> first;
    } cases[] = {
        {1, 2026, 11, {2026, 11}},
        {2, 2026, 12, {2026, 12}},
        {3, 2026, 1, {2025, 12}},
        {3, 2026, 12, {2026, 11}},
        {6, 2026, 9, {2026, 9}},
        {12, 2026, 7, {2026, 1}},
        // At the ends of the years the view still holds all its months.
        {3, 1, 1, {1, 1}},
        {6, 3999, 10, {3999, 7}},
        {3, 3999, 12, {3999, 10}},
        {12, 3999, 12, {3999, 1}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FirstShownMonth(c.count, c.year, c.month), c.first) << c.count << " " << c.year << "/" << c.month;
}

// The arrows at a view's edges scroll it by as little as shows the day; a year by years.
TEST(MonthViews, FirstMonthShowingTheCursor) {
    const struct {
        int count, year, month;
        CalDate to;
        std::pair<int, int> first;
    } cases[] = {
        {3, 2026, 11, CalDate(2027, 1, 31), {2026, 11}},   // inside: as it was
        {3, 2026, 11, CalDate(2027, 2, 1), {2026, 12}},    // past the end: one month on
        {3, 2026, 11, CalDate(2026, 10, 31), {2026, 10}},  // before the start: one month back
        {6, 2026, 9, CalDate(2026, 3, 2), {2026, 3}},      // a jump far back: the month at the near end
        {6, 2026, 9, CalDate(2027, 7, 1), {2027, 2}},
        {12, 2026, 1, CalDate(2027, 1, 1), {2027, 1}},  // a year view by years
        {12, 2026, 1, CalDate(2025, 12, 31), {2025, 1}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FirstMonthShowing(c.count, c.year, c.month, c.to), c.first) << c.count << " " << c.year;
}

// A block of the default design: 7 cells of 48 by a title, the weekday row and six weeks
// of 36 (336 × 288), with 8 pixels of margins and a two-line footer and frame beside them.
TEST(MonthViews, BlocksOnAWorkArea) {
    const Size block{336, 288}, beside{24, 110};
    const struct {
        int count;
        Size work;
        BlockArrangement arranged;
    } cases[] = {
        {1, {1024, 738}, {1, 1, 100}},   {3, {1280, 984}, {3, 1, 100}},  // a row where it fits
        {3, {1024, 1200}, {1, 3, 100}},                                  // else a column
        {3, {1024, 738}, {3, 1, 99}},                                    // neither: the one shrunk the least
        {6, {1920, 1040}, {3, 2, 100}},  {6, {1024, 738}, {3, 2, 99}},  {6, {800, 1400}, {2, 3, 100}},
        {12, {1920, 1040}, {4, 3, 100}}, {12, {1024, 738}, {4, 3, 72}},  // a year at 96 DPI on 1024 × 768
        {12, {1200, 1920}, {3, 4, 100}}, {12, {640, 480}, {4, 3, 57}},  // kept legible: the window then holds what fits
                                                                        // on the screen
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ArrangeMonthBlocks(c.count, block, beside, c.work, LegibleScale(16)), c.arranged)
            << c.count << " on " << c.work.width << "x" << c.work.height;
    }
    // The 16-pixel footer font of the defaults keeps 9 pixels at 57 %; a larger one lets the
    // blocks shrink further, to half the size at most.
    EXPECT_EQ(LegibleScale(16), 57);
    EXPECT_EQ(LegibleScale(30), 50);
    EXPECT_EQ(LegibleScale(8), 100);
}

// Every view under every first day of week, with and without week numbers and head rows:
// each day of the shown months in exactly one cell, inside the grid, and found again.
TEST(MonthViews, EveryDayOnceInItsBlock) {
    const std::pair<int, BlockArrangement> views[] = {{1, {1, 1, 100}}, {3, {3, 1, 100}}, {3, {1, 3, 100}},
                                                      {6, {3, 2, 100}}, {6, {2, 3, 100}}, {12, {4, 3, 100}},
                                                      {12, {3, 4, 100}}};
    for (const auto& [count, arrangement] : views) {
        for (int firstDay = 0; firstDay < 7; ++firstDay) {
            for (const auto& [weekColumns, headRows] : {std::pair{0, 2}, std::pair{1, 1}, std::pair{1, 0}}) {
                MonthBlocks blocks{arrangement, count, 2024, 11, firstDay, weekColumns, headRows};
                int days = 0;
                for (int row = 0; row < blocks.Rows(); ++row) {
                    for (int column = 0; column < blocks.Columns(); ++column) {
                        const CalDate date = blocks.DateAt(column, row);
                        if (date.IsNull()) continue;
                        ++days;
                        ASSERT_EQ(blocks.CellOf(date), std::make_pair(column, row)) << count << " " << firstDay;
                        ASSERT_EQ(blocks.MonthOf(blocks.BlockAt(column, row)).second, date.Parts().month);
                    }
                }
                const auto [afterYear, afterMonth] = blocks.MonthOf(count);  // the month after the view
                const CalDate first(2024, 11, 1), last = CalDate(afterYear, afterMonth, 1) - 1;
                EXPECT_EQ(days, last - first + 1) << count << " " << firstDay;
                EXPECT_EQ(blocks.CellOf(first - 1), std::make_pair(-1, -1));
                EXPECT_EQ(blocks.CellOf(last + 1), std::make_pair(-1, -1));
            }
        }
    }
}

}  // namespace
}  // namespace tavoli
