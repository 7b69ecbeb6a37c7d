// The texts that controls give back: cut to a number of bytes without splitting a
// character of the ANSI code page, and a memo made one line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavoli {

// The most a control's text and a memo may hold.
constexpr size_t kMaxControlTextBytes = 255;

// What the memo editor keeps of its edit's text: the first line (a memo is one line of
// the memo file; what follows a CR, LF or form feed is dropped, as a one-line edit drops
// it when such a text is pasted), cut to 255 bytes on a character boundary.
std::string MemoFromEditText(std::string_view text);

}  // namespace tavoli
