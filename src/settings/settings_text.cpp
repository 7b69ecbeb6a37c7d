#include "settings/settings_text.h"

#include <algorithm>
#include <limits>

#include "framework/text_lines.h"

namespace tavoli {

namespace {

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return 99;
}

int BaseOfLetter(char c) {
    switch (c) {
    case 'b':
    case 'B': return 2;
    case 'o':
    case 'O': return 8;
    case 'd':
    case 'D': return 10;
    case 'x':
    case 'X':
    case 'h':
    case 'H': return 16;
    default: return 0;
    }
}

// value × base + digit, stopping at the int64 limit instead of overflowing.
int64_t Grow(int64_t value, int base, int digit) {
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    if (value > (kMax - digit) / base) return kMax;
    return value * base + digit;
}

uint8_t Clamp255(int64_t v) { return static_cast<uint8_t>(std::clamp<int64_t>(v, 0, 255)); }

bool Printable(char c) { return static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) <= 0x7E; }

}  // namespace

std::vector<int64_t> NumbersOf(std::string_view text) {
    std::vector<int64_t> numbers;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] < '0' || text[i] > '9') {
            ++i;
            continue;
        }
        const bool negative = i > 0 && text[i - 1] == '-';
        int base = 10;
        if (text[i] == '0' && i + 1 < text.size() && BaseOfLetter(text[i + 1]) != 0) {
            base = BaseOfLetter(text[i + 1]);
            i += 2;
        }
        int64_t value = 0;
        for (; i < text.size() && DigitValue(text[i]) < base; ++i) value = Grow(value, base, DigitValue(text[i]));
        numbers.push_back(negative ? -value : value);
    }
    return numbers;
}

int64_t NumberAt(const std::vector<int64_t>& numbers, size_t index) {
    return index < numbers.size() ? numbers[index] : 0;
}

