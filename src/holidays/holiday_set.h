// The shipped holiday sets: one script a country ("DE.txt") and one a region ("DE-BY.txt",
// ISO 3166 codes) in one folder. A set is the country's script with its region's on top.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/error.h"
#include "holidays/holiday_script.h"

namespace tavoli {

// Whether the name is a set's code: "CC", or "CC-R" … "CC-RRR" (ISO 3166-1 alpha-2 and
// the subdivision part of ISO 3166-2).
bool IsHolidaySetCode(std::string_view set);

// The files of a set "CC" or "CC-RR", in the order they win: the region's, then the
// country's. Empty when the name is no such code or there is no folder.
std::vector<std::string> HolidaySetFiles(const std::string& folder, std::string_view set);

// Script files compiled in the order they win and composed into one (a single one as it
// is), with the lines each was compiled from in the system's code page. Stops at the first
// that cannot be read or does not compile, whose lines are then the last of `texts`; the
// script is empty then.
ErrorValue CompileScripts(const std::vector<std::string>& files, HolidayScript& script,
                          std::vector<std::string>& report, std::vector<ScriptText>& texts);

// The set compiled, the region's days on top of the country's, and (when asked) the
// scripts' lines in the system's code page, in the same order. A file that cannot be read
// is the result; one that does not compile gives "script" and its report, naming the file.
ErrorValue CompileHolidaySet(const std::string& folder, std::string_view set, HolidayScript& script,
                             std::vector<std::string>& report, std::vector<ScriptText>* texts = nullptr);

// The name a set's script gives itself in its first line, "; Germany: …" for a country and
// "; Germany, Bavaria (Bayern): …" for a region (the region's part); empty when the line
// has no such form. The line may begin with a byte-order mark.
std::string HolidaySetName(std::string_view firstLine, bool region);

// A shipped set as a list shows it: its code and the name its first line gives (UTF-8, as
// the scripts are written; the code where the line gives none).
struct HolidaySetEntry {
    std::string code;
    std::string name;
};

// The sets in a folder, each country followed by its regions, by code.
std::vector<HolidaySetEntry> ListHolidaySets(const std::string& folder);

// The choice stored when the user chose none: a set's code, or this (holidays.txt alone).
constexpr const char* kNoHolidaySet = "none";

// The set a calendar with no stored choice starts with: none where the user has a
// holidays.txt (what they saw before stays as it was), else the system's country where a
// set for it ships, else still no choice (empty: a later version's set is taken then).
std::string FirstHolidaySet(bool scriptExists, std::string_view country, const std::vector<HolidaySetEntry>& sets);

// Whether the country of a set has regions to choose among.
bool HasRegions(std::string_view set, const std::vector<HolidaySetEntry>& sets);

// A set as the options dialog lists it ("Germany: Bavaria (Bayern)"), UTF-8.
std::string HolidaySetLabel(const HolidaySetEntry& entry, const std::vector<HolidaySetEntry>& sets);

}  // namespace tavoli
