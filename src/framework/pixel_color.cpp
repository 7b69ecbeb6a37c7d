#include "framework/pixel_color.h"

namespace tavoli {

PixelColor BlendPixel(PixelColor d, PixelColor s) {
    const unsigned ts = s.transparency, td = d.transparency;
    if (ts == 0) return s;
    if (ts == 255) return d;
    if (td == 255) return s;
    auto e = [](unsigned v) { return (v * 16) | (v / 16); };  // 8 bits to 12
    unsigned wS = e(255 - ts);
    unsigned wD = 4095 - wS;
    PixelColor result = d;
    if (td != 0) {
        const unsigned a = wD * e(255 - td) / 4096;
        result.transparency = static_cast<uint8_t>(255 - (wS + a) / 16);
        wD = a * 4096 / (wS + a);
        wS = wS * 4096 / (wS + a);
    }
    auto mix = [&](uint8_t dc, uint8_t sc) {
        return static_cast<uint8_t>(((dc != 0 ? wD * e(dc) : 0) + (sc != 0 ? wS * e(sc) : 0)) / 65536);
    };
    result.blue = mix(d.blue, s.blue);
    result.green = mix(d.green, s.green);
    result.red = mix(d.red, s.red);
    return result;
}

}  // namespace tavoli
