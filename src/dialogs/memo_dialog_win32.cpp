#include "dialogs/memo_dialog_win32.h"

#include <map>

#include "dialogs/accessible_control_win32.h"
#include "dialogs/accessible_names.h"
#include "dialogs/control_rules.h"
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
    MemoPrompt(std::string caption, std::string prompt, MemoEdit memo)
        : caption(std::move(caption)), prompt(std::move(prompt)), memo(std::move(memo)) {}
    // Screen readers call the edit by the prompt, the date it is for.
    std::string AccessibleName() const override { return SpokenControlText(prompt); }

    std::string caption;
    std::string prompt;
    MemoEdit memo;
    std::string shown;      // what the edit showed when the dialog opened
    HWND controls[8] = {};  // prompt, edit, repeat label and list, until label and edit, OK, Cancel
    // The rule's list and the end's edit, called by their labels.
    struct Named : AccessibleControlText {
        AccessibleControlName name;
        std::string AccessibleName() const override { return name.name; }
        std::string AccessibleShortcut() const override { return name.shortcut; }
    } repeatName, untilName;
};

// The end date is for a memo that repeats.
void EnableUntil(const MemoPrompt& memo) {
    const LRESULT chosen = SendMessageA(memo.controls[3], CB_GETCURSEL, 0, 0);
    EnableWindow(memo.controls[4], chosen > 0);
    EnableWindow(memo.controls[5], chosen > 0);
}

INT_PTR CALLBACK MemoProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
        auto* memo = reinterpret_cast<MemoPrompt*>(lParam);
        using namespace memo_dialog;
        SetWindowTextA(window, (memo->caption.empty() ? ApplicationTitle() : memo->caption).c_str());
        FitDialogToDpi(window, MemoDialogLayout().widthUnits, MemoDialogLayout().heightUnits);
        ControlContents contents = ContentsOf(MemoDialogLayout());
        contents[memo_dialog::kPrompt].texts = {memo->prompt};
        const DialogLayout layout = FitDialog(window, MemoDialogLayout(), contents).layout;
        const auto textOf = [&](int id) { return layout.Find(id)->Text(); };
        const DWORD child = WS_CHILD | WS_VISIBLE, label = child | SS_LEFTNOWORDWRAP;
        HWND* const c = memo->controls;
        c[0] = MakeLayoutControl(window, layout, "STATIC", label, 0, kPrompt, memo->prompt);
        // Enter breaks a line; Tab goes on to the rule and OK.
        c[1] = MakeLayoutControl(window, layout, "EDIT",
                                 child | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL,
                                 WS_EX_CLIENTEDGE, kEdit, MemoEditText(memo->memo.text));
        if (c[1]) SendMessageA(c[1], EM_SETLIMITTEXT, 2 * kMaxMemoBytes, 0);  // a break takes two there
        c[2] = MakeLayoutControl(window, layout, "STATIC", label, 0, kRepeatLabel, textOf(kRepeatLabel));
        c[3] = MakeLayoutControl(window, layout, "COMBOBOX", child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0,
                                 kRepeat, "");
        for (const std::string& item : SplitItems(textOf(kRepeat)))
            SendMessageA(c[3], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        SendMessageA(c[3], CB_SETCURSEL, static_cast<WPARAM>(memo->memo.repeat), 0);
        c[4] = MakeLayoutControl(window, layout, "STATIC", label, 0, kUntilLabel, textOf(kUntilLabel));
        c[5] = MakeLayoutControl(window, layout, "EDIT", child | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kUntil,
                                 memo->memo.until.IsNull() ? std::string() : MemoDateText(memo->memo.until));
        EnableUntil(*memo);
        const std::map<int, AccessibleControlName> names = AccessibleControlNames(layout);
        memo->repeatName.name = names.at(kRepeat);
        memo->untilName.name = names.at(kUntil);
        AnswerScreenReaders(c[3], memo->repeatName);
        AnswerScreenReaders(c[5], memo->untilName);
        const DWORD button = child | BS_DEFPUSHBUTTON | WS_TABSTOP;
        c[6] = MakeLayoutControl(window, layout, "BUTTON", button, 0, kOkId, textOf(kOkId));
        c[7] = MakeLayoutControl(window, layout, "BUTTON", button, 0, kCancelId, textOf(kCancelId));
        if (c[1]) memo->shown = WindowTextOf(c[1]);
        AnswerScreenReaders(memo->controls[1], *memo);
        FocusFirstField(memo->controls[1]);
        return FALSE;  // the focus is set
    }
    auto* memo = reinterpret_cast<MemoPrompt*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!memo) return FALSE;
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == memo_dialog::kRepeat && HIWORD(wParam) == CBN_SELCHANGE) EnableUntil(*memo);
        if (LOWORD(wParam) == kOkId) EndDialog(window, 1);
        if (LOWORD(wParam) == kCancelId) EndDialog(window, 0);
        return TRUE;
    case WM_CLOSE: EndDialog(window, 0); return TRUE;
    case WM_DESTROY:
        // The whole text is read and then cut, so that the cut never splits a character. A
        // memo left as it was shown stays whole (one written by hand may be longer).
        if (memo->controls[1]) {
            const std::string left = WindowTextOf(memo->controls[1]);
            if (left != memo->shown) memo->memo.text = MemoFromEditText(left);
        }
        if (memo->controls[3]) {
            const LRESULT chosen = SendMessageA(memo->controls[3], CB_GETCURSEL, 0, 0);
            memo->memo.repeat = chosen > 0 && chosen < 4 ? static_cast<MemoRepeat>(chosen) : MemoRepeat::kNone;
            CalDate until;
            if (memo->memo.repeat == MemoRepeat::kNone ||
                !CalDate::FromTextExactly(WindowTextOf(memo->controls[5]), until))
                until = CalDate();
            memo->memo.until = until;
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
    MemoEdit memo{text, MemoRepeat::kNone, {}};
    if (!RunMemoDialog(prompt, memo, caption, owner)) return false;
    text = memo.text;
    return true;
}

bool RunMemoDialog(const std::string& prompt, MemoEdit& edit, const std::string& caption, HWND owner) {
    MemoPrompt memo{caption, prompt, edit};
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
    edit = memo.memo;
    return true;
}

}  // namespace tavoli
