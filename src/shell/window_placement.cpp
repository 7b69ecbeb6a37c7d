#include "shell/window_placement.h"

#include <algorithm>
#include <cstdint>

namespace tavoli {

namespace {

// The gap between two spans along one axis (0 when they overlap), and their overlap.
int64_t Gap(int64_t a0, int64_t a1, int64_t b0, int64_t b1) { return std::max<int64_t>({0, b0 - a1, a0 - b1}); }
int64_t Overlap(int64_t a0, int64_t a1, int64_t b0, int64_t b1) {
    return std::max<int64_t>(0, std::min(a1, b1) - std::max(a0, b0));
}

// The start of a span of `length` moved as little as possible into [low, high).
int64_t Fit(int64_t start, int64_t length, int64_t low, int64_t high) {
    if (length >= high - low) return low;
    return std::clamp(start, low, high - length);
}

}  // namespace

const Rect* WorkAreaOf(const Rect& window, const std::vector<Rect>& workAreas) {
    const Rect* best = nullptr;
    int64_t bestOverlap = -1, bestDistance = INT64_MAX;
    for (const Rect& area : workAreas) {
        if (area.Empty()) continue;
        if (window.left >= area.left && window.top >= area.top && window.right <= area.right &&
            window.bottom <= area.bottom) {
            return &area;
        }
        const int64_t overlap = Overlap(window.left, window.right, area.left, area.right) *
                                Overlap(window.top, window.bottom, area.top, area.bottom);
        const int64_t dx = Gap(window.left, window.right, area.left, area.right);
        const int64_t dy = Gap(window.top, window.bottom, area.top, area.bottom);
        const int64_t distance = dx * dx + dy * dy;
        if (overlap > bestOverlap || (overlap == bestOverlap && distance < bestDistance)) {
            best = &area;
            bestOverlap = overlap;
            bestDistance = distance;
        }
    }
    return best;
}

Point PlaceOnScreen(const Rect& window, const std::vector<Rect>& workAreas) {
    const Rect* best = WorkAreaOf(window, workAreas);
    if (!best) return {window.left, window.top};
    const int64_t width = int64_t{window.right} - window.left, height = int64_t{window.bottom} - window.top;
    return {static_cast<int>(Fit(window.left, width, best->left, best->right)),
            static_cast<int>(Fit(window.top, height, best->top, best->bottom))};
}

}  // namespace tavoli
