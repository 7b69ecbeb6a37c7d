// Where the parts of a message box of the program's own go (the script's error list, which
// must not stop the program as the system's modal box would): the warning icon at the top
// left, the text beside it, OK centred below, as the system's box sets them out.
#pragma once

#include "framework/geometry.h"

namespace tavoli {

struct MessageBoxLayout {
    Rect icon, text, button;
    Size client;  // the box's client area
};

// The parts for a text measured at `text` (wrapped to at most the width it was measured
// for), an icon and a button of these sizes, at `dpi` pixels per inch: nothing cut,
// nothing overlapping, the text centred on the icon when it is shorter.
MessageBoxLayout LayOutMessageBox(Size text, Size icon, Size button, int dpi);

}  // namespace tavoli
