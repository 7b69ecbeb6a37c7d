#include "framework/font_spec.h"

namespace tavoli {

bool StyleLetterOn(std::string_view style, char upperCaseLetter) {
    const char lower = static_cast<char>(upperCaseLetter - 'A' + 'a');
    for (char c : style) {
        const bool isLetter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!isLetter) break;
        if (c == upperCaseLetter) return true;
        if (c == lower) return false;
    }
    return false;
}

}  // namespace tavoli
