#include "view/image_drawing.h"

#include <algorithm>
#include <cstring>

namespace tavoli {

namespace {

Rect Bounds(const Image& image, const Rect* clip) {
    Rect r{0, 0, image.Width(), image.Height()};
    return clip ? Intersect(r, *clip) : r;
}

}  // namespace

void StoreRect(Image& image, const Rect& rect, PixelColor color, const Rect* clip) {
    const Rect area = Intersect(rect, Bounds(image, clip));
    if (area.Empty()) return;
    if (image.Depth() == 24) {
        // The cell surface's depth: the first row pixel by pixel, the others copied from it.
        uint8_t* first = image.Row(area.top) + 3 * static_cast<size_t>(area.left);
        for (int x = area.left; x < area.right; ++x) {
            first[3 * (x - area.left)] = color.blue;
            first[3 * (x - area.left) + 1] = color.green;
            first[3 * (x - area.left) + 2] = color.red;
        }
        const size_t bytes = 3 * static_cast<size_t>(area.right - area.left);
        for (int y = area.top + 1; y < area.bottom; ++y) {
            std::memcpy(image.Row(y) + 3 * static_cast<size_t>(area.left), first, bytes);
        }
        return;
    }
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) image.WritePixel(x, y, color);
    }
}

void FillRect(Image& image, const Rect& rect, PixelColor color, const Rect* clip) {
    if (color.transparency == 255) return;
    const Rect area = Intersect(rect, Bounds(image, clip));
    if (image.Depth() == 24) {
        // The cell surface's depth: walk the rows directly, three bytes a pixel.
        for (int y = area.top; y < area.bottom; ++y) {
            uint8_t* p = image.Row(y) + 3 * static_cast<size_t>(area.left);
            for (int x = area.left; x < area.right; ++x, p += 3) {
                const PixelColor mixed = BlendPixel(PixelColor::Rgb(p[2], p[1], p[0]), color);
                p[0] = mixed.blue;
                p[1] = mixed.green;
                p[2] = mixed.red;
            }
        }
        return;
    }
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) image.BlendPut(x, y, color);
    }
}

void FrameRect(Image& image, const Rect& rect, PixelColor color, const Rect* clip) {
    if (rect.Empty()) return;
    FillRect(image, {rect.left, rect.top, rect.right, rect.top + 1}, color, clip);
    // A rectangle one pixel high or wide is its own outline: nothing is blended twice.
    if (rect.bottom - rect.top > 1) {
        FillRect(image, {rect.left, rect.top + 1, rect.left + 1, rect.bottom - 1}, color, clip);
        if (rect.right - rect.left > 1) {
            FillRect(image, {rect.right - 1, rect.top + 1, rect.right, rect.bottom - 1}, color, clip);
        }
        FillRect(image, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, color, clip);
    }
}

void DrawLine(Image& image, Point from, Point to, const Rect* clip, PixelColor color) {
    const Rect area = Bounds(image, clip);
    if (area.Empty()) return;
    const int64_t dx = int64_t{to.x} - from.x, dy = int64_t{to.y} - from.y;
    const bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
    // Work in (major, minor) coordinates, from the end with the smaller major coordinate.
    int64_t major0 = xMajor ? from.x : from.y, minor0 = xMajor ? from.y : from.x;
    int64_t major1 = xMajor ? to.x : to.y, minor1 = xMajor ? to.y : to.x;
    if (major1 < major0) {
        std::swap(major0, major1);
        std::swap(minor0, minor1);
    }
    const int64_t length = major1 - major0;
    const int64_t extent = minor1 - minor0;
    const int64_t direction = extent < 0 ? -1 : 1;
    const int64_t slope = length == 0 ? 0 : (extent < 0 ? -extent : extent) * 65536 / length;
    const int64_t majorLow = xMajor ? area.left : area.top, majorHigh = xMajor ? area.right : area.bottom;
    const int64_t minorLow = xMajor ? area.top : area.left, minorHigh = xMajor ? area.bottom : area.right;

    int64_t major = major0, minor = minor0, accumulator = 0;
    auto step = [&] {
        accumulator += slope;
        if (accumulator > 0x7FFF) {
            accumulator -= 0xFFFF;
            minor += direction;
        }
    };
    if (major < majorLow) {
        // Advance the start to the clip edge. Far-away starts (never inside an image of
        // at most 12,000 pixels) are advanced in one piece.
        const int64_t skip = majorLow - major;
        if (skip <= (int64_t{1} << 20)) {
            for (int64_t i = 0; i < skip; ++i) step();
        } else {
            const int64_t total = skip * slope;
            const int64_t steps = std::min(skip, (total + 32768) / 65535);
            accumulator = total - steps * 65535;
            minor += direction * steps;
        }
        major = majorLow;
    }
    const int64_t last = std::min(major1, majorHigh - 1);
    for (; major <= last; ++major) {
        if (minor >= minorLow && minor < minorHigh) {
            image.WritePixel(static_cast<int>(xMajor ? major : minor), static_cast<int>(xMajor ? minor : major), color);
        }
        step();
    }
}

