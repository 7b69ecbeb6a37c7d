#include "memo/memo_store.h"

#include <new>

#include "format/date_format.h"
#include "format/default_formats.h"
#include "framework/lang_text.h"
#include "framework/messages.h"
#include "framework/number_text.h"
#include "framework/paths.h"
#include "framework/text_lines.h"

namespace tavoli {

namespace {

const char* const kLoadFailed = "Failed to load memo.\tja:メモをロードできませんでした。";
const char* const kSaveFailed = "Failed to save memo.\tja:メモをセーブできませんでした。";

// YYYY/MM/DD; a year beyond four digits (only hand-edited files have one) keeps all its
// digits, so that the date reads back as the same day instead of losing its leftmost ones.
std::string DateKey(CalDate date) {
    const YearMonthDay ymd = date.Parts();
    if (ymd.year <= 9999) return date.Text();
    return FixedDigits(ymd.year, 0) + "/" + FixedDigits(ymd.month, 2) + "/" + FixedDigits(ymd.day, 2);
}

}  // namespace

void MemoStore::Clear() {
    entries_.clear();
    unreadLines_.clear();
    firstUnreadLine_ = 0;
}

MemoStore::LineResult MemoStore::ReadLine(std::string_view line, Entry& entry) {
    size_t start = 0;
    while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) ++start;
    if (start == line.size() || line[start] == ';') return LineResult::kNothing;
    size_t separator = start;
    for (; separator < line.size(); ++separator) {
        const auto c = static_cast<unsigned char>(line[separator]);
        if (c == '=' || c == '#') break;
        if (c < 0x20 || c > 0x7E) return LineResult::kMalformed;
    }
    if (separator == line.size()) return LineResult::kMalformed;
    // The date: the first three integers from the start of the key on.
    entry.date = CalDate::FromText(line.substr(start));
    entry.text = line[separator] == '=' ? std::string(line.substr(separator + 1)) : std::string(line.substr(separator));
    return entry.text.empty() ? LineResult::kNothing : LineResult::kEntry;
}

ErrorValue MemoStore::LoadMemos(const std::string& path) {
    Clear();
    if (!FileExists(path)) return kSuccess;
    std::vector<std::string> lines;
    const ErrorValue error = ReadTextLines(path, lines);
    if (error != kSuccess) return error;
    return ReadLines(lines);
}

ErrorValue MemoStore::ReadLines(const std::vector<std::string>& lines) {
    Clear();
    for (size_t i = 0; i < lines.size(); ++i) {
        Entry entry;
        const LineResult result = ReadLine(lines[i], entry);
        bool stop = result == LineResult::kMalformed;
        if (result == LineResult::kEntry) {
            if (entries_.size() >= kMaxEntries) {
                stop = true;
            } else {
                try {
                    entries_.push_back(std::move(entry));
                } catch (const std::bad_alloc&) {
                    stop = true;
                }
            }
        }
        if (stop) {
            firstUnreadLine_ = static_cast<int>(i + 1);
            unreadLines_.assign(lines.begin() + static_cast<std::ptrdiff_t>(i), lines.end());
            return 1;
        }
    }
    return kSuccess;
}

std::vector<std::string> MemoStore::FileLines(const CalDateTime& savedAt) const {
    std::vector<std::string> lines;
    lines.reserve(entries_.size() + unreadLines_.size() + 1);
    lines.push_back(DateFormat(kMemoFileHeaderFormat, savedAt));
    for (const Entry& entry : entries_) lines.push_back(DateKey(entry.date) + "=" + entry.text);
    lines.insert(lines.end(), unreadLines_.begin(), unreadLines_.end());
    return lines;
}

ErrorValue MemoStore::SaveMemos(const std::string& path) const {
    std::vector<std::string> lines;
    try {
        lines = FileLines(Now(kLocalZone));
    } catch (const std::bad_alloc&) {
        return ErrorFromKey("memory_alloc");
    }
    // Written beside the file first and then put in its place, so that a failure while
    // writing never leaves a cut memo.txt behind.
    // Same length as the file's own name: the path stays within the limit the file's has.
    const std::string temporary = RenameExtension(path, ".tmp");
    if (temporary.empty() || temporary == path) return WriteTextLines(path, lines);
    ErrorValue error = WriteTextLines(temporary, lines);
    if (error == kSuccess) error = ReplaceFileWith(temporary, path);
    if (error != kSuccess) RemoveFile(temporary);
    return error;
}

std::string MemoStore::MemoOf(CalDate date) const {
    for (const Entry& entry : entries_) {
        if (entry.date == date) return entry.text;
    }
    return {};
}

bool MemoStore::HasMemo(CalDate date) const {
    for (const Entry& entry : entries_) {
        if (entry.date == date) return true;
    }
    return false;
}

bool MemoStore::SetMemo(CalDate date, std::string_view text) {
    lastError_ = kSuccess;
    if (text.empty()) {
        bool deleted = false;
        for (size_t i = entries_.size(); i-- > 0;) {
            if (entries_[i].date == date) {
                entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
                deleted = true;
            }
        }
        return deleted;
    }
    std::string line(text);
    for (char& c : line) {
        if (c == '\r' || c == '\n' || c == '\f' || c == '\0') c = ' ';
    }
    for (Entry& entry : entries_) {
        if (entry.date == date) {
            entry.text = std::move(line);
            return true;
        }
    }
    if (entries_.size() >= kMaxEntries) {
        lastError_ = ErrorFromKey("array_size");
        return false;
    }
    try {
        entries_.push_back({date, std::move(line)});
    } catch (const std::bad_alloc&) {
        lastError_ = ErrorFromKey("memory_alloc");
        return false;
    }
    return true;
}

ErrorValue LoadMemoFile(MemoStore& store, const std::string& path) {
    const bool exists = FileExists(path);
    const ErrorValue error = store.LoadMemos(path);
    if (exists && error != kSuccess) ShowMessage(ResolveText(kLoadFailed));
    return error;
}

ErrorValue SaveMemoFile(const MemoStore& store, const std::string& path) {
    ErrorValue error = MakeFolders(PathPart(path, "dp"));
    if (error == kSuccess) {
        if (FileExists(path)) error = CopyFileTo(path, RenameExtension(path, "bak"), "W");
        // The memos are written even without a backup: the file is replaced whole or not
        // at all, and the store holds every memo of the old file. The first error counts.
        const ErrorValue written = store.SaveMemos(path);
        if (error == kSuccess) error = written;
    }
    if (error != kSuccess) ShowMessage(ResolveText(kSaveFailed));
    return error;
}

}  // namespace tavoli
