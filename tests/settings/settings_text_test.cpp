#include "settings/settings_text.h"

#include <gtest/gtest.h>

namespace tavoli {
namespace {

using Numbers = std::vector<int64_t>;

TEST(SettingsText, NumberLists) {
    const struct {
        const char* text;
        Numbers numbers;
    } cases[] = {
        {"(48,36)", {48, 36}},
        {"48 36", {48, 36}},
        {"48x36", {48, 36}},  // "x" after a number that is not a lone 0 separates
        {"-5,-0", {-5, 0}},
        {"a-5", {-5}},
        {"- 5", {5}},  // the "-" must stand directly before the digit
        {"0x1F,0h10,0b101,0o17,0d9,0XfF", {31, 16, 5, 15, 9, 255}},
        {"0x", {0}},
        {"0b102", {2, 2}},  // a digit outside the base ends the number
        {"007", {7}},
        {"-0x10", {-16}},
        {"99999999999999999999999", {INT64_MAX}},  // stops growing
        {"", {}},
        {"no digits", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(NumbersOf(c.text), c.numbers) << c.text;
    EXPECT_EQ(NumberAt({1, 2}, 5), 0);  // missing numbers read as 0
    EXPECT_EQ(Int32At({int64_t{1} << 40}, 0), INT32_MAX);
    EXPECT_EQ(Int32At({-(int64_t{1} << 40)}, 0), INT32_MIN);
}

TEST(SettingsText, SingleIntegers) {
    const struct {
        const char* text;
        int32_t value;
    } cases[] = {
        {"-5", -5},
        {"1,2", 12},
        {"2.9", 2},
        {"", 0},
        {"abc", 0},
        {"+7", 7},
        {"0-5", -5},  // a sign before the first non-zero digit counts
        {"5-3", 53},  // after it, not
        {"99999999999", 2147483647},
        {"-99999999999", -2147483647},
        {"300", 300},
        {".5", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(SingleIntegerOf(c.text), c.value) << c.text;
}

TEST(SettingsText, Colours) {
    const struct {
        const char* text;
        PixelColor color;
        const char* written;
    } cases[] = {
        {"#FF000080", PixelColor::Rgb(255, 0, 0, 127), "(255,0,0,128)"},
        {"#00FF00", PixelColor::Rgb(0, 255, 0), "(0,255,0)"},
        {"#00ff007", PixelColor::Rgb(0, 255, 0), "(0,255,0)"},  // seven digits: the first six
        {"#12345", PixelColor::Rgb(0, 0, 0), "(0,0,0)"},        // fewer than six: black
        {"#", PixelColor::Rgb(0, 0, 0), "(0,0,0)"},
        {"#GG0000", PixelColor::Rgb(0, 0, 0), "(0,0,0)"},
        {"255 0 0", PixelColor::Rgb(255, 0, 0), "(255,0,0)"},
        {"(224,32,32)", PixelColor::Rgb(224, 32, 32), "(224,32,32)"},
        {"(1,2,3,255)", PixelColor::Rgb(1, 2, 3), "(1,2,3)"},
        {"(1,2,3,0)", PixelColor::Rgb(1, 2, 3, 255), "(1,2,3,0)"},
        {"(300,-4,9)", PixelColor::Rgb(255, 0, 9), "(255,0,9)"},  // clamped
        {"7", PixelColor::Rgb(7, 0, 0), "(7,0,0)"},
        {"", PixelColor::Rgb(0, 0, 0), "(0,0,0)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ColorOf(c.text), c.color) << c.text;
        EXPECT_EQ(ColorText(ColorOf(c.text)), c.written) << c.text;
        EXPECT_EQ(ColorOf(ColorText(c.color)), c.color) << c.text;  // what is written reads back
    }
}

TEST(SettingsText, DesignPairs) {
    const Design defaults;
    const struct {
        const char* text;
        Design design;
    } cases[] = {
        {"T1W1N0D5B2", defaults},
        {"t0w0", {kTitleBar, kHideWeekdayIndex, kFiveLines, kBottomTwoLines}},
        {"T1X9D6", defaults},  // stops before D6
        {"L2N1D0R4", {kLeftTwoLines, kShowWeekdayIndexWithWeekNumber, kTwoMonths, kRightFourLines}},
        {"W0N1", {kTopOneLine, kHideWeekdayIndexWithWeekNumber, kFiveLines, kBottomTwoLines}},
        {"L0D6B1", {kTitleBar, kShowWeekdayIndex, kSixLines, kBottomOneLine}},
        {"B3", {kTopOneLine, kShowWeekdayIndex, kFiveLines, kBottomThreeLines}},
        {"R3", {kTopOneLine, kShowWeekdayIndex, kFiveLines, kRightThreeLines}},
        {"R0", {kTopOneLine, kShowWeekdayIndex, kFiveLines, kNoFooter}},
        {"D5B", defaults},  // a lone last character is not read
        {"T\x01"
         "0",
         defaults},  // nor anything after a control character
        {"d0\xe9x", {kTopOneLine, kShowWeekdayIndex, kTwoMonths, kBottomTwoLines}},
        {"T2", defaults},  // the digit must match exactly
        {"T1W1N0D5B2M6", {kTopOneLine, kShowWeekdayIndex, kSixMonths, kBottomTwoLines}},
        {"D6R3MY", {kTopOneLine, kShowWeekdayIndex, kTwelveMonths, kRightThreeLines}},
        {"M3D6", {kTopOneLine, kShowWeekdayIndex, kSixLines, kBottomTwoLines}},  // the later pair holds
    };
    for (const auto& c : cases) EXPECT_EQ(DesignOf(c.text, defaults), c.design) << c.text;
    EXPECT_EQ(DesignText(defaults), "T1W1N0D5B2");
    // A year view as an older version reads it, up to the pair it does not know: five lines.
    EXPECT_EQ(DesignText({kTopOneLine, kShowWeekdayIndex, kTwelveMonths, kNoFooter}), "T1W1N0D5B0MY");
    // Every design is written as pairs that read back to it.
    for (int h = 0; h < 3; ++h) {
        for (int w = 0; w < 4; ++w) {
            for (int r = 0; r < kRowsStyleCount; ++r) {
                for (int f = 0; f < 6; ++f) {
                    const Design d = Design::FromValues(h, w, r, f);
                    EXPECT_EQ(DesignOf(DesignText(d), Design::FromValues(2, 3, 2, 5)), d) << DesignText(d);
                }
            }
        }
    }
}

TEST(SettingsText, FlagsCountDownAndFormatLines) {
    const struct {
        const char* text;
        ViewFlags flags;
    } cases[] = {
        {"pcn", {false, false, false}}, {"PpC", {false, true, false}},    {"PCN", {true, true, true}},
        {"xyzN", {false, false, true}}, {"N\x01P", {false, false, true}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FlagsOf(c.text, {}), c.flags) << c.text;
        EXPECT_EQ(FlagsOf(FlagsText(c.flags), {true, true, true}), c.flags) << c.text;
    }
    EXPECT_EQ(FlagsText({true, false, true}), "PcN");

    const CountDown read = CountDownOf("1,2024/05/08,-10,5");
    EXPECT_EQ(read, (CountDown{true, CalDate(2024, 5, 8), -10, 5}));
    EXPECT_EQ(CountDownText(read), "1,2024/05/08,-10,5");
    EXPECT_EQ(CountDownText({false, CalDate(987, 1, 2), 0, 1}), "0,0987/01/02,0,1");
    EXPECT_EQ(CountDownOf("1"), (CountDown{true, CalDate(), 0, 0}));  // missing numbers are 0
    EXPECT_EQ(CountDownOf("0,0x7E8/5/8,3"), (CountDown{false, CalDate(2024, 5, 8), 3, 0}));

    EXPECT_EQ(FormatFileLines("a\r\n\r\nc\nd\re\ff\r\ng\r\nh\r\ni\r\n"),
              (std::vector<std::string>{"a", "", "c", "d", "e", "f", "g", "h"}));
    EXPECT_EQ(FormatFileLines(""), std::vector<std::string>{});
}

}  // namespace
}  // namespace tavoli
