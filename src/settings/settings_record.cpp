#include "settings/settings_record.h"

#include <climits>
#include <iterator>

#include "calendar/era.h"
#include "format/default_formats.h"
#include "framework/lang_text.h"
#include "holidays/holiday_set.h"

namespace tavoli {

namespace {

using R = SettingsRecord;
using F = SettingField;
constexpr Bounds kAnyNumber{INT_MIN, INT_MAX};
constexpr Bounds kCheck{0, 1};
// Cells below 8 pixels hold no text; above 256 the window outgrows any screen.
constexpr Bounds kCellSize{8, 256};
// Larger margins leave a blank window thousands of pixels wide; negative ones a sliver.
constexpr Bounds kMargin{0, 1000};
// Sizes outside these make no readable text (and a stored one is left as it was).
constexpr Bounds kFontSize{8, 255};
// Beyond this the window could hardly be seen at all.
constexpr Bounds kTransparencyRange{0, 240};

int& FontSizeOf(R& r, FontRole role) { return r.style.fontSizes[static_cast<size_t>(role)]; }

struct FieldInfo {
    SettingField field;
    Bounds bounds;
    FieldValue (*get)(const R&);
    void (*set)(R&, const FieldValue&);
    StoredAs stored{};  // a plain value's name in the store
};

template <class T>
constexpr const T* As(const FieldValue& value) {
    return std::get_if<T>(&value);
}

void Put(const FieldValue& value, int& to) {
    if (const int* n = As<int>(value)) to = *n;
}
void Put(const FieldValue& value, bool& to) {
    if (const int* n = As<int>(value)) to = *n != 0;
}
void Put(const FieldValue& value, std::string& to) {
    if (const std::string* t = As<std::string>(value)) to = *t;
}
// An emptied name list is a blank, as it is stored: empty would stand for the defaults.
void PutNames(const FieldValue& value, std::string& to) {
    if (const std::string* t = As<std::string>(value)) to = t->empty() ? " " : *t;
}

// The styles are validated as stored numbers are: one out of range is style 0.
void PutStyle(const FieldValue& value, R& r, int part) {
    const int* n = As<int>(value);
    if (!n) return;
    int styles[4] = {r.design.header, r.design.weekday, r.design.rows, r.design.footer};
    styles[part] = *n;
    r.design = Design::FromValues(styles[0], styles[1], styles[2], styles[3]);
}

template <FontRole role>
constexpr FieldInfo FontSizeRow(SettingField field) {
    return {field, kFontSize, [](const R& r) -> FieldValue { return r.style.FontSize(role); },
            [](R& r, const FieldValue& v) { Put(v, FontSizeOf(r, role)); }};
}

// One row per field but the colours (which ColorField numbers), each keyed by its field:
// the order is free, and a field with no row or two fails to compile.
constexpr FieldInfo kFields[] = {
    // Any stored number names a weekday: it is taken modulo 7.
    {F::kFirstDayOfWeek,
     kAnyNumber,
     [](const R& r) -> FieldValue { return r.firstDayOfWeek; },
     [](R& r, const FieldValue& v) {
         Put(v, r.firstDayOfWeek);
         r.firstDayOfWeek = ((r.firstDayOfWeek % 7) + 7) % 7;
     },
     {"FirstDayOfWeek", true}},
    {F::kBaseDayOfWeek,
     kAnyNumber,
     [](const R& r) -> FieldValue { return r.baseDayOfWeek; },
     [](R& r, const FieldValue& v) { Put(v, r.baseDayOfWeek); },
     {"BaseDayOfWeek"}},
    {F::kEmphasis, kCheck, [](const R& r) -> FieldValue { return r.style.emphasis ? 1 : 0; },
     [](R& r, const FieldValue& v) { Put(v, r.style.emphasis); }},
    {F::kClock, kCheck, [](const R& r) -> FieldValue { return r.clock ? 1 : 0; },
     [](R& r, const FieldValue& v) { Put(v, r.clock); }},
    {F::kCellWidth, kCellSize, [](const R& r) -> FieldValue { return r.cellSize.width; },
     [](R& r, const FieldValue& v) { Put(v, r.cellSize.width); }},
    {F::kCellHeight, kCellSize, [](const R& r) -> FieldValue { return r.cellSize.height; },
     [](R& r, const FieldValue& v) { Put(v, r.cellSize.height); }},
    {F::kHeaderStyle, kAnyNumber, [](const R& r) -> FieldValue { return static_cast<int>(r.design.header); },
     [](R& r, const FieldValue& v) { PutStyle(v, r, 0); }},
    {F::kWeekdayStyle, kAnyNumber, [](const R& r) -> FieldValue { return static_cast<int>(r.design.weekday); },
     [](R& r, const FieldValue& v) { PutStyle(v, r, 1); }},
    {F::kRowsStyle, kAnyNumber, [](const R& r) -> FieldValue { return static_cast<int>(r.design.rows); },
     [](R& r, const FieldValue& v) { PutStyle(v, r, 2); }},
    {F::kFooterStyle, kAnyNumber, [](const R& r) -> FieldValue { return static_cast<int>(r.design.footer); },
     [](R& r, const FieldValue& v) { PutStyle(v, r, 3); }},
    {F::kWeekdayNames, kAnyNumber, [](const R& r) -> FieldValue { return r.weekdayNames; },
     [](R& r, const FieldValue& v) { PutNames(v, r.weekdayNames); }},
    {F::kMonthNames, kAnyNumber, [](const R& r) -> FieldValue { return r.monthNames; },
     [](R& r, const FieldValue& v) { PutNames(v, r.monthNames); }},
    {F::kEraList, kAnyNumber, [](const R& r) -> FieldValue { return r.eraList; },
     [](R& r, const FieldValue& v) { PutNames(v, r.eraList); }},
    {F::kFontFace,
     kAnyNumber,
     [](const R& r) -> FieldValue { return r.style.fontFace; },
     [](R& r, const FieldValue& v) { Put(v, r.style.fontFace); },
     {"FontFace", true}},
    FontSizeRow<FontRole::kLarge>(F::kLargeFontSize),
    FontSizeRow<FontRole::kMedium>(F::kMediumFontSize),
    FontSizeRow<FontRole::kSmall>(F::kSmallFontSize),
    FontSizeRow<FontRole::kMicro>(F::kMicroFontSize),
    {F::kBackgroundImage,
     kAnyNumber,
     [](const R& r) -> FieldValue { return r.backgroundImagePath; },
     [](R& r, const FieldValue& v) { Put(v, r.backgroundImagePath); },
     {"BackgroundImage", true}},
    // The options dialog shows one margin a direction and sets both sides to it.
    {F::kMarginX, kMargin, [](const R& r) -> FieldValue { return r.margins[0]; },
     [](R& r, const FieldValue& v) {
         Put(v, r.margins[0]);
         r.margins[2] = r.margins[0];
     }},
    {F::kMarginY, kMargin, [](const R& r) -> FieldValue { return r.margins[1]; },
     [](R& r, const FieldValue& v) {
         Put(v, r.margins[1]);
         r.margins[3] = r.margins[1];
     }},
    {F::kTransparency,
     kTransparencyRange,
     [](const R& r) -> FieldValue { return r.transparency; },
     [](R& r, const FieldValue& v) { Put(v, r.transparency); },
     {"Transparance", true}},
    // As the design styles: a number that names no theme (a later version's) is Automatic.
    {F::kTheme,
     kAnyNumber,
     [](const R& r) -> FieldValue { return static_cast<int>(r.style.theme); },
     [](R& r, const FieldValue& v) {
         if (const int* n = As<int>(v)) r.style.theme = *n >= 0 && *n <= 2 ? static_cast<Theme>(*n) : Theme::kAutomatic;
     },
     {"Theme"}},
    // A set's code or "none"; anything else (a name edited in the registry) chooses again
    // as a first start does.
    {F::kHolidaySet,
     kAnyNumber,
     [](const R& r) -> FieldValue { return r.holidaySet; },
     [](R& r, const FieldValue& v) {
         const std::string* t = As<std::string>(v);
         if (!t) return;
         r.holidaySet = *t == kNoHolidaySet || IsHolidaySetCode(*t) ? *t : std::string();
     },
     {"HolidaySet"}},
    // The user's other calendars, a line each as the list is stored.
    {F::kCalendarSources,
     kAnyNumber,
     [](const R& r) -> FieldValue { return r.calendarSources; },
     [](R& r, const FieldValue& v) { Put(v, r.calendarSources); },
     {"CalendarSources"}},
};

constexpr bool EachFieldHasOneRow() {
    for (int field = 0; field < static_cast<int>(F::kCount); ++field) {
        int rows = 0;
        for (const FieldInfo& info : kFields) rows += static_cast<int>(info.field) == field ? 1 : 0;
        if (rows != (IsColorField(static_cast<F>(field)) ? 0 : 1)) return false;
    }
    return true;
}
static_assert(EachFieldHasOneRow(), "every field but the colours has exactly one row");

// A colour is kept as it comes, transparency and all.
constexpr FieldInfo kColorField{F::kFirstColor, kAnyNumber, nullptr, nullptr};

const FieldInfo& InfoOf(SettingField field) {
    for (const FieldInfo& info : kFields) {
        if (info.field == field) return info;
    }
    return kColorField;
}

}  // namespace

SettingsRecord SettingsRecord::Defaults(CalDate today, PixelColor windowColor) {
    SettingsRecord record;
    record.weekdayNames = ResolveText(kDefaultWeekdayNames);
    record.monthNames = ResolveText(kDefaultMonthNames);
    record.eraList = ResolveText(kDefaultEraList);
    record.style.countDown.target = today;
    record.style.SetColor(ViewColor::kBackground, windowColor);
    return record;
}

FieldValue GetField(const SettingsRecord& record, SettingField field) {
    if (IsColorField(field)) return record.style.Color(ColorOfField(field));
    return InfoOf(field).get(record);
}

void SetField(SettingsRecord& record, SettingField field, const FieldValue& value) {
    if (IsColorField(field)) {
        if (const PixelColor* color = As<PixelColor>(value)) record.style.SetColor(ColorOfField(field), *color);
        return;
    }
    const FieldInfo& info = InfoOf(field);
    if (const int* number = As<int>(value)) {
        info.set(record, info.bounds.Clamp(*number));
    } else {
        info.set(record, value);
    }
}

SettingsRecord Normalized(SettingsRecord record) {
    // The margins are stored side by side, the dialog's fields two at a time.
    const std::array<int, 4> margins = record.margins;
    // The name lists have no bounds, and an empty one (the defaults) is not the emptied
    // one the dialog's field sets.
    std::array<std::string, 3> names{record.weekdayNames, record.monthNames, record.eraList};
    for (const FieldInfo& info : kFields) SetField(record, info.field, info.get(record));
    for (size_t i = 0; i < margins.size(); ++i) record.margins[i] = kMargin.Clamp(margins[i]);
    record.weekdayNames = std::move(names[0]);
    record.monthNames = std::move(names[1]);
    record.eraList = std::move(names[2]);
    return record;
}

Bounds BoundsOf(SettingField field) { return InfoOf(field).bounds; }
StoredAs StoredAsOf(SettingField field) { return InfoOf(field).stored; }

}  // namespace tavoli
