#include "view/text_render.h"

#include <gtest/gtest.h>

#include "support/fake_glyph_source.h"
#include "view/image_drawing.h"
#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

constexpr PixelColor kWhite = PixelColor::Rgb(255, 255, 255);
constexpr PixelColor kInk = PixelColor::Rgb(20, 40, 200);
const FontSpec kFont{"Face", 20, ""};  // boxes 10 × 15, descent 5, advance 12 (blanks 10)

Image WhiteImage(int width, int height) {
    Image image;
    image.Create(width, height, false, 24);
    StoreRect(image, {0, 0, width, height}, kWhite);
    return image;
}

// The columns that hold any ink.
std::pair<int, int> InkColumns(const Image& image) {
    int first = -1, last = -1;
    for (int x = 0; x < image.Width(); ++x) {
        for (int y = 0; y < image.Height(); ++y) {
            if (image.ReadPixel(x, y) != kWhite) {
                if (first < 0) first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

TEST(TextRender, CoverageLevelsToColours) {
    struct Case {
        PixelColor color;
        int level;
        bool store;
        int transparency;
    } cases[] = {
        {kInk, 64, true, 0},           // full coverage of an opaque colour: stored
        {kInk, 32, false, 255 - 128},  // l = 4v
        {kInk, 1, false, 255 - 4},
        {PixelColor::Rgb(0, 0, 0, 127), 64, false, 127},  // o = (129 × 256) / 256 − 1 = 128
        {PixelColor::Rgb(0, 0, 0, 127), 16, false, 255 - 31},
        {PixelColor::Rgb(0, 0, 0, 200), 1, false, 255},   // rounds to nothing
        {PixelColor::Rgb(0, 0, 0, 255), 64, false, 255},  // an invisible colour stays invisible
    };
    for (const Case& c : cases) {
        const CoveragePaint paint = PaintForCoverage(c.color, c.level);
        EXPECT_EQ(paint.store, c.store) << c.level;
        EXPECT_EQ(paint.color.transparency, c.transparency) << c.level << " " << int{c.color.transparency};
        EXPECT_EQ(paint.color.red, c.color.red);
    }
}

TEST(TextRender, GlyphsStandOnTheBaselineFromTheirOrigin) {
    FakeGlyphSource glyphs;
    GlyphBuffer buffer;
    Image image = WhiteImage(60, 40);
    DrawText(glyphs, image, {5, 3}, "AB", buffer, nullptr, kInk, kFont);
    // Pen at (5, 3 + 20 − 5); the box of "A" is x 6 … 15, y 3 … 17; "B" 12 further right.
    EXPECT_EQ(image.ReadPixel(6, 3), kInk);  // stored exactly
    EXPECT_EQ(image.ReadPixel(14, 17), kInk);
    EXPECT_NE(image.ReadPixel(15, 10), kInk);  // the half-covered column is blended
    EXPECT_NE(image.ReadPixel(15, 10), kWhite);
    EXPECT_EQ(image.ReadPixel(5, 10), kWhite);
    EXPECT_EQ(image.ReadPixel(6, 18), kWhite);
    EXPECT_EQ(image.ReadPixel(18, 3), kInk);
    EXPECT_EQ(glyphs.codes, (std::vector<uint32_t>{'A', 'B'}));
    EXPECT_EQ(glyphs.opened, 1);
    EXPECT_EQ(glyphs.closed, 1);  // released before returning
}

TEST(TextRender, TranslucentInkBlendsAboutHalf) {
    FakeGlyphSource glyphs;
    GlyphBuffer buffer;
    Image image = WhiteImage(30, 30);
    DrawText(glyphs, image, {0, 0}, "A", buffer, nullptr, PixelColor::Rgb(0, 0, 0, 127), kFont);
    const PixelColor pixel = image.ReadPixel(3, 5);
    EXPECT_NEAR(pixel.red, 127, 3);
    EXPECT_EQ(pixel.red, pixel.blue);
}

TEST(TextRender, BlanksAndControlBytesOnlyAdvance) {
    FakeGlyphSource glyphs;
    GlyphBuffer buffer;
    Image image = WhiteImage(80, 30);
    DrawText(glyphs, image, {0, 0}, " \x01\x7f", buffer, nullptr, kInk, kFont);
    EXPECT_EQ(InkColumns(image).first, -1);
    DrawText(glyphs, image, {0, 0}, "\x01Z", buffer, nullptr, kInk, kFont);
    EXPECT_EQ(InkColumns(image).first, 11);  // after one blank's advance of 10, one pixel in
    // Measured as blanks.
    glyphs.measured.clear();
    EXPECT_EQ(MeasureText(glyphs, kFont, "a\tb\x7f"), (Size{12 + 10 + 12 + 10, 20}));
    EXPECT_EQ(glyphs.measured, std::vector<std::string>{"a b "});
    EXPECT_EQ(MeasureText(glyphs, kFont, ""), Size{});
}

TEST(TextRender, CentringOverhangsEquallyAndClips) {
    FakeGlyphSource glyphs;
    GlyphBuffer buffer;
    // Five glyphs (60 pixels of pen travel) centred in a box 20 wide at the image's middle.
    Image image = WhiteImage(40, 30);
    DrawTextBox(glyphs, image, {10, 0, 30, 30}, "WWWWW", buffer, nullptr, kInk, kFont);
    // x = 10 + (20 − 60) / 2 = −10: the text runs from −9 to 49, cut to the image.
    EXPECT_EQ(InkColumns(image), std::make_pair(0, 39));
    // Cut to a clip as well; nothing wraps to the other side of the image.
    Image clipped = WhiteImage(40, 30);
    const Rect clip{12, 0, 28, 30};
    DrawTextBox(glyphs, clipped, {10, 0, 30, 30}, "WWWWW", buffer, &clip, kInk, kFont);
    EXPECT_EQ(InkColumns(clipped), std::make_pair(12, 27));
    Image left = WhiteImage(40, 30);
    DrawText(glyphs, left, {-30, 0}, "WWW", buffer, nullptr, kInk, kFont);
    EXPECT_EQ(InkColumns(left), std::make_pair(0, 4));  // the last glyph's box, x −5 … 4
}

#ifndef _WIN32
TEST(TextRender, DoubleByteCharactersAreReadBigEndian) {
    HostPlatform japanese;
    japanese.SetCodePage(kCodePageJapanese);
    ScopedPlatform scope(japanese);
    FakeGlyphSource glyphs;
    GlyphBuffer buffer;
    Image image = WhiteImage(60, 30);
    DrawText(glyphs, image, {0, 0},
             "\x93\xfa"
             "a\x96",
             buffer, nullptr, kInk, kFont);
    // A lead byte at the very end stands alone.
    EXPECT_EQ(glyphs.codes, (std::vector<uint32_t>{0x93FA, 'a', 0x96}));
}
#endif

TEST(TextRender, AGlyphThatCannotBeHeldIsSkippedWhole) {
    FakeGlyphSource glyphs;
    glyphs.hugeCode = 'H';
    GlyphBuffer buffer;
    Image image = WhiteImage(60, 30);
    DrawText(glyphs, image, {0, 0}, "HZ", buffer, nullptr, kInk, kFont);
    // "H" draws nothing and does not move the pen: "Z" stands where "H" would.
    EXPECT_EQ(InkColumns(image), std::make_pair(1, 10));
    // No font, no drawing; nothing to release.
    glyphs.failOpen = true;
    Image untouched = WhiteImage(20, 20);
    DrawText(glyphs, untouched, {0, 0}, "Z", buffer, nullptr, kInk, kFont);
    EXPECT_EQ(InkColumns(untouched).first, -1);
}

}  // namespace
}  // namespace tavoli
