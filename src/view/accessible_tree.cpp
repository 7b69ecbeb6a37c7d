#include "view/accessible_tree.h"

#include <algorithm>
#include <array>

#include "format/default_formats.h"
#include "framework/lang_text.h"
#include "holidays/day_kinds.h"
#include "memo/memo_lines.h"

namespace tavoli {

namespace {

// Spoken, not painted: whole words where the grid shows abbreviations, which readers
// would spell out letter by letter.
// clang-format off
#define TAVOLI_SPOKEN_MONTH \
    "%M{1=\"January\",2=\"February\",3=\"March\",4=\"April\",5=\"May\",6=\"June\",7=\"July\",8=\"August\"," \
    "9=\"September\",10=\"October\",11=\"November\",12=\"December\"}"
const char* const kSpokenDate =
    "%W{0=\"Sunday\",1=\"Monday\",2=\"Tuesday\",3=\"Wednesday\",4=\"Thursday\",5=\"Friday\",6=\"Saturday\"}, "
    "%D " TAVOLI_SPOKEN_MONTH " %Y"
    "\tja:%Y年%M月%D日 %W{0=\"日曜日\",1=\"月曜日\",2=\"火曜日\",3=\"水曜日\",4=\"木曜日\",5=\"金曜日\",6=\"土曜日\"}";
const char* const kSpokenMonth = TAVOLI_SPOKEN_MONTH " %Y\tja:%Y年%M月";
// clang-format on
#undef TAVOLI_SPOKEN_MONTH
const char* const kWeekdayWords =
    "Sunday Monday Tuesday Wednesday Thursday Friday Saturday\tja:日曜日 月曜日 火曜日 水曜日 木曜日 金曜日 土曜日";
// Between the parts of a name: readers pause at a comma.
const char* const kSeparator = ", \tja: ";
const char* const kToday = "today\tja:今日";
const char* const kMemo = "memo: \tja:メモ：";
const char* const kWeekBefore = "week \tja:第";
const char* const kWeekAfter = "\tja:週";
const char* const kPress = "Press\tja:押す";
const char* const kEditMemo = "Edit memo\tja:メモを編集";

const char* ButtonName(int monthStep) {
    switch (monthStep) {
    case -12: return "Previous year\tja:前の年";
    case -1: return "Previous month\tja:前の月";
    case 1: return "Next month\tja:次の月";
    case -3:
    case -6: return "Previous months\tja:前の期間";
    case 3:
    case 6: return "Next months\tja:次の期間";
    default: return "Next year\tja:次の年";
    }
}

const char* KindName(DayKind kind) {
    switch (kind) {
    case DayKind::kSemiHoliday: return "semi-holiday\tja:半休日";
    case DayKind::kHoliday: return "holiday\tja:休日";
    case DayKind::kNationalHoliday: return "national holiday\tja:祝日";
    case DayKind::kAnniversary: return "anniversary\tja:記念日";
    default: return nullptr;  // a normal day, or a kind the calendar paints as one
    }
}

void Append(std::string& text, const std::string& part) {
    if (part.empty()) return;
    if (!text.empty()) text += ResolveText(kSeparator);
    text += part;
}

}  // namespace

AccessibleTree::AccessibleTree(const CalendarView& view) : view_(view) {
    if (view.Layout().SeveralMonths()) {
        AddBlocks();
        return;
    }
    AddHeader();
    AddWeekdays();
    AddDays();
}

Rect AccessibleTree::CellsRect(int firstColumn, int firstRow, int lastColumn, int lastRow) const {
    const auto margins = view_.Layout().MarginPixels();
    const Size cell = view_.Layout().CellPixels();
    return {margins[0] + firstColumn * cell.width, margins[1] + firstRow * cell.height,
            margins[0] + (lastColumn + 1) * cell.width, margins[1] + (lastRow + 1) * cell.height};
}

AccessibleItem& AccessibleTree::Add(AccessibleRole role, int firstColumn, int firstRow, int lastColumn, int lastRow) {
    AccessibleItem item;
    item.role = role;
    item.firstColumn = firstColumn;
    item.lastColumn = lastColumn;
    item.firstRow = firstRow;
    item.lastRow = lastRow;
    item.rect = CellsRect(firstColumn, firstRow, lastColumn, lastRow);
    const bool underCursor = item.Covers(view_.CursorColumn(), view_.CursorRow(), view_.CursorHalf());
    if (role == AccessibleRole::kPushButton && underCursor) {
        item.states = kAccessibleHotTracked;
        if (view_.Pressed()) item.states |= kAccessiblePressed;
    }
    items_.push_back(item);
    return items_.back();
}

// The navigation buttons and the month title, where the header style has them; the cells
// the view steps the month for and hovers the title on.
void AccessibleTree::AddHeader() {
    const int left = view_.Layout().leftColumns;
    const CalDate first = view_.FirstOfShownMonth();
    if (view_.Layout().design.header == kTopOneLine) {
        Add(AccessibleRole::kPushButton, left, 0, left, 0).monthStep = -1;
        Add(AccessibleRole::kStaticText, left + 1, 0, left + 5, 0).date = first;
        Add(AccessibleRole::kPushButton, left + 6, 0, left + 6, 0).monthStep = 1;
    } else if (view_.Layout().design.header == kLeftTwoLines) {
        const int rows = view_.Layout().TotalRows();
        Add(AccessibleRole::kStaticText, 0, 0, 1, std::min(3, rows - 1)).date = first;
        const int steps[2][2] = {{-1, 1}, {-12, 12}};
        for (int row = 4; row < 6 && row < rows; ++row) {
            for (int column = 0; column < 2; ++column) {
                Add(AccessibleRole::kPushButton, column, row, column, row).monthStep = steps[row - 4][column];
            }
        }
    }
}

void AccessibleTree::AddWeekdays() {
    if (!view_.Layout().WeekdayIndexShown()) return;
    const int row = view_.Layout().topRows - 1;
    for (int j = 0; j < 7; ++j) {
        const int column = view_.Layout().leftColumns + j;
        Add(AccessibleRole::kColumnHeader, column, row, column, row).weekday = (j + view_.Layout().firstDayOfWeek) % 7;
    }
}

void AccessibleTree::AddDay(int column, int row, int half) {
    const CellClass cell = view_.ClassifyCell(column, row, half < 0 ? 0 : half);
    if (cell.region != kRegionDate) return;
    AccessibleItem& item = Add(AccessibleRole::kCell, column, row, column, row);
    item.date = cell.date;
    item.half = half;
    item.states = kAccessibleFocusable | kAccessibleSelectable;
    if (item.Covers(view_.CursorColumn(), view_.CursorRow(), view_.CursorHalf())) {
        item.states |= kAccessibleFocused | kAccessibleSelected;
    }
    if (half >= 0) {
        // The pointer takes an odd cell height's last pixel row for the lower half.
        const int halfHeight = view_.Layout().CellPixels().height / 2;
        if (half == 0) item.rect.bottom = item.rect.top + halfHeight;
        else item.rect.top += halfHeight;
    }
}

void AccessibleTree::AddBlocks() {
    const GridLayout& layout = view_.Layout();
    const MonthBlocks blocks = view_.Blocks();
    const int step = view_.ViewStep(), last = blocks.Columns() - 1;
    Add(AccessibleRole::kPushButton, blocks.weekColumns, 0, blocks.weekColumns, 0).monthStep = -step;
    Add(AccessibleRole::kPushButton, last, 0, last, 0).monthStep = step;
    for (int b = 0; b < blocks.count; ++b) {
        const int left = b % blocks.arrangement.columns * blocks.BlockColumns();
        const int top = b / blocks.arrangement.columns * blocks.BlockRows();
        const auto [year, month] = blocks.MonthOf(b);
        Add(AccessibleRole::kGrouping, left, top, left + blocks.BlockColumns() - 1, top + blocks.BlockRows() - 1).date =
            CalDate(year, month, 1);
        const int days = left + blocks.weekColumns, weeks = top + blocks.headRows;
        for (int j = 0; layout.WeekdayIndexShown() && j < 7; ++j) {
            Add(AccessibleRole::kColumnHeader, days + j, top + 1, days + j, top + 1).weekday =
                (j + layout.firstDayOfWeek) % 7;
        }
        for (int r = 0; r < 6; ++r) {
            const size_t before = items_.size();
            for (int j = 0; j < 7; ++j) AddDay(days + j, weeks + r, -1);
            if (items_.size() == before || !layout.WeekNumbersShown()) continue;
            // The week's number before its days.
            AccessibleItem number;
            number.role = AccessibleRole::kRowHeader;
            number.firstColumn = number.lastColumn = left;
            number.firstRow = number.lastRow = weeks + r;
            number.rect = CellsRect(left, weeks + r, left, weeks + r);
            number.week = WeekNumber(layout.firstDayOfWeek, view_.Settings().baseDayOfWeek,
                                     CellDate(year, month, 6, r, layout.firstDayOfWeek));
            items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(before), number);
        }
    }
}

