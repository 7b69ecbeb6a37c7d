// The list of installed font faces as the options dialog offers it.
#pragma once

#include <string>
#include <vector>

namespace tavoli {

struct ReportedFace {
    std::string name;  // as the system reports it ("@" marks a vertical variant)
    bool trueType = false;
};

// Names without a leading "@", TrueType ones only when asked, each once, sorted by
// unsigned byte comparison (a name before any longer name that it begins).
std::vector<std::string> SortedFontFaces(const std::vector<ReportedFace>& reported, bool trueTypeOnly);

}  // namespace tavoli
