#include "view/glyph_source_win32.h"

#include "framework/font_win32.h"
#include "view/font_faces.h"

namespace tavoli {

namespace {

const MAT2 kIdentity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};

}  // namespace

bool Win32GlyphSource::Open(const FontSpec& font) {
    Close();
    dc_ = CreateCompatibleDC(nullptr);
    if (!dc_) return false;
    font_ = CreateFontFromSpec(font);
    if (!font_) {
        Close();
        return false;
    }
    previous_ = SelectObject(dc_, font_);
    TEXTMETRICA metrics = {};
    descent_ = GetTextMetricsA(dc_, &metrics) ? metrics.tmDescent : 0;
    return true;
}

void Win32GlyphSource::Close() {
    if (dc_ && previous_) SelectObject(dc_, previous_);
    if (font_) DeleteObject(font_);
    if (dc_) DeleteDC(dc_);
    dc_ = nullptr;
    font_ = nullptr;
    previous_ = nullptr;
    descent_ = 0;
}

int64_t Win32GlyphSource::GlyphSize(uint32_t code, GlyphMetrics& metrics) {
    GLYPHMETRICS gm = {};
    const DWORD size = GetGlyphOutlineA(dc_, code, GGO_GRAY8_BITMAP, &gm, 0, nullptr, &kIdentity);
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
    GLYPHMETRICS gm = {};
    return GetGlyphOutlineA(dc_, code, GGO_GRAY8_BITMAP, &gm, static_cast<DWORD>(size), buffer, &kIdentity) !=
           GDI_ERROR;
}

Size Win32GlyphSource::TextExtent(const FontSpec& font, std::string_view text) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return {};
    HFONT handle = CreateFontFromSpec(font);
    if (!handle) {
        DeleteDC(dc);
        return {};
    }
    HGDIOBJ previous = SelectObject(dc, handle);
    SIZE size = {};
    const BOOL measured = GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    DeleteObject(handle);
    DeleteDC(dc);
    return measured ? Size{size.cx, size.cy} : Size{};
}

std::string DefaultFontFace() {
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return {};
    HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    char face[LF_FACESIZE] = {};
    const int length = GetTextFaceA(dc, sizeof face, face);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return length > 0 ? std::string(face) : std::string();
}

std::vector<std::string> ListFontFaces(bool trueTypeOnly) {
    std::vector<ReportedFace> reported;
    HDC dc = GetDC(nullptr);
    if (!dc) return {};
    LOGFONTA request = {};
    request.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(
        dc, &request,
        [](const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM parameter) -> int {
            reinterpret_cast<std::vector<ReportedFace>*>(parameter)->push_back(
                {font->lfFaceName, (type & TRUETYPE_FONTTYPE) != 0});
            return 1;
        },
        reinterpret_cast<LPARAM>(&reported), 0);
    ReleaseDC(nullptr, dc);
    return SortedFontFaces(reported, trueTypeOnly);
}

}  // namespace tavoli
