// The jump, count-down and About dialogs. Each runs modally and returns whether the user
// pressed OK; Cancel, Escape and the close box change nothing. An owner of nullptr is the
// top-level ancestor of the active window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "settings/view_style.h"

namespace tavoli {

// Asks for a month: the spin edits start at year and month; on OK both are replaced by
// what the spin edits hold (year 1 … 3999, month 1 … 12 as far as the spinners bound
// them), for the caller to normalise.
bool RunJumpDialog(int& year, int& month, HWND owner = nullptr);

// The count-down settings: target date, days before the target (the range negated), the
// interval, and "Show counter", which is ticked at every open so that OK turns the
// count-down on unless the user clears it. On OK all four values are replaced; the
// target is the date of the three fields (day 31 of a 30-day month is the first of the
// next month).
bool RunCountDownDialog(CountDown& countDown, HWND owner = nullptr);

// The application's title, version, notice and web site, with OK.
void RunAboutDialog(HWND owner = nullptr);

// "Why this day?": the lines in a box that the user can select and copy from, with OK.
void RunDayTraceDialog(const std::vector<std::string>& lines, HWND owner = nullptr);

}  // namespace tavoli
