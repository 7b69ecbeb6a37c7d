// The calendar's texts that need no view: the month as plain text, the window title and
// the name lists with their defaults.
#pragma once

#include <string>
#include <vector>

#include "calendar/cal_date.h"
#include "settings/settings_record.h"

namespace tavoli {

// A month as eight lines of text, the week starting on Sunday (in English where the code
// page cannot hold the Japanese words).
std::vector<std::string> MonthAsText(int year, int month);
// The title: the month in the "Title-bar" style, else the application's title; with the
// clock, the time of `now` follows.
std::string WindowTitle(const SettingsRecord& settings, int year, int month, const CalDateTime& now);
// A name list of the settings, or the program's own when it is empty.
std::string NamesOr(const std::string& names, const char* defaults);

}  // namespace tavoli
