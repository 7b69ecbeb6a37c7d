#include "framework/shell_win32.h"

#include <commdlg.h>
#include <shellapi.h>

#include "framework/lang_text.h"
#include "framework/messages.h"
#include "framework/platform.h"
#include "framework/system_library_win32.h"

namespace tavoli {

namespace {

HWND ActiveOwner() { return reinterpret_cast<HWND>(CurrentPlatform().ActiveTopLevelWindow()); }

// Keeps the dialog record in the dialog window's user data; every message goes on to
// the system.
UINT_PTR CALLBACK FileDialogHook(HWND window, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* ofn = reinterpret_cast<const OPENFILENAMEA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, static_cast<LONG_PTR>(ofn->lCustData));
    }
    return 0;
}

}  // namespace

ErrorValue ShellOpen(const std::string& path, const std::string& verb) {
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = ActiveOwner();
    const std::string theVerb = verb.empty() ? "Open" : verb;
    info.lpVerb = theVerb.c_str();
    info.lpFile = path.c_str();
    info.nShow = SW_SHOWDEFAULT;
    if (!ShellExecuteExA(&info)) return ErrorFromSystem(GetLastError());
    if (info.hProcess) CloseHandle(info.hProcess);
    return kSuccess;
}

std::string FileDialogFilterText(const FileDialog& dialog) {
    std::string text;
    bool hasAll = false;
    for (const auto& [description, pattern] : dialog.filters) {
        text += description;
        text += '\0';
        text += pattern;
        text += '\0';
        if (pattern == "*.*") hasAll = true;
    }
    if (!hasAll) {
        text += ResolveText("All Files(*.*)\tja:すべてのファイル(*.*)\t");
        text += '\0';
        text += "*.*";
        text += '\0';
    }
    text += '\0';
    return text;
}

bool RunFileDialog(FileDialog& dialog, bool save) {
    dialog.save = save;
    const std::string filter = FileDialogFilterText(dialog);
    std::vector<char> buffer(32768, '\0');
    if (!dialog.fileNames.empty()) {
        const std::string& initial = dialog.fileNames.front();
        initial.copy(buffer.data(), std::min(initial.size(), buffer.size() - 1));
    }
    dialog.fileNames.clear();

    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = dialog.owner ? dialog.owner : ActiveOwner();
    ofn.hInstance = GetModuleHandleA(nullptr);
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrTitle = dialog.title.empty() ? nullptr : dialog.title.c_str();
    ofn.lpstrDefExt = "";
    ofn.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_HIDEREADONLY | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    ofn.lCustData = reinterpret_cast<LPARAM>(&dialog);
    ofn.lpfnHook = FileDialogHook;

    // The common dialogs are loaded for the first file dialog, not at every start.
    const auto run = save ? SystemFunction<decltype(&GetSaveFileNameA)>("comdlg32.dll", "GetSaveFileNameA")
                          : SystemFunction<decltype(&GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
    if (!run) return false;
    if (run(&ofn)) {
        dialog.fileNames.emplace_back(buffer.data());
        return true;
    }
    const auto extendedError = SystemFunction<decltype(&CommDlgExtendedError)>("comdlg32.dll", "CommDlgExtendedError");
    if (extendedError && extendedError() != 0) ShowError(ErrorFromKey("filedialog"));
    return false;
}

}  // namespace tavoli
