#include "framework/text_lines.h"

#include <cstring>

#include "framework/mapped_file.h"

namespace tavoli {

namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n' || c == '\f' || c == '\0'; }

}  // namespace

void SplitTextLines(std::string_view contents, std::vector<std::string>& lines) {
    size_t start = 0;
    const size_t size = contents.size();
    while (start < size) {
        size_t end = start;
        while (end < size && !IsLineEnd(contents[end])) ++end;
        lines.emplace_back(contents.substr(start, end - start));
        if (end >= size) break;
        size_t next = end + 1;
        if (contents[end] == '\r' && next < size && contents[next] != '\r' && IsLineEnd(contents[next])) ++next;
        start = next;
    }
}

ErrorValue ReadTextLines(const std::string& path, std::vector<std::string>& lines) {
    MappedFile file;
    ErrorValue error = file.Open(path, MappedFile::kRead);
    if (error == kSuccess) error = file.Map();
    if (error == kSuccess) SplitTextLines(std::string_view(file.Begin(), file.Size()), lines);
    const ErrorValue closed = file.Close();
    return error != kSuccess ? error : closed;
}

ErrorValue WriteTextLines(const std::string& path, const std::vector<std::string>& lines) {
    uint64_t size = 0;
    for (const std::string& line : lines) size += line.size() + 2;
    MappedFile file;
    ErrorValue error = file.Open(path, MappedFile::kWrite);
    if (error == kSuccess && size > 0) error = file.Resize(size);
    if (error == kSuccess && size > 0) {
        char* out = file.Begin();
        for (const std::string& line : lines) {
            std::memcpy(out, line.data(), line.size());
            out += line.size();
            *out++ = '\r';
            *out++ = '\n';
        }
    }
    const ErrorValue closed = file.Close();
    return error != kSuccess ? error : closed;
}

}  // namespace tavoli
