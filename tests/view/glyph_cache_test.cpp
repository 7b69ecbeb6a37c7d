// The glyph cache: texts drawn through it are the texts drawn without it, pixel for pixel,
// while the source behind it is asked less; its bounds and when it forgets.
#include "view/glyph_cache.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "support/counting_allocator.h"
#include "support/fake_glyph_source.h"
#include "view/image_drawing.h"
#include "view/text_render.h"
#ifndef _WIN32
#include "framework/platform_host.h"
#endif

namespace tavoli {
namespace {

constexpr PixelColor kPaper = PixelColor::Rgb(250, 245, 240);

struct TextCase {
    std::string text;
    FontSpec font;
    PixelColor color;
    Rect box;
    bool clipped;  // cut to the clip below
};

const Rect kClip{30, 4, 150, 40};

// Texts of every kind the view draws: numbers, words, blanks and control bytes, fonts of
// several sizes and styles, translucent colours, boxes larger and smaller than the text.
std::vector<TextCase> Cases(const std::string& doubleByte) {
    return {
        {"15", {"Face", 24, ""}, PixelColor::Rgb(64, 64, 64), {0, 0, 48, 36}, false},
        {"15", {"Face", 24, "BI"}, PixelColor::Rgb(224, 128, 0), {0, 0, 48, 36}, false},
        {"15", {"Face", 24, "B"}, PixelColor::Rgb(224, 128, 0), {0, 0, 48, 36}, false},  // the second letter only
        {"15", {"Other", 24, ""}, PixelColor::Rgb(64, 64, 64), {0, 0, 48, 36}, false},   // the face only
        {"15", {"Face", 16, "B"}, PixelColor::Rgb(224, 32, 32, 127), {0, 0, 48, 18}, false},
        {"May 2024 <<", {"Face", 16, ""}, PixelColor::Rgb(64, 128, 32), {-48, 0, 200, 36}, false},
        {"May 2024 <<", {"Face", 16, ""}, PixelColor::Rgb(64, 128, 32), {-48, 0, 200, 36}, true},
        {"a\tb\x7f c", {"Face", 20, "I"}, PixelColor::Rgb(20, 40, 200), {0, 0, 160, 40}, false},
        {"*", {"Face", 8, ""}, PixelColor::Rgb(0, 0, 0), {100, 20, 116, 30}, false},
        {doubleByte, {"Face", 24, ""}, PixelColor::Rgb(64, 160, 32), {0, 0, 160, 40}, true},
        {doubleByte + " 15", {"Other", 24, ""}, PixelColor::Rgb(64, 160, 32, 60), {0, 0, 160, 40}, false},
    };
}

Image Paper() {
    Image image;
    image.Create(160, 44, false, 24);
    StoreRect(image, {0, 0, image.Width(), image.Height()}, kPaper);
    return image;
}

// Each case drawn in its own picture (made beforehand) through the source.
void DrawInto(GlyphSource& glyphs, const std::vector<TextCase>& cases, std::vector<Image>& pictures,
              GlyphBuffer& buffer) {
    for (size_t i = 0; i < cases.size(); ++i) {
        const TextCase& c = cases[i];
        DrawTextBox(glyphs, pictures[i], c.box, c.text, buffer, c.clipped ? &kClip : nullptr, c.color, c.font);
    }
}

std::vector<Image> DrawAll(GlyphSource& glyphs, const std::vector<TextCase>& cases) {
    GlyphBuffer buffer;
    std::vector<Image> pictures;
    for (size_t i = 0; i < cases.size(); ++i) pictures.push_back(Paper());
    DrawInto(glyphs, cases, pictures, buffer);
    return pictures;
}

std::string Difference(const Image& a, const Image& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return "size";
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            if (a.ReadPixel(x, y) != b.ReadPixel(x, y))
                return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
        }
    }
    return "";
}

#ifndef _WIN32
struct JapanesePlatform : HostPlatform {
    JapanesePlatform() { SetCodePage(kCodePageJapanese); }
};
#endif

class GlyphCacheTest : public testing::Test {
protected:
    GlyphCacheTest() {
        plain_.patterned = true;
        behind_.patterned = true;
    }
    // 日本 in Shift_JIS: two characters where the code page reads it so (the host's tests
    // and the Japanese Windows run), four of one byte each elsewhere.
    static std::string DoubleByte() { return "\x93\xfa\x96\x7b"; }

#ifndef _WIN32
    JapanesePlatform japanese_;
    ScopedPlatform scope_{japanese_};
#endif
    FakeGlyphSource plain_, behind_;
    GlyphCache cache_;
};

