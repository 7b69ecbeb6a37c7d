#include "dialogs/control_rules.h"

#include <algorithm>

namespace tavoli {

namespace {

bool IsSeparator(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b <= 0x20 || b == 0x7F;
}

}  // namespace

// Bytes are compared one by one: no trail byte of the double-byte code pages is a blank,
// a control character or a double quote, so no character is ever split.
std::vector<std::string> SplitItems(std::string_view text) {
    std::vector<std::string> items;
    size_t i = 0;
    while (true) {
        while (i < text.size() && IsSeparator(text[i])) ++i;
        if (i == text.size()) break;
        size_t begin = i, end = i;
        if (text[i] == '"') {
            begin = ++i;
            while (i < text.size() && text[i] != '"') ++i;
            end = i;
            if (i < text.size()) ++i;  // the closing quote
        } else {
            while (i < text.size() && !IsSeparator(text[i])) ++i;
            end = i;
        }
        if (end == begin) break;
        items.emplace_back(text.substr(begin, end - begin));
    }
    return items;
}

int NormalizeSelection(int64_t index, size_t count) {
    if (count < 2) return 0;
    const auto n = static_cast<int64_t>(count);
    return static_cast<int>((index % n + n) % n);  // [0, count)
}

int SignedSpinnerWord(uint32_t reading) {
    const uint32_t word = reading & 0xFFFFu;
    return word >= 0x8000u ? static_cast<int>(word) - 0x10000 : static_cast<int>(word);  // [−32768, 32767]
}

int SpinTextValue(std::string_view text, int lower, int upper) {
    size_t i = 0;
    while (i < text.size() && (text[i] < '0' || text[i] > '9')) ++i;
    const bool negative = i > 0 && text[i - 1] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min<int64_t>(value * 10 + (text[i] - '0'), int64_t{1} << 40);  // far beyond any bound
    }
    if (negative) value = -value;
    return static_cast<int>(std::clamp<int64_t>(value, lower, upper));
}

uint16_t SpinnerWord(int value) { return static_cast<uint16_t>(static_cast<uint32_t>(value) & 0xFFFFu); }

}  // namespace tavoli
