// The memo editor: a prompt above an edit of several lines, the memo's rule and its end,
// with OK and Cancel.
#pragma once

#include <windows.h>

#include <string>

#include "memo/memo_store.h"

namespace tavoli {

// Shows the prompt, the memo's lines in the edit and its rule. On OK (true) the memo is
// replaced by the edited one: its lines (MemoFromEditText: at most 8,000 bytes, never
// ending in half a character; a text left as it was shown stays whole), the rule chosen
// and the end typed ("YYYY/MM/DD"; empty or no date: none). Cancel, Escape and the close
// box leave it unchanged (false). An empty caption shows the application's title; an
// owner of nullptr is the top-level ancestor of the active window.
bool RunMemoDialog(const std::string& prompt, MemoEdit& memo, const std::string& caption = {}, HWND owner = nullptr);
// The same for the text alone (its rule none).
bool RunMemoDialog(const std::string& prompt, std::string& text, const std::string& caption = {}, HWND owner = nullptr);

}  // namespace tavoli
