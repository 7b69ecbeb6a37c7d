// Text drawn with the system's glyphs (IPA Gothic, pinned).
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "framework/font_win32.h"
#include "view/glyph_source_win32.h"
#include "view/image_drawing.h"
#include "view/text_render.h"

namespace tavoli {
namespace {

constexpr PixelColor kWhite = PixelColor::Rgb(255, 255, 255);
constexpr PixelColor kInk = PixelColor::Rgb(10, 100, 200);

Image WhiteImage(int width, int height) {
    Image image;
    image.Create(width, height, false, 24);
    StoreRect(image, {0, 0, width, height}, kWhite);
    return image;
}

Image Drawn(std::string_view text, PixelColor color, const FontSpec& font, int width = 120, int height = 60) {
    Win32GlyphSource glyphs;
    GlyphBuffer buffer;
    Image image = WhiteImage(width, height);
    DrawText(glyphs, image, {4, 4}, text, buffer, nullptr, color, font);
    return image;
}

int Ink(const Image& image) {
    int count = 0;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) count += image.ReadPixel(x, y) != kWhite;
    }
    return count;
}

TEST(TextRenderWin32, FullCoverageIsStoredAndTranslucentInkIsHalf) {
    const FontSpec font{"IPAGothic", 40, ""};
    const Image opaque = Drawn("W", kInk, font);
    const Image half = Drawn("W", PixelColor::Rgb(0, 0, 0, 127), font);
    int full = 0;
    for (int y = 0; y < opaque.Height(); ++y) {
        for (int x = 0; x < opaque.Width(); ++x) {
            const PixelColor p = opaque.ReadPixel(x, y);
            // Every pixel lies between the paper and the ink.
            ASSERT_TRUE(p.red >= kInk.red && p.green >= kInk.green && p.blue >= kInk.blue - 1) << x << "," << y;
            if (p != kInk) continue;
            ++full;
            EXPECT_NEAR(half.ReadPixel(x, y).red, 127, 3) << x << "," << y;
        }
    }
    EXPECT_GT(full, 50);  // a W of 40 pixels has many fully covered pixels, stored exactly
}

TEST(TextRenderWin32, BlanksAndControlBytesDrawNothing) {
    const FontSpec font{"IPAGothic", 20, ""};
    EXPECT_EQ(Ink(Drawn(" \x01\t\x7f", kInk, font)), 0);
    Win32GlyphSource glyphs;
    EXPECT_EQ(MeasureText(glyphs, font,
                          "A\x01"
                          "B"),
              MeasureText(glyphs, font, "A B"));
    EXPECT_GT(MeasureText(glyphs, font, "A B").width, MeasureText(glyphs, font, "AB").width);
    // The blank moves the pen: the B of "A B" stands further right than that of "AB".
    const Image spaced = Drawn("A B", kInk, font), close = Drawn("AB", kInk, font);
    auto lastInk = [](const Image& image) {
        int last = -1;
        for (int x = 0; x < image.Width(); ++x) {
            for (int y = 0; y < image.Height(); ++y) {
                if (image.ReadPixel(x, y) != kWhite) last = x;
            }
        }
        return last;
    };
    EXPECT_GT(lastInk(spaced), lastInk(close));
}

TEST(TextRenderWin32, WideTextOverhangsItsBoxEquallyAndIsClipped) {
    const FontSpec font{"IPAGothic", 20, ""};
    Win32GlyphSource glyphs;
    GlyphBuffer buffer;
    const std::string text = "WWWWWWWWWW";
    const int width = MeasureText(glyphs, font, text).width;
    ASSERT_GE(width, 80);  // twice the box
    Image image = WhiteImage(200, 40);
    const Rect box{80, 0, 120, 40};  // 40 wide, centred at 100
    DrawTextBox(glyphs, image, box, text, buffer, nullptr, kInk, font);
    int first = -1, last = -1;
    for (int x = 0; x < image.Width(); ++x) {
        for (int y = 0; y < image.Height(); ++y) {
            if (image.ReadPixel(x, y) == kWhite) continue;
            if (first < 0) first = x;
            last = x;
            break;
        }
    }
    EXPECT_NEAR(100 - first, last + 1 - 100, 4);  // side bearings apart, equal on both sides
    EXPECT_NEAR(last + 1 - first, width, 4);
    // Cut to a clip: nothing outside it, nothing wrapped around the image.
    Image clipped = WhiteImage(200, 40);
    const Rect clip{90, 0, 110, 40};
    DrawTextBox(glyphs, clipped, box, text, buffer, &clip, kInk, font);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (x < 90 || x >= 110) {
                ASSERT_EQ(clipped.ReadPixel(x, y), kWhite) << x << "," << y;
            }
        }
    }
}

