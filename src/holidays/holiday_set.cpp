#include "holidays/holiday_set.h"

#include <algorithm>

#include "framework/file_system.h"
#include "framework/platform.h"
#include "framework/text_lines.h"
#include "framework/whole_file.h"

namespace tavoli {

namespace {

bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsCodeChar(char c) { return IsUpper(c) || (c >= '0' && c <= '9'); }

}  // namespace

bool IsHolidaySetCode(std::string_view set) {
    if (set.size() < 2 || !IsUpper(set[0]) || !IsUpper(set[1])) return false;
    if (set.size() == 2) return true;
    if (set[2] != '-' || set.size() < 4 || set.size() > 6) return false;
    return std::all_of(set.begin() + 3, set.end(), IsCodeChar);
}

std::vector<std::string> HolidaySetFiles(const std::string& folder, std::string_view set) {
    // No folder (a program path the system could not give) would read the current one.
    if (folder.empty() || !IsHolidaySetCode(set)) return {};
    // Joined as the folder's own path is written: a Windows path takes a backslash.
    const char separator = folder.find('\\') != std::string::npos ? '\\' : '/';
    const std::string base = folder.back() == '/' || folder.back() == '\\' ? folder : folder + separator;
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
                             std::vector<std::string>& report, std::vector<ScriptText>* texts) {
    script.Clear();
    report.clear();
    std::vector<ScriptText> read;
    const std::vector<std::string> files = HolidaySetFiles(folder, set);
    if (files.empty()) {
        if (texts) texts->clear();
        return ErrorFromKey("file_not_found");
    }
    const ErrorValue error = CompileScripts(files, script, report, read);
    if (error != kSuccess && !report.empty()) report.insert(report.begin(), read.back().path);
    if (texts) *texts = std::move(read);
    return error;
}

ErrorValue CompileScripts(const std::vector<std::string>& files, HolidayScript& script,
                          std::vector<std::string>& report, std::vector<ScriptText>& texts) {
    script.Clear();
    texts.clear();
    std::vector<HolidayScript> parts(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        ScriptText text{files[i], {}};
        bool utf8 = false;
        ErrorValue error = ReadTextLines(text.path, text.lines, &utf8);
        if (error == kSuccess) error = parts[i].CompileLines(text.lines, report, utf8);
        // Shown as the names are.
        if (utf8) {
            for (std::string& line : text.lines) line = CurrentPlatform().FromUtf8(line);
        }
        texts.push_back(std::move(text));
        if (error != kSuccess) return error;
    }
    if (parts.size() == 1) {
        script = std::move(parts.front());
    } else if (!parts.empty()) {
        std::vector<const HolidayScript*> pointers;
        for (const HolidayScript& part : parts) pointers.push_back(&part);
        script = HolidayScript::Composed(pointers);
    }
    return kSuccess;
}

std::vector<HolidaySetEntry> ListHolidaySets(const std::string& folder) {
    std::vector<HolidaySetEntry> sets;
    if (folder.empty()) return sets;
    for (const std::string& file : FileNamesIn(folder)) {
        // A set's file name is its code and ".txt"; the system may give it in any case.
        if (file.size() < 6 || file.size() > 10) continue;
        std::string lower = file.substr(file.size() - 4);
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
        const std::string code = file.substr(0, file.size() - 4);
        if (lower != ".txt" || HolidaySetFiles(folder, code).empty()) continue;
        std::string contents;
        ReadFileContents(HolidaySetFiles(folder, code).front(), contents);
        std::string name = HolidaySetName(contents.substr(0, contents.find_first_of("\r\n")), code.size() > 2);
        sets.push_back({code, name.empty() ? code : std::move(name)});
    }
    // "DE" < "DE-BW" < "DK": a country before its regions.
    std::sort(sets.begin(), sets.end(),
              [](const HolidaySetEntry& a, const HolidaySetEntry& b) { return a.code < b.code; });
    return sets;
}

std::string FirstHolidaySet(bool scriptExists, std::string_view country, const std::vector<HolidaySetEntry>& sets) {
    if (scriptExists) return kNoHolidaySet;
    for (const HolidaySetEntry& entry : sets) {
        if (entry.code == country) return entry.code;
    }
    return {};
}

bool HasRegions(std::string_view set, const std::vector<HolidaySetEntry>& sets) {
    const std::string_view country = set.substr(0, 2);
    return std::any_of(sets.begin(), sets.end(), [country](const HolidaySetEntry& entry) {
        return entry.code.size() > 2 && entry.code.compare(0, 2, country) == 0;
    });
}

std::string HolidaySetLabel(const HolidaySetEntry& entry, const std::vector<HolidaySetEntry>& sets) {
    if (entry.code.size() <= 2) return entry.name;
    for (const HolidaySetEntry& other : sets) {
        if (other.code == entry.code.substr(0, 2)) return other.name + ": " + entry.name;
    }
    return entry.code.substr(0, 2) + ": " + entry.name;
}

}  // namespace tavoli
