#include "framework/number_text.h"

#include <gtest/gtest.h>

#include <climits>

namespace tavoli {
namespace {

TEST(FixedDigits, PadsCutsAndSigns) {
    struct Case {
        int64_t value;
        int width;
        std::string_view expected;
    } cases[] = {
        {2024, 0, "2024"},      {2024, 4, "2024"}, {2024, 2, "24"},        {2024, 1, "4"},
        {5, 3, "005"},          {0, 0, "0"},       {0, 2, "00"},           {-6, 2, "-06"},
        {-2024, 2, "-24"},      {7, -1, "7"},      {12345, 8, "00012345"}, {INT64_MIN, 0, "-9223372036854775808"},
        {INT64_MIN, 3, "-808"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FixedDigits(c.value, c.width), c.expected) << c.value << " width " << c.width;
    }
}

}  // namespace
}  // namespace tavoli
