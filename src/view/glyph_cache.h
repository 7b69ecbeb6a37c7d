// What the font engine said about the fonts the view paints with: per font and character
// code the glyph's metrics and coverage bitmap, and per font and text its extent. A
// paint draws the same few dozen characters in four or five fonts, and each answer of
// the engine costs far more than looking it up; the answers depend on the font and the
// code page alone, so they are kept while the font settings stay.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "view/glyph_source.h"

namespace tavoli {

// The font settings the answers were given for: any change makes them worthless.
struct FontSettings {
    std::string face;
    std::array<int, 4> sizes = {};
    unsigned platform = 0;  // Platform::Generation(): the code page decides the glyph of a code
    bool operator==(const FontSettings& o) const {
        return face == o.face && sizes == o.sizes && platform == o.platform;
    }
    bool operator!=(const FontSettings& o) const { return !(*this == o); }
};

class GlyphCache {
public:
    // Bounds: past one, the answers are forgotten (those of the oldest font, or all of
    // them), which costs at most one paint's worth of questions.
    static constexpr size_t kMaxFonts = 16;
    static constexpr size_t kMaxBytes = size_t{1} << 20;  // bitmaps and what holds them
    static constexpr size_t kMaxExtents = 512;

    struct Glyph {
        int64_t size = 0;
        GlyphMetrics metrics;
        bool hasBitmap = false;
        std::vector<uint8_t> bitmap;
    };
    struct Font {
        FontSpec spec;
        std::unordered_map<uint32_t, Glyph> glyphs;
        std::map<std::string, Size, std::less<>> extents;
    };

    // Keeps the answers when the settings are those they were given for, else forgets
    // them; true when the cache was found empty (new, released or just forgotten).
    bool Use(const FontSettings& settings);
    void Clear();
    bool Empty() const { return fonts_.empty(); }

    // The font's answers, made room for when new; `keep` (a font being drawn in) is not
    // the one that makes room.
    Font& FontOf(const FontSpec& spec, const Font* keep);
    Glyph* FindGlyph(Font& font, uint32_t code);
    void AddGlyph(Font& font, uint32_t code, int64_t size, const GlyphMetrics& metrics);
    // Keeps the bitmap of a glyph already added; false when it is beyond the bound.
    bool AddBitmap(Font& font, uint32_t code, const uint8_t* bytes, size_t size);
    const Size* FindExtent(Font& font, std::string_view text) const;
    void AddExtent(Font& font, std::string_view text, Size extent);

    size_t Bytes() const { return bytes_; }
    size_t Fonts() const { return fonts_.size(); }
    size_t Extents() const { return extents_; }

private:
    void Forget();

    // The fonts are held by pointer so that a font in use stays where it is while others
    // are added.
    std::vector<std::unique_ptr<Font>> fonts_;
    FontSettings settings_;
    size_t bytes_ = 0;
    size_t extents_ = 0;
};

// A glyph source that answers from the cache and asks the source behind it only what the
// cache does not hold. Fonts are still opened and closed through the source, so that a
// font that cannot be made draws nothing, exactly as without the cache.
class CachedGlyphSource : public GlyphSource {
public:
    CachedGlyphSource(GlyphCache& cache, GlyphSource& source) : cache_(cache), source_(source) {}

    bool Open(const FontSpec& font) override;
    void Close() override;
    int Descent() override { return source_.Descent(); }
    int64_t GlyphSize(uint32_t code, GlyphMetrics& metrics) override;
    bool GlyphBitmap(uint32_t code, uint8_t* buffer, size_t size) override;
    Size TextExtent(const FontSpec& font, std::string_view text) override;
    void ReleaseFonts() override { source_.ReleaseFonts(); }

private:
    GlyphCache& cache_;
    GlyphSource& source_;
    GlyphCache::Font* font_ = nullptr;
};

}  // namespace tavoli
