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

constexpr int kMinCellSize = 8;
constexpr int kMaxCellSize = 256;
// 50 % to 1000 %: beyond what displays offer, short of sizes that overflow.
constexpr int kMinDpi = 48;
constexpr int kMaxDpi = 960;
constexpr int kMinYear = 1;
constexpr int kMaxYear = 3999;

const char* const kWeekdayFallback[7] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};

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

CalendarView::CalendarView() {
    for (int i = 0; i < 4; ++i) {
        headerFormats_[static_cast<size_t>(i)] = ResolveText(kDefaultHeaderFormats[i]);
        footerFormats_[static_cast<size_t>(i)] = ResolveText(kDefaultFooterFormats[i]);
    }
    hoverFormat_ = ResolveText(kMonthTitleHoverFormat);
    titleBarFormat_ = ResolveText(kTitleBarFormat);
    weekdayNames_ = ResolveText(kDefaultWeekdayNames);
    monthNames_ = ResolveText(kDefaultMonthNames);
    eraList_ = ResolveText(kDefaultEraList);

    today_ = Today(kLocalZone);
    const YearMonthDay ymd = today_.Parts();
    SetMonth(ymd.year, ymd.month);
    style_.countDown.target = today_;
    UpdateGrid();
}

// ---- Design and grid ----

void CalendarView::SetDesign(const Design& design) {
    // The same validation as for stored numbers: a value cast from elsewhere cannot index
    // the tables below.
    design_ = Design::FromValues(design.header, design.weekday, design.rows, design.footer);
    UpdateGrid();
}

void CalendarView::SetHeaderStyle(HeaderStyle style) {
    Design design = design_;
    design.header = style;
    SetDesign(design);
}

void CalendarView::SetWeekdayStyle(WeekdayStyle style) {
    Design design = design_;
    design.weekday = style;
    SetDesign(design);
}

void CalendarView::SetRowsStyle(RowsStyle style) {
    Design design = design_;
    design.rows = style;
    SetDesign(design);
}

void CalendarView::SetFooterStyle(FooterStyle style) {
    Design design = design_;
    design.footer = style;
    SetDesign(design);
}

void CalendarView::UpdateGrid() {
    static constexpr int kDateRows[3] = {6, 5, 10};
    static constexpr int kRightColumns[6] = {0, 0, 0, 3, 4, 0};
    static constexpr int kBottomRows[6] = {1, 2, 3, 0, 0, 0};
    dateRows_ = kDateRows[design_.rows];
    leftColumns_ = (design_.header == kLeftTwoLines ? 2 : 0) + (WeekNumbersShown() ? 1 : 0);
    topRows_ = (design_.header == kTopOneLine ? 1 : 0) + (WeekdayIndexShown() ? 1 : 0);
    rightColumns_ = kRightColumns[design_.footer];
    bottomRows_ = kBottomRows[design_.footer];
    UpdateFooterLines();
}

void CalendarView::SetCellSize(int width, int height) {
    cellWidth_ = Clamp(width, kMinCellSize, kMaxCellSize);
    cellHeight_ = Clamp(height, kMinCellSize, kMaxCellSize);
}

void CalendarView::SetMargins(int left, int top, int right, int bottom) {
    marginLeft_ = left;
    marginTop_ = top;
    marginRight_ = right;
    marginBottom_ = bottom;
}

void CalendarView::SetFirstDayOfWeek(int weekday) {
    firstDayOfWeek_ = FloorMod(weekday, 7);
    UpdateFooterLines();
}

void CalendarView::SetBaseDayOfWeek(int weekday) { baseDayOfWeek_ = weekday; }

void CalendarView::SetNeighbourDays(bool on) {
    neighbourDays_ = on;
    UpdateFooterLines();
}

void CalendarView::SetFormats(const std::vector<std::string>& lines) {
    for (size_t i = 0; i < lines.size() && i < 8; ++i) {
        if (lines[i].empty()) continue;
        (i < 4 ? headerFormats_[i] : footerFormats_[i - 4]) = lines[i];
    }
    UpdateFooterLines();
}

void CalendarView::SetNames(const std::string& weekdayNames, const std::string& monthNames,
                            const std::string& eraList) {
    if (!weekdayNames.empty()) weekdayNames_ = weekdayNames;
    if (!monthNames.empty()) monthNames_ = monthNames;
    if (!eraList.empty()) eraList_ = eraList;
    UpdateFooterLines();
}

void CalendarView::SetBackgroundImageSize(int width, int height) {
    backgroundWidth_ = std::max(0, width);
    backgroundHeight_ = std::max(0, height);
}

ErrorValue CalendarView::UpdateBackground(std::string_view pattern, bool force) {
    const ErrorValue error = background_.Update(pattern, shownMonth_, force);
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
    ReleaseBuffers();
}

