// Command-line arguments of the companion tool: dates, times, zone offsets.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/cal_date.h"

namespace tavoli::tool {

// YYYY-MM-DD or YYYY/MM/DD, a real day of years 0 … 9999.
std::optional<CalDate> ParseDate(std::string_view text);
// HH:MM:SS or HH:MM:SS.mmm.
std::optional<TimeOfDay> ParseTime(std::string_view text);
// ±HHMM (the sign may be left out): the offset east of Greenwich.
std::optional<TimeOfDay> ParseZone(std::string_view text);

// The arguments after the command, with the options taken out.
struct Arguments {
    std::vector<std::string> positional;
    std::optional<std::string> zone;      // --tz
    std::optional<std::string> eraList;   // --era
    std::optional<std::string> codePage;  // --codepage
    bool help = false;
    std::string error;  // an unknown option or a missing value
};

Arguments SplitArguments(const std::vector<std::string>& arguments);

}  // namespace tavoli::tool
