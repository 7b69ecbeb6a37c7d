#include "holidays/holiday_set.h"

namespace tavoli {

namespace {

bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsCodeChar(char c) { return IsUpper(c) || (c >= '0' && c <= '9'); }

}  // namespace

std::vector<std::string> HolidaySetFiles(const std::string& folder, std::string_view set) {
    // "CC", or "CC-R" … "CC-RRR": ISO 3166-1 alpha-2 and the subdivision part of ISO 3166-2.
    if (set.size() < 2 || !IsUpper(set[0]) || !IsUpper(set[1])) return {};
    if (set.size() > 2) {
        if (set[2] != '-' || set.size() < 4 || set.size() > 6) return {};
        for (char c : set.substr(3)) {
            if (!IsCodeChar(c)) return {};
        }
    }
    const std::string base = folder.empty() || folder.back() == '/' || folder.back() == '\\' ? folder : folder + "/";
    std::vector<std::string> files;
    if (set.size() > 2) files.push_back(base + std::string(set) + ".txt");
    files.push_back(base + std::string(set.substr(0, 2)) + ".txt");
    return files;
}

std::string HolidaySetName(std::string_view line, bool region) {
    if (line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
    if (line.substr(0, 2) != "; ") return {};
    line.remove_prefix(2);
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos) return {};
    line = line.substr(0, colon);
    const size_t comma = line.find(", ");
    if (region != (comma != std::string_view::npos)) return {};
    return std::string(region ? line.substr(comma + 2) : line);
}

ErrorValue CompileHolidaySet(const std::string& folder, std::string_view set, HolidayScript& script,
                             std::vector<std::string>& report) {
    script.Clear();
    report.clear();
    const std::vector<std::string> files = HolidaySetFiles(folder, set);
    if (files.empty()) return ErrorFromKey("file_not_found");
    std::vector<HolidayScript> parts(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        const ErrorValue error = parts[i].CompileFile(files[i], report);
        if (error == kSuccess) continue;
        if (!report.empty()) report.insert(report.begin(), files[i]);
        return error;
    }
    std::vector<const HolidayScript*> pointers;
    for (const HolidayScript& part : parts) pointers.push_back(&part);
    script = HolidayScript::Composed(pointers);
    return kSuccess;
}

}  // namespace tavoli
