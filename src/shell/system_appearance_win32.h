// What the system says about colours (the apps' dark mode, high contrast, the system
// colours) and the dark title bar, for the main window.
#pragma once

#include <windows.h>

#include "settings/palette.h"

namespace tavoli {

SystemAppearance ReadSystemAppearance();

// Whether a message may have changed what ReadSystemAppearance reads: the apps' mode,
// high contrast or the system colours.
bool ChangesAppearance(UINT message, WPARAM wParam, LPARAM lParam);

// Asks the desktop window manager for a dark title bar, or the system's own; nothing
// where the system has none to give.
void SetDarkTitleBar(HWND window, bool dark);

}  // namespace tavoli
