// Decimal numbers written the way dates and templates write them.
#pragma once

#include <cstdint>
#include <string>

namespace tavoli {

// The magnitude in exactly `width` digits (zeros added on the left, leftmost digits cut
// off), then "-" in front of a negative number (not counted in the width). Width 0 or
// less writes all the digits.
std::string FixedDigits(int64_t value, int width);

}  // namespace tavoli
