#include "dialogs/options_layout.h"

#include <gtest/gtest.h>

#include <map>

#include "dialogs/control_rules.h"
#include "framework/lang_text.h"
#include "support/test_platform.h"
#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

using namespace options_dialog;

// The rules the table keeps: the page controls numbered in table order, every page with
// controls and a tab, and every setting shown by exactly one control (the translucency,
// stored only, by none).
TEST(OptionsLayout, PagesOfNumberedControlsThatFit) {
    const DialogLayout& layout = OptionsDialogLayout();
    EXPECT_EQ(CheckDialogLayout(layout), std::vector<std::string>{});
    std::map<int, int> perPage;
    std::map<SettingField, int> bound;
    int number = kFirstNumber;
    for (const ControlSpec& control : layout.controls) {
        if (control.page == kEveryPage) continue;
        EXPECT_EQ(control.id, IdOf(number++));
        ++perPage[control.page];
        if (control.field != SettingField::kCount) ++bound[control.field];
    }
    EXPECT_EQ(perPage.size(), static_cast<size_t>(kPageCount));
    EXPECT_EQ(OptionsPageLabels().size(), static_cast<size_t>(kPageCount));
    for (int f = 0; f < static_cast<int>(SettingField::kCount); ++f) {
        const auto field = static_cast<SettingField>(f);
        EXPECT_EQ(bound[field], field == SettingField::kTransparency ? 0 : 1) << "field " << f;
    }
    // A few rows as the table gives them: ids are the number + 5.
    const struct {
        int number;
        ControlKind kind;
        Rect rect;
        int page;
    } rows[] = {
        {kFirstDay, ControlKind::kCombo, {160, 100, 300, 180}, 0},
        {kRowsStyle, ControlKind::kCombo, {150, 120, 300, 220}, 1},
        {ColorSwatchOf(5), ControlKind::kSwatch, {255, 36, 279, 60}, 3},
        {ColorButton(9), ControlKind::kButton, {285, 156, 360, 180}, 3},
        {kMicroSize, ControlKind::kSpinEdit, {170, 148, 300, 168}, 4},
        {kBackupMemo, ControlKind::kButton, {20, 100, 240, 126}, 6},
        {kTheme, ControlKind::kCombo, {75, 186, 180, 266}, 3},
    };
    for (const auto& row : rows) {
        const ControlSpec* control = layout.Find(IdOf(row.number));
        ASSERT_NE(control, nullptr) << row.number;
        EXPECT_EQ(control->kind, row.kind) << row.number;
        EXPECT_EQ(control->rect, row.rect) << row.number;
        EXPECT_EQ(control->page, row.page) << row.number;
    }
    // Every number field edits a setting, within the bounds its value keeps wherever it
    // comes from.
    for (const ControlSpec& control : layout.controls) {
        if (control.kind == ControlKind::kSpinEdit) {
            EXPECT_NE(control.field, SettingField::kCount) << control.id;
        }
    }
    EXPECT_EQ(layout.Find(IdOf(kLargeSize))->lower, 8);
    EXPECT_EQ(layout.Find(IdOf(kLargeSize))->upper, 255);
    EXPECT_EQ(InitialFocusId(layout), IdOf(kClock));  // the first page's first control, not the tab strip
}

#ifndef _WIN32
TEST(OptionsLayout, ItemsInEitherLanguage) {
    HostPlatform english, japanese;
    english.SetCodePage(kCodePageWestern);
    english.SetAbbreviatedLanguageName("ENU");
    japanese.SetCodePage(kCodePageJapanese);
    const ControlSpec* rows = OptionsDialogLayout().Find(IdOf(kRowsStyle));
    {
        ScopedPlatform scope(english);
        // Every view in both languages: the two months too.
        EXPECT_EQ(SplitItems(rows->Text()).size(), static_cast<size_t>(kRowsStyleCount));
        EXPECT_EQ(NormalizeSelection(kTwelveMonths, SplitItems(rows->Text()).size()), kTwelveMonths);
        EXPECT_EQ(OptionsPageLabels().back(), "Calendars");
        // The calendars list: a name, else the file's; a hidden one marked; one added in the
        // first colour of the set that no other has.
        EXPECT_EQ(CalendarSourceLabel({"C:\\cal\\work.ics", "", 1, true}), "work");
        EXPECT_EQ(CalendarSourceLabel({"C:\\cal", "Family", 1, false}), "Family (hidden)");
        const std::vector<CalendarSource> two = {{"a.ics", "", SourceColor(0)}, {"b.ics", "", SourceColor(2)}};
        EXPECT_EQ(AddedCalendarSource("c.ics", two).color, SourceColor(1));
        // The holidays list: none first; a chosen set no longer shipped stays an item.
        const std::vector<HolidaySetEntry> sets = {{"DE", "Germany"}, {"DE-BY", "Bavaria (Bayern)"}};
        std::vector<std::string> labels, codes;
        for (const HolidaySetChoice& choice : HolidaySetChoices(sets, "FR")) {
            labels.push_back(choice.label);
            codes.push_back(choice.code);
        }
        EXPECT_EQ(labels,
                  (std::vector<std::string>{"None: holidays.txt alone", "Germany", "Germany: Bavaria (Bayern)", "FR"}));
        EXPECT_EQ(codes, (std::vector<std::string>{"none", "DE", "DE-BY", "FR"}));
        EXPECT_EQ(HolidaySetChoices(sets, "DE").size(), 3u);
    }
    {
        ScopedPlatform scope(japanese);
        EXPECT_EQ(SplitItems(rows->Text()).size(), static_cast<size_t>(kRowsStyleCount));
        EXPECT_EQ(OptionsPageLabels().back(), AnsiFromUtf8("カレンダー"));
    }
}
#endif

// OK takes a field from its control only when the user changed what the control showed.
TEST(OptionsLayout, EditedSettingsKeepWhatWasLeftAsShown) {
    using F = SettingField;
    SettingsRecord opened;
    opened.firstDayOfWeek = -1;  // shown as Saturday
    opened.design.rows = kTwoMonths;
    opened.margins = {4, 8, 12, 16};
    opened.eraList = std::string(300, 'e');  // longer than an edit takes
    const FieldValues shown = {{F::kFirstDayOfWeek, 6}, {F::kRowsStyle, 0},  {F::kMarginX, 4},        {F::kMarginY, 8},
                               {F::kEraList, "eee"},    {F::kCellWidth, 48}, {F::kMonthNames, "J F"}, {F::kClock, 0}};
    FieldValues left = shown;
    left[F::kMarginX] = 6;
    left[F::kCellWidth] = 500;  // brought into its bounds
    left[F::kMonthNames] = "";  // emptied: a blank, as it is stored
    left[F::kClock] = 1;
    const SettingsRecord edited = EditedSettings(opened, shown, left);
    EXPECT_EQ(edited.firstDayOfWeek, -1);
    EXPECT_EQ(edited.design.rows, kTwoMonths);
    EXPECT_EQ(edited.margins, (std::array<int, 4>{6, 8, 6, 16}));
    EXPECT_EQ(edited.eraList, opened.eraList);
    EXPECT_EQ(edited.cellSize.width, 256);
    EXPECT_EQ(edited.monthNames, " ");
    EXPECT_TRUE(edited.clock);
}

}  // namespace
}  // namespace tavoli
