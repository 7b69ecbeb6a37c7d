// The dialogs as a screen reader reads them, from a thread of its own: every control a user
// reaches says its name (its label's, without mnemonic marks), the colour swatches their
// colours in numbers.
#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "dialogs/accessible_names.h"
#include "dialogs/memo_dialog_win32.h"
#include "dialogs/options_dialog_win32.h"
#include "dialogs/small_dialogs_layout.h"
#include "dialogs/small_dialogs_win32.h"
#include "framework/lang_text.h"
#include "support/dialog_driver_win32.h"

namespace tavoli {
namespace {

// The control's name and value as a reader hears them.
std::pair<std::string, std::string> Heard(HWND control) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object)))) {
        return {"(no object)", ""};
    }
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR texts[2] = {};
    object->get_accName(self, &texts[0]);
    object->get_accValue(self, &texts[1]);
    object->Release();
    std::string heard[2];
    for (int i = 0; i < 2; ++i) {
        if (!texts[i]) continue;
        char ansi[512] = {};
        WideCharToMultiByte(CP_ACP, 0, texts[i], -1, ansi, sizeof ansi, nullptr, nullptr);
        heard[i] = ansi;
        SysFreeString(texts[i]);
    }
    return {heard[0], heard[1]};
}

TEST(ScreenReaderDialogs, EveryControlSaysItsName) {
    using namespace options_dialog;
    SettingsRecord values;
    values.style.SetColor(ViewColor::kHoliday, PixelColor::Rgb(224, 32, 32));
    std::string memoText = "dentist";
    int year = 2024, month = 5;
    const struct {
        const DialogLayout& layout;
        std::function<void()> run;
        std::map<int, std::string> expected;  // names made at run time
    } dialogs[] = {
        {OptionsDialogLayout(), [&] { RunOptionsDialog(values, {}); }, {}},
        {JumpDialogLayout(), [&] { RunJumpDialog(year, month); }, {}},
        {MemoDialogLayout(),
         [&] { RunMemoDialog("Memo - 2024/5/3", memoText); },
         {{memo_dialog::kEdit, "Memo - 2024/5/3"}}},
    };
    for (const auto& dialog : dialogs) {
        std::map<int, AccessibleControlName> names = AccessibleControlNames(dialog.layout);
        for (const auto& [id, name] : dialog.expected) names[id].name = name;
        if (&dialog.layout == &OptionsDialogLayout()) {
            for (size_t row = 0; row < kOptionsColorRows.size(); ++row) {
                std::string& name = names[IdOf(ColorSwatchOf(static_cast<int>(row)))].name;
                name += ResolveText(": \tja:：") + ColorWords(values.style.Color(kOptionsColorRows[row]));
            }
            EXPECT_EQ(names[IdOf(ColorSwatchOf(2))].name,
                      ResolveText("Holiday: red 224, green 32, blue 32\tja:休日の色：赤 224、緑 32、青 32"));
        }
        std::map<int, std::string> heard;
        std::string swatchValue;
        DialogDriver driver({}, [&](HWND window) -> std::string {
            CoInitialize(nullptr);
            for (const auto& [id, name] : names) heard[id] = Heard(GetDlgItem(window, id)).first;
            if (&dialog.layout == &OptionsDialogLayout()) {
                swatchValue = Heard(GetDlgItem(window, IdOf(ColorSwatchOf(2)))).second;
            }
            CoUninitialize();
            DialogDriver::Press(window, &dialog.layout == &OptionsDialogLayout() ? kCancel : kCancelId);
            return {};
        });
        dialog.run();
        EXPECT_TRUE(driver.Finish().driven) << ResolveText(dialog.layout.caption);
        for (const auto& [id, name] : names) {
            EXPECT_EQ(heard[id], name.name) << ResolveText(dialog.layout.caption) << " " << id;
        }
        if (&dialog.layout == &OptionsDialogLayout()) {
            EXPECT_EQ(swatchValue, ColorWords(PixelColor::Rgb(224, 32, 32)));
        }
    }
}

}  // namespace
}  // namespace tavoli
