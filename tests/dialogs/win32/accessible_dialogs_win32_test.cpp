// The dialogs as a screen reader reads them, from a thread of its own: every control a user
// reaches says its label's name, the colour swatches their colours in numbers.
#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <functional>

#include "dialogs/accessible_names.h"
#include "dialogs/memo_dialog_win32.h"
#include "dialogs/options_dialog_win32.h"
#include "dialogs/small_dialogs_layout.h"
#include "framework/lang_text.h"
#include "settings/palette.h"
#include "support/dialog_driver_win32.h"

namespace tavoli {
namespace {

// The control's name, or its value, as a reader hears it.
std::string Heard(HWND control, bool value = false) {
    IAccessible* object = nullptr;
    AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object));
    if (!object) return "(no object)";
    VARIANT self{};
    self.vt = VT_I4;
    BSTR text = nullptr;
    value ? object->get_accValue(self, &text) : object->get_accName(self, &text);
    object->Release();
    char ansi[512] = {};
    if (text) WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof ansi, nullptr, nullptr);
    SysFreeString(text);
    return ansi;
}

TEST(ScreenReaderDialogs, EveryControlSaysItsName) {
    using namespace options_dialog;
    SettingsRecord values;
    std::string memo;
    const struct {
        const DialogLayout& layout;
        std::function<void()> run;
        int cancel;
    } dialogs[] = {
        {OptionsDialogLayout(), [&] { RunOptionsDialog(values, {}); }, kCancel},
        {MemoDialogLayout(), [&] { RunMemoDialog("Memo - 2024/5/3", memo); }, kCancelId},
    };
    for (const auto& dialog : dialogs) {
        const bool options = &dialog.layout == &OptionsDialogLayout();
        std::map<int, AccessibleControlName> names = AccessibleControlNames(dialog.layout);
        if (&dialog.layout == &MemoDialogLayout()) names[memo_dialog::kEdit].name = "Memo - 2024/5/3";  // its prompt
        // A swatch says the colour it shows: the one painted (the selection moved until seen).
        const Palette painted = ResolvePalette(values.style, SystemAppearance());
        for (int row = 0; options && row < kOptionsColorRowCount; ++row) {
            names[IdOf(ColorSwatchOf(row))].name +=
                ResolveText(": \tja:：") + ColorWords(painted.Color(OptionsColorRow(row)));
        }
        // The calendars page's, with no calendar listed, black.
        if (options) names[IdOf(kCalendarColor)].name += ResolveText(": \tja:：") + ColorWords(PixelColor());
        std::map<int, std::string> heard;
        std::string swatchValue;
        DialogDriver driver({}, [&](HWND window) -> std::string {
            CoInitialize(nullptr);
            for (const auto& [id, name] : names) heard[id] = Heard(GetDlgItem(window, id));
            if (options) swatchValue = Heard(GetDlgItem(window, IdOf(ColorSwatchOf(2))), true);
            CoUninitialize();
            DialogDriver::Press(window, dialog.cancel);
            return {};
        });
        dialog.run();
        EXPECT_TRUE(driver.Finish().driven);
        for (const auto& [id, name] : names)
            EXPECT_EQ(heard[id], name.name) << ResolveText(dialog.layout.caption) << id;
        EXPECT_EQ(swatchValue, options ? ResolveText("red 224, green 32, blue 32\tja:赤 224、緑 32、青 32") : "");
    }
}

}  // namespace
}  // namespace tavoli
