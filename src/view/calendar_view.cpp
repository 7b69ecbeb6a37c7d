#include "view/calendar_view.h"

#include <algorithm>

#include "calendar/era.h"
#include "format/date_format.h"
#include "format/default_formats.h"
#include "framework/messages.h"
#include "framework/platform.h"
#include "holidays/day_kinds.h"
#include "view/image_drawing.h"

namespace tavoli {

namespace {

// 50 % to 1000 %: beyond what displays offer, short of sizes that overflow.
constexpr int kMinDpi = 48;
constexpr int kMaxDpi = 960;
constexpr int kMinYear = 1;
constexpr int kMaxYear = 3999;

int FloorMod(int64_t v, int m) {
    const int64_t r = v % m;
    return static_cast<int>(r < 0 ? r + m : r);
}

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

CalendarView::CalendarView(const CalendarDocument& document) : document_(document) {
    hoverFormat_ = ResolveText(kMonthTitleHoverFormat);
    titleBarFormat_ = ResolveText(kTitleBarFormat);
    today_ = Today(kLocalZone);
    const YearMonthDay ymd = today_.Parts();
    shownYear_ = ymd.year;
    shownMonth_ = ymd.month;
    SettingsChanged();
}

// ---- Settings and grid ----

void CalendarView::SettingsChanged() {
    static constexpr int kDateRows[3] = {6, 5, 10};
    static constexpr int kRightColumns[6] = {0, 0, 0, 3, 4, 0};
    static constexpr int kBottomRows[6] = {1, 2, 3, 0, 0, 0};
    const SettingsRecord& settings = Settings();
    // The same validation as for stored numbers: a value from anywhere cannot index the
    // tables here.
    const Design& d = settings.design;
    grid_.design = Design::FromValues(d.header, d.weekday, d.rows, d.footer);
    // A record filled by hand still keeps the bounds its fields have.
    grid_.cellSize = {BoundsOf(SettingField::kCellWidth).Clamp(settings.cellSize.width),
                      BoundsOf(SettingField::kCellHeight).Clamp(settings.cellSize.height)};
    grid_.firstDayOfWeek = FloorMod(settings.firstDayOfWeek, 7);
    grid_.dateRows = kDateRows[grid_.design.rows];
    grid_.leftColumns = (grid_.design.header == kLeftTwoLines ? 2 : 0) + (WeekNumbersShown() ? 1 : 0);
    grid_.topRows = (grid_.design.header == kTopOneLine ? 1 : 0) + (WeekdayIndexShown() ? 1 : 0);
    grid_.rightColumns = kRightColumns[grid_.design.footer];
    grid_.bottomRows = kBottomRows[grid_.design.footer];

    // The templates: format.txt's non-empty lines over the program's own.
    const std::vector<std::string>& lines = document_.formatLines;
    for (size_t i = 0; i < 4; ++i) {
        headerFormats_[i] = i < lines.size() && !lines[i].empty() ? lines[i] : ResolveText(kDefaultHeaderFormats[i]);
        footerFormats_[i] =
            i + 4 < lines.size() && !lines[i + 4].empty() ? lines[i + 4] : ResolveText(kDefaultFooterFormats[i]);
    }
    UpdateFooterLines();
}

std::string CalendarView::NamesOr(const std::string& names, const char* defaults) const {
    return names.empty() ? ResolveText(defaults) : names;
}

void CalendarView::SetBackgroundImageSize(int width, int height) {
    backgroundWidth_ = std::max(0, width);
    backgroundHeight_ = std::max(0, height);
}

ErrorValue CalendarView::UpdateBackground(std::string_view pattern, bool force) {
    // The grid as it is at 96 DPI, where the picture is kept.
    const int64_t width =
        int64_t{Settings().margins[0]} + Settings().margins[2] + int64_t{TotalColumns()} * grid_.cellSize.width;
    const int64_t height =
        int64_t{Settings().margins[1]} + Settings().margins[3] + int64_t{TotalRows()} * grid_.cellSize.height;
    const Size cover{Clamp(width, 0, 1 << 16), Clamp(height, 0, 1 << 16)};
    const ErrorValue error = background_.Update(pattern, shownMonth_, force, cover);
    SetBackgroundImageSize(background_.Picture().Width(), background_.Picture().Height());
    ScaleBackground();
    return error;
}

void CalendarView::ScaleBackground() {
    scaledPicture_ = dpi_ == kBaseDpi ? Image() : ScaleImage(background_.Picture(), dpi_, kBaseDpi);
}

void CalendarView::SetDpi(int dpi) {
    dpi = Clamp(dpi, kMinDpi, kMaxDpi);
    if (dpi == dpi_) return;
    dpi_ = dpi;
    ScaleBackground();
}

std::array<int, 4> CalendarView::MarginsAt(int dpi) const {
    constexpr int kMaxMarginPixels = 1 << 24;
    std::array<int, 4> margins = Settings().margins;
    for (int& margin : margins) margin = Clamp(ScaleToDpi(margin, dpi), -kMaxMarginPixels, kMaxMarginPixels);
    return margins;
}

Size CalendarView::ViewSizeAt(int dpi) const {
    dpi = Clamp(dpi, kMinDpi, kMaxDpi);
    const auto margins = MarginsAt(dpi);
    const Size cell{ScaleToDpi(grid_.cellSize.width, dpi), ScaleToDpi(grid_.cellSize.height, dpi)};
    const int64_t width = int64_t{margins[0]} + margins[2] + int64_t{TotalColumns()} * cell.width;
    const int64_t height = int64_t{margins[1]} + margins[3] + int64_t{TotalRows()} * cell.height;
    return {Clamp(std::max<int64_t>(width, ScaleToDpi(backgroundWidth_, dpi)), INT32_MIN, INT32_MAX),
            Clamp(std::max<int64_t>(height, ScaleToDpi(backgroundHeight_, dpi)), INT32_MIN, INT32_MAX)};
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
    cursorHalf_ = 0;
    SetMonth(shownYear_, static_cast<int>(
                             std::max<int64_t>(std::min<int64_t>(int64_t{shownMonth_} + delta, INT32_MAX), INT32_MIN)));
}

void CalendarView::GoToday() {
    today_ = Today(kLocalZone);
    const YearMonthDay ymd = today_.Parts();
    SetMonth(ymd.year, ymd.month);
}

CalDate CalendarView::DateAt(int dateColumn, int dateRow) const {
    return CellDate(shownYear_, shownMonth_, dateColumn, dateRow, grid_.firstDayOfWeek);
}

void CalendarView::SelectDate(CalDate date) {
    const YearMonthDay ymd = date.Parts();
    if (ymd.year != shownYear_ || ymd.month != shownMonth_) SetMonth(ymd.year, ymd.month);
    PlaceCursorOn(date);
    UpdateFooterLines();
}

bool CalendarView::PlaceCursorOn(CalDate date) {
    const int64_t d = int64_t{date - DateAt(0, 0)};
    cursorHalf_ = 0;
    cursorColumn_ = cursorRow_ = -1;
    if (d < 0 || d / 7 > grid_.dateRows) return false;
    cursorColumn_ = grid_.leftColumns + static_cast<int>(d % 7);
    if (d / 7 == grid_.dateRows) {
        // A week below the grid lies in the lower halves of split cells, or nowhere.
        cursorRow_ = grid_.topRows + grid_.dateRows - 1;
        cursorHalf_ = 1;
        if (!IsSplitCell(cursorColumn_, cursorRow_)) cursorColumn_ = cursorRow_ = -1, cursorHalf_ = 0;
    } else {
        cursorRow_ = grid_.topRows + static_cast<int>(d / 7);
    }
    const CellClass shown = HitTest();
    if (shown.region == kRegionDate && shown.date == date) return true;
    cursorColumn_ = cursorRow_ = -1;
    cursorHalf_ = 0;
    return false;
}

// ---- Cells ----

bool CalendarView::IsSplitCell(int column, int row) const {
    const int dc = column - grid_.leftColumns;
    const int dr = row - grid_.topRows;
    if (dc < 0 || dc > 6 || dr != grid_.dateRows - 1) return false;
    const YearMonthDay below = (DateAt(dc, dr) + 7).Parts();
    return below.year == shownYear_ && below.month == shownMonth_;
}

CellClass CalendarView::ClassifyCell(int column, int row, int half) const {
    const int dc = column - grid_.leftColumns;
    const int dr = row - grid_.topRows;
    CellClass result;
    if (dc < 0 || dr < 0) {
        result.region = kRegionHead;
        const bool title = grid_.design.header == kTopOneLine && row == 0 && dc >= 1 && dc <= 5;
        const bool monthBlock =
            grid_.design.header == kLeftTwoLines && column >= 0 && column <= 1 && row >= 0 && row <= 2;
        if (title || monthBlock) result.date = FirstOfShownMonth();
        return result;
    }
    if (dc < 7 && dr < grid_.dateRows) {
        const CalDate date = DateAt(dc, dr);
        const YearMonthDay ymd = date.Parts();
        const bool inMonth = ymd.year == shownYear_ && ymd.month == shownMonth_;
        const bool nextMonthOfTwo = grid_.dateRows > 8 && ymd.month == shownMonth_ % 12 + 1;
        if (ymd.year <= 0 || (!inMonth && !NeighbourDays() && !nextMonthOfTwo)) {
            result.region = kRegionBlank;
            return result;
        }
        result.region = kRegionDate;
        result.date = half == 1 ? date + 7 : date;
        return result;
    }
    if (dc < 7 + grid_.rightColumns && dr < grid_.dateRows + grid_.bottomRows) result.region = kRegionFoot;
    return result;
}

// ---- Cursor ----

bool CalendarView::PointerMoved(int x, int y) {
    const Size cell = CellPixels();
    if (cell.width == 0 || cell.height == 0) {
        cursorColumn_ = cursorRow_ = -1;
        cursorHalf_ = 0;
        UpdateFooterLines();
        return true;
    }
    const auto margins = MarginPixels();
    const int64_t px = int64_t{x} - margins[0];
    const int64_t py = int64_t{y} - margins[1];
    const int column = static_cast<int>(px / cell.width);  // truncating toward zero
    const int row = static_cast<int>(py / cell.height);
    bool changed = column != cursorColumn_ || row != cursorRow_;
    int half = 0;
    if (IsSplitCell(column, row)) {
        // An odd cell height leaves one pixel row below the two halves: it belongs to the lower.
        half = std::min(1, static_cast<int>((py % cell.height) / (cell.height / 2)));
    }
    changed = changed || half != cursorHalf_;
    cursorColumn_ = column;
    cursorRow_ = row;
    cursorHalf_ = half;
    // Every move of the pointer comes here: the footer is made again only for another cell.
    if (changed) UpdateFooterLines();
    return changed;
}

bool CalendarView::MoveCursor(int dx, int dy) {
    const CellClass from = HitTest();
    if (from.region != kRegionDate) {
        cursorColumn_ = grid_.leftColumns + 3;
        cursorRow_ = grid_.topRows + (grid_.dateRows - 1) / 2;
        cursorHalf_ = 0;
        UpdateFooterLines();
        return false;
    }
    const int64_t serial = int64_t{from.date.Serial()} + dx + int64_t{7} * dy;
    const CalDate target = CalDate::FromSerial(static_cast<uint32_t>(
        std::clamp<int64_t>(serial, CalDate(kMinYear, 1, 1).Serial(), CalDate(kMaxYear, 12, 31).Serial())));
    const int year = shownYear_, month = shownMonth_;
    if (!PlaceCursorOn(target)) {
        const YearMonthDay ymd = target.Parts();
        // The two-month view shows a later day as its second month, so that it steps by one.
        const bool second = grid_.dateRows > 8 && target > from.date;
        SetMonth(ymd.year, ymd.month - (second ? 1 : 0));
        PlaceCursorOn(target);
    }
    UpdateFooterLines();
    return year != shownYear_ || month != shownMonth_;
}

void CalendarView::StepMonthWithCursor(int delta) {
    const CellClass from = HitTest();
    StepMonth(delta);
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
    const int year = shownYear_, month = shownMonth_;
    int delta = 0;
    if (grid_.design.header == kTopOneLine && cursorRow_ == 0) {
        if (cursorColumn_ == grid_.leftColumns) delta = -1;
        else if (cursorColumn_ == grid_.leftColumns + 6) delta = 1;
    } else if (grid_.design.header == kLeftTwoLines && cursorRow_ >= 0 && cursorRow_ < TotalRows()) {
        if (cursorRow_ == 4 && cursorColumn_ == 0) delta = -1;
        else if (cursorRow_ == 4 && cursorColumn_ == 1) delta = 1;
        else if (cursorRow_ == 5 && cursorColumn_ == 0) delta = -12;
        else if (cursorRow_ == 5 && cursorColumn_ == 1) delta = 12;
    }
    if (delta == 0) {
        UpdateFooterLines();
        return false;
    }
    StepMonth(delta);
    return year != shownYear_ || month != shownMonth_;
}

}  // namespace tavoli
