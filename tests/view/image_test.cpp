#include "view/image.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "support/file_contents.h"
#include "support/temp_folder.h"
#include "view/background_image.h"
#include "view/bitmap_file.h"
#include "view/image_drawing.h"

namespace tavoli {
namespace {

std::string Hex(PixelColor c) {
    char text[32];
    std::snprintf(text, sizeof text, "(%d,%d,%d,t%d)", c.red, c.green, c.blue, c.transparency);
    return text;
}

TEST(Image, CreationLayoutAndFill) {
    struct Case {
        int width, height, depth;
        size_t stride;
        int palette;
        PixelColor fill;
    } cases[] = {
        {5, 3, 24, 16, 0, PixelColor::Rgb(255, 255, 255)},  // rows padded to 32 bits
        {5, 3, 32, 20, 0, PixelColor::Rgb(0, 0, 0, 255)},   // zero bytes: opacity 0
        {5, 3, 1, 4, 2, PixelColor()},
        {33, 2, 1, 8, 2, PixelColor()},
        {5, 3, 4, 4, 16, PixelColor()},
        {5, 3, 8, 8, 256, PixelColor()},
        {5, 3, -8, 8, 256, PixelColor()},
        {5, 3, 15, 12, 0, PixelColor::Rgb(255, 255, 255)},
        {5, 3, 16, 12, 0, PixelColor::Rgb(255, 255, 255)},
    };
    for (const Case& c : cases) {
        Image image;
        ASSERT_TRUE(image.Create(c.width, c.height, false, c.depth)) << c.depth;
        EXPECT_EQ(image.Width(), c.width);
        EXPECT_EQ(image.Height(), c.height);
        EXPECT_EQ(image.Stride(), c.stride) << c.depth;
        EXPECT_EQ(image.PaletteCount(), c.palette) << c.depth;
        EXPECT_EQ(Hex(image.ReadPixel(c.width - 1, c.height - 1)), Hex(c.fill)) << c.depth;
        const BitmapInfoHeader* info = image.Info();
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->biSize, 40u);
        EXPECT_EQ(info->biWidth, c.width);
        EXPECT_EQ(info->biHeight, c.height);  // positive: bottom-up rows
        EXPECT_EQ(info->biPlanes, 1);
        EXPECT_EQ(info->biBitCount, c.depth == 15 ? 16 : c.depth < 0 ? -c.depth : c.depth);  // 5-5-5 in 16 bits
        // Row 0 (the top) is the last row of the bottom-up pixel area.
        EXPECT_EQ(image.Row(0), image.Bits() + (c.height - 1) * c.stride);
        EXPECT_EQ(image.Row(c.height - 1), image.Bits());
    }
    Image masks;
    ASSERT_TRUE(masks.Create(2, 2, false, 16));
    uint32_t values[3];
    std::memcpy(values, reinterpret_cast<const uint8_t*>(masks.Info()) + 40, 12);
    EXPECT_EQ(values[0], 0xF800u);
    EXPECT_EQ(values[1], 0x07E0u);
    EXPECT_EQ(values[2], 0x001Fu);

    Image grey;
    ASSERT_TRUE(grey.Create(2, 2, false, -4));
    EXPECT_EQ(grey.PaletteEntry(3), PixelColor::Rgb(48, 48, 48));  // k × 256 / 16

    Image image;
    for (int depth : {0, 2, 7, 48, 64, -16, 33, -24}) {
        EXPECT_FALSE(image.Create(4, 4, false, depth)) << depth;
        EXPECT_TRUE(image.IsEmpty());
    }
    EXPECT_FALSE(image.Create(12001, 1, false, 24));
    EXPECT_FALSE(image.Create(-1, 1, false, 24));
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(image.Info(), nullptr);
    EXPECT_EQ(image.ReadPixel(0, 0), PixelColor());    // the empty image reads 0
    image.WritePixel(0, 0, PixelColor::Rgb(1, 2, 3));  // and ignores writes
    image.Free();
    image.Free();

