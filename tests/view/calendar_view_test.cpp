#include "view/calendar_view.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "format/date_format.h"
#include "format/default_formats.h"
#include "framework/messages.h"
#include "support/test_platform.h"
#include "support/test_view.h"
#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

// Points the view's pointer at the middle of a cell (or its upper/lower quarter).
void PointAt(TestView& view, int column, int row, int half = -1) {
    const auto margins = view.Layout().margins;
    const Size cell = view.Layout().cellSize;
    const int y = half < 0 ? cell.height / 2 : half == 0 ? cell.height / 4 : cell.height * 3 / 4;
    view.PointerMoved(margins[0] + column * cell.width + cell.width / 2, margins[1] + row * cell.height + y);
}

std::string RegionOf(const CellClass& c) { return TagText(c.region); }

TEST(CalendarView, DefaultDesign) {
    TestView view;
    EXPECT_EQ(view.Layout().design, (Design{kTopOneLine, kShowWeekdayIndex, kFiveLines, kBottomTwoLines}));
    EXPECT_EQ(view.Layout().TotalColumns(), 7);
    EXPECT_EQ(view.Layout().TotalRows(), 9);  // 2 header rows, 5 date rows, 2 footer rows
    EXPECT_EQ(view.Layout().topRows, 2);
    EXPECT_EQ(view.Layout().bottomRows, 2);
    EXPECT_EQ(view.Layout().cellSize, (Size{48, 36}));
    EXPECT_EQ(view.ViewSize(), (Size{344, 332}));
    EXPECT_EQ(view.CursorColumn(), -1);
    EXPECT_EQ(view.Layout().firstDayOfWeek, 0);
    EXPECT_EQ(view.Settings().baseDayOfWeek, 4);
    EXPECT_FALSE(view.Settings().neighbourDays);
    EXPECT_EQ(view.ShownYear(), view.TodayDate().Year());
    EXPECT_EQ(view.ShownMonth(), view.TodayDate().Month());
    EXPECT_EQ(view.Style().Color(ViewColor::kHoliday), PixelColor::Rgb(224, 32, 32));
    EXPECT_EQ(view.Style().FontSize(FontRole::kMedium), 24);
    EXPECT_EQ(view.Style().countDown.target, view.TodayDate());
    view.SetBackgroundImageSize(480, 320);  // an image larger than the grid widens the window
    EXPECT_EQ(view.ViewSize(), (Size{480, 332}));
}

TEST(CalendarView, LayoutScalesWithTheDpiAndSettingsDoNot) {
    const struct {
        int dpi;
        Size view;
        Size withPicture;  // with a 480 × 320 picture
        Point inThirdColumnThirdRow, stillInSecondColumn;
    } cases[] = {
        {96, {344, 332}, {480, 332}, {4 + 3 * 48, 4 + 2 * 36}, {4 + 3 * 48 - 1, 4 + 2 * 36}},
        {120, {430, 415}, {600, 415}, {5 + 3 * 60, 5 + 2 * 45}, {5 + 3 * 60 - 1, 5 + 2 * 45}},
        {144, {516, 498}, {720, 498}, {6 + 3 * 72, 6 + 2 * 54}, {6 + 3 * 72 - 1, 6 + 2 * 54}},
        {192, {688, 664}, {960, 664}, {8 + 3 * 96, 8 + 2 * 72}, {8 + 3 * 96 - 1, 8 + 2 * 72}},
        {20, {172, 166}, {240, 166}, {2 + 3 * 24, 2 + 2 * 18}, {2 + 3 * 24 - 1, 2 + 2 * 18}},  // 48 at least
    };
    for (const auto& c : cases) {
        TestView view;
        view.SetDpi(c.dpi);
        EXPECT_EQ(view.ViewSize(), c.view) << c.dpi;
        EXPECT_EQ(view.Layout().cellSize, (Size{48, 36})) << c.dpi;
        EXPECT_EQ(view.Layout().margins, (std::array<int, 4>{4, 4, 4, 4})) << c.dpi;
        view.PointerMoved(c.inThirdColumnThirdRow.x, c.inThirdColumnThirdRow.y);
        EXPECT_EQ(view.CursorColumn(), 3) << c.dpi;
        EXPECT_EQ(view.CursorRow(), 2) << c.dpi;
        view.PointerMoved(c.stillInSecondColumn.x, c.stillInSecondColumn.y);
        EXPECT_EQ(view.CursorColumn(), 2) << c.dpi;
        view.SetBackgroundImageSize(480, 320);
        EXPECT_EQ(view.ViewSize(), c.withPicture) << c.dpi;
    }
    TestView huge;
    huge.SetDpi(100000);  // 1000 % at most
    EXPECT_EQ(huge.Dpi(), 960);
    EXPECT_EQ(huge.ViewSize(), (Size{3440, 3320}));
    EXPECT_EQ(huge.ViewSizeAt(144), (Size{516, 498}));  // another scale, asked without changing it
    EXPECT_EQ(huge.Dpi(), 960);
    // Margins beyond what a setting may hold are brought into its bounds by the document.
    huge.Change([](SettingsRecord& s) { s.margins = {INT32_MAX, INT32_MIN, INT32_MAX, 0}; });
    EXPECT_EQ(huge.Layout().margins, (std::array<int, 4>{1000, 0, 1000, 0}));
    EXPECT_EQ(huge.Layout().MarginPixels(), (std::array<int, 4>{10000, 0, 10000, 0}));
    EXPECT_EQ(huge.ViewSize().width, 2 * 10000 + 7 * 480);
    huge.PointerMoved(0, 0);
    EXPECT_EQ(huge.CursorColumn(), -20);  // far left of the grid: no cell
}

