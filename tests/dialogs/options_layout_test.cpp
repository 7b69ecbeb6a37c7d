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

TEST(OptionsLayout, SevenPagesOfSeventyFiveControlsThatFit) {
    const DialogLayout& layout = OptionsDialogLayout();
    EXPECT_EQ(CheckDialogLayout(layout), std::vector<std::string>{});
    std::map<int, int> perPage;
    int pageControls = 0;
    for (const ControlSpec& control : layout.controls) {
        if (control.page == kEveryPage) continue;
        ++pageControls;
        ++perPage[control.page];
        EXPECT_GE(control.id, IdOf(kFirstNumber));
        EXPECT_LE(control.id, IdOf(kLastNumber));
    }
    EXPECT_EQ(pageControls, 75);
    EXPECT_EQ(perPage, (std::map<int, int>{{0, 6}, {1, 12}, {2, 6}, {3, 30}, {4, 10}, {5, 8}, {6, 3}}));
    // A few rows as the table gives them: ids are the number + 5.
    const struct {
        int number;
        ControlKind kind;
        Rect rect;
        int page;
    } rows[] = {
        {kFirstDay, ControlKind::kCombo, {160, 100, 300, 180}, 0},
        {kRowsStyle, ControlKind::kCombo, {150, 120, 300, 200}, 1},
        {ColorSwatchOf(5), ControlKind::kSwatch, {255, 36, 279, 60}, 3},
        {ColorButton(9), ControlKind::kButton, {285, 156, 360, 180}, 3},
        {kMicroSize, ControlKind::kSpinEdit, {170, 148, 300, 168}, 4},
        {kBackupMemo, ControlKind::kButton, {20, 100, 240, 126}, 6},
    };
    for (const auto& row : rows) {
        const ControlSpec* control = layout.Find(IdOf(row.number));
        ASSERT_NE(control, nullptr) << row.number;
        EXPECT_EQ(control->kind, row.kind) << row.number;
        EXPECT_EQ(control->rect, row.rect) << row.number;
        EXPECT_EQ(control->page, row.page) << row.number;
    }
    EXPECT_EQ(layout.Find(IdOf(kLargeSize))->lower, 4);
    EXPECT_EQ(layout.Find(IdOf(kLargeSize))->upper, 256);
}

#ifndef _WIN32
TEST(OptionsLayout, EnglishHasNoTwoMonthItem) {
    HostPlatform english, japanese;
    english.SetCodePage(kCodePageWestern);
    english.SetAbbreviatedLanguageName("ENU");
    japanese.SetCodePage(kCodePageJapanese);
    const ControlSpec* rows = OptionsDialogLayout().Find(IdOf(kRowsStyle));
    {
        ScopedPlatform scope(english);
        EXPECT_EQ(SplitItems(rows->Text()), (std::vector<std::string>{"6-lines", "5-lines"}));
        // A stored two-month view shows as "6-lines" and is stored as 0 on OK.
        EXPECT_EQ(NormalizeSelection(kTwoMonths, SplitItems(rows->Text()).size()), 0);
        EXPECT_EQ(OptionsPageLabels().back(), "Script");
    }
    {
        ScopedPlatform scope(japanese);
        EXPECT_EQ(SplitItems(rows->Text()).size(), 3u);
        EXPECT_EQ(OptionsPageLabels().back(), AnsiFromUtf8("スクリプト"));
    }
}
#endif

TEST(OptionsLayout, ValuesTakenAndPutBack) {
    CalendarView view;
    WindowSettings window;
    window.backgroundImagePath = "bg??.bmp";
    view.SetMargins(4, 8, 12, 16);
    view.SetFirstDayOfWeek(-1);
    view.SetDesign({kLeftTwoLines, kHideWeekdayIndex, kTwoMonths, kRightThreeLines});
    view.Style().SetColor(ViewColor::kToday, PixelColor::Rgb(1, 2, 3));
    OptionValues values = OptionValuesOf(view, window);
    EXPECT_EQ(values.firstDayOfWeek, 6);
    EXPECT_EQ(values.margins, (std::array<int, 4>{4, 8, 12, 16}));
    EXPECT_EQ(values.colors[8], PixelColor::Rgb(1, 2, 3));  // the today row
    EXPECT_EQ(values.rowsStyle, kTwoMonths);

    CalendarView other;
    WindowSettings otherWindow;
    ApplyOptionValues(values, other, otherWindow);
    EXPECT_EQ(OptionValuesOf(other, otherWindow).margins, values.margins);
    EXPECT_EQ(other.GetDesign(), view.GetDesign());
    EXPECT_EQ(other.Style(), view.Style());
    EXPECT_EQ(otherWindow.backgroundImagePath, "bg??.bmp");

    // The dialog puts the margins back as X, Y, X, Y; an emptied era list stays empty.
    values.margins = {4, 8, 4, 8};
    values.eraList.clear();
    values.clock = true;
    ApplyOptionValues(values, other, otherWindow);
    EXPECT_EQ(other.Margins(), (std::array<int, 4>{4, 8, 4, 8}));
    EXPECT_EQ(other.EraList(), " ");
    EXPECT_TRUE(other.Clock());
}

}  // namespace
}  // namespace tavoli
