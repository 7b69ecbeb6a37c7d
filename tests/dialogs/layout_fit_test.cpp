// Layouts fitted to their texts with a made-up font (every byte 6 pixels wide, lines 13
// high): texts broken into lines, what each kind of control needs, how growth moves the
// controls beside and below, and every real dialog fitted without a fault.
#include "dialogs/layout_fit.h"

#include <gtest/gtest.h>

#include "dialogs/options_layout.h"
#include "dialogs/small_dialogs_layout.h"
#include "framework/platform.h"
#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

using K = ControlKind;

class ByteMeasure : public TextMeasure {
public:
    explicit ByteMeasure(int perByte = 6) : perByte_(perByte) {}
    int Width(std::string_view text) const override { return static_cast<int>(text.size()) * perByte_; }
    int LineHeight() const override { return 13; }

private:
    int perByte_;
};

const ControlChrome kChrome{16, 10, 20, 21, 13, 28, 12, 54, 4};

TEST(WrapText, BreaksBetweenWordsAndInsideOnlyWhatCannotFit) {
    struct Case {
        const char* text;
        int width;
        std::vector<std::string> lines;
    } cases[] = {
        {"Free software. No warranty.", 100, {"Free software.", "No warranty."}},
        {"Free software. No warranty.", 300, {"Free software. No warranty."}},
        {"abcdefghij", 30, {"abcde", "fghij"}},  // a word wider than the line
        {"to   be", 12, {"to", "be"}},           // blanks at a break are dropped
        {"a\n\nb", 60, {"a", "", "b"}},
        {"", 60, {""}},
    };
    for (const Case& c : cases) EXPECT_EQ(WrapText(c.text, c.width, ByteMeasure()), c.lines) << c.text;
    EXPECT_EQ(WidestUnbreakable("Free software.\nhttps://example/ ok", ByteMeasure()), 16 * 6);
}

#ifndef _WIN32
TEST(WrapText, JapaneseBreaksBetweenCharactersButNotBeforeClosingMarks) {
    HostPlatform japanese;
    japanese.SetCodePage(kCodePageJapanese);
    ScopedPlatform scope(japanese);
    struct Case {
        const char* text;  // UTF-8; two bytes, 12 pixels, a character in code page 932
        int width;
        std::vector<const char*> lines;
    } cases[] = {
        // After the full stop rather than inside the next word.
        {"フリーソフトウェアです。無保証です。", 192, {"フリーソフトウェアです。", "無保証です。"}},
        {"あいうえおか。", 72, {"あいうえお", "か。"}},                       // no line starts with a full stop
        {"あいう「えお」", 48, {"あいう", "「えお」"}},                       // nor ends with an opening bracket
        {"はい。とても長い文章です", 120, {"はい。とても長い文章", "です"}},  // a stop too early to prefer
        {"カレンダーTavoli", 66, {"カレンダー", "Tavoli"}},                   // a word of letters stays whole
        {"ちょっと", 24, {"ちょ", "っと"}},                                   // small kana stay with the one before
    };
    for (const Case& c : cases) {
        std::vector<std::string> expected;
        for (const char* line : c.lines) expected.push_back(AnsiFromUtf8(line));
        EXPECT_EQ(WrapText(AnsiFromUtf8(c.text), c.width, ByteMeasure()), expected) << c.text;
    }
}
#endif

