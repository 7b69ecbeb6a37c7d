// Bilingual literals ("Exit\tja:終了"), short keys packed into 32 bits, the user's
// language and the character reader for texts in the system's encodings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace tavoli {

// Up to four lower-case letters or digits, first character in the lowest byte.
using PackedTag = uint32_t;

// Digits and lower-case letters are kept, upper-case letters folded, other printable
// ASCII skipped; packing stops at a byte outside 0x20-0x7E, after maxLength input bytes
// (0 = no limit) or when four characters are stored.
constexpr PackedTag PackTag(std::string_view text, size_t maxLength = 0) {
    PackedTag tag = 0;
    int stored = 0;
    for (size_t i = 0; i < text.size() && stored < 4; ++i) {
        if (maxLength != 0 && i >= maxLength) break;
        auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c > 0x7E) break;
        if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
        else if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) continue;
        tag |= static_cast<PackedTag>(c) << (8 * stored);
        ++stored;
    }
    return tag;
}

// The characters of a tag, for messages and tests.
std::string TagText(PackedTag tag);

// The user's language: the code page decides ja, kr, ch, tw; otherwise the locale's
// abbreviated language name cut to two characters; empty when that cannot be read.
// Computed once per platform.
PackedTag CurrentLanguage();

// The segment of a literal chosen for a language, as bytes of the literal itself.
std::string_view SelectSegment(std::string_view literal, PackedTag code);

// A literal of the source (UTF-8) resolved for a language and converted to the ANSI
// code page. Without a code, the user's language.
std::string ResolveText(std::string_view literal);
std::string ResolveText(std::string_view literal, PackedTag code);

// A literal that is already in the ANSI code page (read from settings or files).
std::string ResolveAnsiText(std::string_view literal);

// A literal resolved for the user's language with %1 … %9 replaced by the values, in one
// pass: a value that holds "%2" stays as it is. ("%" is never a trail byte of the
// double-byte code pages.)
std::string FillText(std::string_view literal, std::initializer_list<std::string> values);

// The longest start of the text of at most maxBytes bytes that ends at a character
// boundary of the system code page (and before any NUL): a cut text never ends in half
// of a double-byte character.
std::string_view CutAtCharacter(std::string_view text, size_t maxBytes);

// GDI character set for a font made without a face name.
int CharsetForLanguage(PackedTag code);

struct CharStep {
    size_t length = 0;
    uint32_t code = 0;
};

// Reads one character at cursor (advancing it) in the encoding named by a tag: the empty
// tag is the system code page, "euc" and "big5" their double-byte rules, any other tag
// one byte per character. At or past the end: length 0, code 0.
CharStep NextChar(const char*& cursor, const char* end, PackedTag encoding = 0);

}  // namespace tavoli