TEST(CalendarView, LeftTwoLinesWithWeekNumbers) {
    TestView view;
    view.SetDesign({kLeftTwoLines, kShowWeekdayIndexWithWeekNumber, kSixLines, kBottomOneLine});
    EXPECT_EQ(view.Layout().leftColumns, 3);
    EXPECT_EQ(view.Layout().topRows, 1);  // the weekday index only
    EXPECT_EQ(view.Layout().TotalColumns(), 10);
    EXPECT_EQ(view.Layout().TotalRows(), 8);
    view.SetMonth(2024, 5);
    bool monthBox = false, weekColumn = false;
    for (const TextBox& box : view.TextBoxes()) {
        if (box.font == FontRole::kLarge) {
            monthBox = true;
            EXPECT_EQ(box.firstColumn, 0);
            EXPECT_EQ(box.lastColumn, 1);
            EXPECT_EQ(box.firstRow, 0);
            EXPECT_EQ(box.lastRow, 1);
        }
        if (box.text == "(18)") {  // Saturday 4 May 2024, week 18 (Thursday base)
            weekColumn = true;
            EXPECT_EQ(box.firstColumn, 2);
            EXPECT_EQ(box.firstRow, 1);
        }
    }
    EXPECT_TRUE(monthBox);
    EXPECT_TRUE(weekColumn);
    EXPECT_EQ(RegionOf(view.ClassifyCell(2, 3, 0)), "head");  // the week-number column
    EXPECT_EQ(RegionOf(view.ClassifyCell(3, 1, 0)), "blnc");  // 28 April
    EXPECT_EQ(view.ClassifyCell(6, 1, 0).date, CalDate(2024, 5, 1));
    EXPECT_EQ(view.ClassifyCell(1, 2, 0).date, CalDate(2024, 5, 1));  // the month block carries the 1st
    EXPECT_TRUE(view.ClassifyCell(1, 3, 0).date.IsNull());
    // The navigation buttons of the left header.
    struct Click {
        int column, row;
        int year, month;
    } clicks[] = {{0, 4, 2024, 4}, {1, 4, 2024, 5}, {0, 5, 2023, 5}, {1, 5, 2024, 5}};
    for (const Click& c : clicks) {
        PointAt(view, c.column, c.row);
        EXPECT_TRUE(view.ClickNavigation());
        EXPECT_EQ(view.ShownYear(), c.year);
        EXPECT_EQ(view.ShownMonth(), c.month);
    }
    PointAt(view, 0, 3);
    EXPECT_FALSE(view.ClickNavigation());
}

