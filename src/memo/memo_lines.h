// A memo of several lines in the one line memo.txt gives each day, and the forms it is
// shown in: its beginning in the footer, the whole in the tip and to screen readers.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavoli {

// The line breaks of a memo as the file keeps them: a control character that no text of
// the system's code pages holds (not a backslash, which is a Shift_JIS trail byte), so
// that an older version reads the memo whole, shows the marks and writes them back.
constexpr char kMemoLineBreak = '\x1F';
// The most a memo holds.
constexpr size_t kMaxMemoBytes = 8000;
// The most of a memo's first line the footer shows.
constexpr size_t kMemoBeginningBytes = 48;

// What the editor's text becomes: CR LF, CR and LF the memo's line breaks, form feeds and
// NUL blanks, breaks at either end dropped, cut to kMaxMemoBytes on a character boundary.
std::string MemoFromEditText(std::string_view text);
// The memo as the editor shows it: its breaks as CR LF.
std::string MemoEditText(std::string_view memo);
// The memo's lines joined by a text of one's own (a line break for the tip, a comma for
// screen readers).
std::string MemoLinesJoined(std::string_view memo, std::string_view between);
// The footer's form: the first line, cut on a character boundary, with "..." after it
// where more follows.
std::string MemoBeginning(std::string_view memo);
// Whether the memo holds the text, Latin letters of either case alike, every other
// character as typed (a double-byte character is compared whole).
bool MemoContains(std::string_view memo, std::string_view query);

}  // namespace tavoli
