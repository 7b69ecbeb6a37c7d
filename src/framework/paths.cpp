#include "framework/paths.h"

#include "framework/lang_text.h"
#include "framework/platform.h"

namespace tavoli {

namespace {

struct PathSplit {
    std::string_view drive, folder, name, extension;
};

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

PathSplit Split(std::string_view path) {
    size_t start = 0;
    while (start < path.size()) {
        const auto c = static_cast<unsigned char>(path[start]);
        if (c == ' ' || c < 0x20 || c == 0x7F || c == '"') ++start;
        else break;
    }
    if (path.substr(start, 4) == "\\\\?\\") start += 4;
    const std::string_view rest = path.substr(start);

    // Walk by characters, remembering where the separators and dots are.
    size_t colon = std::string_view::npos, lastSeparator = std::string_view::npos, lastDot = std::string_view::npos;
    bool sawSeparator = false;
    const char* const begin = rest.data();
    const char* const end = begin + rest.size();
    for (const char* p = begin; p < end;) {
        const char* at = p;
        const CharStep step = NextChar(p, end);
        if (step.length != 1) continue;
        const size_t i = static_cast<size_t>(at - begin);
        if (*at == ':' && colon == std::string_view::npos && !sawSeparator) colon = i;
        if (IsSeparator(*at)) {
            lastSeparator = i;
            sawSeparator = true;
            lastDot = std::string_view::npos;  // a dot counts only in the file name
        }
        if (*at == '.') lastDot = i;
    }
    PathSplit split;
    const size_t folderStart = colon == std::string_view::npos ? 0 : colon + 1;
    split.drive = rest.substr(0, folderStart);
    const size_t nameStart = lastSeparator == std::string_view::npos ? folderStart : lastSeparator + 1;
    split.folder = rest.substr(folderStart, nameStart - folderStart);
    const std::string_view file = rest.substr(nameStart);
    if (lastDot != std::string_view::npos && lastDot >= nameStart) {
        split.name = file.substr(0, lastDot - nameStart);
        split.extension = file.substr(lastDot - nameStart);
    } else {
        split.name = file;
    }
    return split;
}

}  // namespace

std::string PathPart(std::string_view path, std::string_view letters) {
    if (path.size() >= kMaxPathBytes) return {};
    const PathSplit split = Split(path);
    std::string result;
    for (char letter : letters) {
        switch (letter) {
        case 'd': result += split.drive; break;
        case 'p': result += split.folder; break;
        case 'f': result += split.name; break;
        case 'e': result += split.extension; break;
        default: break;
        }
    }
    return result;
}

std::string RenameExtension(std::string_view path, std::string_view extension) {
    if (path.size() >= kMaxPathBytes) return {};
    const PathSplit split = Split(path);
    const size_t keep = static_cast<size_t>(split.name.data() + split.name.size() - path.data());
    std::string result(path.substr(0, keep));
    if (!extension.empty() && extension.front() != '.') result += '.';
    result += extension;
    if (result.size() >= kMaxPathBytes) return {};
    return result;
}

char CopyMode(std::string_view options) {
    char mode = 'F';
    for (char c : options) {
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) break;
        if (c == 'F' || c == 'f') mode = 'F';
        else if (c == 'W' || c == 'w') mode = 'W';
        else if (c == 'R' || c == 'r') mode = 'R';
    }
    return mode;
}

std::string NumberedVariant(std::string_view path, int n) {
    const PathSplit split = Split(path);
    const size_t keep = static_cast<size_t>(split.name.data() + split.name.size() - path.data());
    return std::string(path.substr(0, keep)) + " (" + std::to_string(n) + ")" + std::string(split.extension);
}

std::string VersionString(std::string_view name) { return CurrentPlatform().VersionString(name); }

}  // namespace tavoli
