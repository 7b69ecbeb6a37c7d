// The most a control's text holds, cut without splitting a character of the ANSI code page
// (CutAtCharacter).
#pragma once

#include <cstddef>

namespace tavoli {

constexpr size_t kMaxControlTextBytes = 255;

}  // namespace tavoli