// March 2025 begins on a Saturday and has 31 days: in "5-lines" the cells of the 23rd
// and 24th fold the 30th and 31st into their lower halves.
TEST(CalendarView, SplitCellsInFiveLines) {
    TestView view;
    view.SetMonth(2025, 3);
    const int lastRow = view.Layout().topRows + 4;
    EXPECT_TRUE(view.IsSplitCell(0, lastRow));
    EXPECT_TRUE(view.IsSplitCell(1, lastRow));
    EXPECT_FALSE(view.IsSplitCell(2, lastRow));
    EXPECT_EQ(view.ClassifyCell(0, lastRow, 0).date, CalDate(2025, 3, 23));
    EXPECT_EQ(view.ClassifyCell(0, lastRow, 1).date, CalDate(2025, 3, 30));
    EXPECT_EQ(view.ClassifyCell(1, lastRow, 1).date, CalDate(2025, 3, 31));

    PointAt(view, 1, lastRow, 1);
    EXPECT_EQ(view.CursorHalf(), 1);
    EXPECT_EQ(view.HitTest().date, CalDate(2025, 3, 31));
    EXPECT_TRUE(view.PointerMoved(view.Layout().margins[0] + 48 + 10,
                                  view.Layout().margins[1] + lastRow * 36 + 2));  // upper half
    EXPECT_EQ(view.HitTest().date, CalDate(2025, 3, 24));

    // The keyboard moves between the halves before it leaves the cell.
    view.SelectDate(CalDate(2025, 3, 17));
    view.MoveCursor(0, 1);
    EXPECT_EQ(view.HitTest().date, CalDate(2025, 3, 24));
    view.MoveCursor(0, 1);
    EXPECT_EQ(view.HitTest().date, CalDate(2025, 3, 31));
    EXPECT_EQ(view.CursorHalf(), 1);
    view.MoveCursor(-1, 0);  // along the lower halves
    EXPECT_EQ(view.HitTest().date, CalDate(2025, 3, 30));
    view.MoveCursor(0, -1);
    EXPECT_EQ(view.HitTest().date, CalDate(2025, 3, 23));
    EXPECT_EQ(view.CursorHalf(), 0);

    view.SelectDate(CalDate(2025, 3, 30));
    EXPECT_EQ(view.CursorRow(), lastRow);
    EXPECT_EQ(view.CursorHalf(), 1);
    view.SelectDate(CalDate(2025, 3, 1));  // the 1st is always in the first date row
    EXPECT_EQ(view.CursorRow(), view.Layout().topRows);
    EXPECT_EQ(view.CursorColumn(), 6);
    view.SelectDate(CalDate(2025, 4, 1));
    EXPECT_EQ(view.ShownMonth(), 4);
}

TEST(CalendarView, CursorWithoutADateAndKeyboardStart) {
    TestView view;
    view.SetMonth(2024, 5);
    EXPECT_EQ(RegionOf(view.HitTest()), "head");  // no cursor: "head" without a date
    EXPECT_TRUE(view.HitTest().date.IsNull());
    EXPECT_FALSE(view.MoveCursor(1, 0));  // from outside the date area: the middle cell
    EXPECT_EQ(view.CursorColumn(), 3);
    EXPECT_EQ(view.CursorRow(), view.Layout().topRows + 2);
}

