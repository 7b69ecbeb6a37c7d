#include "view/grid_layout.h"

#include <algorithm>
#include <cstdint>

namespace tavoli {

namespace {

int Clamp(int64_t v, int low, int high) { return static_cast<int>(std::clamp<int64_t>(v, low, high)); }

}  // namespace

GridLayout LayoutOf(const SettingsRecord& settings, int dpi, Size workArea) {
    static constexpr int kDateRows[kRowsStyleCount] = {6, 5, 10, 6, 6, 6};
    static constexpr int kRightColumns[6] = {0, 0, 0, 3, 4, 0};
    static constexpr int kBottomRows[6] = {1, 2, 3, 0, 0, 0};
    // The document keeps its settings within their rules: the design indexes the tables.
    GridLayout layout;
    layout.design = settings.design;
    layout.cellSize = settings.cellSize;
    layout.margins = settings.margins;
    layout.firstDayOfWeek = settings.firstDayOfWeek;
    layout.dpi = Clamp(dpi, kMinViewDpi, kMaxViewDpi);
    layout.dateRows = kDateRows[layout.design.rows];
    layout.leftColumns = (layout.design.header == kLeftTwoLines ? 2 : 0) + (layout.WeekNumbersShown() ? 1 : 0);
    layout.topRows = (layout.design.header == kTopOneLine ? 1 : 0) + (layout.WeekdayIndexShown() ? 1 : 0);
    layout.rightColumns = kRightColumns[layout.design.footer];
    layout.bottomRows = kBottomRows[layout.design.footer];
    layout.months = MonthsOf(layout.design.rows);
    if (!layout.SeveralMonths()) return layout;
    // Blocks of their own: the title and the weekday row on top, week numbers at the left.
    MonthBlocks& blocks = layout.blocks;
    blocks.count = layout.months;
    blocks.firstDayOfWeek = layout.firstDayOfWeek;
    blocks.weekColumns = layout.WeekNumbersShown() ? 1 : 0;
    blocks.headRows = 1 + (layout.WeekdayIndexShown() ? 1 : 0);
    layout.leftColumns = layout.topRows = 0;
    const Size cell = layout.CellPixels();
    const auto m = layout.MarginPixels();
    const Size block{blocks.BlockColumns() * cell.width, blocks.BlockRows() * cell.height};
    const Size beside{m[0] + m[2] + layout.rightColumns * cell.width, m[1] + m[3] + layout.bottomRows * cell.height};
    const bool limited = workArea.width > 0 && workArea.height > 0;
    // Legible in points: the floor is the same at every DPI.
    const int smallest = settings.style.FontSize(FontRole::kSmall);
    blocks.arrangement = ArrangeMonthBlocks(blocks.count, block, beside,
                                            limited ? workArea : Size{INT32_MAX, INT32_MAX}, LegibleScale(smallest));
    layout.dateColumns = blocks.Columns();
    layout.dateRows = blocks.Rows();
    // Sizes round to whole pixels: a percent less where they came out a little large.
    const int lowest = std::min(LegibleScale(smallest), blocks.arrangement.scale);
    for (layout.scale = blocks.arrangement.scale; limited && layout.scale > lowest; --layout.scale) {
        const Size grid = layout.GridPixels();
        if (grid.width <= workArea.width && grid.height <= workArea.height) break;
    }
    blocks.arrangement.scale = layout.scale;
    return layout;
}

std::array<int, 4> GridLayout::MarginPixels() const {
    std::array<int, 4> pixels = margins;
    for (int& margin : pixels) margin = ScaleToDpi(margin, dpi);
    return pixels;
}

Rect GridLayout::CellRect(int column, int row) const {
    const auto m = MarginPixels();
    const Size cell = CellPixels();
    const int x = m[0] + column * cell.width, y = m[1] + row * cell.height;
    return {x, y, x + cell.width, y + cell.height};
}

Size GridLayout::GridPixels() const {
    const auto m = MarginPixels();
    const Size cell = CellPixels();
    const int64_t width = int64_t{m[0]} + m[2] + int64_t{TotalColumns()} * cell.width;
    const int64_t height = int64_t{m[1]} + m[3] + int64_t{TotalRows()} * cell.height;
    return {Clamp(width, INT32_MIN, INT32_MAX), Clamp(height, INT32_MIN, INT32_MAX)};
}

}  // namespace tavoli