    // The same size and depth changes nothing: the pixels stay.
    ASSERT_TRUE(image.Create(3, 3, false, 24));
    image.WritePixel(1, 1, PixelColor::Rgb(1, 2, 3));
    ASSERT_TRUE(image.Create(3, 3, false, 24));
    EXPECT_EQ(image.ReadPixel(1, 1), PixelColor::Rgb(1, 2, 3));
    // keepContents carries the palette and resolution, not the pixels.
    Image indexed;
    ASSERT_TRUE(indexed.Create(2, 2, false, 8));
    indexed.SetPaletteEntry(5, PixelColor::Rgb(9, 8, 7));
    indexed.Info()->biXPelsPerMeter = 2835;
    ASSERT_TRUE(indexed.Create(4, 4, true, 8));
    EXPECT_EQ(indexed.PaletteEntry(5), PixelColor::Rgb(9, 8, 7));
    EXPECT_EQ(indexed.Info()->biXPelsPerMeter, 2835);
    ASSERT_TRUE(indexed.Create(4, 4, false, 4));
    EXPECT_EQ(indexed.PaletteEntry(5), PixelColor());
}

TEST(Image, PixelsWrapAroundAndKeepTheirDepth) {
    Image image;
    ASSERT_TRUE(image.Create(4, 3, false, 24));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) image.WritePixel(x, y, PixelColor::Rgb(x * 10, y * 10, 7, 99));
    }
    EXPECT_EQ(image.ReadPixel(1, 2), PixelColor::Rgb(10, 20, 7));  // 24 bits read opaque
    struct Case {
        int x, y, expectedX, expectedY;
    } cases[] = {{4, 0, 0, 0}, {-1, 0, 3, 0},  {0, -1, 0, 2},
                 {9, 7, 1, 1}, {-5, -4, 3, 2}, {INT32_MIN, INT32_MAX, 0, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(image.ReadPixel(c.x, c.y), image.ReadPixel(c.expectedX, c.expectedY)) << c.x << "," << c.y;
    }
    image.WritePixel(-1, -1, PixelColor::Rgb(1, 1, 1));
    EXPECT_EQ(image.ReadPixel(3, 2), PixelColor::Rgb(1, 1, 1));

    Image alpha;
    ASSERT_TRUE(alpha.Create(2, 1, false, 32));
    alpha.WritePixel(0, 0, PixelColor::Rgb(10, 20, 30, 100));
    EXPECT_EQ(alpha.ReadPixel(0, 0), PixelColor::Rgb(10, 20, 30, 100));
    EXPECT_EQ(alpha.Row(0)[3], 155);  // opacity in memory

    Image fifteen;
    ASSERT_TRUE(fifteen.Create(2, 1, false, 15));
    fifteen.WritePixel(0, 0, PixelColor::Rgb(255, 0, 128));
    EXPECT_EQ(fifteen.ReadPixel(0, 0), PixelColor::Rgb(255, 0, 132));  // 5 bits a channel

    Image indexed;
    ASSERT_TRUE(indexed.Create(9, 1, false, 4));
    indexed.SetPaletteEntry(0, PixelColor::Rgb(0, 0, 0));
    indexed.SetPaletteEntry(1, PixelColor::Rgb(250, 0, 0));
    indexed.SetPaletteEntry(2, PixelColor::Rgb(0, 250, 0));
    indexed.WritePixel(8, 0, PixelColor::Rgb(240, 10, 10));  // the nearest entry
    EXPECT_EQ(indexed.ReadPixel(8, 0), PixelColor::Rgb(250, 0, 0));
    EXPECT_EQ(indexed.ReadPixel(7, 0), PixelColor::Rgb(0, 0, 0));
}