// The arrows move the cursor's day across the month's edges: onto a neighbour day where
// those are shown, else the shown month follows; the two-month view steps by one month at
// its ends. PageUp and PageDown step a month keeping the day, cut to the month's length.
TEST(CalendarView, KeysCrossTheMonthsEdges) {
    // Keys as (days, weeks, months): the arrows and Page Up / Page Down.
    struct Key {
        int dx, dy, months;
    };
    const Key kLeft{-1, 0, 0}, kRight{1, 0, 0}, kUp{0, -1, 0}, kDown{0, 1, 0}, kPageUp{0, 0, -1}, kPageDown{0, 0, 1};
    const struct {
        RowsStyle rows;
        bool neighbours;
        int showing;  // the month shown first, as year * 100 + month
        CalDate from;
        Key key;
        CalDate to;
        const char* shown;
    } cases[] = {
        {kFiveLines, false, 202405, CalDate(2024, 5, 31), kRight, CalDate(2024, 6, 1), "2024/6"},
        {kFiveLines, false, 202405, CalDate(2024, 5, 1), kLeft, CalDate(2024, 4, 30), "2024/4"},
        {kFiveLines, false, 202405, CalDate(2024, 5, 29), kDown, CalDate(2024, 6, 5), "2024/6"},
        {kFiveLines, false, 202405, CalDate(2024, 5, 3), kUp, CalDate(2024, 4, 26), "2024/4"},
        {kSixLines, true, 202405, CalDate(2024, 5, 31), kRight, CalDate(2024, 6, 1), "2024/5"},  // a neighbour day
        {kSixLines, true, 202405, CalDate(2024, 5, 30), kDown, CalDate(2024, 6, 6), "2024/5"},
        {kSixLines, true, 202405, CalDate(2024, 6, 8), kRight, CalDate(2024, 6, 9), "2024/6"},  // beyond the grid
        {kTwoMonths, false, 202405, CalDate(2024, 5, 31), kRight, CalDate(2024, 6, 1), "2024/5"},
        {kTwoMonths, false, 202405, CalDate(2024, 6, 30), kRight, CalDate(2024, 7, 1), "2024/6"},  // one month on
        {kTwoMonths, false, 202405, CalDate(2024, 5, 1), kLeft, CalDate(2024, 4, 30), "2024/4"},
        {kFiveLines, false, 202401, CalDate(2024, 1, 31), kPageDown, CalDate(2024, 2, 29), "2024/2"},
        {kFiveLines, false, 202403, CalDate(2024, 3, 31), kPageUp, CalDate(2024, 2, 29), "2024/2"},
        {kTwoMonths, false, 202405, CalDate(2024, 6, 10), kPageDown, CalDate(2024, 7, 10), "2024/6"},
        {kFiveLines, false, 101, CalDate(1, 1, 1), kLeft, CalDate(1, 1, 1), "1/1"},  // the first day there is
        {kFiveLines, false, 399912, CalDate(3999, 12, 31), kDown, CalDate(3999, 12, 31), "3999/12"},
        {kFiveLines, false, 399912, CalDate(3999, 12, 15), kPageDown, CalDate(3999, 12, 15), "3999/12"},
        // Several months: the view scrolls by as little as shows the day, a year by years;
        // PageUp and PageDown step three or six months' view by one, a year's cursor alone.
        {kThreeMonths, false, 202612, CalDate(2027, 1, 31), kRight, CalDate(2027, 2, 1), "2026/12"},
        {kThreeMonths, false, 202612, CalDate(2026, 11, 1), kLeft, CalDate(2026, 10, 31), "2026/10"},
        {kThreeMonths, false, 202612, CalDate(2026, 12, 10), kPageDown, CalDate(2027, 1, 10), "2026/12"},
        {kSixMonths, false, 202609, CalDate(2027, 2, 28), kDown, CalDate(2027, 3, 7), "2026/10"},
        {kTwelveMonths, false, 202606, CalDate(2026, 12, 31), kRight, CalDate(2027, 1, 1), "2027/1"},
        {kTwelveMonths, false, 202606, CalDate(2026, 1, 1), kUp, CalDate(2025, 12, 25), "2025/1"},
        {kTwelveMonths, false, 202606, CalDate(2026, 6, 30), kDown, CalDate(2026, 7, 7), "2026/1"},
        {kTwelveMonths, false, 202606, CalDate(2026, 12, 10), kPageDown, CalDate(2027, 1, 10), "2027/1"},
        {kTwelveMonths, false, 202606, CalDate(2026, 3, 31), kPageUp, CalDate(2026, 2, 28), "2026/1"},
        {kThreeMonths, false, 399912, CalDate(3999, 12, 31), kRight, CalDate(3999, 12, 31), "3999/10"},
    };
    for (const auto& c : cases) {
        const int row = static_cast<int>(&c - cases);
        TestView view;
        view.SetRowsStyle(c.rows);
        view.SetNeighbourDays(c.neighbours);
        view.SetMonth(c.showing / 100, c.showing % 100);
        // The pointer puts the cursor on the day, wherever the grid shows it.
        for (int column = 0; column < view.Layout().TotalColumns(); ++column) {
            for (int r = 0; r < view.Layout().TotalRows(); ++r) {
                for (int half = 0; half < (view.IsSplitCell(column, r) ? 2 : 1); ++half) {
                    const CellClass cell = view.ClassifyCell(column, r, half);
                    if (cell.region == kRegionDate && cell.date == c.from) PointAt(view, column, r, half);
                }
            }
        }
        ASSERT_EQ(view.HitTest().date, c.from) << row;
        const int shownBefore = view.ShownYear() * 12 + view.ShownMonth();
        bool stepped = false;
        if (c.key.months != 0) view.StepMonthWithCursor(c.key.months);
        else stepped = view.MoveCursor(c.key.dx, c.key.dy);
        EXPECT_EQ(view.HitTest().date, c.to) << row;
        const auto [firstYear, firstMonth] = view.FirstMonth();
        EXPECT_EQ(std::to_string(firstYear) + "/" + std::to_string(firstMonth), c.shown) << row;
        if (c.key.months == 0) {
            EXPECT_EQ(stepped, shownBefore != view.ShownYear() * 12 + view.ShownMonth()) << row;
        }
        EXPECT_FALSE(view.FooterLines().empty()) << row;  // never a blank footer on a day
    }
}

