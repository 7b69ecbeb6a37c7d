// The colours the calendar is painted in: the user's colours as they meet the theme
// (light, dark, or the system's high-contrast colours). Which palette applies and what
// each painted element gets is decided here, from the settings and what the system
// reports; the window only reads the system and hands it over.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "framework/pixel_color.h"
#include "settings/view_style.h"

namespace tavoli {

// What the system says about colours: the apps' light or dark mode, high contrast and the
// system colours that high contrast paints with.
struct SystemColors {
    PixelColor window = PixelColor::Rgb(255, 255, 255);
    PixelColor windowText = PixelColor::Rgb(0, 0, 0);
    PixelColor highlight = PixelColor::Rgb(0, 120, 215);
    PixelColor highlightText = PixelColor::Rgb(255, 255, 255);
    PixelColor grayText = PixelColor::Rgb(109, 109, 109);
    PixelColor hotLight = PixelColor::Rgb(0, 102, 204);
    bool operator==(const SystemColors& o) const = default;
};

struct SystemAppearance {
    bool darkApps = false;  // apps asked to be dark (a missing answer is light)
    bool highContrast = false;
    SystemColors colors;
    bool operator==(const SystemAppearance& o) const = default;
};

// The palette painted: high contrast whatever the theme, else the theme, Automatic
// following the apps' mode.
enum class Scheme { kLight, kDark, kHighContrast };
Scheme SchemeOf(Theme theme, const SystemAppearance& system);

// Every colour painting uses: the ten of the settings (in the order of ViewColor), then
// the count-down badge and the lines of a pressed button.
enum class PaintColor {
    kNormalDay = static_cast<int>(ViewColor::kNormalDay),
    kSemiHoliday = static_cast<int>(ViewColor::kSemiHoliday),
    kHoliday = static_cast<int>(ViewColor::kHoliday),
    kNationalHoliday = static_cast<int>(ViewColor::kNationalHoliday),
    kAnniversary = static_cast<int>(ViewColor::kAnniversary),
    kHeader = static_cast<int>(ViewColor::kHeader),
    kFooter = static_cast<int>(ViewColor::kFooter),
    kSelection = static_cast<int>(ViewColor::kSelection),
    kToday = static_cast<int>(ViewColor::kToday),
    kBackground = static_cast<int>(ViewColor::kBackground),
    kBadgeText = static_cast<int>(ViewColor::kCount),  // the count-down's numbers and the target day's flag
    kPressedLine,
    kCount
};
constexpr size_t kPaintColorCount = static_cast<size_t>(PaintColor::kCount);
constexpr PaintColor PaintColorOf(ViewColor color) { return static_cast<PaintColor>(static_cast<int>(color)); }

constexpr uint8_t kNeighbourTransparency = 127;

// How today is marked under a day number: a fill, and a ring around it where the fill
// alone would not be seen at 3:1 without spoiling the number.
struct TodayMark {
    PixelColor fill;
    std::optional<PixelColor> ring;
};

struct Palette {
    Scheme scheme = Scheme::kLight;
    std::array<PixelColor, kPaintColorCount> colors{};
    // The day number, memo line and selection frame on the today mark; none: the day's
    // own colours.
    std::optional<PixelColor> onToday;
    // The days of the neighbour months; none: the day's colour made as transparent as
    // this (half in the light palette, less where the dark one needs it to be read).
    std::optional<PixelColor> neighbourDay;
    uint8_t neighbourTransparency = kNeighbourTransparency;
    // Day numbers in the styles of their kinds (bold holidays, ...).
    bool emphasis = false;

    PixelColor Color(PaintColor which) const { return colors[static_cast<size_t>(which)]; }
    PixelColor Color(ViewColor which) const { return Color(PaintColorOf(which)); }

    // The today mark under a number of this colour. In the light and dark palettes it is
    // seen at 3:1 against the background: the today colour moved only as far as that
    // takes, as a fill where the number still reads on it at 4.5:1 (or at what it has on
    // the background, if less); else as a ring of that colour around a fill moved toward
    // the background until the number reads. High contrast fills with its highlight.
    TodayMark TodayMarkUnder(PixelColor number) const;
    // A mark (the selection frame, a memo's underline) in this colour as painted on what
    // lies behind it: moved until it is seen at 3:1, except in high contrast, whose
    // colours the user chose to be seen.
    PixelColor MarkOn(PixelColor color, PixelColor behind) const;
};

// The palette of the scheme for the user's colours, by one rule for light and dark: on the
// scheme's own background the scheme's colours stand where the user left the light
// defaults, and a colour the user changed is moved only as far toward white or black as it
// takes to be read there (a text at 4.5:1, the selection frame at 3:1); a background of
// the user's own keeps the user's colours as they are, and those still at their light
// defaults are moved the same way to be read on it. So a colour chosen while one scheme
// shows still reads when the other is back.
// - light: the scheme's colours are the program's own light defaults;
// - dark: the dark palette's; the neighbour months' days fade only as far as they stay
//   readable;
// - high contrast: the system's colours, day kinds told apart by their styles as well.
Palette ResolvePalette(const ViewStyle& style, const SystemAppearance& system);

// The dark palette's colour of an element, and the light one (the program's defaults;
// the background is the system's window colour).
PixelColor DarkColor(PaintColor which);
PixelColor LightColor(PaintColor which, PixelColor windowColor);

// The contrast ratio of two opaque colours by relative luminance: 1 … 21.
double ContrastRatio(PixelColor a, PixelColor b);
// The colour, or the nearest mix of it with white or black (whichever reaches further)
// that reads at the ratio against the other colour.
PixelColor Readable(PixelColor color, PixelColor against, double ratio);

}  // namespace tavoli
