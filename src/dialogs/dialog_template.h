// The in-memory template of a dialog without controls: the dialog creates its controls
// itself, in code, when it is initialised.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tavoli {

// The window and dialog styles of the template, with their Win32 values (the Win32 half
// checks them against <windows.h>).
namespace dialog_style {
constexpr uint32_t kPopup = 0x80000000u;
constexpr uint32_t kVisible = 0x10000000u;
constexpr uint32_t kCaption = 0x00C00000u;
constexpr uint32_t kSystemMenu = 0x00080000u;
constexpr uint32_t kModalFrame = 0x80u;
constexpr uint32_t kCenter = 0x800u;
}  // namespace dialog_style

// Every dialog of the program: a centred popup with a caption and a close box.
constexpr uint32_t kModalDialogStyle = dialog_style::kPopup | dialog_style::kVisible | dialog_style::kCaption |
                                       dialog_style::kSystemMenu | dialog_style::kModalFrame | dialog_style::kCenter;

// Dialog sizes are kept within these dialog units.
constexpr int kMinDialogUnits = 32;
constexpr int kMaxDialogUnits = 256;
int ClampDialogUnits(int units);

// The DLGTEMPLATE record (style, extended style 0, no controls, position 0, 0, the size
// clamped to 32 … 256 dialog units) followed by the menu word (0: none), the class word
// (0: the system's dialog class) and the NUL-terminated UTF-16 title, little-endian and
// zero-filled. No font is named, so the dialog measures in the system font's units.
// Empty when memory runs out.
std::vector<uint8_t> BuildDialogTemplate(uint32_t style, int widthUnits, int heightUnits, std::u16string_view title);

}  // namespace tavoli