// Every view of several months under every design and a first weekday: each day of its
// months in one cell, which the pointer finds, no other; every month's title; all inside
// the window, and shrunk to a work area no further than legible.
TEST(CalendarView, SeveralMonthsShowEveryDayOnce) {
    for (const RowsStyle rows : {kThreeMonths, kSixMonths, kTwelveMonths}) {
        for (int header = 0; header < 3; ++header) {
            for (int weekday = 0; weekday < 4; ++weekday) {
                for (int footer = 0; footer < 6; ++footer) {
                    const int firstDay = (header + weekday + footer) % 7;
                    const std::string name = std::to_string(MonthsOf(rows)) + " months, design " +
                                             std::to_string(header) + std::to_string(weekday) + std::to_string(footer);
                    TestView view;
                    view.SetDesign(Design::FromValues(header, weekday, rows, footer));
                    view.SetFirstDayOfWeek(firstDay);
                    view.SetMonth(2024, 2);
                    const auto [firstYear, firstMonth] = view.FirstMonth();
                    const CalDate first(firstYear, firstMonth, 1);
                    const int months = MonthsOf(rows);
                    const CalDate end =
                        CalDate(firstYear + (firstMonth - 1 + months) / 12, (firstMonth - 1 + months) % 12 + 1, 1);
                    std::vector<int> seen(static_cast<size_t>(end - first), 0);
                    std::vector<CalDate> titles;
                    const GridLayout& L = view.Layout();
                    const Size size = view.ViewSize();
                    for (int column = 0; column < L.TotalColumns(); ++column) {
                        for (int row = 0; row < L.TotalRows(); ++row) {
                            const CellClass cell = view.ClassifyCell(column, row, 0);
                            const Rect r = L.CellRect(column, row);
                            ASSERT_TRUE(r.right <= size.width && r.bottom <= size.height) << name;
                            if (cell.region == kRegionHead && !cell.date.IsNull()) {
                                if (titles.empty() || titles.back() != cell.date) titles.push_back(cell.date);
                            }
                            if (cell.region != kRegionDate) continue;
                            ASSERT_TRUE(cell.date >= first && cell.date < end) << name;
                            ++seen[static_cast<size_t>(cell.date - first)];
                            view.PointerMoved((r.left + r.right) / 2, (r.top + r.bottom) / 2);
                            EXPECT_EQ(view.HitTest().date, cell.date) << name;
                        }
                    }
                    EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), static_cast<long>(seen.size())) << name;
                    std::sort(titles.begin(), titles.end());
                    titles.erase(std::unique(titles.begin(), titles.end()), titles.end());
                    EXPECT_EQ(titles.size(), static_cast<size_t>(months)) << name;
                }
            }
        }
    }
    // A year at 96 DPI on 1024 × 768 (less a frame) is shrunk, at 200 % on twice that the
    // same; a screen far too small keeps the legible size.
    const struct {
        int dpi;
        Size room;
        int scale;
    } fits[] = {{96, {1016, 730}, 75}, {192, {2032, 1460}, 75}, {96, {300, 200}, 57}, {96, {0, 0}, 100}};
    for (const auto& f : fits) {
        TestView view;
        view.SetRowsStyle(kTwelveMonths);
        view.SetDpi(f.dpi);
        view.SetWorkArea(f.room);
        EXPECT_EQ(view.Layout().scale, f.scale) << f.dpi << " " << f.room.width;
        if (f.scale > 57 && f.scale < 100) {
            EXPECT_LE(view.ViewSize().width, f.room.width);
            EXPECT_LE(view.ViewSize().height, f.room.height);
        }
    }
}

