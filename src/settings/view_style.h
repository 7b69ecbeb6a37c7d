// How the view is painted: colours, fonts, emphasis and the count-down. One value that
// the painter reads and the settings and the options dialog write.
#pragma once

#include <array>
#include <string>

#include "calendar/cal_date.h"
#include "framework/font_spec.h"
#include "framework/pixel_color.h"

namespace tavoli {

// The colours of the view, in the order of their settings.
enum class ViewColor {
    kNormalDay,
    kSemiHoliday,
    kHoliday,
    kNationalHoliday,
    kAnniversary,
    kHeader,
    kFooter,
    kSelection,
    kToday,
    kBackground,
    kCount
};

enum class FontRole { kLarge, kMedium, kSmall, kMicro };

// The palette the user asks for: the system's apps mode, or always light or dark.
enum class Theme { kAutomatic, kLight, kDark };

struct CountDown {
    bool shown = false;
    CalDate target;
    int range = 0;  // days before (negative) or after (positive) the target
    int interval = 1;
    bool operator==(const CountDown& o) const {
        return shown == o.shown && target == o.target && range == o.range && interval == o.interval;
    }
};

struct ViewStyle {
    static constexpr size_t kColorCount = static_cast<size_t>(ViewColor::kCount);

    // The defaults; the background is white until the shell sets the system's window colour.
    ViewStyle();

    PixelColor Color(ViewColor which) const { return colors[static_cast<size_t>(which)]; }
    void SetColor(ViewColor which, PixelColor color) { colors[static_cast<size_t>(which)] = color; }
    int FontSize(FontRole role) const { return fontSizes[static_cast<size_t>(role)]; }
    void SetFontSize(FontRole role, int size) { fontSizes[static_cast<size_t>(role)] = size; }
    // The font of a role: the face, the role's pixel height and style letters.
    FontSpec Font(FontRole role, const std::string& styleLetters = {}) const {
        return {fontFace, FontSize(role), styleLetters};
    }

    bool operator==(const ViewStyle& o) const {
        return colors == o.colors && fontFace == o.fontFace && fontSizes == o.fontSizes && emphasis == o.emphasis &&
               countDown == o.countDown && theme == o.theme;
    }
    bool operator!=(const ViewStyle& o) const { return !(*this == o); }

    std::array<PixelColor, kColorCount> colors;
    std::string fontFace;  // empty: the system's default GUI face
    std::array<int, 4> fontSizes = {40, 24, 16, 8};
    bool emphasis = false;  // day numbers in styles by day kind ("For monochrome environments")
    CountDown countDown;
    Theme theme = Theme::kAutomatic;
};

}  // namespace tavoli
