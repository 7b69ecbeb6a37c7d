// The program's help document, found beside the executable.
#pragma once

#include <windows.h>

namespace tavoli {

// Opens the first of the help candidates that exists: HTML Help or WinHelp at the topic
// (none: the contents), else the document with the shell's default verb. When none
// opens, a message names the document and says why.
void OpenHelpDocument(HWND owner, int topic = 0);

}  // namespace tavoli