TEST(CalendarView, StepsStayWithinTheYears) {
    TestView view;
    view.SetMonth(1, 1);
    view.StepMonth(-1);
    EXPECT_EQ(view.ShownYear(), 1);
    EXPECT_EQ(view.ShownMonth(), 1);
    view.StepMonth(-12);
    EXPECT_EQ(view.ShownYear(), 1);
    view.SetMonth(3999, 12);
    view.StepMonth(1);
    EXPECT_EQ(view.ShownYear(), 3999);
    EXPECT_EQ(view.ShownMonth(), 12);
    view.StepMonth(12);
    EXPECT_EQ(view.ShownMonth(), 12);
    view.SetMonth(2024, 12);
    view.StepMonth(1);
    EXPECT_EQ(view.ShownYear(), 2025);
    EXPECT_EQ(view.ShownMonth(), 1);
    view.StepMonth(-12);
    EXPECT_EQ(view.ShownYear(), 2024);
    struct Case {
        int year, month;
        int shownYear, shownMonth;
    } cases[] = {{0, 5, 1, 1},
                 {4000, 1, 3999, 12},
                 {-7, 3, 1, 1},
                 {2024, 0, 2023, 12},
                 {2024, 13, 2025, 1},
                 {2024, -11, 2023, 1},
                 {2024, -12, 2022, 12},
                 {2024, 25, 2026, 1},
                 {2024, 2147483647, 3999, 12},
                 {2024, -2147483647 - 1, 1, 1}};
    for (const Case& c : cases) {
        view.SetMonth(c.year, c.month);
        EXPECT_EQ(view.ShownYear(), c.shownYear) << c.year << "/" << c.month;
        EXPECT_EQ(view.ShownMonth(), c.shownMonth) << c.year << "/" << c.month;
    }
    // Top-1-line navigation: the first and last date columns of row 0.
    view.SetMonth(1, 1);
    PointAt(view, 0, 0);
    EXPECT_FALSE(view.ClickNavigation());  // January of year 1 cannot go back
    PointAt(view, 6, 0);
    EXPECT_TRUE(view.ClickNavigation());
    EXPECT_EQ(view.ShownMonth(), 2);
    PointAt(view, 3, 0);
    EXPECT_FALSE(view.ClickNavigation());
}

TEST(CalendarView, TwoMonthView) {
    TestView view;
    view.SetRowsStyle(kTwoMonths);
    EXPECT_EQ(view.Layout().dateRows, 10);
    view.SetMonth(2024, 5);
    const int top = view.Layout().topRows;
    EXPECT_EQ(RegionOf(view.ClassifyCell(0, top, 0)), "blnc");  // 28 April: the month before
    const CellClass june = view.ClassifyCell(0, top + 5, 0);    // 2 June
    EXPECT_EQ(RegionOf(june), "date");
    EXPECT_EQ(june.date, CalDate(2024, 6, 2));
    EXPECT_EQ(RegionOf(view.ClassifyCell(6, top + 9, 0)), "blnc");  // 6 July
    EXPECT_FALSE(view.IsSplitCell(0, top + 9));
    view.SetNeighbourDays(true);
    EXPECT_EQ(RegionOf(view.ClassifyCell(0, top, 0)), "date");
    EXPECT_EQ(RegionOf(view.ClassifyCell(6, top + 9, 0)), "date");
    view.SetMonth(2024, 12);  // January follows December
    view.SetNeighbourDays(false);
    EXPECT_EQ(RegionOf(view.ClassifyCell(0, top + 6, 0)), "date");
}

