// The views of several months: which months each shows around the cursor's, and how their
// blocks lie on the screen, shrunk where the work area needs it but never below a size
// that stays legible.
#pragma once

#include <utility>

#include "calendar/cal_date.h"
#include "framework/geometry.h"

namespace tavoli {

// The years the calendar shows.
constexpr int kMinYear = 1;
constexpr int kMaxYear = 3999;

// The month counts a view can show.
constexpr int kMonthViewCounts[] = {1, 2, 3, 6, 12};

// The first of the `count` months a view shows with the month (year, month) in it: the
// month before for three (the previous, the current and the next), January for the year,
// the month itself otherwise. Years stay in 1 … 3999: at either end the view starts where
// it still holds all its months.
std::pair<int, int> FirstShownMonth(int count, int year, int month);

// The first month of a view of `count` that starts at (firstYear, firstMonth) once the
// cursor has gone to `date`: the same while the date's month is shown; else scrolled by as
// few months as bring it in at the near end (the arrows at the view's edges), a year view
// by whole years.
std::pair<int, int> FirstMonthShowing(int count, int firstYear, int firstMonth, CalDate date);

// Blocks across and down, and the percentage of the stored cell and font sizes they are
// drawn at.
struct BlockArrangement {
    int columns = 1, rows = 1;
    int scale = 100;
    bool operator==(const BlockArrangement& o) const = default;
};

// The smallest scale at which a font of this many pixels at 96 DPI (at 100 %) stays
// legible: no text below 9 of them (6.75 points, at any DPI), and never below half the
// stored sizes.
int LegibleScale(int smallestFontPixels);

// How `count` month blocks of `block` pixels each (at 100 %), with `beside` pixels the view
// and the window add around them (margins, footer, frame), lie on a work area: three in a
// row, else in a column; six in 2 rows of 3, else 3 of 2; twelve in 3 rows of 4, else 4 of
// 3 — the first that fits at full size, else the one that needs the least shrinking,
// shrunk to fit (the scale no lower than `minScale`: the window then keeps what fits on
// the screen). One or two months are one block.
BlockArrangement ArrangeMonthBlocks(int count, Size block, Size beside, Size workArea, int minScale);

// The cells of a view of several months, in the grid's own columns and rows: block b shows
// the b-th month from the first, its cells from column (b % columns) × BlockColumns() and row
// (b / columns) × BlockRows(): its week numbers, if shown, at its left; its title and its
// weekday row, as the design has them, on top; then six weeks, each day of its month once.
struct MonthBlocks {
    BlockArrangement arrangement;
    int count = 1;
    int firstYear = 2000, firstMonth = 1;
    int firstDayOfWeek = 0;
    int weekColumns = 0;  // 1 with week numbers
    int headRows = 2;     // the title and the weekday row

    int BlockColumns() const { return weekColumns + 7; }
    int BlockRows() const { return headRows + 6; }
    int Columns() const { return arrangement.columns * BlockColumns(); }
    int Rows() const { return arrangement.rows * BlockRows(); }
    // The block a cell lies in, or −1; and the year and month it shows.
    int BlockAt(int column, int row) const;
    std::pair<int, int> MonthOf(int block) const;
    // The day a cell shows, null where it shows none: a head cell, a week number, or a day
    // of another month (each day is shown once, in its own month).
    CalDate DateAt(int column, int row) const;
    // The cell that shows a day; {−1, −1} when the view does not show it.
    std::pair<int, int> CellOf(CalDate date) const;
};

}  // namespace tavoli
