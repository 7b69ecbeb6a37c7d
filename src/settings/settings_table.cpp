#include "settings/settings_table.h"

#include <array>
#include <optional>
#include <string_view>

#include "calendar/era.h"
#include "settings/settings_text.h"

namespace tavoli {

namespace {

using F = SettingField;
using R = SettingsRecord;

// One stored value: its name, whether it is read when missing or empty, the fields the
// common rules read and write, and its rule beside it.
struct StoredValue {
    const char* name;
    bool always;
    std::array<F, 2> fields;
    void (*read)(const StoredValue&, std::string_view, R&);
    // The text written; none: the value is not written.
    std::optional<std::string> (*write)(const StoredValue&, const R&);
};

int NumberOf(const R& record, F field) { return std::get<int>(GetField(record, field)); }
std::string TextOf(const R& record, F field) { return std::get<std::string>(GetField(record, field)); }
template <class Values>
std::string List(const Values& values) {
    std::string text;
    for (int value : values) text += (text.empty() ? "" : ",") + std::to_string(value);
    return text;
}

// The common rules.
void ReadText(const StoredValue& v, std::string_view text, R& r) { SetField(r, v.fields[0], std::string(text)); }
std::optional<std::string> WriteText(const StoredValue& v, const R& r) { return TextOf(r, v.fields[0]); }
// A name list is written as a blank when empty, so that it reads back empty.
std::optional<std::string> WriteNames(const StoredValue& v, const R& r) { return BlankIfEmpty(TextOf(r, v.fields[0])); }
void ReadInteger(const StoredValue& v, std::string_view text, R& r) { SetField(r, v.fields[0], SingleIntegerOf(text)); }
std::optional<std::string> WriteInteger(const StoredValue& v, const R& r) {
    return std::to_string(NumberOf(r, v.fields[0]));
}
void ReadPair(const StoredValue& v, std::string_view text, R& r) {
    const std::vector<int64_t> n = NumbersOf(text);
    for (size_t i = 0; i < 2; ++i) SetField(r, v.fields[i], Int32At(n, i));
}
std::optional<std::string> WritePair(const StoredValue& v, const R& r) {
    return "(" + List(std::array{NumberOf(r, v.fields[0]), NumberOf(r, v.fields[1])}) + ")";
}
// A plain value, stored as its field holds it: a number or a text.
bool IsNumber(F field) { return std::holds_alternative<int>(GetField(R{}, field)); }
void ReadPlain(const StoredValue& v, std::string_view text, R& r) {
    IsNumber(v.fields[0]) ? ReadInteger(v, text, r) : ReadText(v, text, r);
}
std::optional<std::string> WritePlain(const StoredValue& v, const R& r) {
    return IsNumber(v.fields[0]) ? WriteInteger(v, r) : WriteText(v, r);
}
StoredValue Plain(F field) {
    const StoredAs stored = StoredAsOf(field);
    return {stored.name, stored.always, {field}, ReadPlain, WritePlain};
}

void ReadColor(const StoredValue& v, std::string_view text, R& r) { SetField(r, v.fields[0], ColorOf(text)); }
std::optional<std::string> WriteColor(const StoredValue& v, const R& r) {
    return ColorText(std::get<PixelColor>(GetField(r, v.fields[0])));
}

constexpr StoredValue Colour(const ColorDescription& color) {
    return {color.registryName, false, {ColorField(color.color)}, ReadColor, WriteColor};
}

// In the order the values are written; the colours stand after the font sizes.
const StoredValue kBeforeColors[] = {
    {"Position",
     false,
     {},
     [](const StoredValue&, std::string_view text, R& r) {
         const std::vector<int64_t> n = NumbersOf(text);
         r.position = Point{Int32At(n, 0), Int32At(n, 1)};
     },
     // Without a position (never shown), none is written.
     [](const StoredValue&, const R& r) -> std::optional<std::string> {
         if (!r.position) return std::nullopt;
         return List(std::array{r.position->x, r.position->y});
     }},
    Plain(F::kTransparency),
    Plain(F::kFirstDayOfWeek),
    Plain(F::kBaseDayOfWeek),
    {"CellSize", false, {F::kCellWidth, F::kCellHeight}, ReadPair, WritePair},
    {"Margin",
     false,
     {},
     [](const StoredValue&, std::string_view text, R& r) {
         const std::vector<int64_t> n = NumbersOf(text);
         for (size_t i = 0; i < 4; ++i) r.margins[i] = BoundsOf(F::kMarginX).Clamp(Int32At(n, i));
     },
     [](const StoredValue&, const R& r) -> std::optional<std::string> { return List(r.margins); }},
    {"FormatWeekdayName", false, {F::kWeekdayNames}, ReadText, WriteNames},
    {"FormatMonthName", false, {F::kMonthNames}, ReadText, WriteNames},
    // An earlier version's default list reads as today's.
    {"FormatEra",
     false,
     {F::kEraList},
     [](const StoredValue& v, std::string_view text, R& r) {
         SetField(r, v.fields[0], EraListFromStored(std::string(text)));
     },
     WriteNames},
    // A size out of bounds leaves that size as it was.
    {"FontSize",
     false,
     {},
     [](const StoredValue&, std::string_view text, R& r) {
         const std::vector<int64_t> n = NumbersOf(text);
         const F sizes[4] = {F::kLargeFontSize, F::kMediumFontSize, F::kSmallFontSize, F::kMicroFontSize};
         for (size_t i = 0; i < 4; ++i) {
             const int64_t size = NumberAt(n, i);
             const Bounds bounds = BoundsOf(sizes[i]);
             if (size >= bounds.lower && size <= bounds.upper) SetField(r, sizes[i], static_cast<int>(size));
         }
     },
     [](const StoredValue&, const R& r) -> std::optional<std::string> { return List(r.style.fontSizes); }},
};

const StoredValue kAfterColors[] = {
    {"Design",
     false,
     {},
     [](const StoredValue&, std::string_view text, R& r) { r.design = DesignOf(text, r.design); },
     [](const StoredValue&, const R& r) -> std::optional<std::string> { return DesignText(r.design); }},
    {"Flags",
     false,
     {},
     [](const StoredValue&, std::string_view text, R& r) {
         const ViewFlags flags = FlagsOf(text, {r.style.emphasis, r.clock, r.neighbourDays});
         r.style.emphasis = flags.emphasis;
         r.clock = flags.clock;
         r.neighbourDays = flags.neighbourDays;
     },
     [](const StoredValue&, const R& r) -> std::optional<std::string> {
         return FlagsText({r.style.emphasis, r.clock, r.neighbourDays});
     }},
    Plain(F::kBackgroundImage),
    Plain(F::kFontFace),
    {"CountDown",
     false,
     {},
     [](const StoredValue&, std::string_view text, R& r) { r.style.countDown = CountDownOf(text); },
     [](const StoredValue&, const R& r) -> std::optional<std::string> { return CountDownText(r.style.countDown); }},
    // Unknown to earlier versions, which pass it by.
    Plain(F::kTheme),
};

// Every stored value, in the order they are written.
const std::vector<StoredValue>& StoredValues() {
    static const std::vector<StoredValue> values = [] {
        std::vector<StoredValue> all(std::begin(kBeforeColors), std::end(kBeforeColors));
        for (const ColorDescription& color : kColorDescriptions) all.push_back(Colour(color));
        all.insert(all.end(), std::begin(kAfterColors), std::end(kAfterColors));
        // A plain value its field's row names and the lists above do not: written last.
        for (int f = 0; f < static_cast<int>(F::kCount); ++f) {
            const F field = static_cast<F>(f);
            const char* name = StoredAsOf(field).name;
            if (!name) continue;
            bool listed = false;
            for (const StoredValue& value : all) listed = listed || std::string_view(value.name) == name;
            if (!listed) all.push_back(Plain(field));
        }
        return all;
    }();
    return values;
}

}  // namespace

void ReadSettings(const SettingsValues& values, SettingsRecord& record) {
    for (const StoredValue& row : StoredValues()) {
        const std::string* text = nullptr;
        for (const auto& [name, value] : values) {
            if (name == row.name) {
                text = &value;
                break;  // the first of a name counts
            }
        }
        if (text && !text->empty()) row.read(row, *text, record);
        else if (row.always) row.read(row, "", record);
    }
}

SettingsValues WriteSettings(const SettingsRecord& record) {
    SettingsValues values;
    for (const StoredValue& row : StoredValues()) {
        if (std::optional<std::string> text = row.write(row, record)) values.emplace_back(row.name, std::move(*text));
    }
    return values;
}

}  // namespace tavoli