TEST(Image, BlendingWeights) {
    struct Case {
        PixelColor destination, source, expected;
    } cases[] = {
        // Half transparent over opaque: opaque, channels about half and half.
        {PixelColor::Rgb(100, 0, 255), PixelColor::Rgb(200, 100, 50, 127), PixelColor::Rgb(150, 50, 152)},
        {PixelColor::Rgb(255, 255, 255), PixelColor::Rgb(0, 0, 0, 127), PixelColor::Rgb(127, 127, 127)},
        {PixelColor::Rgb(0, 0, 0), PixelColor::Rgb(255, 255, 255, 127), PixelColor::Rgb(128, 128, 128)},
        // Over an invisible pixel: the source itself.
        {PixelColor::Rgb(100, 0, 255, 255), PixelColor::Rgb(200, 100, 50, 127), PixelColor::Rgb(200, 100, 50, 127)},
        // Over a partly transparent pixel: the weights and the transparency combine.
        {PixelColor::Rgb(100, 0, 255, 100), PixelColor::Rgb(200, 100, 50, 127), PixelColor::Rgb(162, 62, 127, 50)},
        {PixelColor::Rgb(10, 20, 30), PixelColor::Rgb(40, 50, 60, 1), PixelColor::Rgb(39, 50, 60)},
        {PixelColor::Rgb(10, 20, 30), PixelColor::Rgb(40, 50, 60, 254), PixelColor::Rgb(10, 20, 30)},
        {PixelColor::Rgb(10, 20, 30), PixelColor::Rgb(40, 50, 60, 0), PixelColor::Rgb(40, 50, 60)},
        {PixelColor::Rgb(10, 20, 30, 7), PixelColor::Rgb(40, 50, 60, 255), PixelColor::Rgb(10, 20, 30, 7)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Hex(BlendPixel(c.destination, c.source)), Hex(c.expected))
            << Hex(c.source) << " over " << Hex(c.destination);
    }
    Image image;
    ASSERT_TRUE(image.Create(2, 1, false, 24));
    image.WritePixel(0, 0, PixelColor::Rgb(100, 0, 255));
    image.BlendPut(0, 0, PixelColor::Rgb(200, 100, 50, 127));
    EXPECT_EQ(image.ReadPixel(0, 0), PixelColor::Rgb(150, 50, 152));
    image.BlendPut(1, 0, PixelColor::Rgb(1, 2, 3, 255));
    EXPECT_EQ(image.ReadPixel(1, 0), PixelColor::Rgb(255, 255, 255));
}

