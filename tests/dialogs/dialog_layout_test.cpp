// The checks of a dialog's layout table: every fault it must catch, and the pixel size
// of a dialog under the system font's units.
#include "dialogs/dialog_layout.h"

#include <gtest/gtest.h>

#include "dialogs/control_rules.h"

namespace tavoli {
namespace {

using K = ControlKind;
using Faults = std::vector<std::string>;

TEST(DialogClientSize, MapsDialogUnitsAsTheSystemDoes) {
    struct Case {
        int width, height;
        DialogBaseUnits units;
        Size expected;
    } cases[] = {
        {100, 36, {8, 16}, {200, 72}},   {100, 36, {9, 16}, {225, 72}},  // Wine's English system font
        {100, 36, {8, 18}, {200, 81}},                                   // and its Japanese one
        {106, 106, {9, 16}, {239, 212}},                                 // 238.5 rounds up
        {106, 106, {8, 18}, {212, 239}}, {32, 256, {8, 16}, {64, 512}}, {0, 0, {8, 16}, {0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DialogClientSize(c.width, c.height, c.units), c.expected) << c.width << " x " << c.height;
    }
}

TEST(CheckDialogLayout, FindsEveryKindOfFault) {
    // 100 × 50 units: 200 × 100 pixels at two pixels per unit.
    const std::vector<ControlSpec> sound = {
        {K::kSpinEdit, 3, {10, 10, 60, 30}}, {K::kLabel, 4, {70, 10, 90, 30}},
        {K::kCombo, 5, {100, 10, 190, 95}},  // its list may drop over the buttons
        {K::kButton, 1, {10, 60, 90, 84}},   {K::kButton, 2, {100, 60, 180, 84}},
    };
    struct Case {
        const char* what;
        std::vector<ControlSpec> extra;
        Faults expected;
    } cases[] = {
        {"a sound layout", {}, {}},
        {"two labels overlap",
         {{K::kLabel, 6, {50, 35, 80, 55}}, {K::kLabel, 7, {79, 54, 99, 58}}},
         {"control 6 (50, 35, 80, 55) overlaps control 7 (79, 54, 99, 58)"}},
        {"touching is not overlapping", {{K::kLabel, 6, {10, 30, 60, 60}}}, {}},
        {"a label under a closed combo box",
         {{K::kLabel, 6, {150, 33, 160, 40}}},
         {"control 5 (100, 10, 190, 34) overlaps control 6 (150, 33, 160, 40)"}},
        {"a control past the right edge",
         {{K::kCheckBox, 6, {10, 86, 270, 98}}},
         {"control 6 at (10, 86, 270, 98) reaches outside the 200 x 100 dialog"}},
        {"a button past the bottom edge",
         {{K::kButton, 6, {100, 88, 180, 101}}},
         {"control 6 at (100, 88, 180, 101) reaches outside the 200 x 100 dialog"}},
        {"a control left of the dialog",
         {{K::kLabel, 6, {-1, 40, 5, 50}}},
         {"control 6 at (-1, 40, 5, 50) reaches outside the 200 x 100 dialog"}},
        {"an id used twice", {{K::kLabel, 4, {10, 35, 20, 45}}}, {"id 4 is used 2 times"}},
        {"an id that is a spinner's",
         {{K::kLabel, SpinnerIdOf(3), {10, 35, 20, 45}}},
         {"id " + std::to_string(SpinnerIdOf(3)) + " is used 2 times"}},
        {"ids outside a command's word",
         {{K::kLabel, 0, {10, 35, 20, 45}}, {K::kLabel, 65536, {30, 35, 40, 45}}},
         {"id 0 is outside 1 ... 65535", "id 65536 is outside 1 ... 65535"}},
        {"an empty rectangle",
         {{K::kLabel, 6, {10, 35, 10, 45}}},
         {"control 6 has the empty rectangle (10, 35, 10, 45)"}},
        {"a page without a tab strip",
         {{K::kLabel, 6, {10, 35, 20, 45}, "", "", 0, 0, 1}},
         {"control 6 is on page 1, which no tab strip shows"}},
    };
    for (const Case& c : cases) {
        DialogLayout layout{"", 100, 50, sound};
        layout.controls.insert(layout.controls.end(), c.extra.begin(), c.extra.end());
        EXPECT_EQ(CheckDialogLayout(layout), c.expected) << c.what;
    }
    // Wider units hold what the smallest do not.
    DialogLayout wide{"", 100, 50, sound};
    wide.controls.push_back({K::kLabel, 6, {190, 86, 220, 98}});
    EXPECT_EQ(CheckDialogLayout(wide, {8, 16}).size(), 1u);
    EXPECT_EQ(CheckDialogLayout(wide, {9, 16}), Faults{});
}

TEST(CheckDialogLayout, PagesShareTheirPlaceUnderTheTabStrip) {
    // 200 × 115 units: 400 × 230 pixels; pages below the row of tabs, from y 26.
    const std::vector<ControlSpec> sound = {
        {K::kTab, 1, {2, 2, 380, 190}},
        {K::kButton, 2, {20, 196, 92, 220}},
        {K::kLabel, 9, {20, 40, 150, 60}, "", "", 0, 0, 0},
        {K::kCombo, 10, {160, 40, 300, 180}, "", "", 0, 0, 0},
        {K::kSpinEdit, 11, {20, 40, 150, 60}, "", "", 0, 1000, 1},  // the same place on another page
        {K::kSwatch, 13, {160, 40, 300, 60}, "", "", 0, 0, 2},
    };
    struct Case {
        const char* what;
        std::vector<ControlSpec> extra;
        Faults expected;
    } cases[] = {
        {"a sound layout", {}, {}},
        {"two controls of one page",
         {{K::kCheckBox, 14, {100, 50, 200, 70}, "", "", 0, 0, 1}},
         {"control 11 (20, 40, 150, 60) overlaps control 14 (100, 50, 200, 70)"}},
        {"a page control on the row of tabs",
         {{K::kLabel, 14, {20, 10, 100, 30}, "", "", 0, 0, 3}},
         {"control 14 at (20, 10, 100, 30) lies outside the tab strip's pages (2, 26, 380, 190)"}},
        {"a page control below the strip",
         {{K::kLabel, 14, {200, 180, 300, 200}, "", "", 0, 0, 3}},
         {"control 14 at (200, 180, 300, 200) lies outside the tab strip's pages (2, 26, 380, 190)"}},
        {"a fixed control over a page",
         {{K::kButton, 14, {140, 50, 170, 70}}},
         {"control 1 (2, 2, 380, 190) overlaps control 14 (140, 50, 170, 70)",
          "control 9 (20, 40, 150, 60) overlaps control 14 (140, 50, 170, 70)",
          "control 10 (160, 40, 300, 64) overlaps control 14 (140, 50, 170, 70)",
          "control 11 (20, 40, 150, 60) overlaps control 14 (140, 50, 170, 70)",
          "control 13 (160, 40, 300, 60) overlaps control 14 (140, 50, 170, 70)"}},
        {"a negative page",
         {{K::kLabel, 14, {20, 100, 100, 120}, "", "", 0, 0, -2}},
         {"control 14 is on page -2, which no tab strip shows"}},
    };
    for (const Case& c : cases) {
        DialogLayout layout{"", 200, 115, sound};
        layout.controls.insert(layout.controls.end(), c.extra.begin(), c.extra.end());
        EXPECT_EQ(CheckDialogLayout(layout), c.expected) << c.what;
    }
}

}  // namespace
}  // namespace tavoli
