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

// The lines of a file (appended to the list); the first error of opening, mapping and
// closing is the result ("memory_alloc" when the lines do not fit in memory).
ErrorValue ReadTextLines(const std::string& path, std::vector<std::string>& lines);

// Replaces the file with the lines, each followed by CR LF; an empty list makes an
// empty file. Written with ordinary writes beside the file and put in its place, so that
// a full disk or a crash leaves the old file.
ErrorValue WriteTextLines(const std::string& path, const std::vector<std::string>& lines);

}  // namespace tavoli