TEST_F(GlyphCacheTest, DrawsWhatTheSourceDrawsAndAsksItOnce) {
    const std::vector<TextCase> cases = Cases(DoubleByte());
    const std::vector<Image> expected = DrawAll(plain_, cases);
    CachedGlyphSource cached(cache_, behind_);
    const std::vector<Image> cold = DrawAll(cached, cases);
    const int coldCodes = static_cast<int>(behind_.codes.size()), coldBitmaps = behind_.bitmaps;
    const size_t coldExtents = behind_.measured.size();
    const std::vector<Image> warm = DrawAll(cached, cases);
    for (size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(Difference(cold[i], expected[i]), "") << "cold, case " << i;
        EXPECT_EQ(Difference(warm[i], expected[i]), "") << "warm, case " << i;
        EXPECT_NE(Difference(expected[i], Paper()), "") << "case " << i << " draws something";
    }
    // Cold, each character of a font is asked once; warm, nothing is asked but the fonts.
    EXPECT_LT(coldCodes, static_cast<int>(plain_.codes.size()));
    EXPECT_LT(coldBitmaps, plain_.bitmaps);
    EXPECT_LT(coldExtents, plain_.measured.size());
    EXPECT_EQ(static_cast<int>(behind_.codes.size()), coldCodes);
    EXPECT_EQ(behind_.bitmaps, coldBitmaps);
    EXPECT_EQ(behind_.measured.size(), coldExtents);
    EXPECT_EQ(behind_.opened, 2 * plain_.opened);
    EXPECT_EQ(behind_.closed, behind_.opened);
}

TEST_F(GlyphCacheTest, RefusalsAreNotKept) {
    CachedGlyphSource cached(cache_, behind_);
    GlyphBuffer buffer;
    const FontSpec font{"Face", 20, ""};
    // A font that cannot be made draws nothing, as without the cache, and is asked again.
    behind_.failOpen = true;
    Image none = Paper();
    DrawText(cached, none, {0, 0}, "Z", buffer, nullptr, PixelColor::Rgb(0, 0, 0), font);
    EXPECT_EQ(Difference(none, Paper()), "");
    behind_.failOpen = false;
    Image some = Paper(), expected = Paper();
    DrawText(cached, some, {0, 0}, "Z", buffer, nullptr, PixelColor::Rgb(0, 0, 0), font);
    DrawText(plain_, expected, {0, 0}, "Z", buffer, nullptr, PixelColor::Rgb(0, 0, 0), font);
    EXPECT_EQ(Difference(some, expected), "");
    EXPECT_NE(Difference(some, Paper()), "");
    // A glyph whose bitmap cannot be held is skipped whole, every time.
    behind_.hugeCode = plain_.hugeCode = 'H';
    for (int pass = 0; pass < 2; ++pass) {
        Image a = Paper(), b = Paper();
        DrawText(cached, a, {0, 0}, "HZ", buffer, nullptr, PixelColor::Rgb(0, 0, 0), font);
        DrawText(plain_, b, {0, 0}, "HZ", buffer, nullptr, PixelColor::Rgb(0, 0, 0), font);
        EXPECT_EQ(Difference(a, b), "") << pass;
    }
}

// Keeping an answer needs memory. Short of it at any point, the texts are drawn as the
// source draws them, nothing escapes the drawing, and what was kept stays sound.
TEST_F(GlyphCacheTest, ShortOfMemoryDrawsWithoutKeeping) {
    const std::vector<TextCase> cases = Cases(DoubleByte());
    const std::vector<Image> expected = DrawAll(plain_, cases);
    for (size_t budget = 0; budget <= 24576; budget += 512) {
        GlyphCache cache;
        CachedGlyphSource cached(cache, behind_);
        GlyphBuffer buffer;
        std::vector<Image> pictures = DrawAll(plain_, cases);  // the glyph buffer and pictures made beforehand
        DrawInto(plain_, cases, pictures, buffer);
        for (Image& picture : pictures) StoreRect(picture, {0, 0, picture.Width(), picture.Height()}, kPaper);
        // What the fake records must not be what runs short.
        behind_.codes.reserve(behind_.codes.size() + 4096);
        behind_.measured.reserve(behind_.measured.size() + 256);
        behind_.fonts.reserve(behind_.fonts.size() + 256);
        bool threw = false;
        PeakAllocationOf(
            [&] {
                try {
                    DrawInto(cached, cases, pictures, buffer);
                } catch (const std::bad_alloc&) {
                    threw = true;
                }
            },
            budget);
        ASSERT_FALSE(threw) << budget;
        for (size_t i = 0; i < cases.size(); ++i) {
            ASSERT_EQ(Difference(pictures[i], expected[i]), "") << "budget " << budget << ", case " << i;
        }
        const std::vector<Image> after = DrawAll(cached, cases);
        for (size_t i = 0; i < cases.size(); ++i) {
            ASSERT_EQ(Difference(after[i], expected[i]), "") << "after budget " << budget << ", case " << i;
        }
        EXPECT_LE(cache.Bytes(), GlyphCache::kMaxBytes);
    }
}

