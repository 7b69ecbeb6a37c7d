// Command-line arguments of the companion tool: dates, times, zone offsets.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calendar/cal_date.h"

namespace tavoli::tool {

// Whether the text is minimum … maximum ASCII digits, and their value (digits only).
bool Digits(std::string_view text, size_t minimum, size_t maximum);
int Number(std::string_view text);

// YYYY-MM-DD or YYYY/MM/DD, a real day of years 0 … 9999.
std::optional<CalDate> ParseDate(std::string_view text);
// HH:MM:SS or HH:MM:SS.mmm.
std::optional<TimeOfDay> ParseTime(std::string_view text);
// ±HHMM (the sign may be left out): the offset east of Greenwich.
std::optional<TimeOfDay> ParseZone(std::string_view text);

// The arguments after the command, with the options taken out. "--" ends the options:
// every argument after it is positional, so that a template or a file name may begin with
// "-".
struct Arguments {
    std::vector<std::string> positional;
    std::optional<std::string> zone;      // --tz
    std::optional<std::string> eraList;   // --era
    std::optional<std::string> codePage;  // --codepage
    // The values of the command's own options, in the order given.
    std::vector<std::pair<std::string, std::string>> options;
    bool help = false;
    std::string error;  // an unknown option or a missing value

    // The last value given for one of the command's own options.
    std::optional<std::string> Option(std::string_view name) const;
};

// commandOptions: the options with a value that this command takes besides the ones
// every command takes (--help, -h, --tz, --era, --codepage). Any other argument that
// begins with "--" is an unknown option; one that begins with a single "-" and is not
// one of the command's options is positional.
Arguments SplitArguments(const std::vector<std::string>& arguments,
                         const std::vector<std::string_view>& commandOptions = {});

}  // namespace tavoli::tool
