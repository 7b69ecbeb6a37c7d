// Text drawn into an Image glyph by glyph from 65-level coverage bitmaps, so that every
// text can carry a colour with transparency and blend over the picture behind it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/font_spec.h"
#include "view/glyph_source.h"
#include "view/image.h"

// <windows.h> makes DrawText a macro for the system's DrawTextA; the name here is the
// program's own text drawing, which the program uses instead.
#ifdef DrawText
#undef DrawText
#endif

namespace tavoli {

// The buffer glyph bitmaps are fetched into: reused across texts, it only ever grows.
class GlyphBuffer {
public:
    static constexpr size_t kMaxBytes = size_t{16} << 20;

    // False when the buffer cannot grow to the size (or the size is beyond kMaxBytes).
    bool Reserve(size_t size);
    uint8_t* Data() { return bytes_.data(); }
    void Release() { std::vector<uint8_t>().swap(bytes_); }

private:
    std::vector<uint8_t> bytes_;
};

// Control bytes (below 0x20, and 0x7F) measured as blanks; (0, 0) for an empty text or
// when no device context or font can be made.
Size MeasureText(GlyphSource& glyphs, const FontSpec& font, std::string_view text);

// The text with the top-left of its line at the position, cut to the image and the clip.
void DrawText(GlyphSource& glyphs, Image& image, Point position, std::string_view text, GlyphBuffer& buffer,
              const Rect* clip, PixelColor color, const FontSpec& font);

// The text centred in the box (halvings truncating toward zero: a text larger than its
// box overhangs it equally on both sides).
void DrawTextBox(GlyphSource& glyphs, Image& image, const Rect& box, std::string_view text, GlyphBuffer& buffer,
                 const Rect* clip, PixelColor color, const FontSpec& font);

// How one coverage level (1 … 64) of a glyph pixel is put in the colour: the colour to
// blend, and whether it is stored as it stands (full coverage of an opaque colour).
struct CoveragePaint {
    PixelColor color;
    bool store = false;
};
CoveragePaint PaintForCoverage(PixelColor color, int level);

}  // namespace tavoli
