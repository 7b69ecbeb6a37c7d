// Glyphs of known shape for pixel tests on any machine. Every character that is not a
// blank is a box size/2 wide and 3·size/4 high standing on the baseline, one pixel right
// of the pen, fully covered except its last column (half coverage); the pen then moves
// size/2 + 2. Blanks (codes up to 0x20, and 0x7F) have no box and move the pen size/2.
// Patterned, every code and font has its own coverage and advance, so that a glyph taken
// for another shows. The source records what it was asked.
#pragma once

#include <string>
#include <vector>

#include "framework/platform.h"
#include "view/glyph_source.h"

namespace tavoli {

class FakeGlyphSource : public GlyphSource {
public:
    static bool IsBlank(uint32_t code) { return code <= 0x20 || code == 0x7F; }
    static int BoxWidth(int size) { return size / 2; }
    static int BoxHeight(int size) { return size * 3 / 4; }
    static int Advance(int size, uint32_t code) { return IsBlank(code) ? size / 2 : size / 2 + 2; }

    bool Open(const FontSpec& font) override {
        font_ = font;
        fonts.push_back(font);
        ++opened;
        return !failOpen;
    }
    void Close() override { ++closed; }
    int Descent() override { return font_.size / 4; }

    int64_t GlyphSize(uint32_t code, GlyphMetrics& metrics) override {
        codes.push_back(code);
        const int size = font_.size;
        metrics.advanceX = Advance(size, code) + (patterned ? static_cast<int>((code + Mix(font_)) % 3) : 0);
        metrics.advanceY = 0;
        if (IsBlank(code)) return 0;
        metrics.blackBoxWidth = BoxWidth(size);
        metrics.blackBoxHeight = BoxHeight(size);
        metrics.originX = 1;
        metrics.originY = BoxHeight(size);
        if (code == hugeCode) return int64_t{1} << 60;  // more than any buffer can take
        return static_cast<int64_t>(Stride(size)) * BoxHeight(size);
    }

    bool GlyphBitmap(uint32_t code, uint8_t* buffer, size_t size) override {
        ++bitmaps;
        const int width = BoxWidth(font_.size), height = BoxHeight(font_.size);
        const size_t stride = Stride(font_.size);
        if (size < stride * static_cast<size_t>(height)) return false;
        // The patterned levels also depend on face and style, which the fake's shape does not.
        const uint32_t mix = Mix(font_);
        for (int y = 0; y < height; ++y) {
            for (size_t x = 0; x < stride; ++x) {
                const int column = static_cast<int>(x);
                uint8_t level = column < width - 1 ? 64 : column == width - 1 ? 32 : 0;
                if (patterned && column < width) level = static_cast<uint8_t>((code * 7 + mix + x * 3 + y * 5) % 65);
                buffer[static_cast<size_t>(y) * stride + x] = level;
            }
        }
        return true;
    }

    Size TextExtent(const FontSpec& font, std::string_view text) override {
        measured.emplace_back(text);
        int width = 0;
        for (const char *p = text.data(), *end = p + text.size(); p < end;) {
            const size_t length = CurrentPlatform().CharLength(p, end);
            const auto code = static_cast<unsigned char>(*p);
            width += Advance(font.size, code) + (patterned ? static_cast<int>((code + Mix(font)) % 3) : 0);
            p += length;
        }
        return {width, font.size};
    }

    void ReleaseFonts() override { ++released; }

    std::vector<FontSpec> fonts;        // every font opened
    std::vector<uint32_t> codes;        // every character code asked for
    std::vector<std::string> measured;  // every text measured
    int opened = 0, closed = 0, bitmaps = 0, released = 0;
    bool failOpen = false;
    bool patterned = false;
    uint32_t hugeCode = 0xFFFFFFFF;  // a code whose bitmap cannot be held

private:
    // Every letter of face and style counts, so that glyphs taken for another font show.
    static uint32_t Mix(const FontSpec& font) {
        uint32_t mix = 0;
        for (char c : font.face + "|" + font.style) mix = mix * 31 + static_cast<unsigned char>(c);
        return mix;
    }
    static size_t Stride(int size) { return (static_cast<size_t>(BoxWidth(size)) + 3) & ~size_t{3}; }

    FontSpec font_;
};

}  // namespace tavoli
