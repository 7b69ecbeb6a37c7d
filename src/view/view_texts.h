// The calendar's texts that need no view: the month as plain text, the window title and
// the name lists with their defaults.
#pragma once

#include <string>
#include <vector>

#include "calendar/cal_date.h"
#include "events/calendar_sources.h"
#include "settings/settings_record.h"

namespace tavoli {

// A month as eight lines of text, the week starting on Sunday (in English where the code
// page cannot hold the Japanese words).
std::vector<std::string> MonthAsText(int year, int month);
// `count` months from the first as the views of several show them: `perRow` months side by
// side, each month's eight lines padded to the widest of them and two blanks apart, rows of
// months a blank line apart; no line ends in blanks.
std::vector<std::string> MonthsAsText(int firstYear, int firstMonth, int count, int perRow);
// The title: the month in the "Title-bar" style, else the application's title; with the
// clock, the time of `now` follows.
std::string WindowTitle(const SettingsRecord& settings, int year, int month, const CalDateTime& now);
// The same for a view of `count` months from (year, month): with the "Title-bar" style, the
// year of a year view ("2026"), the first and the last month of a view of three or six
// ("2026/11 – 2027/1"); one or two months as above.
std::string WindowTitle(const SettingsRecord& settings, int year, int month, int count, const CalDateTime& now);
// A day's appointments into the footer's lines: into the lines after the `dateLines` of
// the templates that the names and the memo leave empty, then into the lines the footer
// has beyond them (`capacity` in all), the last with "+N more" where they do not fit; with
// no line free, after the last line's text.
void PlaceAppointments(const std::vector<DayAppointment>& appointments, size_t dateLines, size_t capacity,
                       std::vector<std::string>& lines);
// A name list of the settings, or the program's own when it is empty.
std::string NamesOr(const std::string& names, const char* defaults);

}  // namespace tavoli
