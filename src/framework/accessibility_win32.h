// What the windows that answer screen readers share: handing an object over for
// WM_GETOBJECT, the system's own object of a window, and texts as readers take them. The
// accessibility and COM libraries are loaded at the first question, quietly, so that a
// start without a screen reader loads none of them.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string>

namespace tavoli {

// The answer to WM_GETOBJECT that hands the object to the reader; COM is started on
// this thread for it (once, for as long as the thread runs). 0 when it cannot be handed
// over: the system then answers with its own.
LRESULT HandOverAccessible(IAccessible* object, WPARAM wParam);
// The system's own object for a window's client area, a reference the caller releases;
// nullptr when there is none.
IAccessible* StandardAccessible(HWND window);
// Readers in other processes let go of an object that is going away.
void DisconnectAccessible(IAccessible* object);
// A text of the system's code page as a reader takes it; nullptr for an empty one.
BSTR AccessibleText(const std::string& text);

}  // namespace tavoli
