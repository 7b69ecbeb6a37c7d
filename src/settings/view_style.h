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

// Each colour of the view, described once: the registry value that stores it, its light
// default and what the options dialog calls it. In the order the values are written.
struct ColorDescription {
    ViewColor color;
    const char* registryName;
    PixelColor lightDefault;
    const char* label;     // bilingual
    const char* mnemonic;  // after the label, the same in every language
};
inline constexpr ColorDescription kColorDescriptions[] = {
    {ViewColor::kHeader, "ColorHeader", PixelColor::Rgb(64, 128, 32), "Header\tja:ヘッダの色", "(&H)..."},
    {ViewColor::kFooter, "ColorFooter", PixelColor::Rgb(64, 160, 32), "Footer\tja:フッタの色", "(&F)..."},
    {ViewColor::kSelection, "ColorSelection", PixelColor::Rgb(160, 160, 224), "Selection\tja:選択セルの色", "(&S)..."},
    {ViewColor::kToday, "ColorToday", PixelColor::Rgb(208, 192, 128), "Today\tja:今日の色", "(&T)..."},
    {ViewColor::kBackground, "ColorBackground", PixelColor::Rgb(255, 255, 255), "Background\tja:背景の色", "(&B)..."},
    {ViewColor::kNormalDay, "Color01", PixelColor::Rgb(64, 64, 64), "Normal-day\tja:平日の色", "(&1)..."},
    {ViewColor::kSemiHoliday, "Color02", PixelColor::Rgb(96, 96, 255), "Semi-holiday\tja:半休日の色", "(&2)..."},
    {ViewColor::kHoliday, "Color03", PixelColor::Rgb(224, 32, 32), "Holiday\tja:休日の色", "(&3)..."},
    {ViewColor::kNationalHoliday, "Color04", PixelColor::Rgb(224, 128, 0), "National-holiday\tja:祝日の色", "(&4)..."},
    {ViewColor::kAnniversary, "Color05", PixelColor::Rgb(160, 160, 160), "Custom-holiday\tja:カスタム記念日の色",
     "(&5)..."},
};
// The description of a colour (each colour is described exactly once).
const ColorDescription& DescriptionOf(ViewColor color);

enum class FontRole { kLarge, kMedium, kSmall, kMicro };

// The palette the user asks for: the system's apps mode, or always light or dark.
enum class Theme { kAutomatic, kLight, kDark };

struct CountDown {
    bool shown = false;
    CalDate target;
    int range = 0;  // days before (negative) or after (positive) the target
    int interval = 1;
    bool operator==(const CountDown& o) const = default;
};

struct ViewStyle {
    static constexpr size_t kColorCount = static_cast<size_t>(ViewColor::kCount);

    // The defaults of the descriptions; the background is white until the shell sets the
    // system's window colour.
    ViewStyle();

    PixelColor Color(ViewColor which) const { return colors[static_cast<size_t>(which)]; }
    void SetColor(ViewColor which, PixelColor color) { colors[static_cast<size_t>(which)] = color; }
    int FontSize(FontRole role) const { return fontSizes[static_cast<size_t>(role)]; }
    void SetFontSize(FontRole role, int size) { fontSizes[static_cast<size_t>(role)] = size; }
    // The font of a role: the face, the role's pixel height and style letters.
    FontSpec Font(FontRole role, const std::string& styleLetters = {}) const {
        return {fontFace, FontSize(role), styleLetters};
    }

    bool operator==(const ViewStyle& o) const = default;

    std::array<PixelColor, kColorCount> colors;
    std::string fontFace;  // empty: the system's default GUI face
    std::array<int, 4> fontSizes = {40, 24, 16, 8};
    bool emphasis = false;  // day numbers in styles by day kind ("For monochrome environments")
    CountDown countDown;
    Theme theme = Theme::kAutomatic;
};

}  // namespace tavoli
