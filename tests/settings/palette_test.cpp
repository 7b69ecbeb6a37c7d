// The palettes: the light one's texts are the program's own colours to the bit, every text
// of the dark and high-contrast ones reads at 4.5:1 where it is painted, every mark of the
// light and dark ones is seen at 3:1, and the user's colours meet the theme by one rule.
#include "settings/palette.h"

#include <gtest/gtest.h>

#include <algorithm>

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

constexpr P kKinds[] = {P::kNormalDay, P::kSemiHoliday, P::kHoliday, P::kNationalHoliday, P::kAnniversary};

TEST(Palette, LightAsEverDarkAndHighContrastReadWhereTheyArePainted) {
    // The program's own colours as words (transparency, red, green, blue), in the order of
    // PaintColor; the selection is moved until it is seen (it was 2.4:1 on white).
    const uint32_t light[] = {0x404040, 0x6060FF, 0xE02020, 0xE08000, 0xA0A0A0, 0x408020,
                              0x40A020, 0x8C8CC4, 0xD0C080, 0xFFFFFF, 0x000000, 0x404040};
    static_assert(std::size(light) == kPaintColorCount, "every element");
    const Palette l = ResolvePalette({}, System(false)), dark = ResolvePalette({}, System(true));
    const Palette contrast = ResolvePalette({}, System(false, true));
    for (size_t i = 0; i < kPaintColorCount; ++i) {
        EXPECT_EQ(l.colors[i].Word(), light[i]) << i;
        EXPECT_NE(dark.colors[i].Word(), light[i]) << i;  // none left light
        EXPECT_NE(contrast.colors[i].Word(), light[i]) << i;
    }
    for (const Palette* p : {&dark, &contrast}) {
        const PixelColor back = p->Color(P::kBackground);
        for (P text : {P::kNormalDay, P::kSemiHoliday, P::kHoliday, P::kNationalHoliday, P::kAnniversary, P::kHeader,
                       P::kFooter, P::kBadgeText}) {
            EXPECT_GE(ContrastRatio(p->Color(text), back), 4.5) << static_cast<int>(text);
            const PixelColor number = p->onToday.value_or(p->Color(text));
            EXPECT_GE(ContrastRatio(number, p->TodayMarkUnder(number).fill), 4.5) << static_cast<int>(text);
        }
        // The neighbour months' days, faded over the background.
        for (P kind : kKinds) {
            PixelColor faded = p->neighbourDay.value_or(p->Color(kind));
            if (!p->neighbourDay) faded.transparency = p->neighbourTransparency;
            EXPECT_GE(ContrastRatio(BlendPixel(back, faded), back), 4.5) << static_cast<int>(kind);
        }
    }
    // In the light and dark palettes every mark is seen at 3:1 on what lies behind it:
    // today (a fill or a ring) under every kind's number, the number still reading on the
    // fill at 4.5:1 (or at what it has on the background), the selection, a memo's
    // underline and the badges on the background and on today's fill.
    for (const Palette* p : {&l, &dark}) {
        const PixelColor back = p->Color(P::kBackground);
        EXPECT_GE(ContrastRatio(p->Color(P::kSelection), back), 3.0);
        EXPECT_GE(ContrastRatio(p->Color(P::kPressedLine), back), 3.0);
        EXPECT_GE(ContrastRatio(p->Color(P::kBadgeText), back), 4.5);
        for (P kind : kKinds) {
            const PixelColor number = p->Color(kind);
            const TodayMark mark = p->TodayMarkUnder(number);
            EXPECT_GE(ContrastRatio(mark.ring.value_or(mark.fill), back), 3.0) << static_cast<int>(kind);
            EXPECT_GE(ContrastRatio(number, mark.fill), std::min(4.5, ContrastRatio(number, back)) - 1e-9);
            for (PixelColor behind : {back, mark.fill}) {
                EXPECT_GE(ContrastRatio(p->MarkOn(number, behind), behind), 3.0) << static_cast<int>(kind);
                EXPECT_GE(ContrastRatio(p->MarkOn(p->Color(P::kSelection), behind), behind), 3.0);
                EXPECT_GE(ContrastRatio(p->MarkOn(p->Color(P::kBadgeText), behind), behind), 3.0);
            }
        }
    }
    EXPECT_TRUE(contrast.neighbourDay == Rgb(63, 242, 63) && contrast.emphasis && !dark.emphasis && !l.emphasis);
    EXPECT_EQ(dark.scheme, Scheme::kDark);    // the automatic theme follows the apps' mode
    EXPECT_EQ(l.neighbourTransparency, 127);  // half, as ever
}

