#include "shell/tray_tip.h"

#include "framework/messages.h"
#include "framework/platform.h"

namespace tavoli {

std::string_view CutAtCharacter(std::string_view text, size_t maxBytes) {
    const Platform& platform = CurrentPlatform();
    const char* const end = text.data() + text.size();
    size_t kept = 0;
    while (kept < text.size() && text[kept] != '\0') {
        const size_t length = platform.CharLength(text.data() + kept, end);
        if (length > maxBytes - kept) break;
        kept += length;
    }
    return text.substr(0, kept);
}

std::string TrayTipText(std::string_view storedTip) {
    const std::string tip = storedTip.empty() ? ApplicationTitle() : std::string(storedTip);
    return std::string(CutAtCharacter(tip, kTrayTipMaxBytes));
}

}  // namespace tavoli
