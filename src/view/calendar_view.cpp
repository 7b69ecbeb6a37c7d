#include "view/calendar_view.h"

#include <algorithm>
#include <tuple>

#include "calendar/era.h"
#include "format/date_format.h"
#include "format/default_formats.h"
#include "framework/messages.h"
#include "framework/platform.h"
#include "holidays/day_kinds.h"
#include "view/image_drawing.h"
#include "view/month_views.h"

namespace tavoli {

namespace {

int Clamp(int64_t v, int low, int high) { return static_cast<int>(std::min<int64_t>(std::max<int64_t>(v, low), high)); }

}  // namespace

std::string WordOf(const std::string& list, int index) {
    int current = 0;
    size_t i = 0;
    while (i < list.size()) {
        while (i < list.size() && (list[i] == ' ' || list[i] == '\t')) ++i;
        const size_t start = i;
        while (i < list.size() && list[i] != ' ' && list[i] != '\t') ++i;
        if (start == i) break;
        if (current == index) return list.substr(start, i - start);
        ++current;
    }
    return {};
}

Templates TemplatesOf(const std::vector<std::string>& lines) {
    Templates templates;
    for (size_t i = 0; i < 4; ++i) {
        templates.header[i] = i < lines.size() && !lines[i].empty() ? lines[i] : ResolveText(kDefaultHeaderFormats[i]);
        templates.footer[i] =
            i + 4 < lines.size() && !lines[i + 4].empty() ? lines[i + 4] : ResolveText(kDefaultFooterFormats[i]);
    }
    return templates;
}

CalendarView::CalendarView(const CalendarDocument& document) : document_(document) {
    hoverFormat_ = ResolveText(kMonthTitleHoverFormat);
    today_ = Today(kLocalZone);
    const YearMonthDay ymd = today_.Parts();
    shownYear_ = ymd.year;
    shownMonth_ = ymd.month;
}

// ---- Following the document ----

void CalendarView::Sync() const {
    if (syncedGeneration_ == document_.Generation() && layout_.dpi == dpi_ && syncedWorkArea_ == workArea_) return;
    syncedGeneration_ = document_.Generation();
    syncedWorkArea_ = workArea_;
    layout_ = LayoutOf(Settings(), dpi_, workArea_);
    templates_ = TemplatesOf(document_.FormatLines());
    UpdateFooterLines();  // the script, the memos or the design may have changed them
}

const GridLayout& CalendarView::Layout() const {
    Sync();
    return layout_;
}

void CalendarView::SetWorkArea(Size room) { workArea_ = room; }

std::pair<int, int> CalendarView::FirstMonth() const {
    const GridLayout& L = Layout();
    return L.SeveralMonths() ? FirstShownMonth(L.months, shownYear_, shownMonth_) : std::pair{shownYear_, shownMonth_};
}

MonthBlocks CalendarView::Blocks() const {
    MonthBlocks blocks = Layout().blocks;
    std::tie(blocks.firstYear, blocks.firstMonth) = FirstMonth();
    return blocks;
}

int CalendarView::ViewStep() const { return Layout().SeveralMonths() ? Layout().months : 1; }

void CalendarView::ShowFirst(std::pair<int, int> first) {
    // The shown month is the middle of three; the first month of the others.
    SetMonth(first.first, first.second + (Layout().months == 3 ? 1 : 0));
}

CalDate CalendarView::MonthTitleAtCursor() const {
    if (!Layout().SeveralMonths()) return CalDate();
    const CellClass hit = HitTest();
    return hit.region == kRegionHead ? hit.date : CalDate();
}

const Templates& CalendarView::Texts() const {
    Sync();
    return templates_;
}

const std::vector<std::string>& CalendarView::FooterLines() const {
    Sync();
    return footerLines_;
}

void CalendarView::SetBackgroundImageSize(int width, int height) {
    backgroundWidth_ = std::max(0, width);
    backgroundHeight_ = std::max(0, height);
}

ErrorValue CalendarView::UpdateBackground(std::string_view pattern, bool force) {
    // The grid as it is at 96 DPI, where the picture is kept.
    GridLayout unscaled = Layout();
    unscaled.dpi = kBaseDpi;
    const Size grid = unscaled.GridPixels();
    const ErrorValue error = background_.Update(pattern, shownMonth_, force,
                                                {Clamp(grid.width, 0, 1 << 16), Clamp(grid.height, 0, 1 << 16)});
    SetBackgroundImageSize(background_.Picture().Width(), background_.Picture().Height());
    ScaleBackground();
    return error;
}

void CalendarView::ScaleBackground() {
    scaledPicture_ = dpi_ == kBaseDpi ? Image() : ScaleImage(background_.Picture(), dpi_, kBaseDpi);
}

void CalendarView::SetDpi(int dpi) {
    dpi = Clamp(dpi, kMinViewDpi, kMaxViewDpi);
    if (dpi == dpi_) return;
    dpi_ = dpi;
    ScaleBackground();
}

Size CalendarView::ViewSizeAt(int dpi) const {
    GridLayout layout = Layout();
    layout.dpi = Clamp(dpi, kMinViewDpi, kMaxViewDpi);
    const Size grid = layout.GridPixels();
    return {std::max(grid.width, ScaleToDpi(backgroundWidth_, layout.dpi)),
            std::max(grid.height, ScaleToDpi(backgroundHeight_, layout.dpi))};
}

// ---- Month ----

void CalendarView::SetMonth(int year, int month) {
    int64_t y = year;
    int64_t m = month;
    // month += 12 k, year −= k, until the month lies in 1 … 12.
    const int64_t carry = (m - 1) >= 0 ? (m - 1) / 12 : -((12 - m) / 12);
    m -= 12 * carry;
    y += carry;
    if (y < kMinYear) {
        y = kMinYear;
        m = 1;
    } else if (y > kMaxYear) {
        y = kMaxYear;
        m = 12;
    }
    shownYear_ = static_cast<int>(y);
    shownMonth_ = static_cast<int>(m);
    UpdateFooterLines();
}

void CalendarView::StepMonth(int delta) {
    cursor_.half = 0;
    const GridLayout& L = Layout();
    if (L.months == 12) {
        // A year view shows whole years: any step moves by one at least.
        const int years = delta / 12 != 0 ? delta / 12 : (delta > 0) - (delta < 0);
        SetMonth(static_cast<int>(std::clamp<int64_t>(int64_t{shownYear_} + years, kMinYear, kMaxYear)), 1);
        return;
    }
    if (L.SeveralMonths()) {
        const auto [year, month] = FirstMonth();
        const int64_t first = std::clamp<int64_t>(int64_t{year} * 12 + month - 1 + delta, int64_t{kMinYear} * 12,
                                                  int64_t{kMaxYear} * 12 + 12 - L.months);
        ShowFirst({static_cast<int>(first / 12), static_cast<int>(first % 12) + 1});
        return;
    }
    SetMonth(shownYear_, static_cast<int>(
                             std::max<int64_t>(std::min<int64_t>(int64_t{shownMonth_} + delta, INT32_MAX), INT32_MIN)));
}

void CalendarView::GoToday() {
    today_ = Today(kLocalZone);
    const YearMonthDay ymd = today_.Parts();
    SetMonth(ymd.year, ymd.month);
}

CalDate CalendarView::DateAt(int dateColumn, int dateRow) const {
    const GridLayout& L = Layout();
    return CellDate(shownYear_, shownMonth_, dateColumn, dateRow, L.firstDayOfWeek);
}

void CalendarView::SelectDate(CalDate date) {
    const YearMonthDay ymd = date.Parts();
    // A view of several months moves only for a day it does not show, to its own place.
    const bool shown = Layout().SeveralMonths() ? Blocks().CellOf(date).first >= 0
                                                : ymd.year == shownYear_ && ymd.month == shownMonth_;
    if (!shown) SetMonth(ymd.year, ymd.month);
    PlaceCursorOn(date);
    UpdateFooterLines();
}

bool CalendarView::PlaceCursorOn(CalDate date) {
    const GridLayout& L = Layout();
    cursor_.half = 0;
    cursor_.column = cursor_.row = -1;
    if (L.SeveralMonths()) {
        const auto [column, row] = Blocks().CellOf(date);
        cursor_.column = column;
        cursor_.row = row;
        return column >= 0;
    }
    const int64_t d = int64_t{date - DateAt(0, 0)};
    if (d < 0 || d / 7 > L.dateRows) return false;
    cursor_.column = L.leftColumns + static_cast<int>(d % 7);
    if (d / 7 == L.dateRows) {
        // A week below the grid lies in the lower halves of split cells, or nowhere.
        cursor_.row = L.topRows + L.dateRows - 1;
        cursor_.half = 1;
        if (!IsSplitCell(cursor_.column, cursor_.row)) cursor_ = Cursor();
    } else {
        cursor_.row = L.topRows + static_cast<int>(d / 7);
    }
    const CellClass shown = HitTest();
    if (shown.region == kRegionDate && shown.date == date) return true;
    cursor_.column = cursor_.row = -1;
    cursor_.half = 0;
    return false;
}

// ---- Cells ----

bool CalendarView::IsSplitCell(int column, int row) const {
    const GridLayout& L = Layout();
    const int dc = column - L.leftColumns;
    const int dr = row - L.topRows;
    if (L.SeveralMonths() || dc < 0 || dc > 6 || dr != L.dateRows - 1) return false;
    const YearMonthDay below = (DateAt(dc, dr) + 7).Parts();
    return below.year == shownYear_ && below.month == shownMonth_;
}

CellClass CalendarView::ClassifyBlockCell(int column, int row) const {
    const GridLayout& L = Layout();
    const MonthBlocks blocks = Blocks();
    CellClass result;
    const int block = blocks.BlockAt(column, row);
    if (block < 0) {
        const bool footer = column >= 0 && row >= 0 && column < L.TotalColumns() && row < L.TotalRows() &&
                            (column >= blocks.Columns() || row >= blocks.Rows());
        result.region = footer ? kRegionFoot : 0;
        return result;
    }
    const int dc = column % blocks.BlockColumns() - blocks.weekColumns;
    const int dr = row % blocks.BlockRows() - blocks.headRows;
    if (dc < 0 || dr < 0) {
        result.region = kRegionHead;
        // The title, between the buttons of the first and the last block of the top row.
        if (row % blocks.BlockRows() == 0 && dc >= 1 && dc <= 5) {
            const auto [year, month] = blocks.MonthOf(block);
            result.date = CalDate(year, month, 1);
        }
        return result;
    }
    result.date = blocks.DateAt(column, row);
    result.region = result.date.IsNull() ? kRegionBlank : kRegionDate;
    return result;
}

CellClass CalendarView::ClassifyCell(int column, int row, int half) const {
    const GridLayout& L = Layout();
    if (L.SeveralMonths()) return ClassifyBlockCell(column, row);
    const int dc = column - L.leftColumns;
    const int dr = row - L.topRows;
    CellClass result;
    if (dc < 0 || dr < 0) {
        result.region = kRegionHead;
        const bool title = L.design.header == kTopOneLine && row == 0 && dc >= 1 && dc <= 5;
        const bool monthBlock = L.design.header == kLeftTwoLines && column >= 0 && column <= 1 && row >= 0 && row <= 2;
        if (title || monthBlock) result.date = FirstOfShownMonth();
        return result;
    }
    if (dc < 7 && dr < L.dateRows) {
        const CalDate date = DateAt(dc, dr);
        const YearMonthDay ymd = date.Parts();
        const bool inMonth = ymd.year == shownYear_ && ymd.month == shownMonth_;
        const bool nextMonthOfTwo = L.TwoMonths() && ymd.month == shownMonth_ % 12 + 1;
        if (ymd.year <= 0 || (!inMonth && !Settings().neighbourDays && !nextMonthOfTwo)) {
            result.region = kRegionBlank;
            return result;
        }
        result.region = kRegionDate;
        result.date = half == 1 ? date + 7 : date;
        return result;
    }
    if (dc < 7 + L.rightColumns && dr < L.dateRows + L.bottomRows) result.region = kRegionFoot;
    return result;
}

// ---- Cursor ----

bool CalendarView::PointerMoved(int x, int y) {
    const GridLayout& L = Layout();
    const Size cell = L.CellPixels();
    if (cell.width == 0 || cell.height == 0) {
        cursor_.column = cursor_.row = -1;
        cursor_.half = 0;
        UpdateFooterLines();
        return true;
    }
    const auto margins = L.MarginPixels();
    const int64_t px = int64_t{x} - margins[0];
    const int64_t py = int64_t{y} - margins[1];
    const int column = static_cast<int>(px / cell.width);  // truncating toward zero
    const int row = static_cast<int>(py / cell.height);
    bool changed = column != cursor_.column || row != cursor_.row;
    int half = 0;
    if (IsSplitCell(column, row)) {
        // An odd cell height leaves one pixel row below the two halves: it belongs to the lower.
        half = std::min(1, static_cast<int>((py % cell.height) / (cell.height / 2)));
    }
    changed = changed || half != cursor_.half;
    cursor_.column = column;
    cursor_.row = row;
    cursor_.half = half;
    // Every move of the pointer comes here: the footer is made again only for another cell.
    if (changed) UpdateFooterLines();
    return changed;
}

bool CalendarView::MoveCursor(int dx, int dy) {
    const GridLayout& L = Layout();
    const CellClass from = HitTest();
    if (from.region != kRegionDate && L.SeveralMonths()) {
        // From no day: the middle of the middle month.
        const auto [year, month] = Blocks().MonthOf((L.months - 1) / 2);
        PlaceCursorOn(CalDate(year, month, 15));
        UpdateFooterLines();
        return false;
    }
    if (from.region != kRegionDate) {
        cursor_.column = L.leftColumns + 3;
        cursor_.row = L.topRows + (L.dateRows - 1) / 2;
        cursor_.half = 0;
        UpdateFooterLines();
        return false;
    }
    const int64_t serial = int64_t{from.date.Serial()} + dx + int64_t{7} * dy;
    const CalDate target = CalDate::FromSerial(static_cast<uint32_t>(
        std::clamp<int64_t>(serial, CalDate(kMinYear, 1, 1).Serial(), CalDate(kMaxYear, 12, 31).Serial())));
    const int year = shownYear_, month = shownMonth_;
    if (!PlaceCursorOn(target) && L.SeveralMonths()) {
        // Scrolled by as few months as bring the day in at the near end.
        const auto [firstYear, firstMonth] = FirstMonth();
        ShowFirst(FirstMonthShowing(L.months, firstYear, firstMonth, target));
        PlaceCursorOn(target);
    } else if (cursor_.column < 0) {
        const YearMonthDay ymd = target.Parts();
        // The two-month view shows a later day as its second month, so that it steps by one.
        const bool second = L.TwoMonths() && target > from.date;
        SetMonth(ymd.year, ymd.month - (second ? 1 : 0));
        PlaceCursorOn(target);
    }
    UpdateFooterLines();
    return year != shownYear_ || month != shownMonth_;
}

void CalendarView::StepMonthWithCursor(int delta) {
    const CellClass from = HitTest();
    // A year view moves by the cursor alone: it follows the day into another year.
    if (Layout().months != 12 || from.region != kRegionDate) StepMonth(delta);
    if (from.region != kRegionDate) return;
    const YearMonthDay ymd = from.date.Parts();
    const int64_t months = int64_t{ymd.year} * 12 + (ymd.month - 1) + delta;
    CalDate target = from.date;  // at either end of the years the day stays
    if (months >= int64_t{kMinYear} * 12 && months < int64_t{kMaxYear + 1} * 12) {
        const int year = static_cast<int>(months / 12), month = static_cast<int>(months % 12) + 1;
        target = CalDate(year, month, std::min(ymd.day, MonthLength(year, month)));
    }
    if (!PlaceCursorOn(target)) SelectDate(target);
    UpdateFooterLines();
}

bool CalendarView::ClickNavigation() {
    const GridLayout& L = Layout();
    const int year = shownYear_, month = shownMonth_;
    int delta = 0;
    if (L.SeveralMonths()) {
        // The first block's title row has the back button, the top row's last block's the
        // forward one.
        const MonthBlocks blocks = Blocks();
        if (cursor_.row == 0 && cursor_.column == blocks.weekColumns) delta = -ViewStep();
        else if (cursor_.row == 0 && cursor_.column == blocks.Columns() - 1) delta = ViewStep();
    } else if (L.design.header == kTopOneLine && cursor_.row == 0) {
        if (cursor_.column == L.leftColumns) delta = -1;
        else if (cursor_.column == L.leftColumns + 6) delta = 1;
    } else if (L.design.header == kLeftTwoLines && cursor_.row >= 0 && cursor_.row < L.TotalRows()) {
        if (cursor_.row == 4 && cursor_.column == 0) delta = -1;
        else if (cursor_.row == 4 && cursor_.column == 1) delta = 1;
        else if (cursor_.row == 5 && cursor_.column == 0) delta = -12;
        else if (cursor_.row == 5 && cursor_.column == 1) delta = 12;
    }
    if (delta == 0) {
        UpdateFooterLines();
        return false;
    }
    StepMonth(delta);
    return year != shownYear_ || month != shownMonth_;
}

}  // namespace tavoli
