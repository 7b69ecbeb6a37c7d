// Glyphs from the system's font engine. Making a memory device context and a font costs
// more than drawing a short text with them, so each font is made once and kept with its
// own device context (a few at most) until the font settings change or ReleaseFonts.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "view/glyph_source.h"

namespace tavoli {

class Win32GlyphSource : public GlyphSource {
public:
    static constexpr size_t kMaxKeptFonts = 16;

    Win32GlyphSource() = default;
    Win32GlyphSource(const Win32GlyphSource&) = delete;
    Win32GlyphSource& operator=(const Win32GlyphSource&) = delete;
    ~Win32GlyphSource() override;

    bool Open(const FontSpec& font) override;
    void Close() override;
    int Descent() override { return open_ ? open_->descent : 0; }
    int64_t GlyphSize(uint32_t code, GlyphMetrics& metrics) override;
    bool GlyphBitmap(uint32_t code, uint8_t* buffer, size_t size) override;
    Size TextExtent(const FontSpec& font, std::string_view text) override;
    void ReleaseFonts() override;

    // Off, every text makes its device context and font and releases them when it is done
    // (for tests and benchmarks that compare both ways); switching drops the kept ones.
    void SetKeepFonts(bool keep);
    size_t KeptFonts() const { return kept_.size(); }

private:
    // A device context with the font selected into it.
    struct FontDc {
        FontSpec spec;
        HDC dc = nullptr;
        HFONT font = nullptr;
        HGDIOBJ previous = nullptr;
        int descent = 0;
        uint64_t lastUse = 0;
        bool stale = false;  // made under an earlier code page: gone once closed
        ~FontDc();
    };
    static std::unique_ptr<FontDc> MakeFontDc(const FontSpec& spec);
    // The kept device context of the font, made (in place of the least recently used one
    // when there are many) when there is none; null when it cannot be made.
    FontDc* Kept(const FontSpec& spec);

    std::vector<std::unique_ptr<FontDc>> kept_;
    std::unique_ptr<FontDc> single_;  // the one of an open text when nothing is kept
    FontDc* open_ = nullptr;
    bool keep_ = true;
    unsigned platform_ = 0;  // the platform generation the kept fonts were made under
    uint64_t uses_ = 0;
};

}  // namespace tavoli
