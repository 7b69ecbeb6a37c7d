#include "shell/help_win32.h"

#include <htmlhelp.h>
#include <shellapi.h>

#include "framework/paths.h"
#include "framework/platform.h"
#include "framework/system_library_win32.h"
#include "shell/startup.h"

namespace tavoli {

void OpenHelpDocument(HWND owner, int topic) {
    const std::string executable = CurrentPlatform().ExecutablePath();
    for (const HelpCandidate& candidate : HelpCandidates(executable)) {
        if (candidate.path.empty() || !FileExists(candidate.path)) continue;
        switch (candidate.kind) {
        case HelpCandidate::Kind::kHtmlHelp: {
            // HTML Help is loaded when a compiled help file is first opened, not at every start.
            const auto htmlHelp = SystemFunction<decltype(&HtmlHelpA)>("hhctrl.ocx", "HtmlHelpA");
            if (!htmlHelp) return;
            if (topic == 0) htmlHelp(owner, candidate.path.c_str(), HH_DISPLAY_TOPIC, 0);
            else htmlHelp(owner, candidate.path.c_str(), HH_HELP_CONTEXT, static_cast<DWORD_PTR>(topic));
            return;
        }
        case HelpCandidate::Kind::kWinHelp:
            if (topic == 0) WinHelpA(owner, candidate.path.c_str(), HELP_CONTENTS, 0);
            else WinHelpA(owner, candidate.path.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(topic));
            return;
        case HelpCandidate::Kind::kShellOpen: {
            const std::string folder = PathPart(executable, "dp");
            const auto result = reinterpret_cast<INT_PTR>(
                ShellExecuteA(owner, nullptr, candidate.path.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL));
            if (result > 32) return;
            break;  // the document would not open: try the next
        }
        }
    }
}

}  // namespace tavoli
