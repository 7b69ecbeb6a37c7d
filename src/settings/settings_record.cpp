#include "settings/settings_record.h"

#include <climits>
#include <iterator>

#include "calendar/era.h"
#include "format/default_formats.h"
#include "framework/lang_text.h"

namespace tavoli {

namespace {

using R = SettingsRecord;
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
    Bounds bounds;
    FieldValue (*get)(const R&);
    void (*set)(R&, const FieldValue&);
};

template <class T>
const T* As(const FieldValue& value) {
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

template <ViewColor which>
FieldInfo ColorRow() {
    return {kAnyNumber, [](const R& r) -> FieldValue { return r.style.Color(which); },
            [](R& r, const FieldValue& v) {
                if (const PixelColor* c = As<PixelColor>(v)) r.style.SetColor(which, *c);
            }};
}

template <FontRole role>
FieldInfo FontSizeRow() {
    return {kFontSize, [](const R& r) -> FieldValue { return r.style.FontSize(role); },
            [](R& r, const FieldValue& v) { Put(v, FontSizeOf(r, role)); }};
}

// One row per field, in the order of SettingField.
const FieldInfo kFields[] = {
    // Any stored number names a weekday: it is taken modulo 7.
    {kAnyNumber, [](const R& r) -> FieldValue { return r.firstDayOfWeek; },
     [](R& r, const FieldValue& v) {
         Put(v, r.firstDayOfWeek);
         r.firstDayOfWeek = ((r.firstDayOfWeek % 7) + 7) % 7;
     }},
    {kAnyNumber, [](const R& r) -> FieldValue { return r.baseDayOfWeek; },
     [](R& r, const FieldValue& v) { Put(v, r.baseDayOfWeek); }},
    {kCheck, [](const R& r) -> FieldValue { return r.style.emphasis ? 1 : 0; },
     [](R& r, const FieldValue& v) { Put(v, r.style.emphasis); }},
    {kCheck, [](const R& r) -> FieldValue { return r.clock ? 1 : 0; },
     [](R& r, const FieldValue& v) { Put(v, r.clock); }},
    {kCellSize, [](const R& r) -> FieldValue { return r.cellSize.width; },
     [](R& r, const FieldValue& v) { Put(v, r.cellSize.width); }},
    {kCellSize, [](const R& r) -> FieldValue { return r.cellSize.height; },
     [](R& r, const FieldValue& v) { Put(v, r.cellSize.height); }},
    {kAnyNumber, [](const R& r) -> FieldValue { return static_cast<int>(r.design.header); },
     [](R& r, const FieldValue& v) { PutStyle(v, r, 0); }},
    {kAnyNumber, [](const R& r) -> FieldValue { return static_cast<int>(r.design.weekday); },
     [](R& r, const FieldValue& v) { PutStyle(v, r, 1); }},
    {kAnyNumber, [](const R& r) -> FieldValue { return static_cast<int>(r.design.rows); },
     [](R& r, const FieldValue& v) { PutStyle(v, r, 2); }},
    {kAnyNumber, [](const R& r) -> FieldValue { return static_cast<int>(r.design.footer); },
     [](R& r, const FieldValue& v) { PutStyle(v, r, 3); }},
    {kAnyNumber, [](const R& r) -> FieldValue { return r.weekdayNames; },
     [](R& r, const FieldValue& v) { PutNames(v, r.weekdayNames); }},
    {kAnyNumber, [](const R& r) -> FieldValue { return r.monthNames; },
     [](R& r, const FieldValue& v) { PutNames(v, r.monthNames); }},
    {kAnyNumber, [](const R& r) -> FieldValue { return r.eraList; },
     [](R& r, const FieldValue& v) { PutNames(v, r.eraList); }},
    ColorRow<ViewColor::kNormalDay>(),
    ColorRow<ViewColor::kSemiHoliday>(),
    ColorRow<ViewColor::kHoliday>(),
    ColorRow<ViewColor::kNationalHoliday>(),
    ColorRow<ViewColor::kAnniversary>(),
    ColorRow<ViewColor::kHeader>(),
    ColorRow<ViewColor::kFooter>(),
    ColorRow<ViewColor::kSelection>(),
    ColorRow<ViewColor::kToday>(),
    ColorRow<ViewColor::kBackground>(),
    {kAnyNumber, [](const R& r) -> FieldValue { return r.style.fontFace; },
     [](R& r, const FieldValue& v) { Put(v, r.style.fontFace); }},
    FontSizeRow<FontRole::kLarge>(),
    FontSizeRow<FontRole::kMedium>(),
    FontSizeRow<FontRole::kSmall>(),
    FontSizeRow<FontRole::kMicro>(),
    {kAnyNumber, [](const R& r) -> FieldValue { return r.backgroundImagePath; },
     [](R& r, const FieldValue& v) { Put(v, r.backgroundImagePath); }},
    // The options dialog shows one margin a direction and sets both sides to it.
    {kMargin, [](const R& r) -> FieldValue { return r.margins[0]; },
     [](R& r, const FieldValue& v) {
         Put(v, r.margins[0]);
         r.margins[2] = r.margins[0];
     }},
    {kMargin, [](const R& r) -> FieldValue { return r.margins[1]; },
     [](R& r, const FieldValue& v) {
         Put(v, r.margins[1]);
         r.margins[3] = r.margins[1];
     }},
    {kTransparencyRange, [](const R& r) -> FieldValue { return r.transparency; },
     [](R& r, const FieldValue& v) { Put(v, r.transparency); }},
    // As the design styles: a number that names no theme (a later version's) is Automatic.
    {kAnyNumber, [](const R& r) -> FieldValue { return static_cast<int>(r.style.theme); },
     [](R& r, const FieldValue& v) {
         if (const int* n = As<int>(v)) r.style.theme = *n >= 0 && *n <= 2 ? static_cast<Theme>(*n) : Theme::kAutomatic;
     }},
};
static_assert(std::size(kFields) == static_cast<size_t>(SettingField::kCount), "a row for every field");

const FieldInfo& InfoOf(SettingField field) { return kFields[static_cast<size_t>(field)]; }

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

bool SettingsRecord::operator==(const SettingsRecord& o) const {
    return position == o.position && transparency == o.transparency && firstDayOfWeek == o.firstDayOfWeek &&
           baseDayOfWeek == o.baseDayOfWeek && cellSize == o.cellSize && margins == o.margins &&
           weekdayNames == o.weekdayNames && monthNames == o.monthNames && eraList == o.eraList && style == o.style &&
           design == o.design && clock == o.clock && neighbourDays == o.neighbourDays &&
           backgroundImagePath == o.backgroundImagePath;
}

FieldValue GetField(const SettingsRecord& record, SettingField field) { return InfoOf(field).get(record); }

void SetField(SettingsRecord& record, SettingField field, const FieldValue& value) {
    const FieldInfo& info = InfoOf(field);
    if (const int* number = As<int>(value)) {
        info.set(record, info.bounds.Clamp(*number));
    } else {
        info.set(record, value);
    }
}

Bounds BoundsOf(SettingField field) { return InfoOf(field).bounds; }

}  // namespace tavoli
