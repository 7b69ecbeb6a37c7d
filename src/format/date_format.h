// The template language in which every date is written: "%Y/%M/%D", "%W?A{1="先勝",…}",
// "%Y<(%G%g{1="元"})>年". What cannot be evaluated is left out; nothing reports an error.
#pragma once

#include <string>
#include <string_view>

#include "calendar/cal_date.h"
#include "framework/lang_text.h"

namespace tavoli {

// A map number of 1,000,000 or more makes the whole result empty. The template is read
// character by character in its encoding (the empty tag: the system code page).
std::string DateFormat(std::string_view templateText, CalDate date, std::string_view eraList = {},
                       PackedTag encoding = 0);
std::string DateFormat(std::string_view templateText, const CalDateTime& moment, std::string_view eraList = {},
                       PackedTag encoding = 0);

}  // namespace tavoli
