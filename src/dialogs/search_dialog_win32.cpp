#include "dialogs/search_dialog_win32.h"

#include <map>
#include <string>
#include <vector>

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
#include "memo/memo_search.h"

namespace tavoli {

namespace {

struct Search {
    // A control called by its label.
    struct Named : AccessibleControlText {
        AccessibleControlName name;
        std::string AccessibleName() const override { return name.name; }
        std::string AccessibleShortcut() const override { return name.shortcut; }
    };

    explicit Search(const MemoStore& memos) : memos(memos) {}
    const MemoStore& memos;
    std::vector<const MemoStore::Entry*> found;
    CalDate chosen;
    HWND query = nullptr, list = nullptr;
    std::vector<HWND> controls;
    Named queryName, listName;
};

// The memos that hold the query now, the latest first and chosen.
void Refill(Search& search) {
    search.found = SearchMemos(search.memos, WindowTextOf(search.query));
    SendMessageA(search.list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(search.list, LB_RESETCONTENT, 0, 0);
    for (const MemoStore::Entry* entry : search.found) {
        SendMessageA(search.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FoundMemoLine(*entry).c_str()));
    }
    SendMessageA(search.list, LB_SETCURSEL, 0, 0);
    SendMessageA(search.list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(search.list, nullptr, TRUE);
}

// Ends the dialog with the memo chosen in the list, if there is one.
void Choose(HWND window, Search& search) {
    const LRESULT at = SendMessageA(search.list, LB_GETCURSEL, 0, 0);
    if (at < 0 || static_cast<size_t>(at) >= search.found.size()) return;
    search.chosen = search.found[static_cast<size_t>(at)]->date;
    EndDialog(window, 1);
}

INT_PTR CALLBACK SearchProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    using namespace search_dialog;
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
        auto* search = reinterpret_cast<Search*>(lParam);
        SetWindowTextA(window, ResolveText(SearchDialogLayout().caption).c_str());
        FitDialogToDpi(window, SearchDialogLayout().widthUnits, SearchDialogLayout().heightUnits);
        const DialogLayout layout = FitDialog(window, SearchDialogLayout(), ContentsOf(SearchDialogLayout())).layout;
        const auto textOf = [&](int id) { return layout.Find(id)->Text(); };
        const DWORD child = WS_CHILD | WS_VISIBLE, label = child | SS_LEFTNOWORDWRAP;
        const DWORD button = child | WS_TABSTOP;
        search->controls = {
            MakeLayoutControl(window, layout, "STATIC", label, 0, kQueryLabel, textOf(kQueryLabel)),
            search->query = MakeLayoutControl(window, layout, "EDIT", child | WS_TABSTOP | ES_AUTOHSCROLL,
                                              WS_EX_CLIENTEDGE, kQuery, ""),
            MakeLayoutControl(window, layout, "STATIC", label, 0, kFoundLabel, textOf(kFoundLabel)),
            search->list = MakeLayoutControl(window, layout, "LISTBOX",
                                             child | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                             WS_EX_CLIENTEDGE, kFound, ""),
            MakeLayoutControl(window, layout, "BUTTON", button | BS_DEFPUSHBUTTON, 0, kOkId, textOf(kOkId)),
            MakeLayoutControl(window, layout, "BUTTON", button, 0, kCancelId, textOf(kCancelId)),
        };
        // The edit is named by its label; the list, a kind the layout names by no label, too.
        const std::map<int, AccessibleControlName> names = AccessibleControlNames(layout);
        if (const auto query = names.find(kQuery); query != names.end()) search->queryName.name = query->second;
        search->listName.name = {SpokenControlText(textOf(kFoundLabel)), {}};
        AnswerScreenReaders(search->query, search->queryName);
        AnswerScreenReaders(search->list, search->listName);
        Refill(*search);
        FocusFirstField(search->query);
        return FALSE;  // the focus is set
    }
    auto* search = reinterpret_cast<Search*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!search) return FALSE;
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kQuery && HIWORD(wParam) == EN_CHANGE) Refill(*search);
        if ((LOWORD(wParam) == kFound && HIWORD(wParam) == LBN_DBLCLK) || LOWORD(wParam) == kOkId)
            Choose(window, *search);
        if (LOWORD(wParam) == kCancelId) EndDialog(window, 0);
        return TRUE;
    case WM_CLOSE: EndDialog(window, 0); return TRUE;
    case WM_DESTROY:
        for (HWND control : search->controls) {
            if (control) DestroyWindow(control);
        }
        search->controls.clear();
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        return TRUE;
    default: return FALSE;
    }
}

}  // namespace

bool RunSearchDialog(const MemoStore& memos, CalDate& chosen, HWND owner) {
    Search search(memos);
    const DialogLayout& layout = SearchDialogLayout();
    const std::vector<uint8_t> bytes =
        BuildDialogTemplate(kModalDialogStyle, layout.widthUnits, layout.heightUnits, {});
    if (bytes.empty()) return false;
    if (!owner) owner = reinterpret_cast<HWND>(CurrentPlatform().ActiveTopLevelWindow());
    const INT_PTR result =
        DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<const DLGTEMPLATE*>(bytes.data()), owner,
                                &SearchProcedure, reinterpret_cast<LPARAM>(&search));
    if (result != 1) return false;
    chosen = search.chosen;
    return true;
}

}  // namespace tavoli
