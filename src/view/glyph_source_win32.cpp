#include "view/glyph_source_win32.h"

#include <algorithm>

#include "framework/font_faces.h"
#include "framework/font_win32.h"
#include "framework/platform.h"

namespace tavoli {

namespace {

const MAT2 kIdentity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};

}  // namespace

Win32GlyphSource::FontDc::~FontDc() {
    if (dc && previous) SelectObject(dc, previous);
    if (font) DeleteObject(font);
    if (dc) DeleteDC(dc);
}

Win32GlyphSource::~Win32GlyphSource() { ReleaseFonts(); }

std::unique_ptr<Win32GlyphSource::FontDc> Win32GlyphSource::MakeFontDc(const FontSpec& spec) {
    auto made = std::make_unique<FontDc>();
    made->spec = spec;
    made->dc = CreateCompatibleDC(nullptr);
    if (!made->dc) return nullptr;
    made->font = CreateFontFromSpec(spec);
    if (!made->font) return nullptr;
    made->previous = SelectObject(made->dc, made->font);
    TEXTMETRICA metrics = {};
    made->descent = GetTextMetricsA(made->dc, &metrics) ? metrics.tmDescent : 0;
    return made;
}

Win32GlyphSource::FontDc* Win32GlyphSource::Kept(const FontSpec& spec) {
    // The face of an empty name and the glyph of a code follow the code page.
    if (platform_ != Platform::Generation()) {
        kept_.erase(std::remove_if(kept_.begin(), kept_.end(),
                                   [this](const std::unique_ptr<FontDc>& kept) { return kept.get() != open_; }),
                    kept_.end());
        if (open_) open_->stale = true;  // still drawn in; never served again
        platform_ = Platform::Generation();
    }
    for (const std::unique_ptr<FontDc>& kept : kept_) {
        if (kept->spec == spec && !kept->stale) {
            kept->lastUse = ++uses_;
            return kept.get();
        }
    }
    std::unique_ptr<FontDc> made = MakeFontDc(spec);
    if (!made) return nullptr;
    made->lastUse = ++uses_;
    if (kept_.size() >= kMaxKeptFonts) {
        auto oldest = kept_.end();
        for (auto it = kept_.begin(); it != kept_.end(); ++it) {
            if (it->get() != open_ && (oldest == kept_.end() || (*it)->lastUse < (*oldest)->lastUse)) oldest = it;
        }
        if (oldest != kept_.end()) kept_.erase(oldest);
    }
    kept_.push_back(std::move(made));
    return kept_.back().get();
}

bool Win32GlyphSource::Open(const FontSpec& font) {
    Close();
    if (keep_) {
        open_ = Kept(font);
    } else {
        single_ = MakeFontDc(font);
        open_ = single_.get();
    }
    return open_ != nullptr;
}

void Win32GlyphSource::Close() {
    if (open_ && open_->stale) {
        kept_.erase(std::remove_if(kept_.begin(), kept_.end(),
                                   [this](const std::unique_ptr<FontDc>& kept) { return kept.get() == open_; }),
                    kept_.end());
    }
    open_ = nullptr;
    single_.reset();
}

void Win32GlyphSource::ReleaseFonts() {
    Close();
    kept_.clear();
}

void Win32GlyphSource::SetKeepFonts(bool keep) {
    ReleaseFonts();
    keep_ = keep;
}

int64_t Win32GlyphSource::GlyphSize(uint32_t code, GlyphMetrics& metrics) {
    if (!open_) return -1;
    GLYPHMETRICS gm = {};
    const DWORD size = GetGlyphOutlineA(open_->dc, code, GGO_GRAY8_BITMAP, &gm, 0, nullptr, &kIdentity);
    if (size == GDI_ERROR) return -1;
    metrics.blackBoxWidth = static_cast<int>(gm.gmBlackBoxX);
    metrics.blackBoxHeight = static_cast<int>(gm.gmBlackBoxY);
    metrics.originX = gm.gmptGlyphOrigin.x;
    metrics.originY = gm.gmptGlyphOrigin.y;
    metrics.advanceX = gm.gmCellIncX;
    metrics.advanceY = gm.gmCellIncY;
    return size;
}

bool Win32GlyphSource::GlyphBitmap(uint32_t code, uint8_t* buffer, size_t size) {
    if (!open_) return false;
    GLYPHMETRICS gm = {};
    return GetGlyphOutlineA(open_->dc, code, GGO_GRAY8_BITMAP, &gm, static_cast<DWORD>(size), buffer, &kIdentity) !=
           GDI_ERROR;
}

Size Win32GlyphSource::TextExtent(const FontSpec& font, std::string_view text) {
    std::unique_ptr<FontDc> own;
    const FontDc* measuring = nullptr;
    if (keep_) {
        measuring = Kept(font);
    } else {
        own = MakeFontDc(font);
        measuring = own.get();
    }
    if (!measuring) return {};
    SIZE size = {};
    const BOOL measured = GetTextExtentPoint32A(measuring->dc, text.data(), static_cast<int>(text.size()), &size);
    return measured ? Size{size.cx, size.cy} : Size{};
}

}  // namespace tavoli
