// Layouts fitted to their texts with a made-up font (6 pixels a byte): line breaking, and
// how growth moves the controls. (What each control needs is checked on real dialogs.)
#include "dialogs/layout_fit.h"

#include <gtest/gtest.h>

#include "framework/platform.h"
#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

using K = ControlKind;

struct ByteMeasure : TextMeasure {
    int Width(std::string_view text) const override { return static_cast<int>(text.size()) * 6; }
    int LineHeight() const override { return 13; }
};

TEST(WrapText, BetweenWordsAndJapaneseCharactersButNotBeforeClosingMarks) {
#ifndef _WIN32
    HostPlatform japanese;
    japanese.SetCodePage(kCodePageJapanese);
    ScopedPlatform scope(japanese);
#endif
    struct Case {
        const char* text;  // UTF-8; a Japanese character is two bytes, 12 pixels
        int width;
        std::vector<const char*> lines;
    } cases[] = {
        {"Free software. No warranty.", 100, {"Free software.", "No warranty."}},
        {"abcdefghij\n\nc", 30, {"abcde", "fghij", "", "c"}},  // a word wider than the line
        {"フリーソフトウェアです。無保証です。", 192, {"フリーソフトウェアです。", "無保証です。"}},
        {"あいうえおか。", 72, {"あいうえお", "か。"}},                       // no line starts with a stop
        {"あいう「えお」", 48, {"あいう", "「えお」"}},                       // nor ends with a bracket
        {"はい。とても長い文章です", 120, {"はい。とても長い文章", "です"}},  // a stop too early to prefer
        {"カレンダーTavoli", 66, {"カレンダー", "Tavoli"}},
    };
    for (const Case& c : cases) {
        if (static_cast<unsigned char>(c.text[0]) > 0x7F && CurrentPlatform().AnsiCodePage() != kCodePageJapanese)
            continue;
        std::vector<std::string> expected;
        for (const char* line : c.lines) expected.push_back(AnsiFromUtf8(line));
        EXPECT_EQ(WrapText(AnsiFromUtf8(c.text), c.width, ByteMeasure()), expected) << c.text;
    }
    EXPECT_EQ(WidestUnbreakable("Free software.\nhttps://example/ ok", ByteMeasure()), 16 * 6);
}

TEST(FitLayout, GrowthPushesItsRowAndColumnTheTabStripAndTheDialog) {
    struct Case {
        const char* what;
        std::vector<ControlSpec> controls;  // in a dialog of 100 x 50 units (200 x 100 pixels)
        ControlNeeds needs;
        std::vector<Rect> rects;
        Size client;
    } cases[] = {
        {"a label pushes its row; its column grows alike and stays aligned",
         {{K::kLabel, 3, {10, 10, 50, 30}},
          {K::kSpinEdit, 4, {60, 10, 100, 30}},
          {K::kLabel, 5, {110, 10, 130, 30}},
          {K::kLabel, 6, {10, 40, 50, 60}},
          {K::kButton, 1, {60, 40, 100, 64}}},
         {{3, {60, 13}}, {4, {45, 0}}},
         {{10, 10, 70, 30}, {80, 10, 125, 30}, {135, 10, 155, 30}, {10, 40, 70, 60}, {80, 40, 125, 64}},
         {225, 100}},
        {"a taller label pushes what is below it; a list drops over it",
         {{K::kLabel, 3, {10, 10, 190, 30}}, {K::kButton, 1, {70, 40, 130, 64}}, {K::kCombo, 2, {10, 70, 60, 90}}},
         {{3, {0, 52}}, {2, {50, 120}}},
         {{10, 10, 190, 62}, {70, 72, 130, 96}, {10, 102, 60, 222}},
         {200, 136}},
        {"a row of tabs (more than a page) widens the strip; a taller page lowers the buttons",
         {{K::kTab, 1, {2, 2, 180, 80}},
          {K::kButton, 2, {20, 86, 80, 98}},
          {K::kLabel, 9, {20, 40, 80, 60}, "", "", 0, 0, 0},
          {K::kLabel, 10, {20, 40, 100, 60}, "", "", 0, 0, 1}},  // another page: no push
         {{1, {210, 0}}, {9, {100, 13}}, {10, {80, 30}}},
         {{2, 2, 212, 90}, {20, 96, 80, 108}, {20, 40, 120, 60}, {20, 40, 100, 70}},
         {232, 110}},
    };
    for (const Case& c : cases) {
        const FittedLayout fitted = FitLayout({"", 100, 50, c.controls}, c.needs);
        std::vector<Rect> rects;
        for (const ControlSpec& control : fitted.layout.controls) rects.push_back(control.rect);
        EXPECT_EQ(rects, c.rects) << c.what;
        EXPECT_EQ(fitted.client, c.client) << c.what;
        EXPECT_EQ(fitted.layout.widthUnits, (c.client.width + 1) / 2) << c.what;
        EXPECT_EQ(CheckDialogLayout(fitted.layout), std::vector<std::string>{}) << c.what;
    }
}

}  // namespace
}  // namespace tavoli
