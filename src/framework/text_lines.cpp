#include "framework/text_lines.h"

#include <new>

#include "framework/lang_text.h"
#include "framework/mapped_file.h"
#include "framework/platform.h"
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

bool SkipByteOrderMark(std::string_view& contents) {
    constexpr std::string_view kMark = "\xEF\xBB\xBF";
    if (contents.substr(0, kMark.size()) != kMark) return false;
    contents.remove_prefix(kMark.size());
    return true;
}

bool Utf8ReadAsAnsi(std::string_view contents) {
    if (CurrentPlatform().AnsiCodePage() == kCodePageUtf8) return false;
    for (char c : contents) {
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    }
    return false;
}

std::string Utf8ReadAsAnsiNote(std::string_view path) {
    return std::string(path) + "\n" +
           ResolveText(
               "This file is saved in UTF-8, but the system reads text in its own code page: letters other "
               "than ASCII show wrongly. Save it in the system's code page (ANSI).\tja:このファイルはUTF-8で"
               "保存されていますが、システムは自分の文字コードでテキストを読むため、ASCII以外の文字が正しく表示"
               "されません。システムの文字コード(ANSI、シフトJIS)で保存してください。");
}

ErrorValue ReadTextLines(const std::string& path, std::vector<std::string>& lines, bool* byteOrderMark) {
    if (byteOrderMark) *byteOrderMark = false;
    MappedFile file;
    ErrorValue error = file.Open(path, MappedFile::kRead);
    if (error == kSuccess) error = file.Map();
    if (error == kSuccess) {
        try {
            std::string_view contents(file.Begin(), file.Size());
            const bool mark = SkipByteOrderMark(contents);
            if (byteOrderMark) *byteOrderMark = mark;
            SplitTextLines(contents, lines);
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
