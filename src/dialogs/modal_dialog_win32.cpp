#include "dialogs/modal_dialog_win32.h"

#include "dialogs/controls_win32.h"
#include "dialogs/dialog_layout.h"
#include "dialogs/dialog_template.h"
#include "framework/dpi_win32.h"
#include "framework/platform.h"

namespace tavoli {

static_assert(dialog_style::kPopup == WS_POPUP && dialog_style::kVisible == WS_VISIBLE &&
                  dialog_style::kCaption == WS_CAPTION && dialog_style::kSystemMenu == WS_SYSMENU &&
                  dialog_style::kModalFrame == DS_MODALFRAME && dialog_style::kCenter == DS_CENTER,
              "the template's styles are the system's");

std::u16string WideFromAnsi(const std::string& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int count = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (count <= 0) return {};
    std::u16string wide(static_cast<size_t>(count), u'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, reinterpret_cast<wchar_t*>(wide.data()), count);
    return wide;
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        // Before anything else: OnInit may already send messages that come back here.
        SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
        auto* dialog = reinterpret_cast<ModalDialog*>(lParam);
        dialog->window_ = window;
        if (!dialog->caption_.empty()) SetWindowTextA(window, dialog->caption_.c_str());
        FitDialogToDpi(window, dialog->widthUnits_, dialog->heightUnits_);
        dialog->OnInit();
        // FALSE keeps a focus that OnInit set; TRUE lets the system choose one.
        const HWND focus = GetFocus();
        return focus && IsChild(window, focus) ? FALSE : TRUE;
    }
    auto* dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!dialog) return FALSE;  // messages before WM_INITDIALOG
    switch (message) {
    case WM_COMMAND:
        // A number left emptied, or beyond its bounds, shows the value it gives.
        if (HIWORD(wParam) == EN_KILLFOCUS) SpinEditControl::ShowValueTaken(window, reinterpret_cast<HWND>(lParam));
        dialog->OnCommandFrom(LOWORD(wParam), reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        dialog->OnNotify(static_cast<int>(wParam), header ? static_cast<int>(header->code) : 0);
        return TRUE;
    }
    case WM_CLOSE:
        if (dialog->OnMessage(window, message, wParam, lParam) == 0) EndDialog(window, 0);
        return TRUE;
    case WM_TIMER: return dialog->OnMessage(window, message, wParam, lParam);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return reinterpret_cast<INT_PTR>(
            dialog->OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_DESTROY:
        dialog->OnDestroy();
        dialog->window_ = nullptr;
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        return TRUE;
    default: return FALSE;
    }
}

int RunModal(ModalDialog& dialog, int widthUnits, int heightUnits) {
    if (dialog.Running()) return 0;
    EnsureCommonControls();
    dialog.widthUnits_ = widthUnits;
    dialog.heightUnits_ = heightUnits;
    const std::vector<uint8_t> bytes =
        BuildDialogTemplate(kModalDialogStyle, widthUnits, heightUnits, WideFromAnsi(dialog.Caption()));
    if (bytes.empty()) return 0;
    const HWND owner =
        dialog.Owner() ? dialog.Owner() : reinterpret_cast<HWND>(CurrentPlatform().ActiveTopLevelWindow());
    // The vector's storage is aligned for any object, as the template must be.
    const auto* dialogTemplate = reinterpret_cast<const DLGTEMPLATE*>(bytes.data());
    return static_cast<int>(DialogBoxIndirectParamA(GetModuleHandleA(nullptr), dialogTemplate, owner,
                                                    &ModalDialog::Procedure, reinterpret_cast<LPARAM>(&dialog)));
}

bool ModalDialog::IsEscapeCommand(int id, HWND control) {
    // The key state is that of the key message being handled.
    return id == IDCANCEL && (!control || GetKeyState(VK_ESCAPE) < 0);
}

void FitDialogToDpi(HWND dialog, int widthUnits, int heightUnits) {
    const int dpi = WindowDpi(dialog);
    if (dpi == kBaseDpi) return;
    const Size client =
        DialogClientSize(ClampDialogUnits(widthUnits), ClampDialogUnits(heightUnits), kSmallestBaseUnits);
    SetClientSizeAroundCentre(dialog, ScaleToDpi(client.width, dpi), ScaleToDpi(client.height, dpi));
}

void SetClientSizeAroundCentre(HWND dialog, int width, int height) {
    RECT frame{0, 0, width, height};
    AdjustWindowRectForDpi(frame, static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_STYLE)),
                           static_cast<DWORD>(GetWindowLongPtrA(dialog, GWL_EXSTYLE)), WindowDpi(dialog));
    RECT now{};
    GetWindowRect(dialog, &now);
    const int frameWidth = frame.right - frame.left, frameHeight = frame.bottom - frame.top;
    const int left = (now.left + now.right - frameWidth) / 2, top = (now.top + now.bottom - frameHeight) / 2;
    SetWindowPos(dialog, nullptr, left, top, frameWidth, frameHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void EndModal(ModalDialog& dialog, int code) {
    if (dialog.Window()) EndDialog(dialog.Window(), code);
}

}  // namespace tavoli