TEST_F(GlyphCacheTest, StaysWithinItsBounds) {
    CachedGlyphSource cached(cache_, behind_);
    GlyphBuffer buffer;
    // Large glyphs of many codes: far more bitmap bytes than the cache keeps.
    const FontSpec large{"Face", 300, ""};
    std::string text;
    for (char c = 'A'; c <= 'Z'; ++c) text += c;
    for (char c = 'a'; c <= 'z'; ++c) text += c;
    Image expected;
    expected.Create(8200, 320, false, 24);
    DrawText(plain_, expected, {0, 0}, text, buffer, nullptr, PixelColor::Rgb(0, 0, 0), large);
    for (int pass = 0; pass < 2; ++pass) {
        Image big;
        big.Create(8200, 320, false, 24);
        DrawText(cached, big, {0, 0}, text, buffer, nullptr, PixelColor::Rgb(0, 0, 0), large);
        EXPECT_LE(cache_.Bytes(), GlyphCache::kMaxBytes);
        EXPECT_GT(cache_.Bytes(), 0u);
        EXPECT_EQ(Difference(big, expected), "") << pass;
    }
    // More fonts than it keeps, and more texts.
    for (int size = 8; size < 8 + 2 * static_cast<int>(GlyphCache::kMaxFonts); ++size) {
        for (int n = 0; n < 40; ++n) cached.TextExtent({"Face", size, ""}, std::to_string(n));
    }
    EXPECT_LE(cache_.Fonts(), GlyphCache::kMaxFonts);
    EXPECT_LE(cache_.Extents(), GlyphCache::kMaxExtents);
    EXPECT_EQ(cached.TextExtent({"Face", 9, ""}, "123"), plain_.TextExtent({"Face", 9, ""}, "123"));
    // A text too long to keep is measured every time, and crowds out nothing.
    const size_t before = cache_.Bytes();
    const std::string longText(GlyphCache::kMaxBytes / 2, 'x');
    EXPECT_EQ(cached.TextExtent({"Face", 9, ""}, longText), plain_.TextExtent({"Face", 9, ""}, longText));
    EXPECT_EQ(cache_.Bytes(), before);
    EXPECT_LE(cache_.Bytes(), GlyphCache::kMaxBytes);
}

TEST_F(GlyphCacheTest, OtherFontSettingsForgetEverything) {
    const FontSettings settings{"Face", {40, 24, 16, 8}, 1};
    EXPECT_TRUE(cache_.Use(settings));  // new: empty
    CachedGlyphSource cached(cache_, behind_);
    GlyphBuffer buffer;
    Image image = Paper();
    DrawText(cached, image, {0, 0}, "15", buffer, nullptr, PixelColor::Rgb(0, 0, 0), {"Face", 24, ""});
    EXPECT_FALSE(cache_.Use(settings));
    EXPECT_FALSE(cache_.Empty());
    struct Change {
        const char* what;
        FontSettings settings;
    } changes[] = {
        {"face", {"Other", {40, 24, 16, 8}, 1}},
        {"a size", {"Face", {40, 24, 15, 8}, 1}},
        {"the platform", {"Face", {40, 24, 16, 8}, 2}},
    };
    for (const Change& change : changes) {
        DrawText(cached, image, {0, 0}, "15", buffer, nullptr, PixelColor::Rgb(0, 0, 0), {"Face", 24, ""});
        EXPECT_FALSE(cache_.Use(settings));
        EXPECT_TRUE(cache_.Use(change.settings)) << change.what;
        EXPECT_TRUE(cache_.Empty()) << change.what;
        EXPECT_EQ(cache_.Bytes(), 0u) << change.what;
        EXPECT_TRUE(cache_.Use(settings)) << change.what;
    }
}

}  // namespace
}  // namespace tavoli