// The image as rows of characters: '#' where the pixel is the colour, '.' elsewhere.
std::vector<std::string> Picture(const Image& image, PixelColor color) {
    std::vector<std::string> rows;
    for (int y = 0; y < image.Height(); ++y) {
        std::string row;
        for (int x = 0; x < image.Width(); ++x) row += image.ReadPixel(x, y) == color ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

using Rows = std::vector<std::string>;

TEST(Image, RectanglesAndLines) {
    const PixelColor ink = PixelColor::Rgb(0, 0, 0);
    Image image;
    ASSERT_TRUE(image.Create(6, 5, false, 24));
    const Rect clip{1, 0, 5, 4};
    FillRect(image, {-3, 2, 10, 10}, ink, &clip);
    EXPECT_EQ(Picture(image, ink), (Rows{"......", "......", ".####.", ".####.", "......"}));
    FillRect(image, {0, 0, 6, 5}, PixelColor::Rgb(0, 0, 0, 255));  // invisible: nothing
    EXPECT_EQ(Picture(image, ink)[0], "......");

    ASSERT_TRUE(image.Create(6, 5, false, 32));
    ASSERT_TRUE(image.Create(6, 5, false, 24));
    FrameRect(image, {0, 0, 5, 4}, ink);
    EXPECT_EQ(Picture(image, ink), (Rows{"#####.", "#...#.", "#...#.", "#####.", "......"}));
    // A half-transparent outline is blended once everywhere, corners included.
    ASSERT_TRUE(image.Create(4, 3, false, 24));
    const PixelColor half = PixelColor::Rgb(0, 0, 0, 127);
    FrameRect(image, {0, 0, 4, 3}, half);
    FrameRect(image, {0, 2, 4, 3}, half);  // a one-pixel-high frame: one row, once
    EXPECT_EQ(image.ReadPixel(0, 0), PixelColor::Rgb(127, 127, 127));
    EXPECT_EQ(image.ReadPixel(3, 1), PixelColor::Rgb(127, 127, 127));
    EXPECT_EQ(image.ReadPixel(1, 1), PixelColor::Rgb(255, 255, 255));
    EXPECT_EQ(image.ReadPixel(1, 2), BlendPixel(PixelColor::Rgb(127, 127, 127), half));
    FrameRect(image, {2, 2, 2, 9}, ink);  // empty: nothing

    struct LineCase {
        Point from, to;
        Rows expected;
    } lines[] = {
        {{0, 0}, {5, 0}, {"######", "......", "......", "......"}},
        {{1, 3}, {1, 0}, {".#....", ".#....", ".#....", ".#...."}},
        {{0, 0}, {3, 3}, {"#.....", ".#....", "..#...", "...#.."}},
        {{3, 3}, {0, 0}, {"#.....", ".#....", "..#...", "...#.."}},  // the same pixels either way
        // Slope 2/5 in 16.16: the minor axis steps after pixels 1 and 3.
        {{0, 0}, {5, 2}, {"##....", "..##..", "....##", "......"}},
        {{0, 3}, {5, 1}, {"......", "....##", "..##..", "##...."}},
        {{5, 2}, {0, 0}, {"##....", "..##..", "....##", "......"}},
        {{2, 2}, {2, 2}, {"......", "......", "..#...", "......"}},  // a point
        {{-10, 1}, {10, 1}, {"......", "######", "......", "......"}},
    };
    for (const LineCase& c : lines) {
        ASSERT_TRUE(image.Create(6, 4, false, 32));
        ASSERT_TRUE(image.Create(6, 4, false, 24));
        DrawLine(image, c.from, c.to, nullptr, ink);
        EXPECT_EQ(Picture(image, ink), c.expected) << c.from.x << "," << c.from.y << " → " << c.to.x << "," << c.to.y;
    }
    ASSERT_TRUE(image.Create(6, 4, false, 32));
    ASSERT_TRUE(image.Create(6, 4, false, 24));
    const Rect inner{1, 1, 5, 3};
    DrawLine(image, {0, 0}, {5, 5}, &inner, ink);
    EXPECT_EQ(Picture(image, ink), (Rows{"......", ".#....", "..#...", "......"}));
    DrawLine(image, {INT32_MIN, 0}, {INT32_MAX, 3}, nullptr, ink);  // far away: bounded, no overflow
}

TEST(Image, DrawAndCopyBetweenDepths) {
    Image source;
    ASSERT_TRUE(source.Create(3, 1, false, 32));
    source.WritePixel(0, 0, PixelColor::Rgb(10, 20, 30));       // opacity 255: copied
    source.WritePixel(1, 0, PixelColor::Rgb(10, 20, 30, 255));  // opacity 0: skipped
    source.WritePixel(2, 0, PixelColor::Rgb(0, 0, 0, 127));     // blended
    Image target;
    ASSERT_TRUE(target.Create(4, 2, false, 24));
    DrawImage(target, source, {1, 1});
    EXPECT_EQ(target.ReadPixel(0, 1), PixelColor::Rgb(255, 255, 255));
    EXPECT_EQ(target.ReadPixel(1, 1), PixelColor::Rgb(10, 20, 30));
    EXPECT_EQ(target.ReadPixel(2, 1), PixelColor::Rgb(255, 255, 255));
    EXPECT_EQ(target.ReadPixel(3, 1), PixelColor::Rgb(127, 127, 127));
    EXPECT_EQ(target.ReadPixel(1, 0), PixelColor::Rgb(255, 255, 255));

    // CopyImage converts without blending; a clip and negative offsets cut the source.
    ASSERT_TRUE(target.Create(4, 2, false, 32));
    ASSERT_TRUE(target.Create(4, 2, false, 24));
    CopyImage(target, source, {-1, 0});
    EXPECT_EQ(target.ReadPixel(0, 0), PixelColor::Rgb(10, 20, 30));  // source column 1, colour only
    EXPECT_EQ(target.ReadPixel(1, 0), PixelColor::Rgb(0, 0, 0));
    const Rect clip{0, 0, 1, 1};
    Image other;
    ASSERT_TRUE(other.Create(4, 2, false, 24));
    CopyImage(other, source, {0, 0}, &clip);
    EXPECT_EQ(other.ReadPixel(0, 0), PixelColor::Rgb(10, 20, 30));
    EXPECT_EQ(other.ReadPixel(1, 0), PixelColor::Rgb(255, 255, 255));

    // Same depth: bytes copied row by row; indexed into direct colour by palette.
    Image indexed;
    ASSERT_TRUE(indexed.Create(2, 2, false, 1));
    indexed.SetPaletteEntry(1, PixelColor::Rgb(1, 2, 3));
    indexed.WritePixel(1, 1, PixelColor::Rgb(1, 2, 3));
    CopyImage(other, indexed, {2, 0});
    EXPECT_EQ(other.ReadPixel(3, 1), PixelColor::Rgb(1, 2, 3));
    EXPECT_EQ(other.ReadPixel(2, 1), PixelColor::Rgb(0, 0, 0));
    Image copy;
    ASSERT_TRUE(copy.Create(4, 2, false, 24));
    DrawImage(copy, other, {0, 0});
    for (int x = 0; x < 4; ++x) EXPECT_EQ(copy.ReadPixel(x, 1), other.ReadPixel(x, 1));
    DrawImage(copy, other, {100, 100});  // entirely outside: nothing
    DrawImage(copy, Image(), {0, 0});
}

TEST(Image, ScaledByWholeSourcePixels) {
    // Four columns in two rows, the second reversed, scaled by whole and broken factors.
    Image source;
    ASSERT_TRUE(source.Create(4, 2, false, 8));
    const PixelColor colors[4] = {PixelColor::Rgb(10, 0, 0), PixelColor::Rgb(20, 0, 0), PixelColor::Rgb(30, 0, 0),
                                  PixelColor::Rgb(40, 0, 0)};
    for (int x = 0; x < 4; ++x) source.SetPaletteEntry(x + 1, colors[x]);
    for (int x = 0; x < 4; ++x) {
        source.WritePixel(x, 0, colors[x]);
        source.WritePixel(x, 1, colors[3 - x]);
    }
    const struct {
        int numerator, denominator;
        std::vector<int> columns;  // the source column of each scaled column
        int height;
        int row;  // the source row under the first scaled row
    } cases[] = {
        {1, 1, {0, 1, 2, 3}, 2, 0},       {2, 1, {0, 0, 1, 1, 2, 2, 3, 3}, 4, 0},
        {3, 2, {0, 1, 1, 2, 3, 3}, 3, 0},  // centres at 1/3, 1, 5/3, …: 1.5 × 4 = 6
        {5, 4, {0, 1, 2, 2, 3}, 3, 0},    {1, 2, {1, 3}, 1, 1},
    };
    for (const auto& c : cases) {
        const Image scaled = ScaleImage(source, c.numerator, c.denominator);
        ASSERT_EQ(scaled.Width(), static_cast<int>(c.columns.size())) << c.numerator << "/" << c.denominator;
        EXPECT_EQ(scaled.Height(), c.height);
        EXPECT_EQ(scaled.Depth(), 24);
        for (int x = 0; x < scaled.Width(); ++x) {
            EXPECT_EQ(scaled.ReadPixel(x, 0), source.ReadPixel(c.columns[x], c.row))
                << c.numerator << "/" << c.denominator << " x" << x;
        }
    }
    EXPECT_EQ(ScaleImage(source, 2, 1).ReadPixel(0, 3), colors[3]);  // the second row, doubled

    Image translucent;
    ASSERT_TRUE(translucent.Create(1, 1, false, 32));
    translucent.WritePixel(0, 0, PixelColor::Rgb(1, 2, 3, 100));
    const Image kept = ScaleImage(translucent, 3, 1);
    EXPECT_EQ(kept.Depth(), 32);
    EXPECT_EQ(kept.ReadPixel(2, 2), PixelColor::Rgb(1, 2, 3, 100));
    // Nothing to scale, no factor, or larger than an image may be: empty.
    EXPECT_TRUE(ScaleImage(Image(), 2, 1).IsEmpty());
    EXPECT_TRUE(ScaleImage(source, 0, 1).IsEmpty());
    EXPECT_TRUE(ScaleImage(source, 1, 0).IsEmpty());
    EXPECT_TRUE(ScaleImage(source, kMaxImageSide, 1).IsEmpty());
    EXPECT_TRUE(ScaleImage(source, 1, 9).IsEmpty());  // under half a pixel
    EXPECT_EQ(ScaleImage(source, 1, 4).Height(), 1);  // half a pixel rounds up
}

TEST(Geometry, LengthsAndRectanglesScaledToTheDpi) {
    const struct {
        int length, dpi, scaled;
    } cases[] = {
        {48, 96, 48},
        {48, 144, 72},
        {36, 120, 45},
        {1, 144, 2},  // 1.5 rounds away from zero
        {-1, 144, -2},
        {3, 120, 4},
        {5, 120, 6},
        {2, 72, 2},  // 1.5 again
        {0, 192, 0},
        {7, 48, 4},
        {-7, 48, -4},
        {2147483647, 960, 2147483647},
        {-2147483647 - 1, 960, -2147483647 - 1},  // clamped, not wrapped
    };
    for (const auto& c : cases) EXPECT_EQ(ScaleToDpi(c.length, c.dpi), c.scaled) << c.length << " at " << c.dpi;
    // Back to 96-DPI units, rounded the same way; a length survives the round trip.
    EXPECT_EQ(ScaleFromDpi(11, 120), 9);    // 8.8
    EXPECT_EQ(ScaleFromDpi(-11, 144), -7);  // −7.33
    EXPECT_EQ(ScaleFromDpi(150, 144), 100);
    for (int length : {-100, -1, 0, 1, 37, 100}) {
        for (int dpi : {120, 144, 192}) EXPECT_EQ(ScaleFromDpi(ScaleToDpi(length, dpi), dpi), length) << length;
    }
    // Rectangles that touch at 96 DPI touch when scaled.
    const Rect a{3, 5, 17, 9}, b{17, 9, 29, 30};
    for (int dpi : {120, 144, 168, 192}) {
        EXPECT_EQ(ScaleToDpi(a, dpi).right, ScaleToDpi(b, dpi).left) << dpi;
        EXPECT_EQ(ScaleToDpi(a, dpi).bottom, ScaleToDpi(b, dpi).top) << dpi;
    }
    EXPECT_EQ(ScaleToDpi(a, 144), (Rect{5, 8, 26, 14}));
}

// ---- .bmp files ----

std::vector<PixelColor> ReadPpm(const std::string& path, int& width, int& height) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maximum = 0;
    in >> magic >> width >> height >> maximum;
    in.get();
    std::vector<PixelColor> pixels;
    for (int i = 0; i < width * height; ++i) {
        const int r = in.get(), g = in.get(), b = in.get();
        pixels.push_back(PixelColor::Rgb(static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)));
    }
    return pixels;
}

