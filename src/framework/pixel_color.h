// A pixel as the program's images store it: bytes blue, green, red, transparency
// (0 opaque, 255 invisible).
#pragma once

#include <cstdint>

namespace tavoli {

struct PixelColor {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    uint8_t transparency = 0;

    static constexpr PixelColor Rgb(uint8_t r, uint8_t g, uint8_t b, uint8_t transparency = 0) {
        PixelColor c;
        c.red = r;
        c.green = g;
        c.blue = b;
        c.transparency = transparency;
        return c;
    }
    // A Windows colour value (0x00BBGGRR), opaque.
    static constexpr PixelColor FromColorRef(uint32_t value) {
        return Rgb(static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>((value >> 8) & 0xFF),
                   static_cast<uint8_t>((value >> 16) & 0xFF));
    }
    // The 32-bit word in memory order: blue in the lowest byte.
    constexpr uint32_t Word() const {
        return static_cast<uint32_t>(blue) | static_cast<uint32_t>(green) << 8 | static_cast<uint32_t>(red) << 16 |
               static_cast<uint32_t>(transparency) << 24;
    }
    static constexpr PixelColor FromWord(uint32_t word) {
        return Rgb(static_cast<uint8_t>(word >> 16), static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word),
                   static_cast<uint8_t>(word >> 24));
    }
    constexpr bool operator==(const PixelColor& o) const { return Word() == o.Word(); }
    constexpr bool operator!=(const PixelColor& o) const { return Word() != o.Word(); }
};
static_assert(sizeof(PixelColor) == 4, "a pixel is 32 bits");

// Composes a source colour over a destination colour with 12-bit fixed-point weights:
// transparency 0 replaces, 255 leaves the destination, a fully transparent destination
// takes the source.
PixelColor BlendPixel(PixelColor destination, PixelColor source);

}  // namespace tavoli
