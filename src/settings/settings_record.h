// Every value the user can change, in one record: what the settings store keeps, what the
// options dialog edits and what the view is drawn from. Each value the options dialog
// shows is a field with its bounds, so that reading, writing and editing share one
// description of it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <variant>

#include "calendar/cal_date.h"
#include "framework/geometry.h"
#include "framework/pixel_color.h"
#include "settings/design.h"
#include "settings/view_style.h"

namespace tavoli {

struct SettingsRecord {
    std::optional<Point> position;              // the window's top-left corner in 96-DPI units, when stored
    int transparency = 0;                       // 0 … 240; 0 is opaque
    int firstDayOfWeek = 0;                     // 0 = Sunday; taken modulo 7
    int baseDayOfWeek = 4;                      // the weekday that decides week numbers
    Size cellSize{48, 36};                      // pixels at 100 % display scaling
    std::array<int, 4> margins = {4, 4, 4, 4};  // left, top, right, bottom
    // Weekday names, month names and era list in the code page; empty keeps the defaults.
    std::string weekdayNames, monthNames, eraList;
    ViewStyle style;  // colours, font face and sizes, emphasis, count-down
    Design design;
    bool clock = false;               // the time in the title bar
    bool neighbourDays = false;       // the days of the neighbour months in the grid
    std::string backgroundImagePath;  // "?" stand for the month's digits
    // The shipped holiday set ("DE", "DE-BY") under the user's holidays.txt, or "none"
    // (holidays.txt alone); empty until the first start has chosen.
    std::string holidaySet;
    // The user's other calendars: a line a source, as the stored list writes them (shown,
    // colour, name, path); empty: none but the per-user calendars folder's files.
    std::string calendarSources;

    // The program's own values in the user's language: the name lists resolved, the
    // count-down aimed at today, the background in the system's window colour.
    static SettingsRecord Defaults(CalDate today, PixelColor windowColor);

    bool operator==(const SettingsRecord& o) const = default;
};

// The values the options dialog shows, each one control's worth. The colours are one
// field each, in the order of ViewColor (ColorField).
enum class SettingField {
    kFirstDayOfWeek,
    kBaseDayOfWeek,
    kEmphasis,
    kClock,
    kCellWidth,
    kCellHeight,
    kHeaderStyle,
    kWeekdayStyle,
    kRowsStyle,
    kFooterStyle,
    kWeekdayNames,
    kMonthNames,
    kEraList,
    kFirstColor,
    kLastColor = kFirstColor + static_cast<int>(ViewColor::kCount) - 1,
    kFontFace,
    kLargeFontSize,
    kMediumFontSize,
    kSmallFontSize,
    kMicroFontSize,
    kBackgroundImage,
    kMarginX,  // left and right together
    kMarginY,  // top and bottom together
    kTransparency,
    kTheme,
    kHolidaySet,
    kCalendarSources,
    kCount
};

// The range a number is kept in, wherever it comes from.
struct Bounds {
    int lower = 0;
    int upper = 0;
    int Clamp(int value) const { return value < lower ? lower : value > upper ? upper : value; }
    bool Holds(int value) const { return value >= lower && value <= upper; }
};

// A field's value: a number (a size, a list index, a check mark as 0 or 1), a text or a
// colour.
using FieldValue = std::variant<int, std::string, PixelColor>;

FieldValue GetField(const SettingsRecord& record, SettingField field);
// Sets the field; a number is brought into the field's bounds, a value of the wrong kind
// changes nothing.
void SetField(SettingsRecord& record, SettingField field, const FieldValue& value);
Bounds BoundsOf(SettingField field);
// How a plain value (a number, a check mark or a text, stored as its field holds it) is
// stored, when its field's row says: its name in the store, and whether it is read when
// missing or empty. No name: the value is stored by a row of its own in the settings table,
// or not at all.
struct StoredAs {
    const char* name = nullptr;
    bool always = false;
};
StoredAs StoredAsOf(SettingField field);
// The colour field of a view colour, and the colour of a colour field.
constexpr SettingField ColorField(ViewColor color) {
    return static_cast<SettingField>(static_cast<int>(SettingField::kFirstColor) + static_cast<int>(color));
}
constexpr bool IsColorField(SettingField field) {
    return field >= SettingField::kFirstColor && field <= SettingField::kLastColor;
}
constexpr ViewColor ColorOfField(SettingField field) {
    return static_cast<ViewColor>(static_cast<int>(field) - static_cast<int>(SettingField::kFirstColor));
}

// Every field brought into its bounds and rules, as setting each to its own value does (a
// design style out of range is style 0, a first weekday taken modulo 7): what a record
// from anywhere holds once it is the document's.
SettingsRecord Normalized(SettingsRecord record);

}  // namespace tavoli
