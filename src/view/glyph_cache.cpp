#include "view/glyph_cache.h"

#include <cstring>
#include <new>

namespace tavoli {

namespace {

// What a kept answer costs beyond its bytes: the node, the key, the allocation.
constexpr size_t kGlyphOverhead = sizeof(GlyphCache::Glyph) + 48;
constexpr size_t kExtentOverhead = sizeof(Size) + sizeof(std::string) + 64;

}  // namespace

bool GlyphCache::Use(const FontSettings& settings) {
    if (settings != settings_) {
        Clear();
        settings_ = settings;
    }
    return fonts_.empty();
}

void GlyphCache::Clear() {
    fonts_.clear();
    bytes_ = 0;
    extents_ = 0;
}

GlyphCache::Font& GlyphCache::FontOf(const FontSpec& spec, const Font* keep) {
    for (const std::unique_ptr<Font>& font : fonts_) {
        if (font->spec == spec) return *font;
    }
    if (fonts_.size() >= kMaxFonts) {
        // The least recently made font that is not in use makes room.
        for (auto it = fonts_.begin(); it != fonts_.end(); ++it) {
            if (it->get() == keep) continue;
            for (const auto& glyph : (*it)->glyphs) bytes_ -= kGlyphOverhead + glyph.second.bitmap.size();
            for (const auto& extent : (*it)->extents) bytes_ -= kExtentOverhead + extent.first.size();
            extents_ -= (*it)->extents.size();
            fonts_.erase(it);
            break;
        }
    }
    auto made = std::make_unique<Font>();
    made->spec = spec;
    fonts_.push_back(std::move(made));
    return *fonts_.back();
}

void GlyphCache::Forget() {
    // The fonts stay (a source may be drawing in one); what they knew goes.
    for (const std::unique_ptr<Font>& font : fonts_) {
        font->glyphs.clear();
        font->extents.clear();
    }
    bytes_ = 0;
    extents_ = 0;
}

GlyphCache::Glyph* GlyphCache::FindGlyph(Font& font, uint32_t code) {
    const auto found = font.glyphs.find(code);
    return found == font.glyphs.end() ? nullptr : &found->second;
}

void GlyphCache::AddGlyph(Font& font, uint32_t code, int64_t size, const GlyphMetrics& metrics) {
    if (bytes_ + kGlyphOverhead > kMaxBytes) Forget();
    Glyph& glyph = font.glyphs[code];
    glyph.size = size;
    glyph.metrics = metrics;
    bytes_ += kGlyphOverhead;
}

bool GlyphCache::AddBitmap(Font& font, uint32_t code, const uint8_t* bytes, size_t size) {
    Glyph* glyph = FindGlyph(font, code);
    if (!glyph || glyph->hasBitmap || size > kMaxBytes / 4) return false;
    if (bytes_ + size > kMaxBytes) {
        // Forgetting drops this glyph too: it is kept again, bitmap and all.
        const Glyph kept = *glyph;
        Forget();
        AddGlyph(font, code, kept.size, kept.metrics);
        glyph = FindGlyph(font, code);
    }
    glyph->bitmap.assign(bytes, bytes + size);
    glyph->hasBitmap = true;
    bytes_ += size;
    return true;
}

const Size* GlyphCache::FindExtent(Font& font, std::string_view text) const {
    const auto found = font.extents.find(text);
    return found == font.extents.end() ? nullptr : &found->second;
}

void GlyphCache::AddExtent(Font& font, std::string_view text, Size extent) {
    if (text.size() > kMaxBytes / 4) return;  // a text that long would crowd out the rest
    if (extents_ >= kMaxExtents || bytes_ + kExtentOverhead + text.size() > kMaxBytes) Forget();
    if (!font.extents.emplace(std::string(text), extent).second) return;
    bytes_ += kExtentOverhead + text.size();
    ++extents_;
}

// Keeping an answer needs memory; without it the answer is simply not kept, and the
// text is drawn as without the cache.
bool CachedGlyphSource::Open(const FontSpec& font) {
    font_ = nullptr;
    if (!source_.Open(font)) return false;
    try {
        font_ = &cache_.FontOf(font, nullptr);
    } catch (const std::bad_alloc&) {
        font_ = nullptr;
    }
    return true;
}

void CachedGlyphSource::Close() {
    font_ = nullptr;
    source_.Close();
}

int64_t CachedGlyphSource::GlyphSize(uint32_t code, GlyphMetrics& metrics) {
    if (!font_) return source_.GlyphSize(code, metrics);
    if (const GlyphCache::Glyph* glyph = cache_.FindGlyph(*font_, code)) {
        metrics = glyph->metrics;
        return glyph->size;
    }
    const int64_t size = source_.GlyphSize(code, metrics);
    // A refusal may pass (a system short of memory): it is asked again next time.
    if (size >= 0) {
        try {
            cache_.AddGlyph(*font_, code, size, metrics);
        } catch (const std::bad_alloc&) {}
    }
    return size;
}

bool CachedGlyphSource::GlyphBitmap(uint32_t code, uint8_t* buffer, size_t size) {
    if (!font_) return source_.GlyphBitmap(code, buffer, size);
    const GlyphCache::Glyph* glyph = cache_.FindGlyph(*font_, code);
    if (glyph && glyph->hasBitmap && glyph->bitmap.size() == size) {
        if (size > 0) std::memcpy(buffer, glyph->bitmap.data(), size);
        return true;
    }
    if (!source_.GlyphBitmap(code, buffer, size)) return false;
    // Kept only when it is the size the cache knows the glyph by.
    if (glyph && !glyph->hasBitmap && glyph->size >= 0 && static_cast<uint64_t>(glyph->size) == size) {
        try {
            cache_.AddBitmap(*font_, code, buffer, size);
        } catch (const std::bad_alloc&) {}
    }
    return true;
}

Size CachedGlyphSource::TextExtent(const FontSpec& font, std::string_view text) {
    GlyphCache::Font* kept = nullptr;
    try {
        kept = &cache_.FontOf(font, font_);
    } catch (const std::bad_alloc&) {
        return source_.TextExtent(font, text);
    }
    if (const Size* extent = cache_.FindExtent(*kept, text)) return *extent;
    const Size extent = source_.TextExtent(font, text);
    // (0, 0) is also the answer of a source that could not make the font: not kept.
    if (extent.width != 0 || extent.height != 0) {
        try {
            cache_.AddExtent(*kept, text, extent);
        } catch (const std::bad_alloc&) {}
    }
    return extent;
}

}  // namespace tavoli