namespace {

struct Span {
    Rect destination;  // in destination coordinates
    int sourceX = 0, sourceY = 0;
};

bool PlaceSource(const Image& destination, const Image& source, Point offset, const Rect* clip, Span& span) {
    const Rect placed{offset.x, offset.y,
                      static_cast<int>(std::min<int64_t>(int64_t{offset.x} + source.Width(), INT32_MAX)),
                      static_cast<int>(std::min<int64_t>(int64_t{offset.y} + source.Height(), INT32_MAX))};
    span.destination = Intersect(placed, Bounds(destination, clip));
    if (span.destination.Empty()) return false;
    span.sourceX = span.destination.left - offset.x;
    span.sourceY = span.destination.top - offset.y;
    return true;
}

// Same depth of whole bytes per pixel: rows are copied as bytes. DrawImage leaves 32-bit
// images to the pixel rules, which honour their opacity.
bool CopyRowsIfSameDepth(Image& destination, const Image& source, const Span& span, bool include32) {
    const int depth = source.Depth();
    if (depth != destination.Depth()) return false;
    size_t bytesPerPixel;
    switch (depth) {
    case 8:
    case -8: bytesPerPixel = 1; break;
    case 15:
    case 16: bytesPerPixel = 2; break;
    case 24: bytesPerPixel = 3; break;
    case 32:
        if (!include32) return false;
        bytesPerPixel = 4;
        break;
    default: return false;
    }
    const size_t width = static_cast<size_t>(span.destination.right - span.destination.left);
    for (int y = span.destination.top; y < span.destination.bottom; ++y) {
        const uint8_t* from =
            source.Row(span.sourceY + (y - span.destination.top)) + static_cast<size_t>(span.sourceX) * bytesPerPixel;
        uint8_t* to = destination.Row(y) + static_cast<size_t>(span.destination.left) * bytesPerPixel;
        std::memmove(to, from, width * bytesPerPixel);
    }
    return true;
}

}  // namespace

void DrawImage(Image& destination, const Image& source, Point offset, const Rect* clip) {
    Span span;
    if (!PlaceSource(destination, source, offset, clip, span)) return;
    if (CopyRowsIfSameDepth(destination, source, span, false)) return;
    const int sourceDepth = source.Depth(), destinationDepth = destination.Depth();
    const bool directDestination = destinationDepth == 24 || destinationDepth == 32;
    for (int y = span.destination.top; y < span.destination.bottom; ++y) {
        const int sy = span.sourceY + (y - span.destination.top);
        for (int x = span.destination.left; x < span.destination.right; ++x) {
            const int sx = span.sourceX + (x - span.destination.left);
            const PixelColor pixel = source.ReadPixel(sx, sy);
            const bool opaqueSource = sourceDepth == 24 || (sourceDepth == 32 && pixel.transparency == 0);
            if (opaqueSource && directDestination) {
                destination.WritePixel(x, y, PixelColor::Rgb(pixel.red, pixel.green, pixel.blue));
            } else if (sourceDepth == 32 && pixel.transparency == 255) {
                continue;
            } else {
                destination.BlendPut(x, y, pixel);
            }
        }
    }
}

void CopyImage(Image& destination, const Image& source, Point offset, const Rect* clip) {
    Span span;
    if (!PlaceSource(destination, source, offset, clip, span)) return;
    if (CopyRowsIfSameDepth(destination, source, span, true)) return;
    for (int y = span.destination.top; y < span.destination.bottom; ++y) {
        const int sy = span.sourceY + (y - span.destination.top);
        for (int x = span.destination.left; x < span.destination.right; ++x) {
            destination.WritePixel(x, y, source.ReadPixel(span.sourceX + (x - span.destination.left), sy));
        }
    }
}

Image ScaleImage(const Image& source, int numerator, int denominator) {
    Image scaled;
    if (source.IsEmpty() || numerator <= 0 || denominator <= 0) return scaled;
    // Rounded as lengths are scaled, so that the picture and the window it sizes agree.
    const int width = MulDivRounded(source.Width(), numerator, denominator);
    const int height = MulDivRounded(source.Height(), numerator, denominator);
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) return scaled;
    if (!scaled.Create(width, height, false, source.Depth() == 32 ? 32 : 24)) {
        return scaled;
    }
    // The source pixel under the centre of each destination pixel: (2x + 1) / 2 scaled back.
    auto sourceOf = [&](int64_t at, int limit) {
        return static_cast<int>(std::min<int64_t>((2 * at + 1) * denominator / (2 * int64_t{numerator}), limit - 1));
    };
    for (int y = 0; y < scaled.Height(); ++y) {
        const int sy = sourceOf(y, source.Height());
        for (int x = 0; x < scaled.Width(); ++x)
            scaled.WritePixel(x, y, source.ReadPixel(sourceOf(x, source.Width()), sy));
    }
    return scaled;
}

}  // namespace tavoli
