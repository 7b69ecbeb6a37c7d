// The program's own device-independent bitmap: one memory block holding a header, a
// BITMAPINFOHEADER, the palette, the pixel rows bottom-up and tables of row and column
// offsets. Pixels are read and written as PixelColor values.
#pragma once

#include <cstddef>
#include <cstdint>

#include "framework/geometry.h"
#include "framework/pixel_color.h"

namespace tavoli {

// The layout of the system's BITMAPINFOHEADER (40 bytes).
struct BitmapInfoHeader {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
};
static_assert(sizeof(BitmapInfoHeader) == 40, "BITMAPINFOHEADER is 40 bytes");

constexpr int kMaxImageSide = 12000;

class Image {
public:
    struct Header;

    // The empty image (0 × 0): owns nothing.
    Image();
    ~Image();
    Image(Image&& other) noexcept;
    Image& operator=(Image&& other) noexcept;
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // Depths: 1, 4, 8 (palette), −1, −4, −8 (grey palette), 15, 16, 24, 32. Nothing
    // happens when size and depth are unchanged; a side outside 0 … 12000, another
    // depth or a lack of memory gives the empty image. With keepContents the palette and
    // the resolution carry over. New pixels are white for 15, 16 and 24 bits, 0
    // otherwise. True when the image has the size asked for.
    bool Create(int width, int height, bool keepContents, int depth);
    static bool SupportsDepth(int depth);
    void Free();

    int Width() const;
    int Height() const;
    int Depth() const;
    bool IsEmpty() const { return Width() == 0 || Height() == 0; }
    size_t Stride() const;
    int PaletteCount() const;
    PixelColor PaletteEntry(int index) const;
    void SetPaletteEntry(int index, PixelColor color);

    // Coordinates wrap around: −1 is the last column or row. The empty image reads 0
    // and ignores writes. 24-bit pixels read opaque; 32-bit pixels keep opacity in memory.
    PixelColor ReadPixel(int x, int y) const;
    void WritePixel(int x, int y, PixelColor color);
    // Blends the colour over the pixel; transparency 0 stores, 255 does nothing.
    void BlendPut(int x, int y, PixelColor color);

    // The BITMAPINFO as the system takes it (header, then masks or palette), and the rows.
    const BitmapInfoHeader* Info() const;
    BitmapInfoHeader* Info();
    const uint8_t* Bits() const;
    uint8_t* Bits();
    // Row y counted from the top.
    uint8_t* Row(int y);
    const uint8_t* Row(int y) const;

private:
    Header* header_;
};

}  // namespace tavoli
