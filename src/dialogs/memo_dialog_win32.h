// The memo editor: a prompt above a one-line edit, with OK and Cancel.
#pragma once

#include <windows.h>

#include <string>

namespace tavoli {

// Shows the prompt and the text in the edit. On OK (true) the text is replaced by the
// edited memo: its first line (what follows a line break is dropped), at most 255 bytes,
// never ending in half a character. Cancel, Escape and the close box leave it unchanged
// (false). An empty caption shows the application's title; an owner of nullptr is the
// top-level ancestor of the active window.
bool RunMemoDialog(const std::string& prompt, std::string& text, const std::string& caption = {}, HWND owner = nullptr);

}  // namespace tavoli
