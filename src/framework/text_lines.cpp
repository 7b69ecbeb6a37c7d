#include "framework/text_lines.h"

#include <new>

#include "framework/mapped_file.h"
#include "framework/whole_file.h"

namespace tavoli {

namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n' || c == '\f' || c == '\0'; }

}  // namespace

bool TextLineReader::Next(std::string_view& line) {
    const size_t size = contents_.size();
    if (next_ >= size) return false;
    size_t end = next_;
    while (end < size && !IsLineEnd(contents_[end])) ++end;
    line = contents_.substr(next_, end - next_);
    if (end >= size) {
        next_ = size;
        return true;
    }
    size_t after = end + 1;
    if (contents_[end] == '\r' && after < size && contents_[after] != '\r' && IsLineEnd(contents_[after])) ++after;
    next_ = after;
    return true;
}

void SplitTextLines(std::string_view contents, std::vector<std::string>& lines) {
    TextLineReader reader(contents);
    std::string_view line;
    while (reader.Next(line)) lines.emplace_back(line);
}

ErrorValue ReadTextLines(const std::string& path, std::vector<std::string>& lines) {
    MappedFile file;
    ErrorValue error = file.Open(path, MappedFile::kRead);
    if (error == kSuccess) error = file.Map();
    if (error == kSuccess) {
        try {
            SplitTextLines(std::string_view(file.Begin(), file.Size()), lines);
        } catch (const std::bad_alloc&) {
            error = ErrorFromKey("memory_alloc");
        }
    }
    const ErrorValue closed = file.Close();
    return error != kSuccess ? error : closed;
}

ErrorValue WriteTextLines(const std::string& path, const std::vector<std::string>& lines) {
    AtomicFileWriter writer;
    const ErrorValue error = writer.Begin(path);
    if (error != kSuccess) return error;
    for (const std::string& line : lines) {
        writer.Write(line);
        writer.Write("\r\n");
    }
    return writer.Commit();
}

}  // namespace tavoli
