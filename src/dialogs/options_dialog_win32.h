// The options dialog: seven pages under a tab strip.
#pragma once

#include <windows.h>

#include "dialogs/options_layout.h"
#include "memo/memo_store.h"
#include "shell/calendar_settings.h"

namespace tavoli {

// Runs the dialog on the values; true on OK, and the values then hold what the user left.
// The script buttons open the files of the paths; "Backup memo" writes the memos at once
// (without memos the button does nothing).
bool RunOptionsDialog(OptionValues& values, const SettingsPaths& paths, const MemoStore* memos, HWND owner = nullptr);

}  // namespace tavoli
