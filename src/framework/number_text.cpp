#include "framework/number_text.h"

namespace tavoli {

std::string FixedDigits(int64_t value, int width) {
    // The magnitude as unsigned, so that the most negative value has one too.
    uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    char buffer[24];
    char* end = buffer + sizeof buffer;
    char* p = end;
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    auto count = static_cast<size_t>(end - p);

    std::string text;
    if (value < 0) text.push_back('-');
    if (width <= 0) {
        text.append(p, count);
    } else if (static_cast<size_t>(width) >= count) {
        text.append(static_cast<size_t>(width) - count, '0');
        text.append(p, count);
    } else {
        text.append(end - width, static_cast<size_t>(width));
    }
    return text;
}

}  // namespace tavoli
