#include "view/view_texts.h"

#include "view/calendar_view.h"

#include <algorithm>

#include "calendar/era.h"
#include "format/date_format.h"
#include "format/default_formats.h"
#include "framework/messages.h"
#include "framework/platform.h"
#include "memo/memo_lines.h"

namespace tavoli {

namespace {

const char* const kWeekdayFallback[7] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};

}  // namespace

std::string NamesOr(const std::string& names, const char* defaults) {
    return names.empty() ? ResolveText(defaults) : names;
}

std::string CalendarView::Format(const std::string& templ, CalDate date) const {
    return DateFormat(templ, date, NamesOr(Settings().eraList, kDefaultEraList));
}

void CalendarView::UpdateFooterLines() const {
    footerLines_.clear();
    const GridLayout& grid = Layout();
    if (grid.design.footer == kNoFooter) return;
    const CellClass hit = HitTest();
    if (hit.region == kRegionHead && !hit.date.IsNull()) {
        footerLines_.push_back(Format(hoverFormat_, hit.date));
        return;
    }
    if (hit.region != kRegionDate || hit.date.IsNull()) return;
    const CalDate d = hit.date;
    std::string names;
    for (const NameEntry& entry : document_.NamesOf(d)) {
        if (!names.empty()) names += ' ';
        names += entry.name;
    }
    // Each memo of the day bracketed, a long one by its beginning.
    std::string marked;
    for (const MemoStore::Entry* memo : document_.Memos().MemosOn(d))
        marked += (marked.empty() ? "[" : " [") + MemoBeginning(memo->text) + "]";
    const std::string both = !names.empty() && !marked.empty() ? names + " " + marked : names + marked;
    const std::array<std::string, 4>& footer = Texts().footer;
    size_t dateLines = 1;  // the lines of the templates, before the names
    switch (grid.design.footer) {
    case kBottomOneLine:
        footerLines_.push_back(Format(footer[0], d) + (both.empty() ? "" : " " + both));
        dateLines = 0;  // the one line is the last, which the appointments follow on
        break;
    case kBottomTwoLines: footerLines_ = {Format(footer[3], d), both}; break;
    case kBottomThreeLines: footerLines_ = {Format(footer[3], d), names, marked}; break;
    default:  // the right footers
        footerLines_ = {Format(footer[1], d), Format(footer[2], d), names, marked};
        dateLines = 2;
        break;
    }
    // A right footer beside several months has lines to spare: as many as beside one.
    const int rightLines = std::min(grid.dateRows, 10);
    PlaceAppointments(AppointmentsOn(d), dateLines,
                      static_cast<size_t>(grid.rightColumns > 0 ? rightLines : grid.bottomRows), footerLines_);
}

const std::vector<DayAppointment>& CalendarView::AppointmentsOn(CalDate date, bool texts) const {
    const GridLayout& grid = Layout();
    if (grid.SeveralMonths()) {
        const MonthBlocks blocks = Blocks();
        const auto [lastYear, lastMonth] = blocks.MonthOf(blocks.count - 1);
        document_.ExpandAppointments(CalDate(blocks.firstYear, blocks.firstMonth, 1),
                                     CalDate(lastYear, lastMonth, MonthLength(lastYear, lastMonth)));
        return document_.AppointmentsOn(date, texts);
    }
    // The last row's lower halves may fold in a sixth week.
    document_.ExpandAppointments(DateAt(0, 0), DateAt(6, grid.dateRows - 1) + 7);
    return document_.AppointmentsOn(date, texts);
}

std::string CalendarView::DayTipText() const {
    const CellClass hit = HitTest();
    if (hit.region != kRegionDate) return {};
    // As many as a tip shows on any screen.
    std::string tip;
    for (const MemoStore::Entry* memo : document_.Memos().MemosOn(hit.date))
        tip += (tip.empty() ? "" : "\r\n") + MemoLinesJoined(memo->text, "\r\n");
    for (const std::string& line : AppointmentLines(AppointmentsOn(hit.date), 30))
        tip += (tip.empty() ? "" : "\r\n") + line;
    return tip;
}

void PlaceAppointments(const std::vector<DayAppointment>& appointments, size_t dateLines, size_t capacity,
                       std::vector<std::string>& lines) {
    if (appointments.empty() || lines.empty()) return;
    // The lines the names and the memo leave empty, then those the footer has beyond them.
    std::vector<size_t> free;
    for (size_t i = std::max<size_t>(dateLines, 1); i < lines.size(); ++i) {
        if (lines[i].empty()) free.push_back(i);
    }
    for (size_t i = lines.size(); i < capacity; ++i) free.push_back(i);
    // None left: they follow on the last line, as many as the one line takes.
    if (free.empty()) {
        lines.back() += (lines.back().empty() ? "" : " ") + AppointmentLines(appointments, 1)[0];
        return;
    }
    const std::vector<std::string> texts = AppointmentLines(appointments, free.size());
    lines.resize(std::max(lines.size(), free[texts.size() - 1] + 1));
    for (size_t k = 0; k < texts.size(); ++k) lines[free[k]] = texts[k];
}

