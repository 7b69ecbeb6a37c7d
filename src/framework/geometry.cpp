#include "framework/geometry.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tavoli {

Rect Intersect(const Rect& a, const Rect& b) {
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (r.Empty()) return Rect();
    return r;
}

Rect Union(const Rect& a, const Rect& b) {
    if (a.Empty()) return b;
    if (b.Empty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

std::vector<Rect> Subtract(const Rect& a, const Rect& b) {
    const Rect common = Intersect(a, b);
    if (common.Empty()) return a.Empty() ? std::vector<Rect>{} : std::vector<Rect>{a};
    std::vector<Rect> parts;
    auto add = [&parts](const Rect& r) {
        if (!r.Empty()) parts.push_back(r);
    };
    add({a.left, a.top, a.right, common.top});
    add({a.left, common.bottom, a.right, a.bottom});
    add({a.left, common.top, common.left, common.bottom});
    add({common.right, common.top, a.right, common.bottom});
    return parts;
}

int MulDivRounded(int length, int numerator, int denominator) {
    if (numerator == denominator || denominator <= 0) return length;
    const int64_t product = int64_t{length} * numerator;
    const int64_t half = denominator / 2;
    const int64_t scaled = product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
    return static_cast<int>(
        std::clamp<int64_t>(scaled, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int ScaleToDpi(int length, int dpi) { return MulDivRounded(length, dpi, kBaseDpi); }
int ScaleFromDpi(int length, int dpi) { return MulDivRounded(length, kBaseDpi, dpi); }

Rect ScaleToDpi(const Rect& rect, int dpi) {
    return {ScaleToDpi(rect.left, dpi), ScaleToDpi(rect.top, dpi), ScaleToDpi(rect.right, dpi),
            ScaleToDpi(rect.bottom, dpi)};
}

}  // namespace tavoli