TEST(MeasureNeeds, EachKindAroundItsText) {
    struct Case {
        const char* what;
        ControlSpec control;
        ControlContent content;
        ControlNeed need;
    } cases[] = {
        {"a label without its mnemonic mark", {K::kLabel, 3, {0, 0, 10, 20}}, {{"First day(&W)"}}, {72, 13}},
        {"a label of two lines", {K::kLabel, 3, {0, 0, 10, 20}}, {{"a\nbcd"}}, {18, 26}},
        {"a wrapping label keeps its width", {K::kLabel, 3, {0, 0, 42, 20}}, {{"aaa bbb ccc"}, true}, {18, 26}},
        {"a wrapping label holds its widest word", {K::kLabel, 3, {0, 0, 30, 20}}, {{"a abcdefgh b"}, true}, {48, 39}},
        {"a check box", {K::kCheckBox, 3, {0, 0, 10, 20}}, {{"Show(&D)"}}, {58, 13}},
        {"a button, && drawn as one &", {K::kButton, 3, {0, 0, 10, 20}}, {{"A && B"}}, {40, 13}},
        {"a combo box", {K::kCombo, 3, {0, 0, 10, 80}}, {{"one", "two", "three"}}, {50, 72}},
        {"a long list drops 16 items",
         {K::kCombo, 3, {0, 0, 10, 80}},
         {std::vector<std::string>(20, "x")},
         {26, 21 + 17 * 13 - 1}},
        {"a spin edit's wider bound", {K::kSpinEdit, 3, {0, 0, 10, 20}, "", "", -1000, 100}, {}, {58, 0}},
        {"a row of tabs", {K::kTab, 3, {0, 0, 10, 20}}, {{"Font", "Background"}}, {130, 0}},
    };
    for (const Case& c : cases) {
        const DialogLayout layout{"", 100, 50, {c.control}};
        const ControlNeeds needs = MeasureNeeds(layout, {{3, c.content}}, ByteMeasure(), kChrome);
        ASSERT_EQ(needs.count(3), 1u) << c.what;
        EXPECT_EQ(needs.at(3).width, c.need.width) << c.what;
        EXPECT_EQ(needs.at(3).height, c.need.height) << c.what;
    }
    // Edits and swatches keep the table's size.
    const DialogLayout edits{"", 100, 50, {{K::kEdit, 3, {0, 0, 10, 20}}, {K::kSwatch, 4, {20, 0, 30, 20}}}};
    EXPECT_TRUE(MeasureNeeds(edits, ContentsOf(edits), ByteMeasure(), kChrome).empty());
}

TEST(FitLayout, GrowthPushesItsRowAndColumnAndTheDialog) {
    struct Case {
        const char* what;
        std::vector<ControlSpec> controls;  // in a dialog of 100 x 50 units (200 x 100 pixels)
        ControlNeeds needs;
        std::vector<Rect> rects;
        Size client;
    } cases[] = {
        {"nothing grows",
         {{K::kLabel, 3, {10, 10, 50, 30}}, {K::kButton, 1, {10, 60, 90, 84}}},
         {{3, {40, 13}}, {1, {20, 13}}},
         {{10, 10, 50, 30}, {10, 60, 90, 84}},
         {200, 100}},
        {"a label pushes its row; its column grows alike and stays aligned",
         {{K::kLabel, 3, {10, 10, 50, 30}},
          {K::kSpinEdit, 4, {60, 10, 100, 30}},
          {K::kLabel, 5, {110, 10, 130, 30}},
          {K::kLabel, 6, {10, 40, 50, 60}},
          {K::kButton, 1, {60, 40, 100, 64}}},
         {{3, {60, 13}}},
         {{10, 10, 70, 30}, {80, 10, 120, 30}, {130, 10, 150, 30}, {10, 40, 70, 60}, {80, 40, 120, 64}},
         {220, 100}},
        {"two growths in a row add up",
         {{K::kLabel, 3, {10, 10, 50, 30}}, {K::kSpinEdit, 4, {60, 10, 100, 30}}, {K::kLabel, 5, {110, 10, 130, 30}}},
         {{3, {50, 13}}, {4, {45, 0}}},
         {{10, 10, 60, 30}, {70, 10, 115, 30}, {125, 10, 145, 30}},
         {215, 100}},
        {"a taller label pushes what is below it",
         {{K::kLabel, 3, {10, 10, 190, 30}}, {K::kButton, 1, {70, 40, 130, 64}}, {K::kButton, 2, {150, 70, 190, 94}}},
         {{3, {0, 52}}},
         {{10, 10, 190, 62}, {70, 72, 130, 96}, {150, 102, 190, 126}},
         {200, 132}},
        {"a combo box's list drops over the label below",
         {{K::kCombo, 3, {100, 10, 190, 90}}, {K::kLabel, 4, {100, 40, 190, 60}}},
         {{3, {90, 120}}},
         {{100, 10, 190, 130}, {100, 40, 190, 60}},
         {200, 100}},
    };
    for (const Case& c : cases) {
        const FittedLayout fitted = FitLayout({"", 100, 50, c.controls}, c.needs);
        std::vector<Rect> rects;
        for (const ControlSpec& control : fitted.layout.controls) rects.push_back(control.rect);
        EXPECT_EQ(rects, c.rects) << c.what;
        EXPECT_EQ(fitted.client, c.client) << c.what;
        EXPECT_EQ(fitted.layout.widthUnits, (c.client.width + 1) / 2) << c.what;
        EXPECT_EQ(fitted.layout.heightUnits, (c.client.height + 1) / 2) << c.what;
    }
}

