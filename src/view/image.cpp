#include "view/image.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace tavoli {

// ---- Layout ----

struct Image::Header {
    int32_t width = 0;
    int32_t height = 0;
    int32_t depth = 0;
    int32_t paletteCount = 0;
    int32_t bytesPerPixel = 0;  // 0 below 8 bits
    size_t stride = 0;
    size_t maskStride = 0;  // no mask plane is made: the calendar never needs one
    size_t infoOffset = 0, paletteOffset = 0, pixelOffset = 0, rowTableOffset = 0, columnTableOffset = 0;
    PixelColor (*read)(const Header&, const uint8_t* row, int x) = nullptr;
    void (*write)(const Header&, uint8_t* row, int x, PixelColor color) = nullptr;
    bool hasMask = false;
    bool owned = false;

    uint8_t* Block() { return reinterpret_cast<uint8_t*>(this); }
    const uint8_t* Block() const { return reinterpret_cast<const uint8_t*>(this); }
    BitmapInfoHeader* Info() { return reinterpret_cast<BitmapInfoHeader*>(Block() + infoOffset); }
    PixelColor* Palette() { return reinterpret_cast<PixelColor*>(Block() + paletteOffset); }
    const PixelColor* Palette() const { return reinterpret_cast<const PixelColor*>(Block() + paletteOffset); }
    uint8_t* Pixels() { return Block() + pixelOffset; }
    const int64_t* RowTable() const { return reinterpret_cast<const int64_t*>(Block() + rowTableOffset); }
    const uint32_t* ColumnTable() const { return reinterpret_cast<const uint32_t*>(Block() + columnTableOffset); }
};