TEST(BitmapFile, FixturesLoadToTheirPixels) {
    struct Case {
        const char* file;
        const char* reference;
        int depth;
    } cases[] = {
        {"depth1.bmp", "blackwhite.ppm", 1},         {"depth1-topdown.bmp", "blackwhite.ppm", 1},
        {"depth4.bmp", "colors12.ppm", 4},           {"depth4-topdown.bmp", "colors12.ppm", 4},
        {"depth4-noclrused.bmp", "colors12.ppm", 4}, {"depth8.bmp", "colors18.ppm", 8},
        {"depth8-topdown.bmp", "colors18.ppm", 8},   {"depth8-noclrused.bmp", "colors18.ppm", 8},
        {"depth8-clrused18.bmp", "colors18.ppm", 8}, {"depth24.bmp", "colors18.ppm", 24},
        {"depth24-topdown.bmp", "colors18.ppm", 24}, {"depth32.bmp", "colors18.ppm", 32},
        {"depth32-topdown.bmp", "colors18.ppm", 32},
    };
    for (const Case& c : cases) {
        int width = 0, height = 0;
        const std::vector<PixelColor> expected =
            ReadPpm(TAVOLI_TEST_DATA "/bmp/" + std::string(c.reference), width, height);
        ASSERT_EQ(expected.size(), static_cast<size_t>(width * height));
        Image image;
        ASSERT_EQ(LoadBitmapFile(image, TAVOLI_TEST_DATA "/bmp/" + std::string(c.file)), kSuccess) << c.file;
        EXPECT_EQ(image.Depth(), c.depth) << c.file;
        ASSERT_EQ(image.Width(), width) << c.file;
        ASSERT_EQ(image.Height(), height) << c.file;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                EXPECT_EQ(Hex(image.ReadPixel(x, y)), Hex(expected[static_cast<size_t>(y * width + x)]))
                    << c.file << " at " << x << "," << y;
            }
        }
    }
}