TEST(FitLayout, TheTabStripHoldsItsPagesAndItsTabs) {
    const std::vector<ControlSpec> controls = {
        {K::kTab, 1, {2, 2, 200, 100}},
        {K::kButton, 2, {20, 106, 80, 130}},
        {K::kLabel, 9, {20, 40, 80, 60}, "", "", 0, 0, 0},
        {K::kLabel, 10, {20, 40, 100, 60}, "", "", 0, 0, 1},  // on another page: no push
        {K::kCombo, 11, {90, 40, 180, 120}, "", "", 0, 0, 0},
    };
    struct Case {
        const char* what;
        ControlNeeds needs;
        Rect tab, combo, button;
    } cases[] = {
        {"a wider page", {{9, {80, 13}}}, {2, 2, 220, 100}, {110, 40, 200, 120}, {20, 106, 80, 130}},
        {"a wider row of tabs", {{1, {260, 0}}}, {2, 2, 262, 100}, {90, 40, 180, 120}, {20, 106, 80, 130}},
        {"a taller page", {{10, {80, 30}}}, {2, 2, 200, 106}, {90, 40, 180, 120}, {20, 112, 80, 136}},
    };
    for (const Case& c : cases) {
        const FittedLayout fitted = FitLayout({"", 102, 70, controls}, c.needs);
        EXPECT_EQ(fitted.layout.Find(1)->rect, c.tab) << c.what;
        EXPECT_EQ(fitted.layout.Find(11)->rect, c.combo) << c.what;
        EXPECT_EQ(fitted.layout.Find(2)->rect, c.button) << c.what;
        EXPECT_EQ(CheckDialogLayout(fitted.layout), std::vector<std::string>{}) << c.what;
    }
}

// Every dialog of the program, fitted under a narrow and a wide made-up font: every need
// met, and the table's checks still pass in the grown dialog.
TEST(FitLayout, EveryDialogFitsWithoutAFault) {
    struct Named {
        const char* name;
        const DialogLayout& layout;
    } dialogs[] = {{"options", OptionsDialogLayout()},
                   {"jump", JumpDialogLayout()},
                   {"count-down", CountDownDialogLayout()},
                   {"about", AboutDialogLayout()},
                   {"memo", MemoDialogLayout()}};
    for (const Named& dialog : dialogs) {
        for (int perByte : {6, 9}) {
            ControlContents contents = ContentsOf(dialog.layout);
            if (&dialog.layout == &OptionsDialogLayout()) contents[options_dialog::kTab].texts = OptionsPageLabels();
            const ByteMeasure measure(perByte);
            const ControlNeeds needs = MeasureNeeds(dialog.layout, contents, measure, kChrome);
            const FittedLayout fitted = FitLayout(dialog.layout, needs);
            const std::string where = std::string(dialog.name) + " at " + std::to_string(perByte);
            EXPECT_EQ(CheckDialogLayout(fitted.layout), std::vector<std::string>{}) << where;
            for (const ControlSpec& control : fitted.layout.controls) {
                const auto need = needs.find(control.id);
                if (need == needs.end()) continue;
                EXPECT_GE(control.rect.Width(), need->second.width) << where << " id " << control.id;
                EXPECT_GE(control.rect.Height(), need->second.height) << where << " id " << control.id;
            }
        }
    }
}

}  // namespace
}  // namespace tavoli
