#include "events/event_text.h"

#include "framework/platform.h"

namespace tavoli {

namespace {

// The bytes of the UTF-8 sequence at text[at]; 1 for a byte that begins none.
size_t SequenceLength(std::string_view text, size_t at) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    const size_t length = lead < 0x80           ? 1
                          : (lead >> 5) == 0x6  ? 2
                          : (lead >> 4) == 0xE  ? 3
                          : (lead >> 3) == 0x1E ? 4
                                                : 0;
    if (length == 0 || at + length > text.size()) return 1;
    for (size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 1;
    }
    return length;
}

}  // namespace

std::string EventTextInCodePage(std::string_view utf8) {
    const Platform& platform = CurrentPlatform();
    std::string ellipsis = platform.FromUtf8("\xE2\x80\xA6");
    if (ellipsis == "?") ellipsis = "...";
    std::string out;
    bool inRun = false;
    for (size_t at = 0; at < utf8.size();) {
        const size_t length = SequenceLength(utf8, at);
        const std::string_view character = utf8.substr(at, length);
        at += length;
        if (length == 1 && static_cast<unsigned char>(character[0]) < 0x80) {
            out += character;
            inRun = false;
            continue;
        }
        // One that the system turns into "?" (or a byte that is no UTF-8) it cannot hold.
        const std::string converted = length == 1 ? std::string("?") : platform.FromUtf8(character);
        if (converted == "?") {
            if (!inRun) out += ellipsis;
            inRun = true;
        } else {
            out += converted;
            inRun = false;
        }
    }
    return out;
}

}  // namespace tavoli
