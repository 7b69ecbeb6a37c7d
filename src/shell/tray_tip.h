// The notification-area icon's rules: its tip (the record the shell takes holds 64 bytes,
// and a cut in the middle of a double-byte character would show a broken last
// character) and its size at the taskbar's scale.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavoli {

// Bytes of the tip the shell's record holds besides its terminating NUL.
constexpr size_t kTrayTipMaxBytes = 63;

// The tip shown for a stored tip: the application's title when it is empty, cut to
// what the record holds.
std::string TrayTipText(std::string_view storedTip);

// The icon's width and height in pixels at the scale of the monitor the taskbar is on: the
// small icon's 16 at 100 %, never less.
int TrayIconPixels(int dpi);

}  // namespace tavoli
