// An appointment's text (UTF-8 in its file) in the system's code page, as the calendar
// shows it: what the code page holds, or comes near to, as such; a run of characters it
// cannot hold at all as one ellipsis, never as a row of "?".
#pragma once

#include <string>
#include <string_view>

namespace tavoli {

std::string EventTextInCodePage(std::string_view utf8);

}  // namespace tavoli
