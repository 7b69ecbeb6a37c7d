// The scale of the monitor a window is on. The per-window functions exist from
// Windows 10 (1607) on and are looked up when first asked for; Windows 8.1 is asked per
// monitor; on older systems the system's DPI serves, the same for every monitor.
#pragma once

#include <windows.h>

namespace tavoli {

// The window's pixels per inch (96 at 100 %).
int WindowDpi(HWND window);

// The window rectangle that holds a client rectangle of a window with these styles, with
// the frame metrics of `dpi`.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD extendedStyle, int dpi);

// A system metric (such as SM_CXICON) at `dpi`: asked at that DPI where the system can,
// else the system's value scaled from its own DPI.
int SystemMetricForDpi(int index, int dpi);

}  // namespace tavoli
