#include "settings/palette.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tavoli {

namespace {

// Texts are read at 4.5:1 against what lies behind them, marks seen at 3:1.
constexpr double kTextRatio = 4.5;
constexpr double kMarkRatio = 3.0;

constexpr PixelColor kLightBadgeText = PixelColor::Rgb(0, 0, 0);
constexpr PixelColor kLightPressedLine = PixelColor::Rgb(64, 64, 64);

// The dark palette, in the order of PaintColor: light texts on a near-black background,
// each 4.5:1 or more against the background and against the today fill.
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

// The day kinds' colours: the numbers the neighbour months' days fade.
constexpr ViewColor kKindColors[] = {ViewColor::kNormalDay, ViewColor::kSemiHoliday, ViewColor::kHoliday,
                                     ViewColor::kNationalHoliday, ViewColor::kAnniversary};

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

// Whether a background is one the user chose: neither the light default (the system's
// window colour) nor white, the window colour of every scheme but high contrast, where a
// first start may have found another.
bool OwnBackground(const ViewStyle& style, PixelColor windowColor) {
    const PixelColor background = style.Color(ViewColor::kBackground);
    return background != LightColor(PaintColor::kBackground, windowColor) &&
           background != PixelColor::Rgb(255, 255, 255);
}

// The scheme's colours (the light defaults, or the dark palette's) with the user's own
// where they read: on the scheme's background a colour the user changed is moved until
// it reads there; a background of one's own is a design of one's own, whose colours stay
// and whose light defaults are moved until they read on it. The selection, a mark, is
// moved until it is seen whoever chose it; the today colour is taken as it is (the mark is
// made under each number).
Palette UsersColors(const ViewStyle& style, PixelColor windowColor, const PixelColor (&scheme)[kPaintColorCount]) {
    const bool own = OwnBackground(style, windowColor);
    Palette palette;
    for (size_t i = 0; i < kPaintColorCount; ++i) palette.colors[i] = scheme[i];
    if (own) {
        for (size_t i = 0; i < ViewStyle::kColorCount; ++i) palette.colors[i] = style.colors[i];
    }
    palette.emphasis = style.emphasis;
    const PixelColor background = palette.Color(PaintColor::kBackground);
    for (size_t i = 0; i < ViewStyle::kColorCount; ++i) {
        const auto which = static_cast<ViewColor>(i);
        if (which == ViewColor::kBackground || which == ViewColor::kToday) continue;
        const bool atDefault = style.Color(which) == LightColor(PaintColorOf(which), windowColor);
        if (which == ViewColor::kSelection) {
            palette.colors[i] = Readable(atDefault && !own ? scheme[i] : style.Color(which), background, kMarkRatio);
        } else if (atDefault == own) {
            palette.colors[i] = Readable(style.Color(which), background, kTextRatio);
        }
    }
    if (!own && style.Color(ViewColor::kToday) != LightColor(PaintColor::kToday, windowColor)) {
        palette.colors[IndexOf(PaintColor::kToday)] = style.Color(ViewColor::kToday);
    }
    PixelColor& badge = palette.colors[IndexOf(PaintColor::kBadgeText)];
    badge = Readable(badge, background, kTextRatio);
    return palette;
}

Palette LightPalette(const ViewStyle& style, PixelColor windowColor) {
    PixelColor scheme[kPaintColorCount];
    for (size_t i = 0; i < kPaintColorCount; ++i) scheme[i] = LightColor(static_cast<PaintColor>(i), windowColor);
    scheme[IndexOf(PaintColor::kBackground)] = style.Color(ViewColor::kBackground);  // the window's, or white
    return UsersColors(style, windowColor, scheme);
}

Palette DarkPalette(const ViewStyle& style, PixelColor windowColor) {
    // A background of one's own keeps its design in both schemes: the colours are the
    // light palette's, the neighbour days faded as far as they read on it.
    Palette palette =
        OwnBackground(style, windowColor) ? LightPalette(style, windowColor) : UsersColors(style, windowColor, kDark);
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
    case PaintColor::kBadgeText: return kLightBadgeText;
    case PaintColor::kPressedLine: return kLightPressedLine;
    default: return ViewStyle().colors[IndexOf(which)];
    }
}

Palette ResolvePalette(const ViewStyle& style, const SystemAppearance& system) {
    Palette palette;
    const Scheme scheme = SchemeOf(style.theme, system);
    switch (scheme) {
    case Scheme::kLight: palette = LightPalette(style, system.colors.window); break;
    case Scheme::kDark: palette = DarkPalette(style, system.colors.window); break;
    case Scheme::kHighContrast: palette = HighContrastPalette(system.colors); break;
    }
    palette.scheme = scheme;
    return palette;
}

TodayMark Palette::TodayMarkUnder(PixelColor number) const {
    const PixelColor background = Color(PaintColor::kBackground), mark = Color(PaintColor::kToday);
    if (scheme == Scheme::kHighContrast) return {mark, std::nullopt};
    number.transparency = 0;
    // A number that reads less than a text should on the background keeps what it has.
    const double needed = std::min(kTextRatio, ContrastRatio(number, background));
    const auto reads = [&](PixelColor fill) { return ContrastRatio(number, fill) >= needed; };
    const PixelColor seen = Readable(mark, background, kMarkRatio);
    if (reads(seen)) return {seen, std::nullopt};
    PixelColor fill = mark;
    for (int steps = 1; steps <= 32 && !reads(fill); ++steps) fill = Mix(mark, background, steps);
    return {fill, seen};
}

PixelColor Palette::MarkOn(PixelColor color, PixelColor behind) const {
    if (scheme == Scheme::kHighContrast) return color;
    return Readable(color, behind, kMarkRatio);
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
