#include "framework/font_win32.h"

#include "framework/font_faces.h"
#include "framework/lang_text.h"

namespace tavoli {

HFONT CreateFontFromSpec(const FontSpec& spec) {
    const int height = spec.size > 0 ? -spec.size : 0;
    const DWORD charset =
        spec.face.empty() ? static_cast<DWORD>(CharsetForLanguage(CurrentLanguage())) : DEFAULT_CHARSET;
    // LOGFONT holds 32 bytes of face name: a longer name is no font the system has.
    const std::string face = spec.face.substr(0, LF_FACESIZE - 1);
    return CreateFontA(height, 0, 0, 0, StyleLetterOn(spec.style, 'B') ? FW_BOLD : FW_NORMAL,
                       StyleLetterOn(spec.style, 'I'), StyleLetterOn(spec.style, 'U'), StyleLetterOn(spec.style, 'S'),
                       charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       face.c_str());
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