std::string WindowTitle(const SettingsRecord& settings, int year, int month, const CalDateTime& now) {
    return WindowTitle(settings, year, month, 1, now);
}

std::string WindowTitle(const SettingsRecord& settings, int year, int month, int count, const CalDateTime& now) {
    const std::string eras = NamesOr(settings.eraList, kDefaultEraList);
    const auto monthTitle = [&](int number) {
        return DateFormat(ResolveText(kTitleBarFormat), CalDate(number / 12, number % 12 + 1, 1), eras);
    };
    const int first = year * 12 + month - 1;
    std::string title = ApplicationTitle();
    if (settings.design.header == kTitleBar) {
        if (count == 12 && month == 1) title = DateFormat(ResolveText(kTitleBarYearFormat), CalDate(year, 1, 1), eras);
        else if (count > 2) title = FillText(kTitleBarRangeFormat, {monthTitle(first), monthTitle(first + count - 1)});
        else title = monthTitle(first);
    }
    if (settings.clock) title += " " + DateFormat(kTitleClockFormat, now, eras);
    return title;
}

std::vector<std::string> MonthAsText(int year, int month) {
    std::vector<std::string> lines;
    // The Japanese words where the code page holds them; elsewhere they would be question
    // marks, so the English ones stand in the same columns.
    const Platform& platform = CurrentPlatform();
    const std::string weekdays = platform.FromUtf8(kMonthTextWeekdays);
    const bool japanese = platform.ToUtf8(weekdays) == kMonthTextWeekdays;
    lines.push_back(DateFormat(japanese ? AnsiFromUtf8(kMonthTextTitleFormat) : kMonthTextEnglishTitleFormat,
                               CalDate(year, month, 1)));
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
            const CalDate date = CellDate(year, month, column, row, 0);
            const YearMonthDay ymd = date.Parts();
            if (ymd.year != year || ymd.month != month) {
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

std::vector<std::string> MonthsAsText(int firstYear, int firstMonth, int count, int perRow) {
    std::vector<std::string> lines;
    perRow = std::max(perRow, 1);
    for (int first = 0; first < count; first += perRow) {
        if (first > 0) lines.emplace_back();
        std::vector<std::vector<std::string>> months;
        size_t width = 0;
        for (int i = first; i < std::min(count, first + perRow); ++i) {
            const int number = firstYear * 12 + firstMonth - 1 + i;
            months.push_back(MonthAsText(number / 12, number % 12 + 1));
            for (const std::string& line : months.back()) width = std::max(width, line.size());
        }
        for (size_t k = 0; k < months.front().size(); ++k) {
            std::string line;
            for (size_t m = 0; m < months.size(); ++m) {
                if (m > 0) line += std::string(width - months[m - 1][k].size() + 2, ' ');
                line += months[m][k];
            }
            line.erase(line.find_last_not_of(' ') + 1);
            lines.push_back(std::move(line));
        }
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
    const GridLayout& grid = Layout();
    const Templates& texts = Texts();
    const std::vector<std::string>& footerLines = FooterLines();
    const int rows = grid.TotalRows();

    // A month's weekday row from a column, and its week numbers in a column from a row.
    const std::string weekdayNames = NamesOr(Settings().weekdayNames, kDefaultWeekdayNames);
    const auto weekdayRow = [&](int column, int row) {
        for (int j = 0; j < 7; ++j) {
            const int weekday = (j + grid.firstDayOfWeek) % 7;
            std::string name = WordOf(weekdayNames, weekday);
            if (name.empty()) name = kWeekdayFallback[weekday];
            add(column + j, row, column + j, row, name, FontRole::kSmall, TextBox::Color::kWeekdayKind).weekday =
                weekday;
        }
    };
    const auto weekNumber = [&](int column, int row, CalDate lastOfWeek) {
        const int week = WeekNumber(grid.firstDayOfWeek, Settings().baseDayOfWeek, lastOfWeek);
        add(column, row, column, row, "(" + std::to_string(week) + ")", FontRole::kSmall, TextBox::Color::kHeader);
    };

    if (grid.SeveralMonths()) {
        // Each block: its title (the first and the top row's last have the buttons beside
        // it), its weekday row, and the numbers of the weeks its month has days in.
        const MonthBlocks blocks = Blocks();
        for (int b = 0; b < blocks.count; ++b) {
            const int left = b % blocks.arrangement.columns * blocks.BlockColumns() + blocks.weekColumns;
            const int top = b / blocks.arrangement.columns * blocks.BlockRows();
            const auto [year, month] = blocks.MonthOf(b);
            const bool back = b == 0, forward = b == blocks.arrangement.columns - 1;
            TextBox& title = add(left, top, left + 6, top, Format(texts.header[0], CalDate(year, month, 1)),
                                 FontRole::kSmall, TextBox::Color::kHeader);
            title.paintFirstColumn = left + (back ? 1 : 0);
            title.paintLastColumn = left + (forward ? 5 : 6);
            if (back) add(left, top, left, top, "<<", FontRole::kSmall, TextBox::Color::kHeader, true);
            if (forward) add(left + 6, top, left + 6, top, ">>", FontRole::kSmall, TextBox::Color::kHeader, true);
            if (grid.WeekdayIndexShown()) weekdayRow(left, top + 1);
            if (!grid.WeekNumbersShown()) continue;
            const CalDate last(year, month, MonthLength(year, month));
            for (int r = 0; r < 6 && CellDate(year, month, 0, r, grid.firstDayOfWeek) <= last; ++r) {
                weekNumber(left - 1, top + blocks.headRows + r, CellDate(year, month, 6, r, grid.firstDayOfWeek));
            }
        }
    } else if (grid.design.header == kTopOneLine) {
        TextBox& title = add(grid.leftColumns, 0, grid.leftColumns + 6, 0, Format(texts.header[0], first),
                             FontRole::kSmall, TextBox::Color::kHeader);
        title.paintFirstColumn = grid.leftColumns + 1;  // the two ends are the buttons
        title.paintLastColumn = grid.leftColumns + 5;
        add(grid.leftColumns, 0, grid.leftColumns, 0, "<<", FontRole::kSmall, TextBox::Color::kHeader, true);
        add(grid.leftColumns + 6, 0, grid.leftColumns + 6, 0, ">>", FontRole::kSmall, TextBox::Color::kHeader, true);
    } else if (grid.design.header == kLeftTwoLines) {
        std::string name = WordOf(NamesOr(Settings().monthNames, kDefaultMonthNames), shownMonth_ - 1);
        if (name.empty()) name = std::to_string(shownMonth_);
        add(0, 0, 1, std::min(1, rows - 1), name, FontRole::kLarge, TextBox::Color::kHeader);
        const char* const buttons[2][2] = {{"<<", ">>"}, {"<=", "=>"}};
        for (int row = 2; row < 6 && row < rows; ++row) {
            if (row < 4) {
                add(0, row, 1, row, Format(texts.header[row], first), FontRole::kSmall, TextBox::Color::kHeader);
            } else {
                for (int column = 0; column < 2; ++column) {
                    add(column, row, column, row, buttons[row - 4][column], FontRole::kSmall, TextBox::Color::kHeader,
                        true);
                }
            }
        }
    }
    if (!grid.SeveralMonths()) {
        if (grid.WeekdayIndexShown()) weekdayRow(grid.leftColumns, grid.topRows - 1);
        for (int r = 0; grid.WeekNumbersShown() && r < grid.dateRows; ++r) {
            weekNumber(grid.leftColumns - 1, grid.topRows + r, DateAt(6, r));
        }
    }
    const CellClass hit = HitTest();
    if (!hit.date.IsNull()) {
        for (int k = 0; k < grid.bottomRows && k < static_cast<int>(footerLines.size()); ++k) {
            if (footerLines[static_cast<size_t>(k)].empty()) continue;
            const int row = grid.topRows + grid.dateRows + k;
            add(grid.leftColumns, row, grid.leftColumns + grid.dateColumns - 1, row,
                footerLines[static_cast<size_t>(k)], FontRole::kSmall, TextBox::Color::kFooter);
        }
    }
    if (hit.region == kRegionDate && grid.rightColumns > 0) {
        for (int k = 0; k < static_cast<int>(footerLines.size()) && k < grid.dateRows; ++k) {
            if (footerLines[static_cast<size_t>(k)].empty()) continue;
            const int row = grid.topRows + k;
            add(grid.leftColumns + grid.dateColumns, row, grid.leftColumns + grid.dateColumns + grid.rightColumns - 1,
                row, footerLines[static_cast<size_t>(k)], FontRole::kSmall, TextBox::Color::kFooter);
        }
    }
    return boxes;
}

}  // namespace tavoli
