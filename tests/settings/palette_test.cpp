// The palettes: the light one is the program's own colours to the bit, every text of the
// dark and high-contrast ones reads at 4.5:1 where it is painted, and the user's colours
// meet the theme by one rule.
#include "settings/palette.h"

#include <gtest/gtest.h>

namespace tavoli {
namespace {

using P = PaintColor;
constexpr PixelColor Rgb(uint8_t r, uint8_t g, uint8_t b) { return PixelColor::Rgb(r, g, b); }

// High contrast in Windows' "High Contrast Black" colours.
SystemAppearance System(bool darkApps, bool highContrast = false) {
    const SystemColors black{Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(26, 235, 255),
                             Rgb(0, 0, 0), Rgb(63, 242, 63),   Rgb(255, 255, 0)};
    return {darkApps, highContrast, highContrast ? black : SystemColors()};
}

TEST(Palette, LightAsEverDarkAndHighContrastReadWhereTheyArePainted) {
    // The program's own colours as words (transparency, red, green, blue), in the order of
    // PaintColor: the badge's white is half transparent.
    const uint32_t light[] = {0x404040, 0x6060FF, 0xE02020, 0xE08000,   0xA0A0A0, 0x408020, 0x40A020,
                              0xA0A0E0, 0xD0C080, 0xFFFFFF, 0x7FFFFFFF, 0x000000, 0x404040};
    static_assert(std::size(light) == kPaintColorCount, "every element");
    const Palette l = ResolvePalette({}, System(false)), dark = ResolvePalette({}, System(true));
    const Palette contrast = ResolvePalette({}, System(false, true));
    for (size_t i = 0; i < kPaintColorCount; ++i) {
        EXPECT_EQ(l.colors[i].Word(), light[i]) << i;
        EXPECT_NE(dark.colors[i].Word(), light[i]) << i;  // none left light
        EXPECT_NE(contrast.colors[i].Word(), light[i]) << i;
    }
    for (const Palette* p : {&dark, &contrast}) {
        const PixelColor back = p->Color(P::kBackground), today = p->Color(P::kToday);
        for (P text : {P::kNormalDay, P::kSemiHoliday, P::kHoliday, P::kNationalHoliday, P::kAnniversary, P::kHeader,
                       P::kFooter}) {
            EXPECT_GE(ContrastRatio(p->Color(text), back), 4.5) << static_cast<int>(text);
            EXPECT_GE(ContrastRatio(p->onToday.value_or(p->Color(text)), today), 4.5) << static_cast<int>(text);
        }
        // The neighbour months' days, faded over the background.
        for (P kind : {P::kNormalDay, P::kSemiHoliday, P::kHoliday, P::kNationalHoliday, P::kAnniversary}) {
            PixelColor faded = p->neighbourDay.value_or(p->Color(kind));
            if (!p->neighbourDay) faded.transparency = p->neighbourTransparency;
            EXPECT_GE(ContrastRatio(BlendPixel(back, faded), back), 4.5) << static_cast<int>(kind);
        }
        for (PixelColor behind : {back, today}) {
            EXPECT_GE(ContrastRatio(p->Color(P::kBadgeText), BlendPixel(behind, p->Color(P::kBadgeFill))), 4.5);
        }
        // Marks are seen at 3:1.
        EXPECT_GE(ContrastRatio(p->Color(P::kSelection), back), 3.0);
        EXPECT_GE(ContrastRatio(p->onToday.value_or(p->Color(P::kSelection)), today), 3.0);
        EXPECT_GE(ContrastRatio(p->Color(P::kPressedLine), back), 3.0);
    }
    EXPECT_TRUE(contrast.neighbourDay == Rgb(63, 242, 63) && contrast.emphasis && !dark.emphasis && !l.emphasis);
    EXPECT_EQ(dark.scheme, Scheme::kDark);    // the automatic theme follows the apps' mode
    EXPECT_EQ(l.neighbourTransparency, 127);  // half, as ever
}

TEST(Palette, TheUsersColoursMeetTheTheme) {
    const PixelColor navy = Rgb(0, 0, 128), own = Rgb(255, 200, 0), pale = Rgb(255, 255, 160);
    const PixelColor back = DarkColor(P::kBackground);
    const struct {
        Theme theme;
        SystemAppearance system;
        ViewColor changed;  // kCount: none
        PixelColor to;
        P element;
        PixelColor painted;  // with a ratio: what it reads against, moved no further than it takes
        double ratio;
    } cases[] = {
        {Theme::kLight, System(true), ViewColor::kCount, {}, P::kNormalDay, Rgb(64, 64, 64), 0},
        {Theme::kDark, System(false), ViewColor::kHoliday, own, P::kHoliday, own, 0},  // readable: stays
        {Theme::kDark, System(false), ViewColor::kHoliday, own, P::kFooter, DarkColor(P::kFooter), 0},
        {Theme::kDark, System(false), ViewColor::kNormalDay, navy, P::kNormalDay, back, 4.5},
        {Theme::kDark, System(false), ViewColor::kSelection, navy, P::kSelection, back, 3.0},
        // Under the darkest kind's number (the holidays'), not only the normal days'.
        {Theme::kDark, System(false), ViewColor::kToday, pale, P::kToday, DarkColor(P::kHoliday), 4.5},
        // An own background keeps the whole design, the light marks with it; a light default
        // that does not read on it is moved until it does.
        {Theme::kDark, System(false), ViewColor::kBackground, pale, P::kPressedLine, Rgb(64, 64, 64), 0},
        {Theme::kDark, System(false), ViewColor::kBackground, pale, P::kNormalDay, Rgb(64, 64, 64), 0},
        {Theme::kDark, System(false), ViewColor::kBackground, Rgb(0, 0, 0), P::kNormalDay, Rgb(0, 0, 0), 4.5},
        {Theme::kLight, System(false, true), ViewColor::kHoliday, own, P::kHoliday, Rgb(255, 255, 0), 0},
    };
    for (const auto& c : cases) {
        ViewStyle style;
        style.theme = c.theme;
        if (c.changed != ViewColor::kCount) style.SetColor(c.changed, c.to);
        const Palette palette = ResolvePalette(style, c.system);
        const PixelColor painted = palette.Color(c.element);
        const int row = static_cast<int>(&c - cases);
        // Whatever moved, every kind's number reads on the today mark of the dark palette.
        for (P kind : {P::kNormalDay, P::kSemiHoliday, P::kHoliday, P::kNationalHoliday, P::kAnniversary}) {
            if (palette.scheme != Scheme::kDark) break;
            EXPECT_GE(ContrastRatio(palette.Color(kind), palette.Color(P::kToday)), 4.5) << row;
        }
        if (c.ratio == 0) {
            EXPECT_EQ(painted, c.painted) << row;
            continue;
        }
        const double ratio = ContrastRatio(painted, c.painted);
        EXPECT_TRUE(ratio >= c.ratio && ratio < c.ratio + 1) << row << ": " << ratio;
        if (c.changed != ViewColor::kBackground) {
            EXPECT_EQ(painted.blue > painted.red, c.to.blue > c.to.red) << row;  // the hue kept
        }
    }
}

}  // namespace
}  // namespace tavoli
