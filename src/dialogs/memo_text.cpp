#include "dialogs/memo_text.h"

#include "framework/lang_text.h"

namespace tavoli {

std::string MemoFromEditText(std::string_view text) {
    // No trail byte of the double-byte code pages is below 0x40, so a byte search cannot
    // stop inside a character.
    const size_t lineEnd = text.find_first_of("\r\n\f");
    return std::string(CutAtCharacter(text.substr(0, lineEnd), kMaxControlTextBytes));
}

}  // namespace tavoli
