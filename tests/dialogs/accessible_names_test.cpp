// What screen readers call the dialogs' controls: their own texts or their labels', read
// without mnemonic marks, in the user's language.
#include "dialogs/accessible_names.h"

#include <gtest/gtest.h>

#include "dialogs/options_layout.h"
#include "dialogs/small_dialogs_layout.h"
#include "framework/lang_text.h"

namespace tavoli {
namespace {

TEST(AccessibleNames, TextsReadWithoutTheirMarks) {
    const struct {
        const char* text;
        const char* spoken;
        const char* shortcut;
    } cases[] = {
        {"Change(&1)...", "Change", "Alt+1"},  // a digit, which no row below has
        {"&save as: ", "save as", "Alt+S"},
        {"R&&D", "R&D", ""},
        {"週の最初の曜日(&W)", "週の最初の曜日", "Alt+W"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SpokenControlText(c.text), c.spoken) << c.text;
        EXPECT_EQ(MnemonicShortcut(c.text), c.shortcut) << c.text;
    }
}

TEST(AccessibleNames, EveryControlAUserReachesIsNamed) {
    using namespace options_dialog;
    const struct {
        const DialogLayout& layout;
        int id;
        const char* name;  // a bilingual literal
        const char* shortcut;
    } cases[] = {
        {OptionsDialogLayout(), IdOf(kFirstDay), "First day of week\tja:週の最初の曜日", "Alt+W"},
        {OptionsDialogLayout(), IdOf(kClock), "Show clock in titlebar\tja:タイトルバーに時計を表示する", "Alt+C"},
        {OptionsDialogLayout(), IdOf(ColorSwatchOf(0)), "Normal-day\tja:平日の色", ""},
        {OptionsDialogLayout(), IdOf(ColorButton(9)), "Background: Change\tja:背景の色：色の変更", "Alt+B"},
        {OptionsDialogLayout(), IdOf(kMarginY), "Margin-Y\tja:縦方向余白", "Alt+Y"},
        {JumpDialogLayout(), jump_dialog::kYear, "Year\tja:年", ""},
        {CountDownDialogLayout(), count_down_dialog::kInterval, "Interval in days\tja:何日おきに表示", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AccessibleControlNames(c.layout).at(c.id), (AccessibleControlName{ResolveText(c.name), c.shortcut}))
            << c.id;
    }
    // No reachable control without a name (the memo editor's is its prompt, made at run
    // time), and each field made right after its label, where the system looks for it.
    for (const DialogLayout* layout : {&OptionsDialogLayout(), &JumpDialogLayout(), &CountDownDialogLayout(),
                                       &AboutDialogLayout(), &MemoDialogLayout()}) {
        const std::map<int, AccessibleControlName> names = AccessibleControlNames(*layout);
        const std::vector<const ControlSpec*> order = TabOrder(*layout);
        for (size_t i = 1; i < order.size(); ++i) {
            const ControlSpec& c = *order[i];
            if (names.count(c.id) == 0 || (layout == &MemoDialogLayout() && c.id == memo_dialog::kEdit)) continue;
            EXPECT_FALSE(names.at(c.id).name.empty()) << ResolveText(layout->caption) << " " << c.id;
            const bool field = c.kind != ControlKind::kButton && c.kind != ControlKind::kCheckBox;
            EXPECT_TRUE(!field || c.accessibleName || order[i - 1]->kind == ControlKind::kLabel) << c.id;
        }
    }
}

}  // namespace
}  // namespace tavoli
