#include "framework/font_win32.h"

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

}  // namespace tavoli
