// A font as the settings describe it: face name, pixel size and style letters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavoli {

struct FontSpec {
    std::string face;   // empty: the system's choice for the user's language
    int32_t size = 0;   // pixels; 0 = default
    std::string style;  // "B" bold, "I" italic, "U" underline, "S" strike-out

    bool operator==(const FontSpec& o) const { return face == o.face && size == o.size && style == o.style; }
};

// A style letter is on when its first occurrence, before the first character that is no
// letter, is upper case: "Bi" is bold and not italic, "bB" is not bold.
bool StyleLetterOn(std::string_view style, char upperCaseLetter);

}  // namespace tavoli
