// The options dialog as data: its eight pages of controls, each bound to the field of the
// settings record it shows and edits.
#pragma once

#include <array>
#include <map>
#include <string>

#include "dialogs/dialog_layout.h"
#include "events/calendar_sources.h"
#include "holidays/holiday_set.h"
#include "settings/palette.h"
#include "settings/settings_record.h"

namespace tavoli {

namespace options_dialog {
constexpr int kTab = 1, kOk = 2, kCancel = 3, kHelp = 4;
// The page controls are numbered from 4 on in table order and carry id number + 5.
constexpr int IdOf(int number) { return number + 5; }
constexpr int kFirstNumber = 4;
// Page 0
constexpr int kFirstDay = 5, kBaseDay = 7, kEmphasis = 8, kClock = 9;
// Page 1
constexpr int kCellWidth = 11, kCellHeight = 13, kHeaderStyle = 15, kWeekdayStyle = 17, kRowsStyle = 19,
              kFooterStyle = 21;
// Page 2
constexpr int kWeekdayNames = 23, kMonthNames = 25, kEraList = 27;
// Page 3: ten rows of label, swatch and Change button, the left column first.
constexpr int kFirstColorRow = 28;
constexpr int ColorLabel(int row) { return kFirstColorRow + 3 * row; }
constexpr int ColorSwatchOf(int row) { return kFirstColorRow + 3 * row + 1; }
constexpr int ColorButton(int row) { return kFirstColorRow + 3 * row + 2; }
constexpr int kTheme = 80;  // under the colour rows
// Page 4
constexpr int kFontFace = 59, kLargeSize = 61, kMediumSize = 63, kSmallSize = 65, kMicroSize = 67;
// Page 5
constexpr int kBackgroundPath = 69, kClearBackground = 70, kChangeBackground = 71, kMarginX = 73, kMarginY = 75;
// Page 6
constexpr int kAllUsersScript = 76, kUserScript = 77, kBackupMemo = 78, kHolidaySet = 82;
// Page 7: the calendars, the chosen one's fields below the list.
constexpr int kCalendarList = 84, kAddCalendarFile = 85, kAddCalendarFolder = 86, kRemoveCalendar = 87,
              kCalendarName = 89, kCalendarPath = 91, kCalendarShown = 92, kCalendarColorLabel = 93,
              kCalendarColor = 94, kChangeCalendarColor = 95;
constexpr int kPageCount = 8;
}  // namespace options_dialog

// The tab strip, OK, Cancel, Help and the page controls (ids: number + 5), each with its
// page.
const DialogLayout& OptionsDialogLayout();
// The tab labels, resolved.
std::vector<std::string> OptionsPageLabels();

// The colour of each row of the colour page: the day kinds in the left column, then the
// window's colours, in the order of ViewColor.
constexpr ViewColor OptionsColorRow(int row) { return static_cast<ViewColor>(row); }
constexpr int kOptionsColorRowCount = static_cast<int>(ViewColor::kCount);

// The values of the bound controls, by field.
using FieldValues = std::map<SettingField, FieldValue>;

// What a bound control shows of the settings: a colour as the record's theme paints it
// (high contrast aside: the system's colours are not the user's to change), anything else
// as it is. A colour at its light default shows the dark palette's in the dark theme and,
// left as shown, stays at its default.
FieldValue ShownValue(const SettingsRecord& settings, SettingField field, SystemAppearance system);

// What OK gives: the settings the dialog was opened with, and each field whose control
// the user changed (what it holds differs from what it showed) set to what it holds. A
// control left as it was shown keeps the value it may not be able to show: the two-month
// view has no English item, a weekday of −1 shows as Saturday, a face not installed shows
// as another, and the X and Y margins stand for two sides each.
SettingsRecord EditedSettings(SettingsRecord opened, const FieldValues& shown, const FieldValues& left);

// The holidays list: none (holidays.txt alone) first, then each shipped set, a country
// before its regions, labelled in the system's code page. A chosen set that is not
// shipped (any more) is kept as an item of its own, so that OK does not change it.
struct HolidaySetChoice {
    std::string code;
    std::string label;
};
std::vector<HolidaySetChoice> HolidaySetChoices(const std::vector<HolidaySetEntry>& sets, const std::string& chosen);

// The calendars page: a source's item in the list (its name, else its file's; marked
// while hidden), and a source added for a file or folder the user chose (shown, named by
// its calendar, in the first colour of the fixed set no other source has).
std::string CalendarSourceLabel(const CalendarSource& source);
CalendarSource AddedCalendarSource(const std::string& path, const std::vector<CalendarSource>& sources);

}  // namespace tavoli
