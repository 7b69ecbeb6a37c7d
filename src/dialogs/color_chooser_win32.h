// The system's colour dialog, opened fully, with a title of the program's choosing.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "framework/pixel_color.h"

namespace tavoli {

struct ColorChoice {
    PixelColor color;                       // the initial colour; the chosen one after OK
    std::array<COLORREF, 16> customColors;  // the dialog's custom colours, as the user leaves them
    std::string title;                      // empty: the dialog's own title
    HWND owner = nullptr;                   // none: the top-level ancestor of the active window

    ColorChoice() { customColors.fill(0); }
};

// Opens the colour dialog; true when the user pressed OK, and the choice's colour is then
// the chosen one, opaque. Otherwise the colour is left as it was.
bool ColorChooser(ColorChoice& choice);

}  // namespace tavoli
