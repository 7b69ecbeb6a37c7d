#include "settings/settings_table.h"

#include <array>
#include <string_view>

#include "calendar/era.h"
#include "settings/settings_text.h"

namespace tavoli {

namespace {

using F = SettingField;

enum class Rule {
    kText,       // taken as it stands
    kNames,      // a name list: written as a blank when empty, so that it reads back empty
    kEraList,    // a name list; an earlier version's default list reads as today's
    kInteger,    // one integer (every digit counts)
    kPair,       // "(a,b)"
    kMargins,    // "l,t,r,b"
    kFontSizes,  // "a,b,c,d"; a size out of bounds leaves that size as it was
    kColor,      // "(r,g,b[,opacity])"
    kDesign,     // letter-digit pairs
    kFlags,      // letters P, C, N
    kCountDown,  // "s,YYYY/MM/DD,b,i"
    kPosition,   // "x,y"
};

struct ValueRow {
    const char* name;
    bool always;  // read even when missing or empty
    Rule rule;
    std::array<F, 4> fields;
};

// In the order the values are written.
const ValueRow kRows[] = {
    {"Position", false, Rule::kPosition, {}},
    {"Transparance", true, Rule::kInteger, {F::kTransparency}},
    {"FirstDayOfWeek", true, Rule::kInteger, {F::kFirstDayOfWeek}},
    {"BaseDayOfWeek", false, Rule::kInteger, {F::kBaseDayOfWeek}},
    {"CellSize", false, Rule::kPair, {F::kCellWidth, F::kCellHeight}},
    {"Margin", false, Rule::kMargins, {}},
    {"FormatWeekdayName", false, Rule::kNames, {F::kWeekdayNames}},
    {"FormatMonthName", false, Rule::kNames, {F::kMonthNames}},
    {"FormatEra", false, Rule::kEraList, {F::kEraList}},
    {"FontSize",
     false,
     Rule::kFontSizes,
     {F::kLargeFontSize, F::kMediumFontSize, F::kSmallFontSize, F::kMicroFontSize}},
    {"ColorHeader", false, Rule::kColor, {F::kHeaderColor}},
    {"ColorFooter", false, Rule::kColor, {F::kFooterColor}},
    {"ColorSelection", false, Rule::kColor, {F::kSelectionColor}},
    {"ColorToday", false, Rule::kColor, {F::kTodayColor}},
    {"ColorBackground", false, Rule::kColor, {F::kBackgroundColor}},
    {"Color01", false, Rule::kColor, {F::kNormalDayColor}},
    {"Color02", false, Rule::kColor, {F::kSemiHolidayColor}},
    {"Color03", false, Rule::kColor, {F::kHolidayColor}},
    {"Color04", false, Rule::kColor, {F::kNationalHolidayColor}},
    {"Color05", false, Rule::kColor, {F::kAnniversaryColor}},
    {"Design", false, Rule::kDesign, {}},
    {"Flags", false, Rule::kFlags, {}},
    {"BackgroundImage", true, Rule::kText, {F::kBackgroundImage}},
    {"FontFace", true, Rule::kText, {F::kFontFace}},
    {"CountDown", false, Rule::kCountDown, {}},
    // Unknown to earlier versions, which pass it by.
    {"Theme", false, Rule::kInteger, {F::kTheme}},
};

int NumberOf(const SettingsRecord& record, F field) { return std::get<int>(GetField(record, field)); }
std::string TextOf(const SettingsRecord& record, F field) { return std::get<std::string>(GetField(record, field)); }

void Read(const ValueRow& row, std::string_view text, SettingsRecord& record) {
    const F field = row.fields[0];
    switch (row.rule) {
    case Rule::kText: SetField(record, field, std::string(text)); return;
    case Rule::kNames: SetField(record, field, std::string(text)); return;
    case Rule::kEraList: SetField(record, field, EraListFromStored(std::string(text))); return;
    case Rule::kInteger: SetField(record, field, SingleIntegerOf(text)); return;
    case Rule::kPair: {
        const std::vector<int64_t> n = NumbersOf(text);
        for (size_t i = 0; i < 2; ++i) SetField(record, row.fields[i], Int32At(n, i));
        return;
    }
    case Rule::kMargins: {
        const std::vector<int64_t> n = NumbersOf(text);
        const Bounds bounds = BoundsOf(F::kMarginX);
        for (size_t i = 0; i < 4; ++i) record.margins[i] = bounds.Clamp(Int32At(n, i));
        return;
    }
    case Rule::kFontSizes: {
        const std::vector<int64_t> n = NumbersOf(text);
        for (size_t i = 0; i < 4; ++i) {
            const int64_t size = NumberAt(n, i);
            const Bounds bounds = BoundsOf(row.fields[i]);
            if (size >= bounds.lower && size <= bounds.upper) SetField(record, row.fields[i], static_cast<int>(size));
        }
        return;
    }
    case Rule::kColor: SetField(record, field, ColorOf(text)); return;
    case Rule::kDesign: record.design = DesignOf(text, record.design); return;
    case Rule::kFlags: {
        const ViewFlags flags = FlagsOf(text, {record.style.emphasis, record.clock, record.neighbourDays});
        record.style.emphasis = flags.emphasis;
        record.clock = flags.clock;
        record.neighbourDays = flags.neighbourDays;
        return;
    }
    case Rule::kCountDown: record.style.countDown = CountDownOf(text); return;
    case Rule::kPosition: {
        const std::vector<int64_t> n = NumbersOf(text);
        record.position = Point{Int32At(n, 0), Int32At(n, 1)};
        return;
    }
    }
}

std::string Written(const ValueRow& row, const SettingsRecord& record) {
    const F field = row.fields[0];
    auto list = [&record](auto values) {
        std::string text;
        for (int value : values) text += (text.empty() ? "" : ",") + std::to_string(value);
        return text;
    };
    switch (row.rule) {
    case Rule::kText: return TextOf(record, field);
    case Rule::kNames:
    case Rule::kEraList: return BlankIfEmpty(TextOf(record, field));
    case Rule::kInteger: return std::to_string(NumberOf(record, field));
    case Rule::kPair:
        return "(" + list(std::array{NumberOf(record, row.fields[0]), NumberOf(record, row.fields[1])}) + ")";
    case Rule::kMargins: return list(record.margins);
    case Rule::kFontSizes: return list(record.style.fontSizes);
    case Rule::kColor: return ColorText(std::get<PixelColor>(GetField(record, field)));
    case Rule::kDesign: return DesignText(record.design);
    case Rule::kFlags: return FlagsText({record.style.emphasis, record.clock, record.neighbourDays});
    case Rule::kCountDown: return CountDownText(record.style.countDown);
    case Rule::kPosition: return record.position ? list(std::array{record.position->x, record.position->y}) : "";
    }
    return {};
}

}  // namespace

void ReadSettings(const SettingsValues& values, SettingsRecord& record) {
    for (const ValueRow& row : kRows) {
        const std::string* text = nullptr;
        for (const auto& [name, value] : values) {
            if (name == row.name) {
                text = &value;
                break;  // the first of a name counts
            }
        }
        if (text && !text->empty()) Read(row, *text, record);
        else if (row.always) Read(row, "", record);
    }
}

SettingsValues WriteSettings(const SettingsRecord& record) {
    SettingsValues values;
    for (const ValueRow& row : kRows) {
        if (row.rule == Rule::kPosition && !record.position) continue;
        values.emplace_back(row.name, Written(row, record));
    }
    return values;
}

}  // namespace tavoli