void CalendarView::ReleaseBuffers() const {
    buffers_.cellSurface.Free();
    buffers_.glyphs.Release();
    buffers_.glyphCache.Clear();
    dayKinds_.Clear();
}

void CalendarView::SetCaching(bool on) {
    caching_ = on;
    buffers_.glyphCache.Clear();
    dayKinds_.Clear();
}

std::string CalendarView::KindOfDay(CalDate date) const {
    if (!caching_) return KindOf(script_, date);
    dayKinds_.Cover(shownYear_, shownMonth_);
    return dayKinds_.KindOf(script_, date);
}

std::vector<NameEntry> CalendarView::NamesOfDay(CalDate date) const {
    if (!caching_) return NamesOf(script_, date);
    dayKinds_.Cover(shownYear_, shownMonth_);
    return dayKinds_.NamesOf(script_, date);
}

std::array<int, 4> CalendarView::MarginsAt(int dpi) const {
    constexpr int kMaxMarginPixels = 1 << 24;
    std::array<int, 4> margins = {marginLeft_, marginTop_, marginRight_, marginBottom_};
    for (int& margin : margins) margin = Clamp(ScaleToDpi(margin, dpi), -kMaxMarginPixels, kMaxMarginPixels);
    return margins;
}

Size CalendarView::ViewSizeAt(int dpi) const {
    dpi = Clamp(dpi, kMinDpi, kMaxDpi);
    const auto margins = MarginsAt(dpi);
    const Size cell{ScaleToDpi(cellWidth_, dpi), ScaleToDpi(cellHeight_, dpi)};
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
    return CellDate(shownYear_, shownMonth_, dateColumn, dateRow, firstDayOfWeek_);
}

void CalendarView::SelectDate(CalDate date) {
    const YearMonthDay ymd = date.Parts();
    if (ymd.year != shownYear_ || ymd.month != shownMonth_) SetMonth(ymd.year, ymd.month);
    const int32_t d = date - DateAt(0, 0);
    cursorHalf_ = 0;
    if (d < 0 || d / 7 > dateRows_) {
        cursorColumn_ = cursorRow_ = -1;
    } else if (d / 7 == dateRows_) {
        cursorColumn_ = leftColumns_ + d % 7;
        cursorRow_ = topRows_ + dateRows_ - 1;
        cursorHalf_ = 1;
        if (!IsSplitCell(cursorColumn_, cursorRow_)) cursorColumn_ = cursorRow_ = -1, cursorHalf_ = 0;
    } else {
        cursorColumn_ = leftColumns_ + d % 7;
        cursorRow_ = topRows_ + d / 7;
    }
    UpdateFooterLines();
}

// ---- Cells ----

bool CalendarView::IsSplitCell(int column, int row) const {
    const int dc = column - leftColumns_;
    const int dr = row - topRows_;
    if (dc < 0 || dc > 6 || dr != dateRows_ - 1) return false;
    const YearMonthDay below = (DateAt(dc, dr) + 7).Parts();
    return below.year == shownYear_ && below.month == shownMonth_;
}

bool CalendarView::InDateArea(int column, int row) const {
    const int dc = column - leftColumns_;
    const int dr = row - topRows_;
    return dc >= 0 && dc < 7 && dr >= 0 && dr < dateRows_;
}

CellClass CalendarView::ClassifyCell(int column, int row, int half) const {
    const int dc = column - leftColumns_;
    const int dr = row - topRows_;
    CellClass result;
    if (dc < 0 || dr < 0) {
        result.region = kRegionHead;
        const bool title = design_.header == kTopOneLine && row == 0 && dc >= 1 && dc <= 5;
        const bool monthBlock = design_.header == kLeftTwoLines && column >= 0 && column <= 1 && row >= 0 && row <= 2;
        if (title || monthBlock) result.date = FirstOfShownMonth();
        return result;
    }
    if (dc < 7 && dr < dateRows_) {
        const CalDate date = DateAt(dc, dr);
        const YearMonthDay ymd = date.Parts();
        const bool inMonth = ymd.year == shownYear_ && ymd.month == shownMonth_;
        const bool nextMonthOfTwo = dateRows_ > 8 && ymd.month == shownMonth_ % 12 + 1;
        if (ymd.year <= 0 || (!inMonth && !neighbourDays_ && !nextMonthOfTwo)) {
            result.region = kRegionBlank;
            return result;
        }
        result.region = kRegionDate;
        result.date = half == 1 ? date + 7 : date;
        return result;
    }
    if (dc < 7 + rightColumns_ && dr < dateRows_ + bottomRows_) result.region = kRegionFoot;
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
    UpdateFooterLines();
    return changed;
}

