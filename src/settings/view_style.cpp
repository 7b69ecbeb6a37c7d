#include "settings/view_style.h"

namespace tavoli {

namespace {

// Every colour described once: checked where the list is written.
constexpr bool EachColorDescribedOnce() {
    for (int color = 0; color < static_cast<int>(ViewColor::kCount); ++color) {
        int found = 0;
        for (const ColorDescription& description : kColorDescriptions) {
            if (static_cast<int>(description.color) == color) ++found;
        }
        if (found != 1) return false;
    }
    return true;
}
static_assert(EachColorDescribedOnce(), "each colour of the view has one description");

}  // namespace

const ColorDescription& DescriptionOf(ViewColor color) {
    for (const ColorDescription& description : kColorDescriptions) {
        if (description.color == color) return description;
    }
    return kColorDescriptions[0];  // unreachable: every colour is described
}

ViewStyle::ViewStyle() {
    for (const ColorDescription& description : kColorDescriptions)
        SetColor(description.color, description.lightDefault);
}

}  // namespace tavoli
