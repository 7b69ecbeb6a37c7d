// The grid of cells a design makes, as a value: its rows and columns by region, the cell
// size and margins in 96-DPI units as stored, and the DPI they are painted at. Computed
// from the settings whenever they or the DPI change; everything that places a cell asks it.
#pragma once

#include <algorithm>
#include <array>

#include "framework/geometry.h"
#include "settings/design.h"
#include "settings/settings_record.h"
#include "view/month_views.h"

namespace tavoli {

constexpr int kMinViewDpi = 48;   // 50 %: beyond what displays offer …
constexpr int kMaxViewDpi = 960;  // … and 1000 %, short of sizes that overflow

struct GridLayout {
    Design design;
    int dateRows = 5, leftColumns = 0, topRows = 2, rightColumns = 0, bottomRows = 2;
    Size cellSize{48, 36};                      // 96-DPI units
    std::array<int, 4> margins = {4, 4, 4, 4};  // left, top, right, bottom, 96-DPI units
    int firstDayOfWeek = 0;                     // 0 … 6
    int dpi = kBaseDpi;                         // kMinViewDpi … kMaxViewDpi
    int months = 1;                             // 1, 2, 3, 6 or 12
    int dateColumns = 7;                        // a view of several months: all its blocks' columns
    // A view of several months: its blocks, laid out from row 0 and column 0 (the view
    // sets the first month), and the percentage of the stored sizes they fit the work
    // area at.
    MonthBlocks blocks;
    int scale = 100;

    int TotalColumns() const { return leftColumns + dateColumns + rightColumns; }
    int TotalRows() const { return topRows + dateRows + bottomRows; }
    bool WeekNumbersShown() const {
        return design.weekday == kShowWeekdayIndexWithWeekNumber || design.weekday == kHideWeekdayIndexWithWeekNumber;
    }
    bool WeekdayIndexShown() const {
        return design.weekday == kShowWeekdayIndex || design.weekday == kShowWeekdayIndexWithWeekNumber;
    }
    // Two months, one after the other in the same seven columns.
    bool TwoMonths() const { return months == 2; }
    // Three, six or twelve months, each in a block of its own.
    bool SeveralMonths() const { return months > 2; }

    // A 96-DPI length in pixels at the layout's DPI and scale.
    int Scaled(int length) const { return ScaleToDpi(length, PaintDpi()); }
    int PaintDpi() const { return std::max(1, dpi * scale / 100); }
    Size CellPixels() const { return {Scaled(cellSize.width), Scaled(cellSize.height)}; }
    // The document keeps margins within 0 … 1000: scaled, their sums stay within an int.
    std::array<int, 4> MarginPixels() const;
    // A cell's rectangle in the client area, and the grid's size with its margins.
    Rect CellRect(int column, int row) const;
    Size GridPixels() const;
};

// The layout of the settings at a DPI (clamped to kMinViewDpi … kMaxViewDpi); a view of
// several months shrinks to fit the work area (the room the window's client area may
// take; empty: no limit), no further than its fonts stay legible.
GridLayout LayoutOf(const SettingsRecord& settings, int dpi, Size workArea = {});

}  // namespace tavoli
