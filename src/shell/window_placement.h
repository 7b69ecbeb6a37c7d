// Where the window comes up: wholly on a monitor, whatever position was saved (a monitor
// since removed, a hand-edited value).
#pragma once

#include <vector>

#include "framework/geometry.h"

namespace tavoli {

// The top-left corner that puts the window wholly inside the work area of the monitor it
// overlaps most, or of the nearest one when it overlaps none, moving it as little as
// possible; a window larger than that area starts at the area's top-left corner. A
// window already wholly inside a work area, or one with no monitor to go to, stays.
Point PlaceOnScreen(const Rect& window, const std::vector<Rect>& workAreas);
// The work area the window goes to: the one holding it wholly, else the one it overlaps
// most, else the nearest; null when there is none.
const Rect* WorkAreaOf(const Rect& window, const std::vector<Rect>& workAreas);

}  // namespace tavoli