// A well-formed uncompressed file in memory, to be broken in the tests below.
std::string MakeBitmap(int width, int height, int depth, uint32_t colorsUsed = 0, int paletteEntries = -1) {
    const int count = paletteEntries >= 0 ? paletteEntries
                      : depth <= 8        ? (colorsUsed ? int(colorsUsed) : 1 << depth)
                                          : 0;
    const int absHeight = height < 0 ? -height : height;
    const size_t stride = (static_cast<size_t>(width) * depth + 31) / 32 * 4;
    std::string data(14 + 40 + 4 * count + stride * absHeight, '\0');
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) data[at + i] = static_cast<char>(v >> (8 * i));
    };
    data[0] = 'B';
    data[1] = 'M';
    put32(2, static_cast<uint32_t>(data.size()));
    put32(10, static_cast<uint32_t>(54 + 4 * count));
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    data[26] = 1;
    data[28] = static_cast<char>(depth);
    put32(46, colorsUsed);
    for (size_t i = 54 + 4 * count; i < data.size(); ++i) data[i] = static_cast<char>(i * 7);
    return data;
}

ErrorValue LoadFromString(Image& image, const std::string& data) {
    const auto* begin = reinterpret_cast<const uint8_t*>(data.data());
    return LoadBitmapMemory(image, begin, begin + data.size());
}

