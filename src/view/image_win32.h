// Putting an Image on a window, and the window's translucency.
#pragma once

#include <windows.h>

#include "framework/error.h"
#include "view/image.h"

namespace tavoli {

// Copies the image (or its part inside the clip, in device coordinates) to the device
// with its top-left corner at the position. A zero-sized image does nothing.
ErrorValue BlitToWindow(HDC device, const Image& image, Point position, const Rect* clip = nullptr);

// Makes the window translucent (1 … 255 with alpha 255 − transparency) through
// SetLayeredWindowAttributes looked up at run time; 0 makes it opaque and not layered.
// Nothing happens on systems without the function.
void SetTranslucency(HWND window, int transparency);

}  // namespace tavoli
