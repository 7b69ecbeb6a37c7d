#include "shell/help_win32.h"

#include <htmlhelp.h>
#include <shellapi.h>

#include "framework/messages.h"
#include "framework/paths.h"
#include "framework/platform.h"
#include "framework/system_library_win32.h"
#include "shell/startup.h"

namespace tavoli {

namespace {

class Win32HelpShell : public HelpShell {
public:
    explicit Win32HelpShell(HWND owner) : owner_(owner) {}

    bool Exists(const std::string& path) override { return FileExists(path); }

    ErrorValue Open(const HelpCandidate& candidate, int topic) override {
        const char* path = candidate.path.c_str();
        switch (candidate.kind) {
        case HelpCandidate::Kind::kHtmlHelp: {
            // HTML Help is loaded when a compiled help file is first opened, not at every start.
            const auto htmlHelp = SystemFunction<decltype(&HtmlHelpA)>("hhctrl.ocx", "HtmlHelpA");
            if (!htmlHelp) return ErrorFromSystem(ERROR_MOD_NOT_FOUND);
            const HWND shown = topic == 0 ? htmlHelp(owner_, path, HH_DISPLAY_TOPIC, 0)
                                          : htmlHelp(owner_, path, HH_HELP_CONTEXT, static_cast<DWORD_PTR>(topic));
            return shown ? kSuccess : ErrorFromSystem(ERROR_CAN_NOT_COMPLETE);
        }
        case HelpCandidate::Kind::kWinHelp: {
            const BOOL shown = topic == 0 ? WinHelpA(owner_, path, HELP_CONTENTS, 0)
                                          : WinHelpA(owner_, path, HELP_CONTEXT, static_cast<ULONG_PTR>(topic));
            return shown ? kSuccess : ErrorFromSystem(ERROR_CAN_NOT_COMPLETE);
        }
        case HelpCandidate::Kind::kShellOpen: {
            const std::string folder = PathPart(CurrentPlatform().ExecutablePath(), "dp");
            const auto result =
                reinterpret_cast<INT_PTR>(ShellExecuteA(owner_, nullptr, path, nullptr, folder.c_str(), SW_SHOWNORMAL));
            if (result > 32) return kSuccess;
            // The shell's own codes below 32 are the system's errors, but for these.
            if (result == SE_ERR_NOASSOC || result == SE_ERR_ASSOCINCOMPLETE) {
                return ErrorFromSystem(ERROR_NO_ASSOCIATION);
            }
            return ErrorFromSystem(result == 0 ? ERROR_NOT_ENOUGH_MEMORY : static_cast<int32_t>(result));
        }
        }
        return ErrorFromSystem(ERROR_CAN_NOT_COMPLETE);
    }

private:
    HWND owner_;
};

}  // namespace

void OpenHelpDocument(HWND owner, int topic) {
    Win32HelpShell shell(owner);
    const std::string message = OpenHelp(CurrentPlatform().ExecutablePath(), shell, topic);
    if (!message.empty()) ShowMessage(message);
}

}  // namespace tavoli
