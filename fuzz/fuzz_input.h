// Takes values off the front of a fuzz input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "framework/platform_host.h"

namespace tavoli {

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    uint32_t Word() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = v << 8 | Byte();
        return v;
    }
    // The rest of the input.
    std::string_view Rest() {
        const std::string_view rest(reinterpret_cast<const char*>(data_) + pos_, size_ - pos_);
        pos_ = size_;
        return rest;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

// The code pages a text may be read in: the system code page of each supported language.
constexpr int kFuzzCodePages[] = {932, 936, 949, 950, 1252, 65001};

// A host platform for one of those code pages, chosen by a byte of the input.
inline const HostPlatform& PlatformForByte(uint8_t byte) {
    static HostPlatform platforms[std::size(kFuzzCodePages)];
    static const bool made = [] {
        for (size_t i = 0; i < std::size(kFuzzCodePages); ++i) platforms[i].SetCodePage(kFuzzCodePages[i]);
        return true;
    }();
    (void)made;
    return platforms[byte % std::size(kFuzzCodePages)];
}

}  // namespace tavoli
