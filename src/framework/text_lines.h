// Text files as lists of lines: split at CR, LF, FF or NUL (a CR followed by LF, FF or
// NUL is one ending), written with CR LF after every line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/error.h"

namespace tavoli {

// Walks the lines of a text without copying them.
class TextLineReader {
public:
    explicit TextLineReader(std::string_view contents) : contents_(contents) {}
    // The next line (a view into the contents); false after the last one.
    bool Next(std::string_view& line);
    // Where the next line starts.
    size_t Offset() const { return next_; }

private:
    std::string_view contents_;
    size_t next_ = 0;
};

// Appends the lines of the contents, unchanged, to the list.
void SplitTextLines(std::string_view contents, std::vector<std::string>& lines);

// Editors that save in UTF-8 may put a byte-order mark first, which no reader of the
// program's files wants as text: removes it from the contents, true when there was one.
bool SkipByteOrderMark(std::string_view& contents);
// Whether text that began with the mark is misread in the system's code page: it holds
// bytes beyond ASCII and that code page is not UTF-8.
bool Utf8ReadAsAnsi(std::string_view contents);
// What the load message says of such a file: its path, that it is in UTF-8 and that it
// is best saved in the system's code page.
std::string Utf8ReadAsAnsiNote(std::string_view path);

// The lines of a file (appended to the list), without a leading byte-order mark; the
// first error of opening, mapping and closing is the result ("memory_alloc" when the
// lines do not fit in memory). byteOrderMark, when given, says whether the file began with
// the mark (it is in UTF-8).
ErrorValue ReadTextLines(const std::string& path, std::vector<std::string>& lines, bool* byteOrderMark = nullptr);

// Replaces the file with the lines, each followed by CR LF; an empty list makes an
// empty file. Written with ordinary writes beside the file and put in its place, so that
// a full disk or a crash leaves the old file.
ErrorValue WriteTextLines(const std::string& path, const std::vector<std::string>& lines);

}  // namespace tavoli