// Today's mark: the today colour as a fill where the number reads on it and it is seen;
// else a ring of it, moved until seen, around a fill the number reads on.
TEST(Palette, TodayIsSeenAsAFillOrARing) {
    const PixelColor none = Rgb(0, 0, 1);
    const struct {
        Theme theme;
        bool highContrast;
        PixelColor today;  // `none`: the default; black: on a grey of one's own, under white numbers
        P number;
        bool ring;
        PixelColor fill;  // `none`: not checked
    } cases[] = {
        {Theme::kDark, false, none, P::kNormalDay, true, Rgb(72, 60, 24)},  // 1.5:1 alone, as it was
        {Theme::kDark, false, Rgb(36, 30, 12), P::kHoliday, true, Rgb(36, 30, 12)},
        {Theme::kLight, false, none, P::kNormalDay, true, Rgb(208, 192, 128)},
        {Theme::kLight, false, none, P::kHoliday, true, none},                     // the fill paled under red
        {Theme::kLight, false, Rgb(0, 0, 128), P::kNormalDay, true, none},         // a navy ring
        {Theme::kLight, false, Rgb(0, 0, 0), P::kNormalDay, false, Rgb(0, 0, 0)},  // reads and is seen: a fill
        {Theme::kLight, true, none, P::kNormalDay, false, Rgb(26, 235, 255)},      // high contrast's highlight
    };
    for (const auto& c : cases) {
        const int row = static_cast<int>(&c - cases);
        ViewStyle style;
        style.theme = c.theme;
        if (c.today != none) style.SetColor(ViewColor::kToday, c.today);
        if (c.today == Rgb(0, 0, 0)) {
            style.SetColor(ViewColor::kBackground, Rgb(128, 128, 128));
            style.SetColor(ViewColor::kNormalDay, Rgb(255, 255, 255));
        }
        const Palette palette = ResolvePalette(style, System(false, c.highContrast));
        const TodayMark mark = palette.TodayMarkUnder(palette.Color(c.number));
        EXPECT_EQ(mark.ring.has_value(), c.ring) << row;
        if (c.fill != none) {
            EXPECT_EQ(mark.fill, c.fill) << row;
        }
        if (!mark.ring) continue;
        // The ring is the today colour, moved no further than it takes to be seen.
        const double ratio = ContrastRatio(*mark.ring, palette.Color(P::kBackground));
        EXPECT_TRUE(ratio >= 3.0 && (ratio < 4.0 || *mark.ring == palette.Color(P::kToday))) << row << ": " << ratio;
    }
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
        // A colour chosen while the dark palette showed is moved to read when the light one is back.
        {Theme::kLight, System(false), ViewColor::kNormalDay, Rgb(224, 224, 224), P::kNormalDay, Rgb(255, 255, 255),
         4.5},
        {Theme::kDark, System(false), ViewColor::kHoliday, own, P::kHoliday, own, 0},  // readable: stays
        {Theme::kDark, System(false), ViewColor::kHoliday, own, P::kFooter, DarkColor(P::kFooter), 0},
        {Theme::kDark, System(false), ViewColor::kNormalDay, navy, P::kNormalDay, back, 4.5},
        {Theme::kDark, System(false), ViewColor::kSelection, navy, P::kSelection, back, 3.0},
        {Theme::kDark, System(false), ViewColor::kToday, pale, P::kToday, pale, 0},  // made a mark under each number
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
