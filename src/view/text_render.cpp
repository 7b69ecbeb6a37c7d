#include "view/text_render.h"

#include <algorithm>
#include <new>
#include <stdexcept>

#include "framework/platform.h"

namespace tavoli {

namespace {

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

// Opens the source for the font and closes it again when done.
class OpenFont {
public:
    OpenFont(GlyphSource& glyphs, const FontSpec& font) : glyphs_(glyphs), open_(glyphs.Open(font)) {}
    ~OpenFont() {
        if (open_) glyphs_.Close();
    }
    explicit operator bool() const { return open_; }

private:
    GlyphSource& glyphs_;
    bool open_;
};

}  // namespace

bool GlyphBuffer::Reserve(size_t size) {
    if (size <= bytes_.size()) return true;
    // No glyph of a calendar's fonts comes near this: a size beyond it is a broken answer.
    if (size > kMaxBytes) return false;
    try {
        bytes_.resize(size);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

Size MeasureText(GlyphSource& glyphs, const FontSpec& font, std::string_view text) {
    if (text.empty()) return {};
    if (std::none_of(text.begin(), text.end(), [](char c) { return IsControl(static_cast<unsigned char>(c)); })) {
        return glyphs.TextExtent(font, text);
    }
    std::string blanked(text);
    for (char& c : blanked) {
        if (IsControl(static_cast<unsigned char>(c))) c = ' ';
    }
    return glyphs.TextExtent(font, blanked);
}

CoveragePaint PaintForCoverage(PixelColor color, int level) {
    const int l = level >= 64 ? 255 : 4 * level;
    CoveragePaint paint;
    paint.color = color;
    if (color.transparency == 0) {
        paint.store = l == 255;
        paint.color.transparency = static_cast<uint8_t>(255 - l);
        return paint;
    }
    // A translucent colour: the coverage scaled by the colour's own opacity. An invisible
    // colour (or a coverage that rounds to nothing) leaves the pixel as it is.
    const int opacity = std::max(0, ((256 - color.transparency) * (l + 1)) / 256 - 1);
    paint.color.transparency = static_cast<uint8_t>(255 - opacity);
    return paint;
}

void DrawText(GlyphSource& glyphs, Image& image, Point position, std::string_view text, GlyphBuffer& buffer,
              const Rect* clip, PixelColor color, const FontSpec& font) {
    if (text.empty()) return;
    Rect area{0, 0, image.Width(), image.Height()};
    if (clip) area = Intersect(area, *clip);
    OpenFont open(glyphs, font);
    if (!open) return;
    int64_t penX = position.x;
    int64_t penY = int64_t{position.y} + font.size - glyphs.Descent();
    const Platform& platform = CurrentPlatform();
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        // One character: the bytes up to the next character boundary, read big-endian.
        const size_t length = std::max<size_t>(1, std::min<size_t>(platform.CharLength(p, end), end - p));
        uint32_t code = 0;
        for (size_t i = 0; i < length; ++i) code = code << 8 | static_cast<unsigned char>(p[i]);
        p += length;

        GlyphMetrics metrics;
        const int64_t size = glyphs.GlyphSize(code, metrics);
        if (size < 0) continue;  // no glyph and no metrics: nothing to draw or advance by
        const bool blank = code <= 0x20 || code == 0x7F;
        const Rect box{static_cast<int>(penX + metrics.originX), static_cast<int>(penY - metrics.originY),
                       static_cast<int>(penX + metrics.originX + metrics.blackBoxWidth),
                       static_cast<int>(penY - metrics.originY + metrics.blackBoxHeight)};
        const Rect visible = Intersect(box, area);
        if (!blank && size > 0 && !visible.Empty()) {
            if (!buffer.Reserve(static_cast<size_t>(size))) continue;  // the rest of this character is skipped
            if (glyphs.GlyphBitmap(code, buffer.Data(), static_cast<size_t>(size))) {
                const size_t stride = (static_cast<size_t>(metrics.blackBoxWidth) + 3) & ~size_t{3};
                for (int y = visible.top; y < visible.bottom; ++y) {
                    const size_t row = static_cast<size_t>(y - box.top) * stride;
                    for (int x = visible.left; x < visible.right; ++x) {
                        const size_t at = row + static_cast<size_t>(x - box.left);
                        if (at >= static_cast<size_t>(size)) break;
                        const int level = buffer.Data()[at];
                        if (level == 0) continue;
                        const CoveragePaint paint = PaintForCoverage(color, level);
                        if (paint.store) image.WritePixel(x, y, paint.color);
                        else image.BlendPut(x, y, paint.color);
                    }
                }
            }
        }
        penX += metrics.advanceX;
        penY += metrics.advanceY;
    }
}

void DrawTextBox(GlyphSource& glyphs, Image& image, const Rect& box, std::string_view text, GlyphBuffer& buffer,
                 const Rect* clip, PixelColor color, const FontSpec& font) {
    if (text.empty()) return;
    const Size size = MeasureText(glyphs, font, text);
    const Point at{box.left + (box.right - box.left - size.width) / 2,
                   box.top + (box.bottom - box.top - size.height) / 2};
    DrawText(glyphs, image, at, text, buffer, clip, color, font);
}

}  // namespace tavoli
