#include "settings/palette.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tavoli {

namespace {

// Texts are read at 4.5:1 against what lies behind them, marks seen at 3:1.
constexpr double kTextRatio = 4.5;
constexpr double kMarkRatio = 3.0;

constexpr PixelColor kLightBadgeFill = PixelColor::Rgb(255, 255, 255, 127);
constexpr PixelColor kLightBadgeText = PixelColor::Rgb(0, 0, 0);
constexpr PixelColor kLightPressedLine = PixelColor::Rgb(64, 64, 64);

// The dark palette, in the order of PaintColor: light texts on a near-black background,
// each 4.5:1 or more against the background and against the today mark.
constexpr PixelColor kDark[kPaintColorCount] = {
    PixelColor::Rgb(224, 224, 224),  // normal day
    PixelColor::Rgb(160, 168, 255),  // semi-holiday
    PixelColor::Rgb(255, 136, 136),  // holiday
    PixelColor::Rgb(255, 170, 64),   // national holiday
    PixelColor::Rgb(180, 180, 180),  // anniversary
    PixelColor::Rgb(136, 200, 96),   // header
    PixelColor::Rgb(128, 208, 96),   // footer
    PixelColor::Rgb(140, 140, 224),  // selection
    PixelColor::Rgb(72, 60, 24),     // today
    PixelColor::Rgb(32, 32, 32),     // background
    PixelColor::Rgb(0, 0, 0, 127),   // badge fill: darkens whatever lies behind it
    PixelColor::Rgb(240, 240, 240),  // badge text
    PixelColor::Rgb(176, 176, 176),  // pressed-button lines
};

size_t IndexOf(PaintColor which) { return static_cast<size_t>(which); }

double Channel(uint8_t value) {
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(PixelColor c) {
    return 0.2126 * Channel(c.red) + 0.7152 * Channel(c.green) + 0.0722 * Channel(c.blue);
}

// `steps` of 32 of the way from the colour to the target.
PixelColor Mix(PixelColor from, PixelColor to, int steps) {
    auto mix = [steps](uint8_t a, uint8_t b) { return static_cast<uint8_t>(a + (b - a) * steps / 32); };
    return PixelColor::Rgb(mix(from.red, to.red), mix(from.green, to.green), mix(from.blue, to.blue));
}

Palette LightPalette(const ViewStyle& style) {
    Palette palette;
    for (size_t i = 0; i < ViewStyle::kColorCount; ++i) palette.colors[i] = style.colors[i];
    palette.colors[IndexOf(PaintColor::kBadgeFill)] = kLightBadgeFill;
    palette.colors[IndexOf(PaintColor::kBadgeText)] = kLightBadgeText;
    palette.colors[IndexOf(PaintColor::kPressedLine)] = kLightPressedLine;
    palette.emphasis = style.emphasis;
    return palette;
}

// The day kinds' colours: the texts a today mark lies under.
constexpr ViewColor kKindColors[] = {ViewColor::kNormalDay, ViewColor::kSemiHoliday, ViewColor::kHoliday,
                                     ViewColor::kNationalHoliday, ViewColor::kAnniversary};

// The mark, or the nearest mix of it with white or black under which every day kind's
// number reads at the text ratio (the kinds may lie on both sides of it); where none
// does, black or white, whichever reads better.
PixelColor ReadableUnderEveryKind(PixelColor mark, const Palette& palette) {
    auto worst = [&palette](PixelColor under) {
        double ratio = 21;
        for (ViewColor kind : kKindColors) ratio = std::min(ratio, ContrastRatio(palette.Color(kind), under));
        return ratio;
    };
    const PixelColor black = PixelColor::Rgb(0, 0, 0), white = PixelColor::Rgb(255, 255, 255);
    for (int steps = 0; steps <= 32; ++steps) {
        for (PixelColor toward : {black, white}) {
            const PixelColor mixed = Mix(mark, toward, steps);
            if (worst(mixed) >= kTextRatio) return mixed;
        }
    }
    return worst(black) >= worst(white) ? black : white;
}

// How transparent the neighbour months' days may be painted over the background while
// every kind's number still reads: the light palette's half, or less.
uint8_t NeighbourTransparency(const Palette& palette) {
    const PixelColor background = palette.Color(ViewColor::kBackground);
    for (int transparency = kNeighbourTransparency; transparency > 0; transparency -= 8) {
        bool readable = true;
        for (ViewColor kind : kKindColors) {
            PixelColor faded = palette.Color(kind);
            faded.transparency = static_cast<uint8_t>(transparency);
            readable = readable && ContrastRatio(BlendPixel(background, faded), background) >= kTextRatio;
        }
        if (readable) return static_cast<uint8_t>(transparency);
    }
    return 0;
}

Palette DarkPalette(const ViewStyle& style, PixelColor windowColor) {
    const PixelColor white = PixelColor::Rgb(255, 255, 255);
    // A background of one's own is a design of one's own: the user's colours stay as they
    // are, and those still at their light defaults are brought to where they read on it.
    // White is the window colour of every scheme but high contrast, where a first start
    // may have found another.
    const PixelColor ownBackground = style.Color(ViewColor::kBackground);
    const bool own = ownBackground != LightColor(PaintColor::kBackground, windowColor) && ownBackground != white;
    Palette palette;
    if (own) {
        palette = LightPalette(style);
    } else {
        for (size_t i = 0; i < kPaintColorCount; ++i) palette.colors[i] = kDark[i];
        palette.emphasis = style.emphasis;
    }
    const PixelColor background = palette.Color(PaintColor::kBackground);
    // The colours moved: one the user changed on the dark palette, one left at its light
    // default on the user's own background; each only as far toward white or black as it
    // takes to be read.
    for (size_t i = 0; i < ViewStyle::kColorCount; ++i) {
        const auto which = static_cast<ViewColor>(i);
        const bool atDefault = style.Color(which) == LightColor(PaintColorOf(which), windowColor);
        if (which == ViewColor::kBackground || which == ViewColor::kToday || atDefault != own) continue;
        palette.colors[i] =
            Readable(style.Color(which), background, which == ViewColor::kSelection ? kMarkRatio : kTextRatio);
    }
    // Last, once the texts it lies under are known: under every kind's number.
    const PixelColor today = style.Color(ViewColor::kToday);
    const bool todayAtDefault = today == LightColor(PaintColor::kToday, windowColor);
    if (todayAtDefault || !own) {
        PixelColor& mark = palette.colors[IndexOf(PaintColor::kToday)];
        mark = ReadableUnderEveryKind(todayAtDefault ? mark : today, palette);
    }
    palette.neighbourTransparency = NeighbourTransparency(palette);
    return palette;
}

Palette HighContrastPalette(const SystemColors& system) {
    // The user chose the scheme's colours to be read: they are taken as they are.
    Palette palette;
    const PixelColor kinds = system.hotLight;
    auto set = [&palette](PaintColor which, PixelColor color) { palette.colors[IndexOf(which)] = color; };
    set(PaintColor::kNormalDay, system.windowText);
    set(PaintColor::kSemiHoliday, kinds);
    set(PaintColor::kHoliday, kinds);
    set(PaintColor::kNationalHoliday, kinds);
    set(PaintColor::kAnniversary, kinds);
    set(PaintColor::kHeader, system.windowText);
    set(PaintColor::kFooter, system.windowText);
    set(PaintColor::kSelection, system.highlight);
    set(PaintColor::kToday, system.highlight);
    set(PaintColor::kBackground, system.window);
    set(PaintColor::kBadgeFill, system.window);
    set(PaintColor::kBadgeText, system.windowText);
    set(PaintColor::kPressedLine, system.windowText);
    palette.onToday = system.highlightText;
    palette.neighbourDay = system.grayText;
    // Four kinds share one colour: their styles tell them apart.
    palette.emphasis = true;
    return palette;
}

}  // namespace

Scheme SchemeOf(Theme theme, const SystemAppearance& system) {
    if (system.highContrast) return Scheme::kHighContrast;
    switch (theme) {
    case Theme::kLight: return Scheme::kLight;
    case Theme::kDark: return Scheme::kDark;
    default: return system.darkApps ? Scheme::kDark : Scheme::kLight;
    }
}

PixelColor DarkColor(PaintColor which) { return kDark[IndexOf(which)]; }

PixelColor LightColor(PaintColor which, PixelColor windowColor) {
    switch (which) {
    case PaintColor::kBackground: return windowColor;
    case PaintColor::kBadgeFill: return kLightBadgeFill;
    case PaintColor::kBadgeText: return kLightBadgeText;
    case PaintColor::kPressedLine: return kLightPressedLine;
    default: return ViewStyle().colors[IndexOf(which)];
    }
}

Palette ResolvePalette(const ViewStyle& style, const SystemAppearance& system) {
    Palette palette;
    const Scheme scheme = SchemeOf(style.theme, system);
    switch (scheme) {
    case Scheme::kLight: palette = LightPalette(style); break;
    case Scheme::kDark: palette = DarkPalette(style, system.colors.window); break;
    case Scheme::kHighContrast: palette = HighContrastPalette(system.colors); break;
    }
    palette.scheme = scheme;
    return palette;
}

double ContrastRatio(PixelColor a, PixelColor b) {
    double lighter = Luminance(a), darker = Luminance(b);
    if (lighter < darker) std::swap(lighter, darker);
    return (lighter + 0.05) / (darker + 0.05);
}

PixelColor Readable(PixelColor color, PixelColor against, double ratio) {
    color.transparency = 0;
    if (ContrastRatio(color, against) >= ratio) return color;
    const PixelColor white = PixelColor::Rgb(255, 255, 255), black = PixelColor::Rgb(0, 0, 0);
    const PixelColor toward = ContrastRatio(white, against) >= ContrastRatio(black, against) ? white : black;
    for (int steps = 1; steps < 32; ++steps) {
        const PixelColor mixed = Mix(color, toward, steps);
        if (ContrastRatio(mixed, against) >= ratio) return mixed;
    }
    return toward;
}

}  // namespace tavoli
