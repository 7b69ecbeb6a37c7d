#include "dialogs/color_chooser_win32.h"

#include <commdlg.h>

#include "framework/platform.h"
#include "framework/system_library_win32.h"

namespace tavoli {

namespace {

UINT_PTR CALLBACK ChooserHook(HWND window, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* request = reinterpret_cast<const CHOOSECOLORA*>(lParam);
        const auto* choice = reinterpret_cast<const ColorChoice*>(request->lCustData);
        if (!choice->title.empty()) SetWindowTextA(window, choice->title.c_str());
        return TRUE;  // the dialog sets its focus itself
    }
    return 0;
}

}  // namespace

bool ColorChooser(ColorChoice& choice) {
    CHOOSECOLORA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = choice.owner ? choice.owner : reinterpret_cast<HWND>(CurrentPlatform().ActiveTopLevelWindow());
    request.rgbResult = RGB(choice.color.red, choice.color.green, choice.color.blue);
    request.lpCustColors = choice.customColors.data();
    request.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK;
    request.lCustData = reinterpret_cast<LPARAM>(&choice);
    request.lpfnHook = &ChooserHook;
    // The common dialogs are loaded for the first use, not at every start.
    const auto chooseColor = SystemFunction<decltype(&ChooseColorA)>("comdlg32.dll", "ChooseColorA");
    if (!chooseColor || !chooseColor(&request)) return false;
    choice.color = PixelColor::FromColorRef(request.rgbResult);
    return true;
}

}  // namespace tavoli
