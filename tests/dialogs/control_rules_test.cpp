// The rules of the control wrappers: items from a text, selection indices, the spinner's
// 16-bit positions.
#include "dialogs/control_rules.h"

#include <gtest/gtest.h>

#include <climits>

namespace tavoli {
namespace {

using Items = std::vector<std::string>;

TEST(SplitItems, BlanksSeparateQuotesHoldBlanksAnEmptyItemEnds) {
    struct Case {
        std::string_view text;
        Items expected;
    } cases[] = {
        {"sunday(*) monday tuesday", {"sunday(*)", "monday", "tuesday"}},
        {"  a\tb\r\nc  ", {"a", "b", "c"}},  // any run of blanks and control characters
        {"a\x7f"
         "b\x01"
         "c",
         {"a", "b", "c"}},
        {"\"Top 1 line\" Left-2-lines", {"Top 1 line", "Left-2-lines"}},
        {"\"a b\"c", {"a b", "c"}},          // a closing quote ends the item
        {"a\"b c", {"a\"b", "c"}},           // a quote inside an item is kept
        {"\"to the end ", {"to the end "}},  // no closing quote
        {"a \"\" b", {"a"}},                 // an empty item ends the list
        {"a \"", {"a"}},
        {"", {}},
        {" \t ", {}},
        {"日曜日(推奨) 月曜日 火曜日", {"日曜日(推奨)", "月曜日", "火曜日"}},
        {"\x95\x5c \x83\x7c\x83\x43", {"\x95\x5c", "\x83\x7c\x83\x43"}},  // Shift_JIS trail bytes 0x5C and 0x7C
    };
    for (const Case& c : cases) EXPECT_EQ(SplitItems(c.text), c.expected) << c.text;
    EXPECT_EQ(SplitItems("Bottom-1-line Bottom-2-lines Bottom-3lines Right-3lines Right-4lines None").size(), 6u);
}

TEST(NormalizeSelection, ModuloTheCountNegativeFromTheEnd) {
    struct Case {
        int64_t index;
        size_t count;
        int expected;
    } cases[] = {
        {-1, 7, 6}, {9, 7, 2},       {6, 7, 6},       {7, 7, 0},         {-7, 7, 0},        {-8, 7, 6},
        {2, 2, 0},  {-1, 2, 1},      {0, 0, 0},       {5, 0, 0},         {-1, 0, 0},        {5, 1, 0},
        {-1, 1, 0}, {INT_MIN, 7, 5}, {INT_MAX, 7, 1}, {INT64_MIN, 3, 1}, {INT64_MAX, 3, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NormalizeSelection(c.index, c.count), c.expected) << c.index << " of " << c.count;
}

TEST(SpinnerWords, SignedLowWordBothWays) {
    struct Case {
        uint32_t reading;
        int expected;
    } cases[] = {
        {0xFFFB, -5},    {0x7FFF, 32767}, {0x8000, -32768},
        {0, 0},          {0x1FFFB, -5},   {0x10005, 5},  // a high word flagging a bad buddy text is ignored
        {0xFFFF0000, 0}, {999, 999},      {0xFC18, -1000},
    };
    for (const Case& c : cases) EXPECT_EQ(SignedSpinnerWord(c.reading), c.expected) << std::hex << c.reading;
    EXPECT_EQ(SpinnerWord(-5), 0xFFFB);
    EXPECT_EQ(SpinnerWord(3999), 3999);
    EXPECT_EQ(SpinnerWord(70000), 70000 - 65536);  // only the low 16 bits reach the spinner
    for (int value = -32768; value <= 32767; ++value) {
        if (SignedSpinnerWord(SpinnerWord(value)) != value) {
            ADD_FAILURE() << value << " does not come back";
            break;
        }
    }
}

TEST(SpinTextValue, TypedNumbersBroughtIntoTheBounds) {
    const struct {
        const char* text;
        int lower, upper;
        int expected;
    } cases[] = {{"2030", 1, 3999, 2030}, {"5000", 1, 3999, 3999}, {" -10 ", -1000, 1000, -10},
                 {"-5", 0, 9, 0},         {"+007", 0, 9, 7},       {"99999999999999", 0, 9, 9},
                 {"", 1, 3999, 1},        {"", -1000, 1000, 0},    {"-", 0, 9, 0},
                 {"abc", 1, 12, 1},       {"12a", 1, 31, 12},      {"1,000", 0, 9, 1}};
    for (const auto& c : cases) EXPECT_EQ(SpinTextValue(c.text, c.lower, c.upper), c.expected) << c.text;
}

}  // namespace
}  // namespace tavoli
