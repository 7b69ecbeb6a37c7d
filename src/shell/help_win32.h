// The program's help document, found beside the executable.
#pragma once

#include <windows.h>

namespace tavoli {

// Opens the first of the help candidates that exists: HTML Help or WinHelp at the topic
// (none: the contents), else the document with the shell's default verb. Nothing is
// shown when no document opens.
void OpenHelpDocument(HWND owner, int topic = 0);

}  // namespace tavoli
