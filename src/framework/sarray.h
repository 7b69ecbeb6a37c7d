// The growable array of owned strings, 0 … 65535 elements.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/error.h"

namespace tavoli {

class SArray {
public:
    static constexpr int64_t kMaxCount = 0xFFFF;

    size_t Count() const { return items_.size(); }
    bool Empty() const { return items_.empty(); }
    const std::string& operator[](size_t i) const { return items_[i]; }
    std::string& operator[](size_t i) { return items_[i]; }
    const std::vector<std::string>& Items() const { return items_; }

    // A count outside 0 … 65535 empties the array ("array_size"); elements up to the
    // smaller count stay, new slots are empty strings. "memory_alloc" when the table
    // cannot be made; "object_alloc" (and an empty array) when a slot cannot be.
    ErrorValue Resize(int64_t count);
    // One more element at the end; a full array refuses it ("array_size") and keeps
    // every element it holds.
    ErrorValue Append(std::string text);

private:
    std::vector<std::string> items_;
};

}  // namespace tavoli