bool CalendarView::MoveCursor(int dx, int dy) {
    if (!InDateArea(cursorColumn_, cursorRow_)) {
        cursorColumn_ = leftColumns_ + 3;
        cursorRow_ = topRows_ + (dateRows_ - 1) / 2;
        cursorHalf_ = 0;
    } else if (dx == 0 && IsSplitCell(cursorColumn_, cursorRow_) &&
               ((dy > 0 && cursorHalf_ == 0) || (dy < 0 && cursorHalf_ == 1))) {
        cursorHalf_ = dy > 0 ? 1 : 0;
    } else {
        cursorColumn_ = Clamp(int64_t{cursorColumn_} + dx, leftColumns_, leftColumns_ + 6);
        cursorRow_ = Clamp(int64_t{cursorRow_} + dy, topRows_, topRows_ + dateRows_ - 1);
        if (!IsSplitCell(cursorColumn_, cursorRow_)) cursorHalf_ = 0;
    }
    UpdateFooterLines();
    return true;
}

bool CalendarView::ClickNavigation() {
    const int year = shownYear_, month = shownMonth_;
    int delta = 0;
    if (design_.header == kTopOneLine && cursorRow_ == 0) {
        if (cursorColumn_ == leftColumns_) delta = -1;
        else if (cursorColumn_ == leftColumns_ + 6) delta = 1;
    } else if (design_.header == kLeftTwoLines && cursorRow_ >= 0 && cursorRow_ < TotalRows()) {
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

// ---- Texts ----

std::string CalendarView::Format(const std::string& templ, CalDate date) const {
    return DateFormat(templ, date, eraList_);
}

void CalendarView::UpdateFooterLines() {
    footerLines_.clear();
    if (design_.footer == kNoFooter) return;
    const CellClass hit = HitTest();
    if (hit.region == kRegionHead && !hit.date.IsNull()) {
        footerLines_.push_back(Format(hoverFormat_, FirstOfShownMonth()));
        return;
    }
    if (hit.region != kRegionDate || hit.date.IsNull()) return;
    const CalDate d = hit.date;
    std::string names;
    for (const NameEntry& entry : NamesOfDay(d)) {
        if (!names.empty()) names += ' ';
        names += entry.name;
    }
    const std::string memo = memos_.MemoOf(d);
    const std::string marked = memo.empty() ? std::string() : "[" + memo + "]";
    const std::string both = !names.empty() && !marked.empty() ? names + " " + marked : names + marked;
    switch (design_.footer) {
    case kBottomOneLine: footerLines_.push_back(Format(footerFormats_[0], d) + (both.empty() ? "" : " " + both)); break;
    case kBottomTwoLines: footerLines_ = {Format(footerFormats_[3], d), both}; break;
    case kBottomThreeLines: footerLines_ = {Format(footerFormats_[3], d), names, marked}; break;
    default:  // the right footers
        footerLines_ = {Format(footerFormats_[1], d), Format(footerFormats_[2], d), names, marked};
        break;
    }
}

std::string CalendarView::WindowTitle(const CalDateTime& now) const {
    std::string title = design_.header == kTitleBar ? Format(titleBarFormat_, FirstOfShownMonth()) : ApplicationTitle();
    if (clock_) title += " " + DateFormat(kTitleClockFormat, now, eraList_);
    return title;
}

std::vector<std::string> CalendarView::MonthAsText() const {
    std::vector<std::string> lines;
    // The Japanese words where the code page holds them; elsewhere they would be question
    // marks, so the English ones stand in the same columns.
    const Platform& platform = CurrentPlatform();
    const std::string weekdays = platform.FromUtf8(kMonthTextWeekdays);
    const bool japanese = platform.ToUtf8(weekdays) == kMonthTextWeekdays;
    lines.push_back(
        DateFormat(japanese ? AnsiFromUtf8(kMonthTextTitleFormat) : kMonthTextEnglishTitleFormat, FirstOfShownMonth()));
    lines.push_back(japanese ? weekdays : kMonthTextEnglishWeekdays);
    // Days 1 … 9 as full-width digits where the code page writes them in two bytes;
    // elsewhere a blank and the digit keep each day at bytes 3i and 3i + 1.
    static const char* const kFullWidthDigits[10] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
    std::string digits[10];
    for (int i = 0; i < 10; ++i) {
        digits[i] = AnsiFromUtf8(kFullWidthDigits[i]);
        if (digits[i].size() != 2) digits[i] = std::string(" ") + static_cast<char>('0' + i);
    }
    for (int row = 0; row < 6; ++row) {
        std::string line;
        for (int column = 0; column < 7; ++column) {
            if (column > 0) line += ' ';
            const CalDate date = CellDate(shownYear_, shownMonth_, column, row, 0);
            const YearMonthDay ymd = date.Parts();
            if (ymd.year != shownYear_ || ymd.month != shownMonth_) {
                line += "  ";
            } else if (ymd.day < 10) {
                line += digits[ymd.day];
            } else {
                line += std::to_string(ymd.day);
            }
        }
        lines.push_back(line);
    }
    return lines;
}

std::vector<TextBox> CalendarView::TextBoxes() const {
    std::vector<TextBox> boxes;
    auto add = [&](int firstColumn, int firstRow, int lastColumn, int lastRow, std::string text, FontRole font,
                   TextBox::Color color, bool button = false) -> TextBox& {
        TextBox box;
        box.firstColumn = box.paintFirstColumn = firstColumn;
        box.lastColumn = box.paintLastColumn = lastColumn;
        box.firstRow = firstRow;
        box.lastRow = lastRow;
        box.text = std::move(text);
        box.font = font;
        box.color = color;
        box.button = button;
        boxes.push_back(box);
        return boxes.back();
    };
    const CalDate first = FirstOfShownMonth();
    const int rows = TotalRows();

    if (design_.header == kTopOneLine) {
        TextBox& title = add(leftColumns_, 0, leftColumns_ + 6, 0, Format(headerFormats_[0], first), FontRole::kSmall,
                             TextBox::Color::kHeader);
        title.paintFirstColumn = leftColumns_ + 1;  // the two ends are the buttons
        title.paintLastColumn = leftColumns_ + 5;
        add(leftColumns_, 0, leftColumns_, 0, "<<", FontRole::kSmall, TextBox::Color::kHeader, true);
        add(leftColumns_ + 6, 0, leftColumns_ + 6, 0, ">>", FontRole::kSmall, TextBox::Color::kHeader, true);
    } else if (design_.header == kLeftTwoLines) {
        std::string name = WordOf(monthNames_, shownMonth_ - 1);
        if (name.empty()) name = std::to_string(shownMonth_);
        add(0, 0, 1, std::min(1, rows - 1), name, FontRole::kLarge, TextBox::Color::kHeader);
        const char* const buttons[2][2] = {{"<<", ">>"}, {"<=", "=>"}};
        for (int row = 2; row < 6 && row < rows; ++row) {
            if (row < 4) {
                add(0, row, 1, row, Format(headerFormats_[row], first), FontRole::kSmall, TextBox::Color::kHeader);
            } else {
                for (int column = 0; column < 2; ++column) {
                    add(column, row, column, row, buttons[row - 4][column], FontRole::kSmall, TextBox::Color::kHeader,
                        true);
                }
            }
        }
    }
    if (WeekdayIndexShown()) {
        const int row = topRows_ - 1;
        for (int j = 0; j < 7; ++j) {
            const int weekday = (j + firstDayOfWeek_) % 7;
            std::string name = WordOf(weekdayNames_, weekday);
            if (name.empty()) name = kWeekdayFallback[weekday];
            add(leftColumns_ + j, row, leftColumns_ + j, row, name, FontRole::kSmall, TextBox::Color::kWeekdayKind)
                .weekday = weekday;
        }
    }
    if (WeekNumbersShown()) {
        const int column = leftColumns_ - 1;
        for (int r = 0; r < dateRows_; ++r) {
            const int week = WeekNumber(firstDayOfWeek_, baseDayOfWeek_, DateAt(6, r));
            add(column, topRows_ + r, column, topRows_ + r, "(" + std::to_string(week) + ")", FontRole::kSmall,
                TextBox::Color::kHeader);
        }
    }
    const CellClass hit = HitTest();
    if (!hit.date.IsNull()) {
        for (int k = 0; k < bottomRows_ && k < static_cast<int>(footerLines_.size()); ++k) {
            if (footerLines_[static_cast<size_t>(k)].empty()) continue;
            const int row = topRows_ + dateRows_ + k;
            add(leftColumns_, row, leftColumns_ + 6, row, footerLines_[static_cast<size_t>(k)], FontRole::kSmall,
                TextBox::Color::kFooter);
        }
    }
    if (hit.region == kRegionDate && rightColumns_ > 0) {
        for (int k = 0; k < static_cast<int>(footerLines_.size()) && k < dateRows_; ++k) {
            if (footerLines_[static_cast<size_t>(k)].empty()) continue;
            const int row = topRows_ + k;
            add(leftColumns_ + 7, row, leftColumns_ + 6 + rightColumns_, row, footerLines_[static_cast<size_t>(k)],
                FontRole::kSmall, TextBox::Color::kFooter);
        }
    }
    return boxes;
}

}  // namespace tavoli
