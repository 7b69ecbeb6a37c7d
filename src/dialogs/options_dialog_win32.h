// The options dialog: seven pages under a tab strip.
#pragma once

#include <windows.h>

#include "dialogs/options_layout.h"
#include "memo/memo_store.h"
#include "settings/settings_paths.h"

namespace tavoli {

// Opens the program's help at a topic, over a window.
using HelpOpener = void (*)(HWND owner, int topic);

// What the dialog is handed besides the values: the files its script buttons open, the
// memos "Backup memo" writes at once (without them the button does nothing), the help and
// what the system says of colours (the colour page shows the colours as painted).
struct OptionsDialogContext {
    SettingsPaths paths;
    const MemoStore* memos = nullptr;
    HelpOpener openHelp = nullptr;
    SystemAppearance appearance;
};

// Runs the dialog on the settings; true on OK, and the settings then hold what the user
// left.
bool RunOptionsDialog(SettingsRecord& settings, const OptionsDialogContext& context, HWND owner = nullptr);

}  // namespace tavoli
