// Where the text renderer gets its glyphs: the metrics of a font and, per character, the
// 65-level coverage bitmap and its metrics. The Win32 source asks the system's font
// engine (a memory device context with the font, kept per font until ReleaseFonts);
// tests use a fake with glyphs of known shape.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "framework/font_spec.h"
#include "framework/geometry.h"

namespace tavoli {

struct GlyphMetrics {
    int blackBoxWidth = 0, blackBoxHeight = 0;
    int originX = 0, originY = 0;    // the black box's top-left corner from the pen, y upwards
    int advanceX = 0, advanceY = 0;  // the pen's move after the character
};

class GlyphSource {
public:
    virtual ~GlyphSource() = default;

    // Selects a device context with the font; false when either cannot be made.
    virtual bool Open(const FontSpec& font) = 0;
    virtual void Close() = 0;
    // The open font's descent below the baseline (tmDescent).
    virtual int Descent() = 0;
    // The bytes of a character's coverage bitmap (rows of the black-box width rounded up
    // to 4 bytes, one level 0 … 64 a byte) and its metrics; −1 when there is no glyph.
    virtual int64_t GlyphSize(uint32_t code, GlyphMetrics& metrics) = 0;
    virtual bool GlyphBitmap(uint32_t code, uint8_t* buffer, size_t size) = 0;
    // The extent of a text in a font, whatever font is open (0 × 0 on failure).
    virtual Size TextExtent(const FontSpec& font, std::string_view text) = 0;
    // Gives back whatever the source keeps between texts (fonts and device contexts): the
    // font settings changed or the view released its buffers.
    virtual void ReleaseFonts() {}
};

}  // namespace tavoli
