#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/font_spec.h"

namespace tavoli {

// CreateFontA with height −size (0 for the default), weight 700 for "B", italic,
// underline and strike-out by their letters, and the language's character set when the
// face name is empty. The caller deletes the font.
HFONT CreateFontFromSpec(const FontSpec& spec);

// The face of the system's default GUI font; empty when no device context can be made.
std::string DefaultFontFace();
// The installed faces (TrueType ones only when asked), each once, sorted.
std::vector<std::string> ListFontFaces(bool trueTypeOnly);

}  // namespace tavoli