TEST(TextRenderWin32, StylesChangeTheGlyphs) {
    const int regular = Ink(Drawn("Mm", kInk, {"IPAGothic", 30, ""}));
    const int bold = Ink(Drawn("Mm", kInk, {"IPAGothic", 30, "B"}));
    EXPECT_GT(bold, regular);
    // "bI" is italic only: other pixels than the regular glyphs, about as many.
    const Image italic = Drawn("Mm", kInk, {"IPAGothic", 30, "bI"});
    const Image upright = Drawn("Mm", kInk, {"IPAGothic", 30, ""});
    int differ = 0;
    for (int y = 0; y < italic.Height(); ++y) {
        for (int x = 0; x < italic.Width(); ++x) differ += italic.ReadPixel(x, y) != upright.ReadPixel(x, y);
    }
    EXPECT_GT(differ, regular / 4);
    EXPECT_LT(Ink(italic), bold);
}

TEST(TextRenderWin32, FontFaces) {
    EXPECT_FALSE(DefaultFontFace().empty());
    const std::vector<std::string> faces = ListFontFaces(true);
    // The face's name in the user's language: "IPAGothic", or "IPAゴシック" in Shift_JIS.
    EXPECT_NE(std::find_if(faces.begin(), faces.end(), [](const std::string& f) { return f.rfind("IPA", 0) == 0; }),
              faces.end());
    for (const std::string& face : faces) EXPECT_NE(face.front(), '@') << face;
    EXPECT_TRUE(std::is_sorted(faces.begin(), faces.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        });
    }));
    EXPECT_EQ(std::adjacent_find(faces.begin(), faces.end()), faces.end());
}

// Fonts kept with their device contexts answer as fonts made for each text, and no more
// of them are kept than the bound.
TEST(TextRenderWin32, KeptFontsAnswerAsFreshOnesWithinTheirBound) {
    Win32GlyphSource kept, fresh;
    fresh.SetKeepFonts(false);
    const int sizes = static_cast<int>(Win32GlyphSource::kMaxKeptFonts) + 4;
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < sizes; ++i) {
            const FontSpec font{"IPAGothic", 10 + i, i % 3 == 0 ? "B" : ""};
            ASSERT_EQ(kept.TextExtent(font, "May 15"), fresh.TextExtent(font, "May 15")) << font.size;
            ASSERT_TRUE(kept.Open(font));
            ASSERT_TRUE(fresh.Open(font));
            EXPECT_EQ(kept.Descent(), fresh.Descent()) << font.size;
            for (uint32_t code : {uint32_t{'1'}, uint32_t{'W'}, uint32_t{' '}}) {
                GlyphMetrics a, b;
                const int64_t size = kept.GlyphSize(code, a);
                ASSERT_EQ(size, fresh.GlyphSize(code, b)) << font.size << " " << code;
                EXPECT_EQ(std::make_tuple(a.blackBoxWidth, a.blackBoxHeight, a.originX, a.originY, a.advanceX),
                          std::make_tuple(b.blackBoxWidth, b.blackBoxHeight, b.originX, b.originY, b.advanceX));
                if (size <= 0) continue;
                std::vector<uint8_t> bitmapA(static_cast<size_t>(size)), bitmapB(static_cast<size_t>(size));
                ASSERT_TRUE(kept.GlyphBitmap(code, bitmapA.data(), bitmapA.size()));
                ASSERT_TRUE(fresh.GlyphBitmap(code, bitmapB.data(), bitmapB.size()));
                EXPECT_EQ(bitmapA, bitmapB) << font.size << " " << code;
            }
            kept.Close();
            fresh.Close();
            EXPECT_LE(kept.KeptFonts(), Win32GlyphSource::kMaxKeptFonts);
            EXPECT_EQ(fresh.KeptFonts(), 0u);
        }
    }
    EXPECT_EQ(kept.KeptFonts(), Win32GlyphSource::kMaxKeptFonts);
    kept.ReleaseFonts();
    EXPECT_EQ(kept.KeptFonts(), 0u);
}

}  // namespace
}  // namespace tavoli
