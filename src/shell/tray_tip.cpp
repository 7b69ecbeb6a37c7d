#include "shell/tray_tip.h"

#include <algorithm>

#include "framework/geometry.h"
#include "framework/lang_text.h"
#include "framework/messages.h"

namespace tavoli {

std::string TrayTipText(std::string_view storedTip) {
    const std::string tip = storedTip.empty() ? ApplicationTitle() : std::string(storedTip);
    return std::string(CutAtCharacter(tip, kTrayTipMaxBytes));
}

int TrayIconPixels(int dpi) { return std::max(16, ScaleToDpi(16, dpi)); }

}  // namespace tavoli
