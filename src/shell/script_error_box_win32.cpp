#include "shell/script_error_box_win32.h"

#include <algorithm>
#include <vector>

#include "dialogs/dialog_template.h"
#include "dialogs/message_box_layout.h"
#include "dialogs/modal_dialog_win32.h"
#include "framework/dpi_win32.h"
#include "framework/geometry.h"
#include "framework/messages.h"

namespace tavoli {

namespace {

constexpr int kIconId = 20, kTextId = 21;

HWND MakeChild(HWND box, const char* className, const std::string& text, DWORD style, const Rect& at, int id,
               HFONT font) {
    HWND child = CreateWindowExA(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, at.left, at.top, at.Width(),
                                 at.Height(), box, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
    if (child && font) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

// The DPI the system's metrics are given at.
int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kBaseDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kBaseDpi;
}

}  // namespace

void ScriptErrorBox::Show(HWND owner, const std::string& text) {
    Close();
    if (text.empty()) return;
    text_ = text;
    // Centred on the owner's monitor; sized once the text is measured.
    const std::vector<uint8_t> bytes = BuildDialogTemplate(kModalDialogStyle & ~dialog_style::kVisible, kMinDialogUnits,
                                                           kMinDialogUnits, WideFromAnsi(ApplicationTitle()));
    if (bytes.empty()) return;
    box_ = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<const DLGTEMPLATE*>(bytes.data()),
                                      owner, &ScriptErrorBox::Procedure, reinterpret_cast<LPARAM>(this));
    if (!box_) return;
    MessageBeep(MB_ICONWARNING);  // as the system's box sounds
    ShowWindow(box_, SW_SHOW);
}

void ScriptErrorBox::Close() {
    if (box_) DestroyWindow(box_);  // WM_DESTROY forgets the handle
}

void ScriptErrorBox::Build(HWND box) {
    const int dpi = WindowDpi(box);
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, SystemDpi());
        font_ = CreateFontIndirectA(&metrics.lfMessageFont);
    }
    HFONT font = font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));

    // The text wrapped to at most half the work area's width, as the system's box does.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(box, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT measured{0, 0, std::max<LONG>(ScaleToDpi(200, dpi), (monitor.rcWork.right - monitor.rcWork.left) / 2), 0};
    HDC device = GetDC(box);
    HGDIOBJ old = SelectObject(device, font);
    DrawTextA(device, text_.c_str(), static_cast<int>(text_.size()), &measured,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    SIZE ok{};
    GetTextExtentPoint32A(device, "OK", 2, &ok);
    SelectObject(device, old);
    ReleaseDC(box, device);

    const Size icon{SystemMetricForDpi(SM_CXICON, dpi), SystemMetricForDpi(SM_CYICON, dpi)};
    const Size button{std::max(ScaleToDpi(75, dpi), static_cast<int>(ok.cx) + ScaleToDpi(16, dpi)),
                      std::max(ScaleToDpi(23, dpi), static_cast<int>(ok.cy) + ScaleToDpi(8, dpi))};
    const MessageBoxLayout layout =
        LayOutMessageBox({measured.right - measured.left, measured.bottom - measured.top}, icon, button, dpi);
    SetClientSizeAroundCentre(box, layout.client.width, layout.client.height);
    HWND iconControl = MakeChild(box, "STATIC", "", SS_ICON | SS_REALSIZECONTROL, layout.icon, kIconId, nullptr);
    SendMessageA(iconControl, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, IDI_WARNING)), 0);
    MakeChild(box, "STATIC", text_, SS_LEFT | SS_NOPREFIX, layout.text, kTextId, font);
    HWND okButton = MakeChild(box, "BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, layout.button, IDOK, font);
    SetFocus(okButton);
}

INT_PTR CALLBACK ScriptErrorBox::Procedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ScriptErrorBox*>(GetWindowLongPtrA(box, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(box, DWLP_USER, lParam);
        reinterpret_cast<ScriptErrorBox*>(lParam)->Build(box);
        return FALSE;  // the focus is on OK
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) DestroyWindow(box);
        return TRUE;
    case WM_CLOSE: DestroyWindow(box); return TRUE;
    case WM_DESTROY:
        if (self) {
            self->box_ = nullptr;
            if (self->font_) DeleteObject(self->font_);
            self->font_ = nullptr;
        }
        return TRUE;
    default: return FALSE;
    }
}

}  // namespace tavoli
