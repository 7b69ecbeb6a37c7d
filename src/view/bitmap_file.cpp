// Uncompressed .bmp files, read through a byte reader that answers 0 past the end and
// checks every size before it allocates or copies.
#include "view/bitmap_file.h"

#include <cstring>
#include <vector>

#include "framework/mapped_file.h"

namespace tavoli {

namespace {

class ByteReader {
public:
    ByteReader(const uint8_t* begin, const uint8_t* end) : begin_(begin), end_(end) {}

    uint64_t Size() const { return static_cast<uint64_t>(end_ - begin_); }
    uint8_t At(uint64_t offset) const { return offset < Size() ? begin_[offset] : 0; }
    uint16_t U16(uint64_t offset) const { return static_cast<uint16_t>(At(offset) | At(offset + 1) << 8); }
    uint32_t U32(uint64_t offset) const {
        return static_cast<uint32_t>(At(offset)) | static_cast<uint32_t>(At(offset + 1)) << 8 |
               static_cast<uint32_t>(At(offset + 2)) << 16 | static_cast<uint32_t>(At(offset + 3)) << 24;
    }
    int32_t I32(uint64_t offset) const { return static_cast<int32_t>(U32(offset)); }
    bool Has(uint64_t offset, uint64_t length) const { return offset <= Size() && length <= Size() - offset; }
    const uint8_t* Pointer(uint64_t offset) const { return begin_ + offset; }

private:
    const uint8_t* begin_;
    const uint8_t* end_;
};

constexpr uint64_t kFileHeaderSize = 14;
constexpr uint64_t kInfoHeaderSize = 40;

}  // namespace

ErrorValue LoadBitmapMemory(Image& image, const uint8_t* begin, const uint8_t* end) {
    image.Free();
    if (begin == nullptr || end == nullptr || end < begin) return ErrorFromKey("InvalidArgument");
    if (begin == end) return kSuccess;  // an empty file: the empty image
    const ByteReader in(begin, end);
    if (in.Size() < kFileHeaderSize + kInfoHeaderSize || in.At(0) != 'B' || in.At(1) != 'M') {
        return ErrorFromKey("InvalidData");
    }
    const uint64_t info = kFileHeaderSize;
    const uint32_t headerSize = in.U32(info);
    if (headerSize < kInfoHeaderSize || in.U32(info + 16) != 0) return ErrorFromKey("UnacceptableVersion");

    const int32_t width = in.I32(info + 4);
    const int32_t signedHeight = in.I32(info + 8);
    const bool topDown = signedHeight < 0;
    const int64_t height = topDown ? -int64_t{signedHeight} : signedHeight;
    int depth = in.U16(info + 14);
    // An uncompressed 16-bit file holds 5-5-5 pixels.
    if (depth == 16) depth = 15;
    if (width < 0 || width > kMaxImageSide || height > kMaxImageSide || !Image::SupportsDepth(depth)) {
        return ErrorFromKey("memory_alloc");
    }

    // The sizes the file must have, checked before anything is allocated: a header that
    // promises a huge picture in a short file costs nothing.
    const uint32_t colorsUsed = in.U32(info + 32);
    const uint64_t defaultCount = depth >= 1 && depth <= 8 ? uint64_t{1} << depth : 0;
    const uint64_t paletteCount = colorsUsed != 0 ? colorsUsed : defaultCount;
    const uint64_t paletteOffset = info + headerSize;
    const uint64_t bitsPerPixel = depth == 15 ? 16 : static_cast<uint64_t>(depth);
    const uint64_t stride = (static_cast<uint64_t>(width) * bitsPerPixel + 31) / 32 * 4;
    const uint64_t pixelOffset = paletteOffset + paletteCount * 4;
    const uint64_t pixelBytes = stride * static_cast<uint64_t>(height);
    const bool complete = in.Has(paletteOffset, paletteCount * 4) && in.Has(pixelOffset, pixelBytes);

    if (!complete) return ErrorFromKey("taillostdata");
    if (!image.Create(width, static_cast<int>(height), false, depth) || image.Width() != width ||
        image.Height() != height) {
        image.Free();
        return ErrorFromKey("memory_alloc");
    }
    BitmapInfoHeader* header = image.Info();
    header->biXPelsPerMeter = in.I32(info + 24);
    header->biYPelsPerMeter = in.I32(info + 28);
    for (uint64_t k = 0; k < paletteCount && k < static_cast<uint64_t>(image.PaletteCount()); ++k) {
        const uint64_t at = paletteOffset + 4 * k;
        image.SetPaletteEntry(static_cast<int>(k), PixelColor::Rgb(in.At(at + 2), in.At(at + 1), in.At(at)));
    }

    // The pixels follow the palette directly.
    if (pixelBytes > 0) std::memcpy(image.Bits(), in.Pointer(pixelOffset), static_cast<size_t>(pixelBytes));
    if (topDown) {
        // Stored top row first: turn the rows around in place.
        std::vector<uint8_t> swap(image.Stride());
        uint8_t* bits = image.Bits();
        for (int64_t a = 0, b = height - 1; a < b; ++a, --b) {
            uint8_t* rowA = bits + static_cast<size_t>(a) * image.Stride();
            uint8_t* rowB = bits + static_cast<size_t>(b) * image.Stride();
            std::memcpy(swap.data(), rowA, image.Stride());
            std::memcpy(rowA, rowB, image.Stride());
            std::memcpy(rowB, swap.data(), image.Stride());
        }
    }
    return kSuccess;
}

ErrorValue LoadBitmapFile(Image& image, const std::string& path) {
    image.Free();
    MappedFile file;
    ErrorValue error = file.Open(path, MappedFile::kRead);
    if (error == kSuccess) error = file.Map();
    if (error == kSuccess) {
        const auto* begin = reinterpret_cast<const uint8_t*>(file.Begin());
        // An empty file is not mapped: it is the empty image.
        error = begin ? LoadBitmapMemory(image, begin, begin + file.Size()) : kSuccess;
    }
    const ErrorValue closed = file.Close();
    if (error == kSuccess) error = closed;
    if (error != kSuccess) image.Free();
    return error;
}

}  // namespace tavoli