TEST(CalendarView, NoFooter) {
    TestView view;
    view.SetFooterStyle(kNoFooter);
    EXPECT_EQ(view.Layout().bottomRows, 0);
    EXPECT_EQ(view.Layout().rightColumns, 0);
    view.SetMonth(2024, 5);
    view.SelectDate(CalDate(2024, 5, 15));
    EXPECT_TRUE(view.FooterLines().empty());
    for (int column = 0; column < view.Layout().TotalColumns(); ++column) {
        for (int row = 0; row < view.Layout().TotalRows(); ++row)
            EXPECT_NE(RegionOf(view.ClassifyCell(column, row, 0)), "foot");
    }
}

// Every design (3 × 4 × 3 × 6) and several months: the grid adds up, and every date
// cell found by classification is where SelectDate puts the cursor for its date.
TEST(CalendarView, EveryDesignRoundTrips) {
    TestView view;
    // Plain formats: the footer lines are recomputed at every selection, and the
    // Japanese defaults would spend the time on lunisolar dates.
    view.SetFormats(std::vector<std::string>(8, "%D"));
    const int months[][2] = {{2024, 2}, {2025, 3}, {2026, 2}, {2023, 12}, {1, 1}, {3999, 12}};
    for (int header = 0; header < 3; ++header) {
        for (int weekday = 0; weekday < 4; ++weekday) {
            for (int rows = 0; rows < 3; ++rows) {
                for (int footer = 0; footer < 6; ++footer) {
                    view.SetDesign(Design::FromValues(header, weekday, rows, footer));
                    const std::string design = std::to_string(header) + std::to_string(weekday) + std::to_string(rows) +
                                               std::to_string(footer);
                    ASSERT_EQ(view.Layout().TotalColumns(), view.Layout().leftColumns + 7 + view.Layout().rightColumns)
                        << design;
                    ASSERT_EQ(view.Layout().TotalRows(),
                              view.Layout().topRows + view.Layout().dateRows + view.Layout().bottomRows)
                        << design;
                    ASSERT_EQ(view.ViewSize(),
                              (Size{8 + 48 * view.Layout().TotalColumns(), 8 + 36 * view.Layout().TotalRows()}));
                    for (int first = 0; first < 7; first += 3) {
                        view.SetFirstDayOfWeek(first);
                        for (const auto& ym : months) {
                            view.SetMonth(ym[0], ym[1]);
                            int dates = 0;
                            for (int column = 0; column < view.Layout().TotalColumns(); ++column) {
                                for (int row = 0; row < view.Layout().TotalRows(); ++row) {
                                    for (int half = 0; half <= (view.IsSplitCell(column, row) ? 1 : 0); ++half) {
                                        const CellClass c = view.ClassifyCell(column, row, half);
                                        if (c.region != kRegionDate || c.date.Month() != ym[1]) continue;
                                        ++dates;
                                        view.SelectDate(c.date);
                                        ASSERT_EQ(view.CursorColumn(), column) << design << " " << c.date.Text();
                                        ASSERT_EQ(view.CursorRow(), row) << design << " " << c.date.Text();
                                        ASSERT_EQ(view.CursorHalf(), half) << design << " " << c.date.Text();
                                        ASSERT_EQ(view.HitTest().date, c.date);
                                    }
                                }
                            }
                            ASSERT_EQ(dates, MonthLength(ym[0], ym[1])) << design << " " << ym[0] << "/" << ym[1];
                        }
                    }
                }
            }
        }
    }
}

