// How the settings are written as texts and read back: read leniently (missing numbers
// are 0, ranges clamped, unknown letters ignored), written canonically.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/pixel_color.h"
#include "settings/design.h"
#include "settings/view_style.h"

namespace tavoli {

// Every integer of the text: runs of decimal digits, "-" directly before a digit
// negating, any other character separating; after a leading "0" the letters b, o, d, x,
// h (either case) switch the rest of that number to base 2, 8, 10 or 16. Numbers that
// would not fit stop growing at the int64 limits.
std::vector<int64_t> NumbersOf(std::string_view text);
// The number at an index; a missing number reads as 0.
int64_t NumberAt(const std::vector<int64_t>& numbers, size_t index);
// The same cut to the 32-bit range, for values that go into ints.
int32_t Int32At(const std::vector<int64_t>& numbers, size_t index);

// Every decimal digit up to the first "." in order, all else skipped; a sign met before
// the first non-zero digit counts; the value stops growing at 2147483647.
int32_t SingleIntegerOf(std::string_view text);

// "#RRGGBB[AA]" or up to four numbers (red, green, blue, opacity), each clamped to
// 0 … 255; the colour is opaque unless an opacity is given.
PixelColor ColorOf(std::string_view text);
// "(r,g,b)", or "(r,g,b,opacity)" for a colour with transparency.
std::string ColorText(PixelColor color);

// A name list as stored: an empty one would read back as "keep the default", a blank
// keeps it empty.
inline std::string BlankIfEmpty(const std::string& names) { return names.empty() ? " " : names; }

// Letter-digit pairs changing one style each, from the current design; reading stops at
// the first pair that is not known.
Design DesignOf(std::string_view text, Design current);
std::string DesignText(const Design& design);

struct ViewFlags {
    bool emphasis = false;       // "P"
    bool clock = false;          // "C"
    bool neighbourDays = false;  // "N"
    bool operator==(const ViewFlags& o) const = default;
};
// Upper case sets, lower case clears; the last letter of each kind decides.
ViewFlags FlagsOf(std::string_view text, ViewFlags current);
std::string FlagsText(const ViewFlags& flags);

// "s,YYYY/MM/DD,b,i": shown, target, days before, interval.
CountDown CountDownOf(std::string_view text);
std::string CountDownText(const CountDown& countDown);

// The first eight lines of format.txt (an empty line keeps that format).
std::vector<std::string> FormatFileLines(std::string_view contents);

}  // namespace tavoli