// Row by row, each after its week number; the lower halves of split cells, a week later
// than the last row, come last.
void AccessibleTree::AddDays() {
    const int left = view_.Layout().leftColumns, top = view_.Layout().topRows;
    for (int r = 0; r < view_.Layout().dateRows; ++r) {
        if (view_.Layout().WeekNumbersShown()) {
            Add(AccessibleRole::kRowHeader, left - 1, top + r, left - 1, top + r).week =
                WeekNumber(view_.Layout().firstDayOfWeek, view_.Settings().baseDayOfWeek, view_.DateAt(6, r));
        }
        for (int j = 0; j < 7; ++j) {
            const int column = left + j, row = top + r;
            AddDay(column, row, view_.IsSplitCell(column, row) ? 0 : -1);
        }
    }
    const int lastRow = top + view_.Layout().dateRows - 1;
    for (int j = 0; j < 7; ++j) {
        if (view_.IsSplitCell(left + j, lastRow)) AddDay(left + j, lastRow, 1);
    }
}

const AccessibleItem* AccessibleTree::Child(int child) const {
    return child >= 1 && child <= ChildCount() ? &items_[static_cast<size_t>(child - 1)] : nullptr;
}

std::string AccessibleTree::Name() const {
    const MonthBlocks blocks = view_.Blocks();
    const CalDate first(blocks.firstYear, blocks.firstMonth, 1);
    if (!view_.Layout().SeveralMonths()) return view_.Format(ResolveText(kSpokenMonth), view_.FirstOfShownMonth());
    if (blocks.count == 12) return view_.Format(ResolveText(kTitleBarYearFormat), first);
    const auto [year, month] = blocks.MonthOf(blocks.count - 1);
    return FillText(kTitleBarRangeFormat, {view_.Format(ResolveText(kSpokenMonth), first),
                                           view_.Format(ResolveText(kSpokenMonth), CalDate(year, month, 1))});
}

