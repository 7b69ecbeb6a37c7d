// The settings record's own rules: each field kept in its bounds whoever sets it, and
// the table reading back what it writes.
#include "settings/settings_record.h"

#include <gtest/gtest.h>

#include <set>

#include "settings/settings_table.h"

namespace tavoli {
namespace {

TEST(SettingsRecord, FieldsStayInTheirBounds) {
    using F = SettingField;
    const struct {
        F field;
        FieldValue set;
        FieldValue read;
    } cases[] = {
        {F::kCellWidth, 5, 8},
        {F::kCellHeight, 999, 256},
        {F::kLargeFontSize, 4, 8},
        {F::kMicroFontSize, 300, 255},
        {F::kMarginX, -5, 0},
        {F::kMarginY, 2000, 1000},
        {F::kTransparency, 300, 240},
        {F::kFirstDayOfWeek, -1, 6},
        {F::kFirstDayOfWeek, 9, 2},
        {F::kRowsStyle, 2, 2},
        {F::kRowsStyle, 5, 5},
        {F::kRowsStyle, 6, 0},
        {F::kFooterStyle, -1, 0},
        {F::kEmphasis, 5, 1},
        {F::kCellWidth, std::string("x"), 48},  // the wrong kind: no change
        {F::kEraList, std::string("2019=\"R\""), std::string("2019=\"R\"")},
        {ColorField(ViewColor::kToday), PixelColor::Rgb(1, 2, 3), PixelColor::Rgb(1, 2, 3)},
    };
    for (const auto& c : cases) {
        SettingsRecord record;
        SetField(record, c.field, c.set);
        EXPECT_EQ(GetField(record, c.field), c.read) << static_cast<int>(c.field);
    }
    // One margin a direction, both sides.
    SettingsRecord record;
    SetField(record, F::kMarginX, 7);
    SetField(record, F::kMarginY, 9);
    EXPECT_EQ(record.margins, (std::array<int, 4>{7, 9, 7, 9}));
}

TEST(SettingsTable, WhatIsWrittenReadsBackTheSame) {
    SettingsRecord record;
    record.position = Point{-20, 30};
    record.transparency = 100;
    record.cellSize = {60, 40};
    record.margins = {1, 2, 3, 4};
    record.weekdayNames = "A B";
    record.monthNames = "J F";
    record.eraList = " ";  // an emptied list stays empty
    record.design = Design::FromValues(1, 3, 2, 4);
    record.clock = record.neighbourDays = true;
    record.style.countDown = {true, CalDate(2030, 1, 2), -3, 2};
    record.style.SetColor(ViewColor::kHeader, PixelColor::Rgb(1, 2, 3, 55));
    record.backgroundImagePath = "bg??.bmp";
    record.style.theme = Theme::kDark;
    record.calendarSources = "1\t#FF0000\tWork\tC:\\work.ics\r\n0\t#00FF00\t\tD:\\shared\r\n";
    SettingsRecord again;
    ReadSettings(WriteSettings(record), again);
    EXPECT_EQ(again, record);
    EXPECT_EQ(WriteSettings(again), WriteSettings(record));
}

// The rules the rows stand for: each stored name once, every field reaching the record and
// coming back from the store on its own, every default inside its field's bounds.
TEST(SettingsTable, EachFieldIsStoredAndReadBackOnItsOwn) {
    SettingsRecord defaults = SettingsRecord::Defaults(CalDate(2024, 5, 15), PixelColor::Rgb(250, 250, 240));
    EXPECT_EQ(Normalized(defaults), defaults);
    // A list without a default in this language is written as an emptied one.
    for (std::string* names : {&defaults.weekdayNames, &defaults.monthNames, &defaults.eraList})
        *names = names->empty() ? " " : *names;
    std::set<std::string> names;
    for (const auto& [name, text] : WriteSettings(defaults)) EXPECT_TRUE(names.insert(name).second) << name;
    for (int f = 0; f < static_cast<int>(SettingField::kCount); ++f) {
        const auto field = static_cast<SettingField>(f);
        const FieldValue value = GetField(defaults, field);
        SettingsRecord changed = defaults;
        if (const int* n = std::get_if<int>(&value)) {
            EXPECT_TRUE(BoundsOf(field).Holds(*n)) << f << ": " << *n;
            for (const int other : {*n + 1, *n - 1}) {
                if (changed == defaults) SetField(changed, field, other);
            }
        } else if (const std::string* text = std::get_if<std::string>(&value)) {
            // A text with a letter more, else one of the few a field such as the holiday
            // set takes.
            for (const std::string& other : {*text + "x", std::string("DE")}) {
                if (changed == defaults) SetField(changed, field, other);
            }
        } else {
            SetField(changed, field, PixelColor::Rgb(1, 2, 3));
        }
        ASSERT_NE(changed, defaults) << f << " does not reach the record";
        EXPECT_EQ(Normalized(changed), changed) << f;
        SettingsRecord read = defaults;
        ReadSettings(WriteSettings(changed), read);
        EXPECT_EQ(read, changed) << f << " is not stored";
    }
}

}  // namespace
}  // namespace tavoli
