#include "settings/view_style.h"

namespace tavoli {

ViewStyle::ViewStyle() {
    SetColor(ViewColor::kNormalDay, PixelColor::Rgb(64, 64, 64));
    SetColor(ViewColor::kSemiHoliday, PixelColor::Rgb(96, 96, 255));
    SetColor(ViewColor::kHoliday, PixelColor::Rgb(224, 32, 32));
    SetColor(ViewColor::kNationalHoliday, PixelColor::Rgb(224, 128, 0));
    SetColor(ViewColor::kAnniversary, PixelColor::Rgb(160, 160, 160));
    SetColor(ViewColor::kHeader, PixelColor::Rgb(64, 128, 32));
    SetColor(ViewColor::kFooter, PixelColor::Rgb(64, 160, 32));
    SetColor(ViewColor::kSelection, PixelColor::Rgb(160, 160, 224));
    SetColor(ViewColor::kToday, PixelColor::Rgb(208, 192, 128));
    SetColor(ViewColor::kBackground, PixelColor::Rgb(255, 255, 255));
}

}  // namespace tavoli