TEST(BitmapFile, RefusesBadFilesWithTheirKeys) {
    auto patched = [](std::string data, size_t at, uint32_t value) {
        char bytes[4];
        for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>(value >> (8 * i));
        return data.replace(at, 4, bytes, 4);
    };
    const std::string good = MakeBitmap(5, 3, 24);
    struct Case {
        const char* what;
        std::string data;
        const char* key;  // nullptr: success
    } cases[] = {
        {"good", good, nullptr},
        {"empty", "", nullptr},
        {"not BM", "XM" + good.substr(2), "InvalidData"},
        {"header cut short", good.substr(0, 53), "InvalidData"},
        {"only the file header", good.substr(0, 14), "InvalidData"},
        {"biSize below 40", patched(good, 14, 12), "UnacceptableVersion"},
        {"run-length compressed", patched(good, 30, 1), "UnacceptableVersion"},
        {"bit fields", patched(good, 30, 3), "UnacceptableVersion"},
        {"pixels cut short", good.substr(0, good.size() - 1), "taillostdata"},
        {"huge width", patched(good, 18, 100000), "memory_alloc"},
        {"negative width", patched(good, 18, static_cast<uint32_t>(-5)), "memory_alloc"},
        {"huge height", patched(good, 22, 0x7FFFFFFF), "memory_alloc"},
        {"most negative height", patched(good, 22, 0x80000000u), "memory_alloc"},
        {"depth 7", patched(good, 28, 7), "memory_alloc"},
        {"biClrUsed larger than the file", patched(MakeBitmap(5, 3, 8), 46, 0xFFFFFFFFu), "taillostdata"},
        {"palette running off the end", MakeBitmap(5, 3, 8).substr(0, 54 + 100), "taillostdata"},
        {"biSize beyond the file", patched(good, 14, 0xFFFFFF00u), "taillostdata"},
        {"zero width", patched(good, 18, 0), nullptr},  // a picture of no pixels, and no error
        // A huge picture promised by a short file is refused before anything is allocated.
        {"huge picture, short file", patched(patched(patched(good, 18, 12000), 22, 12000), 28, 32), "taillostdata"},
    };
    for (const Case& c : cases) {
        Image image;
        ASSERT_TRUE(image.Create(2, 2, false, 24));
        const ErrorValue error = LoadFromString(image, c.data);
        EXPECT_EQ(error, c.key ? ErrorFromKey(c.key) : kSuccess) << c.what;
        if (c.key) {
            EXPECT_TRUE(image.IsEmpty()) << c.what;  // any failure leaves the empty image
        }
    }
    Image image;
    EXPECT_EQ(LoadBitmapMemory(image, nullptr, nullptr), ErrorFromKey("InvalidArgument"));
    const uint8_t bytes[2] = {0, 0};
    EXPECT_EQ(LoadBitmapMemory(image, bytes + 2, bytes), ErrorFromKey("InvalidArgument"));
    // A 16-bit file holds 5-5-5 pixels, two bytes each: 17 pixels make 36-byte rows.
    std::string sixteen = MakeBitmap(17, 2, 16);
    for (int x = 0; x < 17; ++x) {
        sixteen[54 + 2 * x] = 0x1F;  // bottom row: blue 31
        sixteen[55 + 2 * x] = 0x00;
        sixteen[54 + 36 + 2 * x] = 0x00;  // top row: red 31
        sixteen[55 + 36 + 2 * x] = 0x7C;
    }
    ASSERT_EQ(LoadFromString(image, sixteen), kSuccess);
    EXPECT_EQ(image.Stride(), 36u);
    for (int x = 0; x < 17; ++x) {
        EXPECT_EQ(image.ReadPixel(x, 0), PixelColor::Rgb(255, 0, 0)) << x;
        EXPECT_EQ(image.ReadPixel(x, 1), PixelColor::Rgb(0, 0, 255)) << x;
    }
    EXPECT_EQ(LoadFromString(image, sixteen.substr(0, sixteen.size() - 2)), ErrorFromKey("taillostdata"));
    // The palette follows a longer info header; the file header's pixel offset is not used.
    std::string longer = MakeBitmap(2, 1, 24);
    longer.insert(54, 16, '\0');
    longer = patched(longer, 14, 56);
    EXPECT_EQ(LoadFromString(image, longer), kSuccess);
    TempFolder folder;
    EXPECT_EQ(LoadBitmapFile(image, folder.Join("missing.bmp")), ErrorFromSystem(2));
    WriteWholeFile(folder.Join("empty.bmp"), "");
    EXPECT_EQ(LoadBitmapFile(image, folder.Join("empty.bmp")), kSuccess);
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(LoadBitmapFile(image, TAVOLI_TEST_DATA "/bmp/depth8-rle.bmp"), ErrorFromKey("UnacceptableVersion"));
}

