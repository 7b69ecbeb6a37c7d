// The search of the memos: a box for what to find and the memos that hold it, latest
// first, narrowed as the user types.
#pragma once

#include <windows.h>

#include "memo/memo_store.h"

namespace tavoli {

// True with the day of the memo chosen (Enter, Show or a double-click on it); false when
// closed without one. An owner of nullptr is the top-level ancestor of the active window.
bool RunSearchDialog(const MemoStore& memos, CalDate& chosen, HWND owner = nullptr);

}  // namespace tavoli
