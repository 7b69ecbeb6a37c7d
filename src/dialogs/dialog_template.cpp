#include "dialogs/dialog_template.h"

#include <algorithm>
#include <new>

namespace tavoli {

namespace {

void PutWord(std::vector<uint8_t>& out, size_t at, uint16_t value) {
    out[at] = static_cast<uint8_t>(value);
    out[at + 1] = static_cast<uint8_t>(value >> 8);
}

void PutDoubleWord(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    PutWord(out, at, static_cast<uint16_t>(value));
    PutWord(out, at + 2, static_cast<uint16_t>(value >> 16));
}

// DLGTEMPLATE: style, extended style (4 bytes each), control count, x, y, cx, cy (2 each).
constexpr size_t kHeaderBytes = 18;

}  // namespace

int ClampDialogUnits(int units) { return std::clamp(units, kMinDialogUnits, kMaxDialogUnits); }

std::vector<uint8_t> BuildDialogTemplate(uint32_t style, int widthUnits, int heightUnits, std::u16string_view title) {
    std::vector<uint8_t> bytes;
    try {
        // Header, menu word, class word, title and its NUL: every part is whole words, so
        // each array starts on the word boundary the system requires.
        bytes.assign(kHeaderBytes + 2 + 2 + 2 * (title.size() + 1), 0);
    } catch (const std::bad_alloc&) {
        return {};
    }
    PutDoubleWord(bytes, 0, style);
    PutWord(bytes, 14, static_cast<uint16_t>(ClampDialogUnits(widthUnits)));
    PutWord(bytes, 16, static_cast<uint16_t>(ClampDialogUnits(heightUnits)));
    size_t at = kHeaderBytes + 4;
    for (char16_t c : title) {
        PutWord(bytes, at, static_cast<uint16_t>(c));
        at += 2;
    }
    return bytes;
}

}  // namespace tavoli