namespace {

Image::Header g_emptyImage;  // width and height 0; never freed

size_t AlignUp(size_t value, size_t alignment) { return (value + alignment - 1) / alignment * alignment; }

bool SupportedDepth(int depth) {
    switch (depth) {
    case 1:
    case 4:
    case 8:
    case -1:
    case -4:
    case -8:
    case 15:
    case 16:
    case 24:
    case 32: return true;
    default: return false;
    }
}

int BitCount(int depth) { return depth < 0 ? -depth : depth; }

// Nearest palette entry by squared distance: writing into an indexed image.
int NearestIndex(const Image::Header& h, PixelColor c) {
    int best = 0;
    int bestDistance = INT32_MAX;
    for (int i = 0; i < h.paletteCount; ++i) {
        const PixelColor p = h.Palette()[i];
        const int db = p.blue - c.blue, dg = p.green - c.green, dr = p.red - c.red;
        const int distance = db * db + dg * dg + dr * dr;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

PixelColor Opaque(PixelColor c) {
    c.transparency = 0;
    return c;
}

PixelColor ReadIndexed(const Image::Header& h, const uint8_t* row, int x) {
    const int bits = BitCount(h.depth);
    const size_t bit = static_cast<size_t>(x) * static_cast<size_t>(bits);
    const int shift = 8 - bits - static_cast<int>(bit % 8);  // the leftmost pixel is in the high bits
    const int index = (row[bit / 8] >> shift) & ((1 << bits) - 1);
    return index < h.paletteCount ? Opaque(h.Palette()[index]) : PixelColor();
}

void WriteIndexed(const Image::Header& h, uint8_t* row, int x, PixelColor c) {
    const int bits = BitCount(h.depth);
    const size_t bit = static_cast<size_t>(x) * static_cast<size_t>(bits);
    const int shift = 8 - bits - static_cast<int>(bit % 8);
    const int mask = ((1 << bits) - 1) << shift;
    row[bit / 8] = static_cast<uint8_t>((row[bit / 8] & ~mask) | ((NearestIndex(h, c) << shift) & mask));
}

PixelColor Read15(const Image::Header&, const uint8_t* row, int x) {
    const unsigned v = row[2 * x] | row[2 * x + 1] << 8;
    auto expand = [](unsigned five) { return static_cast<uint8_t>(five << 3 | five >> 2); };
    return PixelColor::Rgb(expand(v >> 10 & 31), expand(v >> 5 & 31), expand(v & 31));
}

void Write15(const Image::Header&, uint8_t* row, int x, PixelColor c) {
    const unsigned v = (c.red >> 3) << 10 | (c.green >> 3) << 5 | (c.blue >> 3);
    row[2 * x] = static_cast<uint8_t>(v);
    row[2 * x + 1] = static_cast<uint8_t>(v >> 8);
}

PixelColor Read16(const Image::Header&, const uint8_t* row, int x) {
    const unsigned v = row[2 * x] | row[2 * x + 1] << 8;
    const unsigned r = v >> 11 & 31, g = v >> 5 & 63, b = v & 31;
    return PixelColor::Rgb(static_cast<uint8_t>(r << 3 | r >> 2), static_cast<uint8_t>(g << 2 | g >> 4),
                           static_cast<uint8_t>(b << 3 | b >> 2));
}

void Write16(const Image::Header&, uint8_t* row, int x, PixelColor c) {
    const unsigned v = (c.red >> 3) << 11 | (c.green >> 2) << 5 | (c.blue >> 3);
    row[2 * x] = static_cast<uint8_t>(v);
    row[2 * x + 1] = static_cast<uint8_t>(v >> 8);
}

PixelColor Read24(const Image::Header&, const uint8_t* row, int x) {
    const uint8_t* p = row + 3 * static_cast<size_t>(x);
    return PixelColor::Rgb(p[2], p[1], p[0]);
}

void Write24(const Image::Header&, uint8_t* row, int x, PixelColor c) {
    uint8_t* p = row + 3 * static_cast<size_t>(x);
    p[0] = c.blue;
    p[1] = c.green;
    p[2] = c.red;
}

// 32 bits: the fourth byte in memory is opacity, the inverse of transparency.
PixelColor Read32(const Image::Header&, const uint8_t* row, int x) {
    const uint8_t* p = row + 4 * static_cast<size_t>(x);
    return PixelColor::Rgb(p[2], p[1], p[0], static_cast<uint8_t>(255 - p[3]));
}

void Write32(const Image::Header&, uint8_t* row, int x, PixelColor c) {
    uint8_t* p = row + 4 * static_cast<size_t>(x);
    p[0] = c.blue;
    p[1] = c.green;
    p[2] = c.red;
    p[3] = static_cast<uint8_t>(255 - c.transparency);
}

int Wrap(int64_t v, int size) {
    const int64_t r = v % size;
    return static_cast<int>(r < 0 ? r + size : r);
}

}  // namespace

// ---- Image ----

Image::Image() : header_(&g_emptyImage) {}

Image::~Image() { Free(); }

Image::Image(Image&& other) noexcept : header_(other.header_) { other.header_ = &g_emptyImage; }

Image& Image::operator=(Image&& other) noexcept {
    if (this != &other) {
        Free();
        header_ = other.header_;
        other.header_ = &g_emptyImage;
    }
    return *this;
}

void Image::Free() {
    if (header_->owned) {
        header_->~Header();
        std::free(header_);
    }
    header_ = &g_emptyImage;
}

int Image::Width() const { return header_->width; }
int Image::Height() const { return header_->height; }
int Image::Depth() const { return header_->depth; }
size_t Image::Stride() const { return header_->stride; }
int Image::PaletteCount() const { return header_->paletteCount; }

PixelColor Image::PaletteEntry(int index) const {
    return index >= 0 && index < header_->paletteCount ? header_->Palette()[index] : PixelColor();
}

void Image::SetPaletteEntry(int index, PixelColor color) {
    if (index >= 0 && index < header_->paletteCount) header_->Palette()[index] = color;
}

const BitmapInfoHeader* Image::Info() const { return header_->owned ? const_cast<Header*>(header_)->Info() : nullptr; }
BitmapInfoHeader* Image::Info() { return header_->owned ? header_->Info() : nullptr; }
const uint8_t* Image::Bits() const { return header_->owned ? header_->Block() + header_->pixelOffset : nullptr; }
uint8_t* Image::Bits() { return header_->owned ? header_->Pixels() : nullptr; }

uint8_t* Image::Row(int y) { return header_->Pixels() + header_->RowTable()[y]; }
const uint8_t* Image::Row(int y) const { return header_->Block() + header_->pixelOffset + header_->RowTable()[y]; }

bool Image::SupportsDepth(int depth) { return SupportedDepth(depth); }

bool Image::Create(int width, int height, bool keepContents, int depth) {
    if (header_->owned && width == header_->width && height == header_->height && depth == header_->depth) return true;
    if (width < 0 || width > kMaxImageSide || height < 0 || height > kMaxImageSide || !SupportedDepth(depth)) {
        Free();
        return width == 0 && height == 0;
    }
    // 5-5-5 pixels take two bytes like 5-6-5 ones: the system knows no 15-bit rows, and
    // the masks say which bits are which.
    const int bits = depth == 15 ? 16 : BitCount(depth);
    const bool masks = depth == 15 || depth == 16;
    const int paletteCount = bits <= 8 ? 1 << bits : 0;
    const size_t stride = (static_cast<size_t>(width) * static_cast<size_t>(bits) + 31) / 32 * 4;

    // One block: header, BITMAPINFOHEADER (+ masks), palette, pixels, row and column tables.
    const size_t infoOffset = AlignUp(sizeof(Header), 16);
    const size_t paletteOffset = infoOffset + sizeof(BitmapInfoHeader);
    const size_t pixelOffset = AlignUp(paletteOffset + (masks ? 12 : static_cast<size_t>(paletteCount) * 4), 16);
    const size_t rowTableOffset = AlignUp(pixelOffset + stride * static_cast<size_t>(height), 16);
    const size_t columnTableOffset = rowTableOffset + (static_cast<size_t>(height) + 1) * sizeof(int64_t);
    const size_t total = columnTableOffset + (static_cast<size_t>(width) + 1) * sizeof(uint32_t);

    void* memory = std::malloc(total);
    if (!memory) {
        Free();
        return false;
    }
    auto* h = new (memory) Header();
    h->width = width;
    h->height = height;
    h->depth = depth;
    h->paletteCount = paletteCount;
    h->bytesPerPixel = bits >= 8 ? (bits + 7) / 8 : 0;
    h->stride = stride;
    h->infoOffset = infoOffset;
    h->paletteOffset = paletteOffset;
    h->pixelOffset = pixelOffset;
    h->rowTableOffset = rowTableOffset;
    h->columnTableOffset = columnTableOffset;
    h->owned = true;
    switch (depth) {
    case 15:
        h->read = Read15;
        h->write = Write15;
        break;
    case 16:
        h->read = Read16;
        h->write = Write16;
        break;
    case 24:
        h->read = Read24;
        h->write = Write24;
        break;
    case 32:
        h->read = Read32;
        h->write = Write32;
        break;
    default:
        h->read = ReadIndexed;
        h->write = WriteIndexed;
        break;
    }

    BitmapInfoHeader* info = h->Info();
    std::memset(info, 0, sizeof *info);
    info->biSize = sizeof(BitmapInfoHeader);
    info->biWidth = width;
    info->biHeight = height;
    info->biPlanes = 1;
    info->biBitCount = static_cast<uint16_t>(bits);
    if (masks) {
        // BI_BITFIELDS, so that the system reads 5-6-5 pixels as such.
        info->biCompression = 3;
        const uint32_t values[2][3] = {{0x7C00, 0x03E0, 0x001F}, {0xF800, 0x07E0, 0x001F}};
        std::memcpy(h->Block() + paletteOffset, values[depth == 16 ? 1 : 0], 12);
    } else {
        PixelColor* palette = h->Palette();
        for (int k = 0; k < paletteCount; ++k) {
            const auto grey = static_cast<uint8_t>(k * 256 / paletteCount);
            palette[k] = depth < 0 ? PixelColor::Rgb(grey, grey, grey) : PixelColor();
        }
    }
    if (keepContents && header_->owned) {
        const BitmapInfoHeader* old = header_->Info();
        info->biXPelsPerMeter = old->biXPelsPerMeter;
        info->biYPelsPerMeter = old->biYPelsPerMeter;
        const int keep = std::min(paletteCount, header_->paletteCount);
        std::memcpy(h->Palette(), header_->Palette(), static_cast<size_t>(keep) * 4);
    }
    const bool white = depth == 15 || depth == 16 || depth == 24;
    std::memset(h->Pixels(), white ? 0xFF : 0, stride * static_cast<size_t>(height));
    auto* rows = reinterpret_cast<int64_t*>(h->Block() + rowTableOffset);
    for (int y = 0; y <= height; ++y) rows[y] = (int64_t{height} - 1 - y) * static_cast<int64_t>(stride);
    auto* columns = reinterpret_cast<uint32_t*>(h->Block() + columnTableOffset);
    for (int x = 0; x <= width; ++x) columns[x] = static_cast<uint32_t>(int64_t{x} * bits / 8);

    Free();
    header_ = h;
    return true;
}

PixelColor Image::ReadPixel(int x, int y) const {
    if (IsEmpty()) return PixelColor();
    const int wx = Wrap(x, header_->width), wy = Wrap(y, header_->height);
    return header_->read(*header_, Row(wy), wx);
}

void Image::WritePixel(int x, int y, PixelColor color) {
    if (IsEmpty()) return;
    const int wx = Wrap(x, header_->width), wy = Wrap(y, header_->height);
    header_->write(*header_, Row(wy), wx, color);
}

void Image::BlendPut(int x, int y, PixelColor color) {
    if (color.transparency == 255) return;
    if (color.transparency == 0) {
        WritePixel(x, y, color);
        return;
    }
    WritePixel(x, y, BlendPixel(ReadPixel(x, y), color));
}

}  // namespace tavoli