// ---- Background ----

TEST(Background, MonthDigitsInTheFileName) {
    struct Case {
        const char* pattern;
        int month;
        const char* path;
    } cases[] = {
        {"C:\\pictures\\bg??.bmp", 10, "C:\\pictures\\bg10.bmp"},
        {"C:\\pictures\\bg??.bmp", 3, "C:\\pictures\\bg03.bmp"},
        {"C:\\pictures\\bg?.bmp", 10, "C:\\pictures\\bg0.bmp"},  // one "?": the last digit
        {"C:\\pictures\\b?g?.bmp", 3, "C:\\pictures\\b0g3.bmp"},
        {"C:\\pic??\\bg.bmp", 3, "C:\\pic??\\bg.bmp"},  // only the file name counts
        {"bg???.bmp", 12, "bg012.bmp"},
        {"plain.bmp", 5, "plain.bmp"},
        {"", 5, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ResolveBackgroundPath(c.pattern, c.month), c.path) << c.pattern;
}

// A 24-bit file whose column x has the colour (x mod 256, y mod 256, 7).
std::string GradientBitmap(int width, int height) {
    std::string data = MakeBitmap(width, height, 24);
    const size_t stride = (static_cast<size_t>(width) * 24 + 31) / 32 * 4;
    for (int y = 0; y < height; ++y) {
        const size_t row = 54 + static_cast<size_t>(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            data[row + 3 * x] = 7;
            data[row + 3 * x + 1] = static_cast<char>(y);
            data[row + 3 * x + 2] = static_cast<char>(x);
        }
    }
    return data;
}

TEST(Background, CutToItsTopLeftAndReloadedOnlyWhenThePathChanges) {
    TempFolder folder;
    WriteWholeFile(folder.Join("wide05.bmp"), GradientBitmap(1000, 200));
    WriteWholeFile(folder.Join("wide06.bmp"), GradientBitmap(100, 400));
    BackgroundImage background;
    const std::string pattern = folder.Join("wide??.bmp");
    ASSERT_EQ(background.Update(pattern, 5), kSuccess);
    EXPECT_EQ(background.Picture().Width(), 480);
    EXPECT_EQ(background.Picture().Height(), 200);
    EXPECT_EQ(background.Picture().Depth(), 24);
    EXPECT_EQ(background.Picture().ReadPixel(479, 199), PixelColor::Rgb(479 % 256, 199, 7));  // the left part

    // The same resolved path is not read again, even when the file changed.
    WriteWholeFile(folder.Join("wide05.bmp"), GradientBitmap(10, 10));
    ASSERT_EQ(background.Update(pattern, 5), kSuccess);
    EXPECT_EQ(background.Picture().Width(), 480);
    ASSERT_EQ(background.Update(pattern, 5, true), kSuccess);  // unless forced
    EXPECT_EQ(background.Picture().Width(), 10);
    EXPECT_EQ(background.Picture().Depth(), 24);

    ASSERT_EQ(background.Update(pattern, 6), kSuccess);  // another month, another picture
    EXPECT_EQ(background.Picture().Width(), 100);
    EXPECT_EQ(background.Picture().Height(), 320);
    // A grid taller than the bound is covered whole, its bottom margin too.
    ASSERT_EQ(background.Update(pattern, 6, true, {344, 332}), kSuccess);
    EXPECT_EQ(background.Picture().Height(), 332);

    EXPECT_EQ(background.Update(pattern, 7), ErrorFromSystem(2));  // no picture for July
    EXPECT_TRUE(background.Picture().IsEmpty());
    EXPECT_EQ(background.Update("", 7), kSuccess);  // an empty path clears without error
    EXPECT_TRUE(background.Picture().IsEmpty());
}

}  // namespace
}  // namespace tavoli