int32_t Int32At(const std::vector<int64_t>& numbers, size_t index) {
    return static_cast<int32_t>(std::clamp<int64_t>(NumberAt(numbers, index), std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int32_t SingleIntegerOf(std::string_view text) {
    constexpr int64_t kMax = 2147483647;
    int64_t value = 0;
    bool negative = false;
    for (char c : text) {
        if (c == '.') break;
        if (c >= '0' && c <= '9') {
            value = std::min(kMax, value * 10 + (c - '0'));
        } else if ((c == '-' || c == '+') && value == 0) {
            negative = c == '-';
        }
    }
    return static_cast<int32_t>(negative ? -value : value);
}

PixelColor ColorOf(std::string_view text) {
    if (!text.empty() && text.front() == '#') {
        uint32_t digits = 0;
        int count = 0;
        for (size_t i = 1; i < text.size() && count < 8 && DigitValue(text[i]) < 16; ++i, ++count) {
            digits = digits << 4 | static_cast<uint32_t>(DigitValue(text[i]));
        }
        if (count == 8) {
            return PixelColor::Rgb(static_cast<uint8_t>(digits >> 24), static_cast<uint8_t>(digits >> 16),
                                   static_cast<uint8_t>(digits >> 8), static_cast<uint8_t>(255 - (digits & 0xFF)));
        }
        if (count >= 6) {
            if (count == 7) digits >>= 4;  // the first six digits
            return PixelColor::Rgb(static_cast<uint8_t>(digits >> 16), static_cast<uint8_t>(digits >> 8),
                                   static_cast<uint8_t>(digits));
        }
        return PixelColor::Rgb(0, 0, 0);
    }
    const std::vector<int64_t> n = NumbersOf(text);
    PixelColor color = PixelColor::Rgb(Clamp255(NumberAt(n, 0)), Clamp255(NumberAt(n, 1)), Clamp255(NumberAt(n, 2)));
    if (n.size() >= 4) color.transparency = static_cast<uint8_t>(255 - Clamp255(n[3]));
    return color;
}

std::string ColorText(PixelColor color) {
    std::string text =
        "(" + std::to_string(color.red) + "," + std::to_string(color.green) + "," + std::to_string(color.blue);
    if (color.transparency != 0) text += "," + std::to_string(255 - color.transparency);
    return text + ")";
}

Design DesignOf(std::string_view text, Design current) {
    Design design = current;
    bool indexHidden = design.weekday == kHideWeekdayIndex || design.weekday == kHideWeekdayIndexWithWeekNumber;
    bool weekNumbers =
        design.weekday == kShowWeekdayIndexWithWeekNumber || design.weekday == kHideWeekdayIndexWithWeekNumber;
    for (size_t i = 0; i + 2 <= text.size(); i += 2) {
        const char letter = text[i], digit = text[i + 1];
        if (!Printable(letter) || !Printable(digit)) break;
        const char l = static_cast<char>(letter >= 'a' && letter <= 'z' ? letter - 'a' + 'A' : letter);
        const std::string pair{l, digit};
        if (pair == "T1") design.header = kTopOneLine;
        else if (pair == "L2") design.header = kLeftTwoLines;
        else if (pair == "T0" || pair == "L0") design.header = kTitleBar;
        else if (pair == "W1") indexHidden = false;
        else if (pair == "W0") indexHidden = true;
        else if (pair == "N1") weekNumbers = true;
        else if (pair == "N0") weekNumbers = false;
        else if (pair == "D6") design.rows = kSixLines;
        else if (pair == "D5") design.rows = kFiveLines;
        else if (pair == "D0") design.rows = kTwoMonths;
        else if (pair == "M3") design.rows = kThreeMonths;
        else if (pair == "M6") design.rows = kSixMonths;
        else if (pair == "MY") design.rows = kTwelveMonths;
        else if (pair == "B1") design.footer = kBottomOneLine;
        else if (pair == "B2") design.footer = kBottomTwoLines;
        else if (pair == "B3") design.footer = kBottomThreeLines;
        else if (pair == "R3") design.footer = kRightThreeLines;
        else if (pair == "R4") design.footer = kRightFourLines;
        else if (pair == "B0" || pair == "R0") design.footer = kNoFooter;
        else break;
        design.weekday = static_cast<WeekdayStyle>((indexHidden ? 1 : 0) + (weekNumbers ? 2 : 0));
    }
    return design;
}

std::string DesignText(const Design& design) {
    static const char* const kHeader[] = {"T1", "L2", "T0"};
    static const char* const kWeekday[] = {"W1N0", "W0N0", "W1N1", "W0N1"};
    // The views of several months are a pair after the others, which older versions stop
    // at: they read the rest, and show one month of five lines.
    static const char* const kRows[] = {"D6", "D5", "D0", "D5", "D5", "D5"};
    static const char* const kMonthViews[] = {"", "", "", "M3", "M6", "MY"};
    static const char* const kFooter[] = {"B1", "B2", "B3", "R3", "R4", "B0"};
    // Values cast from elsewhere are taken as the view takes them: out of range is 0.
    const Design d = Design::FromValues(design.header, design.weekday, design.rows, design.footer);
    return std::string(kHeader[d.header]) + kWeekday[d.weekday] + kRows[d.rows] + kFooter[d.footer] +
           kMonthViews[d.rows];
}

ViewFlags FlagsOf(std::string_view text, ViewFlags current) {
    ViewFlags flags = current;
    for (char c : text) {
        if (!Printable(c)) break;
        switch (c) {
        case 'P': flags.emphasis = true; break;
        case 'p': flags.emphasis = false; break;
        case 'C': flags.clock = true; break;
        case 'c': flags.clock = false; break;
        case 'N': flags.neighbourDays = true; break;
        case 'n': flags.neighbourDays = false; break;
        default: break;
        }
    }
    return flags;
}

std::string FlagsText(const ViewFlags& flags) {
    return std::string(1, flags.emphasis ? 'P' : 'p') + (flags.clock ? 'C' : 'c') + (flags.neighbourDays ? 'N' : 'n');
}

CountDown CountDownOf(std::string_view text) {
    const std::vector<int64_t> n = NumbersOf(text);
    CountDown countDown;
    countDown.shown = NumberAt(n, 0) != 0;
    countDown.target = CalDate(Int32At(n, 1), Int32At(n, 2), Int32At(n, 3));
    countDown.range = Int32At(n, 4);
    countDown.interval = Int32At(n, 5);
    return countDown;
}

std::string CountDownText(const CountDown& countDown) {
    return std::string(countDown.shown ? "1" : "0") + "," + countDown.target.Text() + "," +
           std::to_string(countDown.range) + "," + std::to_string(countDown.interval);
}

std::vector<std::string> FormatFileLines(std::string_view contents) {
    std::vector<std::string> lines;
    TextLineReader reader(contents);
    std::string_view line;
    while (lines.size() < 8 && reader.Next(line)) lines.emplace_back(line);
    return lines;
}

}  // namespace tavoli
