#include "dialogs/memo_dialog_win32.h"

#include "dialogs/accessible_control_win32.h"
#include "dialogs/accessible_names.h"
#include "dialogs/controls_win32.h"
#include "dialogs/dialog_template.h"
#include "dialogs/layout_measure_win32.h"
#include "dialogs/modal_dialog_win32.h"
#include "dialogs/small_dialogs_layout.h"
#include "framework/dpi_win32.h"
#include "framework/messages.h"
#include "framework/platform.h"
#include "memo/memo_lines.h"

namespace tavoli {

namespace {

// The prompt dialog keeps its state here rather than in control wrappers: it has its
// own window procedure and reads its one result when it is destroyed.
struct MemoPrompt : AccessibleControlText {
    MemoPrompt(std::string caption, std::string prompt, std::string text)
        : caption(std::move(caption)), prompt(std::move(prompt)), text(std::move(text)) {}
    // Screen readers call the edit by the prompt, the date it is for.
    std::string AccessibleName() const override { return SpokenControlText(prompt); }

    std::string caption;
    std::string prompt;
    std::string text;
    std::string shown;      // what the edit showed when the dialog opened
    HWND controls[4] = {};  // prompt, edit, OK, Cancel
};

HWND MakeControl(HWND dialog, const DialogLayout& layout, const char* className, DWORD style, DWORD extendedStyle,
                 int id, const std::string& text) {
    const ControlSpec* spec = layout.Find(id);
    const Rect r = ScaleToDpi(spec ? spec->rect : Rect{}, WindowDpi(dialog));
    HWND control = CreateWindowExA(extendedStyle, className, text.c_str(), style, r.left, r.top, r.Width(), r.Height(),
                                   dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), nullptr);
    if (control) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

INT_PTR CALLBACK MemoProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
        auto* memo = reinterpret_cast<MemoPrompt*>(lParam);
        SetWindowTextA(window, (memo->caption.empty() ? ApplicationTitle() : memo->caption).c_str());
        FitDialogToDpi(window, MemoDialogLayout().widthUnits, MemoDialogLayout().heightUnits);
        ControlContents contents = ContentsOf(MemoDialogLayout());
        contents[memo_dialog::kPrompt].texts = {memo->prompt};
        const DialogLayout layout = FitDialog(window, MemoDialogLayout(), contents).layout;
        const auto textOf = [&](int id) { return layout.Find(id)->Text(); };
        memo->controls[0] = MakeControl(window, layout, "STATIC", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, 0,
                                        memo_dialog::kPrompt, memo->prompt);
        memo->controls[1] = MakeControl(window, layout, "EDIT", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                                        WS_EX_CLIENTEDGE, memo_dialog::kEdit, memo->text);
        const DWORD button = WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP;
        memo->controls[2] = MakeControl(window, layout, "BUTTON", button, 0, kOkId, textOf(kOkId));
        memo->controls[3] = MakeControl(window, layout, "BUTTON", button, 0, kCancelId, textOf(kCancelId));
        if (memo->controls[1]) memo->shown = WindowTextOf(memo->controls[1]);
        AnswerScreenReaders(memo->controls[1], *memo);
        FocusFirstField(memo->controls[1]);
        return FALSE;  // the focus is set
    }
    auto* memo = reinterpret_cast<MemoPrompt*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!memo) return FALSE;
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kOkId) EndDialog(window, 1);
        if (LOWORD(wParam) == kCancelId) EndDialog(window, 0);
        return TRUE;
    case WM_CLOSE: EndDialog(window, 0); return TRUE;
    case WM_DESTROY:
        // The whole text is read and then cut, so that the cut never splits a character. A
        // memo left as it was shown stays whole (one written by hand may be longer).
        if (memo->controls[1]) {
            const std::string left = WindowTextOf(memo->controls[1]);
            if (left != memo->shown) memo->text = MemoFromEditText(left);
        }
        for (HWND& control : memo->controls) {
            if (control) DestroyWindow(control);
            control = nullptr;
        }
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        return TRUE;
    default: return FALSE;
    }
}

}  // namespace

bool RunMemoDialog(const std::string& prompt, std::string& text, const std::string& caption, HWND owner) {
    MemoPrompt memo{caption, prompt, text};
    const DialogLayout& layout = MemoDialogLayout();
    const std::vector<uint8_t> bytes =
        BuildDialogTemplate(kModalDialogStyle, layout.widthUnits, layout.heightUnits, {});
    if (bytes.empty()) return false;
    if (!owner) owner = reinterpret_cast<HWND>(CurrentPlatform().ActiveTopLevelWindow());
    const INT_PTR result =
        DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<const DLGTEMPLATE*>(bytes.data()), owner,
                                &MemoProcedure, reinterpret_cast<LPARAM>(&memo));
    // Only OK counts: −1, a dialog that could not be shown, is not an answer.
    if (result != 1) return false;
    text = memo.text;
    return true;
}

}  // namespace tavoli
