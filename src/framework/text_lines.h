// Text files as lists of lines: split at CR, LF, FF or NUL (a CR followed by LF, FF or
// NUL is one ending), written with CR LF after every line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/error.h"

namespace tavoli {

// Appends the lines of the contents, unchanged, to the list.
void SplitTextLines(std::string_view contents, std::vector<std::string>& lines);

// The lines of a file (appended to the list); the first error of opening, mapping and
// closing is the result.
ErrorValue ReadTextLines(const std::string& path, std::vector<std::string>& lines);

// Replaces the file with the lines, each followed by CR LF; an empty list makes an
// empty file.
ErrorValue WriteTextLines(const std::string& path, const std::vector<std::string>& lines);

}  // namespace tavoli
