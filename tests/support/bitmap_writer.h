// Writes an Image as an uncompressed .bmp file (tests keep their pictures this way).
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

#include "view/image.h"

namespace tavoli {

inline bool WriteBitmapFile(const Image& image, const std::string& path) {
    const BitmapInfoHeader* info = image.Info();
    if (!info) return false;
    // The header, the colour masks of 15 and 16 bits, the palette: the pixels follow them
    // directly in the file (the image's own block may pad before its pixels).
    const size_t masks = image.Depth() == 15 || image.Depth() == 16 ? 12 : 0;
    const size_t infoBytes = info->biSize + masks + 4 * static_cast<size_t>(image.PaletteCount());
    const size_t pixelBytes = image.Stride() * static_cast<size_t>(image.Height());
    const uint32_t offset = static_cast<uint32_t>(14 + infoBytes);
    const uint32_t total = static_cast<uint32_t>(offset + pixelBytes);
    uint8_t header[14] = {'B', 'M'};
    for (int i = 0; i < 4; ++i) {
        header[2 + i] = static_cast<uint8_t>(total >> (8 * i));
        header[10 + i] = static_cast<uint8_t>(offset >> (8 * i));
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(header), sizeof header);
    out.write(reinterpret_cast<const char*>(info), static_cast<std::streamsize>(infoBytes));
    out.write(reinterpret_cast<const char*>(image.Bits()), static_cast<std::streamsize>(pixelBytes));
    return static_cast<bool>(out);
}

}  // namespace tavoli
