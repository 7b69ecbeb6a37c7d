// The shipped holiday sets: one script a country ("DE.txt") and one a region ("DE-BY.txt",
// ISO 3166 codes) in one folder. A set is the country's script with its region's on top.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/error.h"
#include "holidays/holiday_script.h"

namespace tavoli {

// The files of a set "CC" or "CC-RR", in the order they win: the region's, then the
// country's. Empty when the name is no such code.
std::vector<std::string> HolidaySetFiles(const std::string& folder, std::string_view set);

// The set compiled, the region's days on top of the country's. A file that cannot be read
// is the result; one that does not compile gives "script" and its report, naming the file.
ErrorValue CompileHolidaySet(const std::string& folder, std::string_view set, HolidayScript& script,
                             std::vector<std::string>& report);

// The name a set's script gives itself in its first line, "; Germany: …" for a country and
// "; Germany, Bavaria (Bayern): …" for a region (the region's part); empty when the line
// has no such form. The line may begin with a byte-order mark.
std::string HolidaySetName(std::string_view firstLine, bool region);

}  // namespace tavoli
