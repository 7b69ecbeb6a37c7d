#pragma once

#include <windows.h>

#include "framework/font_spec.h"

namespace tavoli {

// CreateFontA with height −size (0 for the default), weight 700 for "B", italic,
// underline and strike-out by their letters, and the language's character set when the
// face name is empty. The caller deletes the font.
HFONT CreateFontFromSpec(const FontSpec& spec);

}  // namespace tavoli
