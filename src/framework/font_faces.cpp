#include "framework/font_faces.h"

#include <algorithm>

namespace tavoli {

std::vector<std::string> SortedFontFaces(const std::vector<ReportedFace>& reported, bool trueTypeOnly) {
    std::vector<std::string> faces;
    for (const ReportedFace& face : reported) {
        if (trueTypeOnly && !face.trueType) continue;
        std::string name = !face.name.empty() && face.name.front() == '@' ? face.name.substr(1) : face.name;
        if (std::find(faces.begin(), faces.end(), name) == faces.end()) faces.push_back(std::move(name));
    }
    std::sort(faces.begin(), faces.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        });
    });
    return faces;
}

}  // namespace tavoli
