#include "view/calendar_view.h"

#include <algorithm>

#include "calendar/era.h"
#include "format/date_format.h"
#include "format/default_formats.h"
#include "framework/messages.h"
#include "framework/platform.h"

namespace tavoli {

namespace {

const char* const kWeekdayFallback[7] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};

}  // namespace

std::string CalendarView::Format(const std::string& templ, CalDate date) const {
    return DateFormat(templ, date, NamesOr(Settings().eraList, kDefaultEraList));
}

void CalendarView::UpdateFooterLines() {
    footerLines_.clear();
    if (grid_.design.footer == kNoFooter) return;
    const CellClass hit = HitTest();
    if (hit.region == kRegionHead && !hit.date.IsNull()) {
        footerLines_.push_back(Format(hoverFormat_, FirstOfShownMonth()));
        return;
    }
    if (hit.region != kRegionDate || hit.date.IsNull()) return;
    const CalDate d = hit.date;
    std::string names;
    for (const NameEntry& entry : document_.NamesOf(d)) {
        if (!names.empty()) names += ' ';
        names += entry.name;
    }
    const std::string memo = document_.memos.MemoOf(d);
    const std::string marked = memo.empty() ? std::string() : "[" + memo + "]";
    const std::string both = !names.empty() && !marked.empty() ? names + " " + marked : names + marked;
    switch (grid_.design.footer) {
    case kBottomOneLine: footerLines_.push_back(Format(footerFormats_[0], d) + (both.empty() ? "" : " " + both)); break;
    case kBottomTwoLines: footerLines_ = {Format(footerFormats_[3], d), both}; break;
    case kBottomThreeLines: footerLines_ = {Format(footerFormats_[3], d), names, marked}; break;
    default:  // the right footers
        footerLines_ = {Format(footerFormats_[1], d), Format(footerFormats_[2], d), names, marked};
        break;
    }
}

std::string CalendarView::WindowTitle(const CalDateTime& now) const {
    std::string title =
        grid_.design.header == kTitleBar ? Format(titleBarFormat_, FirstOfShownMonth()) : ApplicationTitle();
    if (Clock()) title += " " + DateFormat(kTitleClockFormat, now, NamesOr(Settings().eraList, kDefaultEraList));
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

    if (grid_.design.header == kTopOneLine) {
        TextBox& title = add(grid_.leftColumns, 0, grid_.leftColumns + 6, 0, Format(headerFormats_[0], first),
                             FontRole::kSmall, TextBox::Color::kHeader);
        title.paintFirstColumn = grid_.leftColumns + 1;  // the two ends are the buttons
        title.paintLastColumn = grid_.leftColumns + 5;
        add(grid_.leftColumns, 0, grid_.leftColumns, 0, "<<", FontRole::kSmall, TextBox::Color::kHeader, true);
        add(grid_.leftColumns + 6, 0, grid_.leftColumns + 6, 0, ">>", FontRole::kSmall, TextBox::Color::kHeader, true);
    } else if (grid_.design.header == kLeftTwoLines) {
        std::string name = WordOf(NamesOr(Settings().monthNames, kDefaultMonthNames), shownMonth_ - 1);
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
        const std::string weekdayNames = NamesOr(Settings().weekdayNames, kDefaultWeekdayNames);
        const int row = grid_.topRows - 1;
        for (int j = 0; j < 7; ++j) {
            const int weekday = (j + grid_.firstDayOfWeek) % 7;
            std::string name = WordOf(weekdayNames, weekday);
            if (name.empty()) name = kWeekdayFallback[weekday];
            add(grid_.leftColumns + j, row, grid_.leftColumns + j, row, name, FontRole::kSmall,
                TextBox::Color::kWeekdayKind)
                .weekday = weekday;
        }
    }
    if (WeekNumbersShown()) {
        const int column = grid_.leftColumns - 1;
        for (int r = 0; r < grid_.dateRows; ++r) {
            const int week = WeekNumber(grid_.firstDayOfWeek, BaseDayOfWeek(), DateAt(6, r));
            add(column, grid_.topRows + r, column, grid_.topRows + r, "(" + std::to_string(week) + ")",
                FontRole::kSmall, TextBox::Color::kHeader);
        }
    }
    const CellClass hit = HitTest();
    if (!hit.date.IsNull()) {
        for (int k = 0; k < grid_.bottomRows && k < static_cast<int>(footerLines_.size()); ++k) {
            if (footerLines_[static_cast<size_t>(k)].empty()) continue;
            const int row = grid_.topRows + grid_.dateRows + k;
            add(grid_.leftColumns, row, grid_.leftColumns + 6, row, footerLines_[static_cast<size_t>(k)],
                FontRole::kSmall, TextBox::Color::kFooter);
        }
    }
    if (hit.region == kRegionDate && grid_.rightColumns > 0) {
        for (int k = 0; k < static_cast<int>(footerLines_.size()) && k < grid_.dateRows; ++k) {
            if (footerLines_[static_cast<size_t>(k)].empty()) continue;
            const int row = grid_.topRows + k;
            add(grid_.leftColumns + 7, row, grid_.leftColumns + 6 + grid_.rightColumns, row,
                footerLines_[static_cast<size_t>(k)], FontRole::kSmall, TextBox::Color::kFooter);
        }
    }
    return boxes;
}

}  // namespace tavoli