TEST(CalendarView, BadInputIsClampedOrIgnored) {
    TestView view;
    view.SetMonth(2024, 5);
    const int extremes[] = {INT32_MIN, -100000, -1, 0, 100000, INT32_MAX};
    for (int x : extremes) {
        for (int y : extremes) {
            view.PointerMoved(x, y);
            view.HitTest();
            view.TextBoxes();
            view.MoveCursor(1, 1);
        }
    }
    struct Size2 {
        int w, h;
        Size expected;
    } sizes[] = {{0, 0, {8, 8}}, {-5, 300, {8, 256}}, {1000000, 7, {256, 8}}, {48, 36, {48, 36}}};
    for (const Size2& s : sizes) {
        view.Change([&](SettingsRecord& r) { r.cellSize = {s.w, s.h}; });
        EXPECT_EQ(view.Layout().cellSize, s.expected);
    }
    view.SetFirstDayOfWeek(-6);
    EXPECT_EQ(view.Layout().firstDayOfWeek, 1);
    view.SetFirstDayOfWeek(100);
    EXPECT_EQ(view.Layout().firstDayOfWeek, 2);
    view.SetFirstDayOfWeek(INT32_MIN);
    EXPECT_EQ(view.Layout().firstDayOfWeek, 5);
    view.SetDesign(Design::FromValues(-1, 9, 6, 6));  // out of range: 0
    EXPECT_EQ(view.Layout().design, (Design{kTopOneLine, kShowWeekdayIndex, kSixLines, kBottomOneLine}));
    view.SelectDate(CalDate());  // the null date: no cursor, month kept in range
    EXPECT_EQ(view.CursorColumn(), -1);
    view.SelectDate(CalDate(0, 6, 1));
    EXPECT_EQ(view.ShownYear(), 1);
    EXPECT_EQ(view.CursorColumn(), -1);
    view.SelectDate(CalDate(4000, 1, 1));  // December 3999 stays shown; the day is no date cell of it
    EXPECT_EQ(view.ShownYear(), 3999);
    EXPECT_EQ(view.ShownMonth(), 12);
    EXPECT_NE(RegionOf(view.HitTest()), "date");
    view.Change([](SettingsRecord& s) { s.margins = {-1000, -1000, INT32_MAX, INT32_MAX}; });
    view.ViewSize();
    PointAt(view, 3, 3);
}

TEST(CalendarView, WeekdayRowAndTitleHover) {
    TestView view;
    view.SetMonth(2024, 5);
    PointAt(view, 2, 1);  // a weekday name
    EXPECT_EQ(RegionOf(view.HitTest()), "head");
    EXPECT_TRUE(view.FooterLines().empty());
    PointAt(view, 3, 0);  // the month title
    EXPECT_EQ(view.HitTest().date, CalDate(2024, 5, 1));
    ASSERT_EQ(view.FooterLines().size(), 1u);
    EXPECT_EQ(view.FooterLines()[0], DateFormat(ResolveText(kMonthTitleHoverFormat), CalDate(2024, 5, 1)));
    PointAt(view, 0, 0);  // a button: "head" without a date
    EXPECT_TRUE(view.FooterLines().empty());
    view.SetFirstDayOfWeek(1);
    int found = 0;
    for (const TextBox& box : view.TextBoxes()) {
        if (box.color == TextBox::Color::kWeekdayKind) {
            EXPECT_EQ(box.weekday, (box.firstColumn + 1) % 7);
            ++found;
        }
    }
    EXPECT_EQ(found, 7);
    view.Change([](SettingsRecord& s) { s.weekdayNames = "A B"; });  // missing words: the English names
    for (const TextBox& box : view.TextBoxes()) {
        if (box.color != TextBox::Color::kWeekdayKind) continue;
        if (box.weekday == 1) {
            EXPECT_EQ(box.text, "B");
        } else if (box.weekday == 3) {
            EXPECT_EQ(box.text, "WED");
        }
    }
}

TEST(CalendarView, FormatsFromFile) {
    TestView view;
    const std::string defaultFooter = view.FooterFormats()[3];
    view.SetFormats({"H1", "", "H3", "H4", "F1", "", "", "", "ignored ninth"});
    EXPECT_EQ(view.HeaderFormats()[0], "H1");
    EXPECT_EQ(view.HeaderFormats()[1], "%M");  // an empty line keeps the default
    EXPECT_EQ(view.HeaderFormats()[2], "H3");
    EXPECT_EQ(view.FooterFormats()[0], "F1");
    EXPECT_EQ(view.FooterFormats()[3], defaultFooter);
}

TEST(WordOf, BlankSeparatedWords) {
    EXPECT_EQ(WordOf("SUN MON  TUE\tWED", 0), "SUN");
    EXPECT_EQ(WordOf("SUN MON  TUE\tWED", 2), "TUE");
    EXPECT_EQ(WordOf("SUN MON  TUE\tWED", 3), "WED");
    EXPECT_EQ(WordOf("SUN MON", 2), "");
    EXPECT_EQ(WordOf("  lead", 0), "lead");
    EXPECT_EQ(WordOf("", 0), "");
}

}  // namespace
}  // namespace tavoli
