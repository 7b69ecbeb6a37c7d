// The program's own icon, from its resources, at the size the system asks for.
#pragma once

#include <windows.h>

namespace tavoli {

// The resource id of the icon in the executable.
constexpr int kProgramIconId = 1;

// The large or small icon at `dpi`; the shell's icon for the executable when the resource
// cannot be loaded; nullptr when neither can. The caller owns it (DestroyIcon).
HICON LoadProgramIcon(HINSTANCE instance, bool small, int dpi);
// The same at a size in pixels.
HICON LoadProgramIconOfSize(HINSTANCE instance, bool small, int pixels);

}  // namespace tavoli
