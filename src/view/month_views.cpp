#include "view/month_views.h"

#include <algorithm>
#include <cstdint>

namespace tavoli {

std::pair<int, int> FirstShownMonth(int count, int year, int month) {
    int64_t first = int64_t{year} * 12 + (month - 1);
    if (count == 3) first -= 1;
    else if (count == 12) first = int64_t{year} * 12;
    const int64_t lowest = int64_t{kMinYear} * 12, highest = int64_t{kMaxYear} * 12 + 12 - std::max(count, 1);
    first = std::clamp(first, lowest, highest);
    return {static_cast<int>(first / 12), static_cast<int>(first % 12) + 1};
}

std::pair<int, int> FirstMonthShowing(int count, int firstYear, int firstMonth, CalDate date) {
    const YearMonthDay ymd = date.Parts();
    if (count == 12) return FirstShownMonth(12, ymd.year, ymd.month);
    const int64_t first = int64_t{firstYear} * 12 + firstMonth - 1, shown = int64_t{ymd.year} * 12 + ymd.month - 1;
    int64_t moved = first;
    if (shown < first) moved = shown;
    else if (shown >= first + count) moved = shown - count + 1;
    return FirstShownMonth(1, static_cast<int>(moved / 12), static_cast<int>(moved % 12) + 1);
}

int LegibleScale(int smallestFontPixels) {
    if (smallestFontPixels <= 0) return 100;
    const int scale = (900 + smallestFontPixels - 1) / smallestFontPixels;  // 9 pixels, rounded up
    return std::clamp(scale, 50, 100);
}

BlockArrangement ArrangeMonthBlocks(int count, Size block, Size beside, Size workArea, int minScale) {
    std::pair<int, int> choices[2] = {{1, 1}, {1, 1}};  // columns, rows
    if (count == 3) choices[0] = {3, 1}, choices[1] = {1, 3};
    else if (count == 6) choices[0] = {3, 2}, choices[1] = {2, 3};
    else if (count == 12) choices[0] = {4, 3}, choices[1] = {3, 4};
    // The scale in percent at which an arrangement fits the work area, at most 100.
    const auto fitting = [&](std::pair<int, int> c) {
        const int64_t width = int64_t{c.first} * block.width, height = int64_t{c.second} * block.height;
        const int64_t roomX = int64_t{workArea.width} - beside.width, roomY = int64_t{workArea.height} - beside.height;
        if (width <= 0 || height <= 0) return 100;
        if (roomX <= 0 || roomY <= 0) return 0;
        return static_cast<int>(std::min<int64_t>({100, roomX * 100 / width, roomY * 100 / height}));
    };
    std::pair<int, int> chosen = choices[0];
    int scale = fitting(choices[0]);
    if (scale < 100 && fitting(choices[1]) > scale) {
        chosen = choices[1];
        scale = fitting(choices[1]);
    }
    return {chosen.first, chosen.second, std::clamp(scale, std::min(minScale, 100), 100)};
}

int MonthBlocks::BlockAt(int column, int row) const {
    if (column < 0 || row < 0 || column >= Columns() || row >= Rows()) return -1;
    const int block = row / BlockRows() * arrangement.columns + column / BlockColumns();
    return block < count ? block : -1;
}

std::pair<int, int> MonthBlocks::MonthOf(int block) const {
    const int months = firstYear * 12 + firstMonth - 1 + block;
    return {months / 12, months % 12 + 1};
}

CalDate MonthBlocks::DateAt(int column, int row) const {
    const int block = BlockAt(column, row);
    if (block < 0) return CalDate();
    const int dc = column % BlockColumns() - weekColumns, dr = row % BlockRows() - headRows;
    if (dc < 0 || dr < 0) return CalDate();
    const auto [year, month] = MonthOf(block);
    const CalDate date = CellDate(year, month, dc, dr, firstDayOfWeek);
    const YearMonthDay ymd = date.Parts();
    return ymd.year == year && ymd.month == month ? date : CalDate();
}

std::pair<int, int> MonthBlocks::CellOf(CalDate date) const {
    if (date.IsNull()) return {-1, -1};
    const YearMonthDay ymd = date.Parts();
    const int block = ymd.year * 12 + ymd.month - 1 - (firstYear * 12 + firstMonth - 1);
    if (block < 0 || block >= count) return {-1, -1};
    const int offset = date - CellDate(ymd.year, ymd.month, 0, 0, firstDayOfWeek);
    return {block % arrangement.columns * BlockColumns() + weekColumns + offset % 7,
            block / arrangement.columns * BlockRows() + headRows + offset / 7};
}

}  // namespace tavoli
