// Glyphs from the system's font engine: a memory device context and the font of a
// FontSpec, made for each text and released when it is done.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "view/glyph_source.h"

namespace tavoli {

class Win32GlyphSource : public GlyphSource {
public:
    ~Win32GlyphSource() override { Close(); }

    bool Open(const FontSpec& font) override;
    void Close() override;
    int Descent() override { return descent_; }
    int64_t GlyphSize(uint32_t code, GlyphMetrics& metrics) override;
    bool GlyphBitmap(uint32_t code, uint8_t* buffer, size_t size) override;
    Size TextExtent(const FontSpec& font, std::string_view text) override;

private:
    HDC dc_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    int descent_ = 0;
};

// The face of the system's default GUI font; empty when no device context can be made.
std::string DefaultFontFace();
// The installed faces (TrueType ones only when asked), each once, sorted.
std::vector<std::string> ListFontFaces(bool trueTypeOnly);

}  // namespace tavoli