std::string AccessibleTree::NameOf(int child) const {
    const AccessibleItem* item = Child(child);
    if (!item) return Name();
    switch (item->role) {
    case AccessibleRole::kPushButton: return ResolveText(ButtonName(item->monthStep));
    case AccessibleRole::kStaticText: return view_.Format(view_.HeaderFormats()[0], item->date);
    case AccessibleRole::kGrouping: return view_.Format(ResolveText(kSpokenMonth), item->date);
    case AccessibleRole::kColumnHeader: return WordOf(ResolveText(kWeekdayWords), item->weekday);
    case AccessibleRole::kRowHeader:
        return ResolveText(kWeekBefore) + std::to_string(item->week) + ResolveText(kWeekAfter);
    case AccessibleRole::kCell: break;
    }
    const CalDate day = item->date;
    const CalendarDocument& document = view_.Document();
    std::string name = view_.Format(ResolveText(kSpokenDate), day);
    if (day == view_.TodayDate()) Append(name, ResolveText(kToday));
    for (const NameEntry& entry : document.NamesOf(day)) Append(name, entry.name);
    if (const char* kind = KindName(DayKindFromText(document.KindOf(day)))) Append(name, ResolveText(kind));
    for (const MemoStore::Entry* memo : document.Memos().MemosOn(day))
        Append(name, ResolveText(kMemo) + MemoLinesJoined(memo->text, ResolveText(kSeparator)));
    for (const DayAppointment& appointment : view_.AppointmentsOn(day)) Append(name, appointment.text);
    return name;
}

std::string AccessibleTree::DescriptionOf(int child) const {
    const AccessibleItem* item = Child(child);
    if (!item || item->date.IsNull()) return {};
    if (item->role == AccessibleRole::kStaticText || item->role == AccessibleRole::kGrouping) {
        return view_.Format(ResolveText(kMonthTitleHoverFormat), item->date);
    }
    // The lines the footer writes of the day by its templates (its names and memo are in
    // the name already).
    const std::array<std::string, 4>& formats = view_.FooterFormats();
    std::vector<const std::string*> lines;
    switch (view_.Layout().design.footer) {
    case kBottomOneLine: lines = {&formats[0]}; break;
    case kBottomTwoLines:
    case kBottomThreeLines: lines = {&formats[3]}; break;
    case kRightThreeLines:
    case kRightFourLines: lines = {&formats[1], &formats[2]}; break;
    default: break;
    }
    std::string description;
    for (const std::string* format : lines) {
        const std::string line = view_.Format(*format, item->date);
        if (line.empty()) continue;
        if (!description.empty()) description += ' ';
        description += line;
    }
    return description;
}

std::string AccessibleTree::DefaultActionOf(int child) const {
    const AccessibleItem* item = Child(child);
    if (!item) return {};
    if (item->role == AccessibleRole::kPushButton) return ResolveText(kPress);
    if (item->role == AccessibleRole::kCell) return ResolveText(kEditMemo);
    return {};
}

int AccessibleTree::CursorChild() const {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].states & kAccessibleFocused) return static_cast<int>(i) + 1;
    }
    return 0;
}

int AccessibleTree::ChildAt(Point point) const {
    // A month's group holds its items: it is what lies under the point when they are not.
    int group = 0;
    for (size_t i = 0; i < items_.size(); ++i) {
        const Rect& r = items_[i].rect;
        if (point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom) {
            if (items_[i].role != AccessibleRole::kGrouping) return static_cast<int>(i) + 1;
            group = static_cast<int>(i) + 1;
        }
    }
    return group;
}

}  // namespace tavoli
