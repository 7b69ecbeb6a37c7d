#include "view/grid_layout.h"

#include <algorithm>
#include <cstdint>

namespace tavoli {

namespace {

int Clamp(int64_t v, int low, int high) { return static_cast<int>(std::clamp<int64_t>(v, low, high)); }

}  // namespace

GridLayout LayoutOf(const SettingsRecord& settings, int dpi) {
    static constexpr int kDateRows[3] = {6, 5, 10};
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
