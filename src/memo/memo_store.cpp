#include "memo/memo_store.h"

#include <new>

#include "format/date_format.h"
#include "format/default_formats.h"
#include "framework/file_system.h"
#include "framework/lang_text.h"
#include "framework/messages.h"
#include "framework/number_text.h"
#include "framework/paths.h"
#include "framework/text_lines.h"
#include "framework/whole_file.h"

namespace tavoli {

namespace {

const char* const kLoadFailed = "Failed to load memo.\tja:メモをロードできませんでした。";
const char* const kSaveFailed = "Failed to save memo.\tja:メモをセーブできませんでした。";
const char* const kSavedBeside =
    "The memo file could not be read, so it was left as it was. The memos were saved to this file "
    "instead:\tja:メモのファイルを読めなかったので、そのままにしました。メモは代わりに次のファイルにセーブしました:";

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
    std::string().swap(unreadText_);
    firstUnreadLine_ = 0;
    fileState_ = FileState::kNotRead;
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
    // The date: the first three integers from the start of the key on. One that names no
    // day the program can hold would be saved as another day: the line is kept as it is.
    if (!CalDate::FromTextExactly(line.substr(start), entry.date)) return LineResult::kMalformed;
    entry.text = line[separator] == '=' ? std::string(line.substr(separator + 1)) : std::string(line.substr(separator));
    return entry.text.empty() ? LineResult::kNothing : LineResult::kEntry;
}

ErrorValue MemoStore::LoadMemos(const std::string& path) {
    Clear();
    if (FolderExists(path)) {
        fileState_ = FileState::kWhole;
        return kSuccess;
    }
    std::string contents;
    const ErrorValue error = ReadFileContents(path, contents);
    if (error != kSuccess) {
        if (CurrentFileSystem().IsNotFound(error)) {
            fileState_ = FileState::kWhole;
            return kSuccess;
        }
        fileState_ = FileState::kUnreadable;
        return error;
    }
    return ReadContents(std::move(contents));
}

ErrorValue MemoStore::ReadContents(std::string contents) {
    Clear();
    fileState_ = FileState::kWhole;
    // Lines are read in place: a file of millions of empty lines costs no more memory than
    // its own size.
    TextLineReader reader(contents);
    std::string_view line;
    for (int number = 1;; ++number) {
        const size_t lineStart = reader.Offset();
        if (!reader.Next(line)) break;
        bool stop = false;
        try {
            Entry entry;
            const LineResult result = ReadLine(line, entry);
            stop = result == LineResult::kMalformed;
            if (result == LineResult::kEntry) {
                if (entries_.size() >= kMaxEntries) stop = true;
                else entries_.push_back(std::move(entry));
            }
        } catch (const std::bad_alloc&) {
            stop = true;
        }
        if (stop) {
            // The rest of the contents is kept as it is, moved rather than copied so that
            // keeping it needs no memory.
            firstUnreadLine_ = number;
            contents.erase(0, lineStart);
            unreadText_ = std::move(contents);
            return 1;
        }
    }
    return kSuccess;
}

std::vector<std::string> MemoStore::UnreadLines() const {
    std::vector<std::string> lines;
    SplitTextLines(unreadText_, lines);
    return lines;
}

template <class Emit>
void MemoStore::EmitFileLines(const CalDateTime& savedAt, Emit&& emit) const {
    emit(DateFormat(kMemoFileHeaderFormat, savedAt));
    for (const Entry& entry : entries_) emit(DateKey(entry.date) + "=" + entry.text);
    TextLineReader reader(unreadText_);
    std::string_view line;
    while (reader.Next(line)) emit(line);
}

std::vector<std::string> MemoStore::FileLines(const CalDateTime& savedAt) const {
    std::vector<std::string> lines;
    lines.reserve(entries_.size() + 1);
    EmitFileLines(savedAt, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

ErrorValue MemoStore::SaveMemos(const std::string& path) const {
    AtomicFileWriter writer;
    const ErrorValue error = writer.Begin(path);
    if (error != kSuccess) return error;
    try {
        EmitFileLines(Now(kLocalZone), [&writer](std::string_view line) {
            writer.Write(line);
            writer.Write("\r\n");
        });
    } catch (const std::bad_alloc&) {
        return ErrorFromKey("memory_alloc");  // the writer abandons its file
    }
    return writer.Commit();
}

bool MemoStore::MergeInto(MemoStore& fileContents) const {
    const size_t before = fileContents.entries_.size();
    try {
        for (const Entry& entry : entries_) {
            bool present = false;
            for (size_t i = 0; i < before && !present; ++i) present = fileContents.entries_[i] == entry;
            if (present) continue;
            if (fileContents.entries_.size() >= kMaxEntries) {
                fileContents.entries_.resize(before);
                return false;
            }
            fileContents.entries_.push_back(entry);
        }
    } catch (const std::bad_alloc&) {
        fileContents.entries_.resize(before);
        return false;
    }
    return true;
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

std::string SideFileNameFor(std::string_view path) { return PathPart(path, "dpf") + "-unsaved" + PathPart(path, "e"); }

ErrorValue LoadMemoFile(MemoStore& store, const std::string& path) {
    const ErrorValue error = store.LoadMemos(path);
    if (error != kSuccess) ShowMessage(ResolveText(kLoadFailed));
    return error;
}

namespace {

// A name beside the memo file that nothing holds yet; empty when none is free.
std::string FreeSideFileName(const std::string& path) {
    const std::string base = SideFileNameFor(path);
    if (base.empty()) return {};
    std::string name = base;
    for (int n = 2; n < 102; ++n) {
        if (!FileExists(name) && !FolderExists(name)) return name;
        name = NumberedVariant(base, n);
    }
    return {};
}

}  // namespace

ErrorValue SaveMemoFile(MemoStore& store, const std::string& path) {
    ErrorValue error = MakeFolders(PathPart(path, "dp"));
    if (error == kSuccess && store.fileState_ != MemoStore::FileState::kWhole) {
        // The file may hold memos the store lacks: take them in before replacing it.
        MemoStore onDisk;
        const ErrorValue read = onDisk.LoadMemos(path);
        if (onDisk.fileState_ == MemoStore::FileState::kWhole && store.MergeInto(onDisk)) {
            onDisk.sideFile_ = std::move(store.sideFile_);
            onDisk.toldAboutSideFile_ = store.toldAboutSideFile_;
            onDisk.toldSaveFailed_ = store.toldSaveFailed_;
            store = std::move(onDisk);
        } else {
            // Still unreadable: the file stays as it is and the memos go beside it, into
            // the same side file at every save of this store.
            if (store.sideFile_.empty()) store.sideFile_ = FreeSideFileName(path);
            error = store.sideFile_.empty() ? ErrorFromKey("file_exist") : store.SaveMemos(store.sideFile_);
            if (error != kSuccess) {
                if (!store.toldSaveFailed_) ShowMessage(ResolveText(kSaveFailed));
                store.toldSaveFailed_ = true;
                return error;
            }
            if (!store.toldAboutSideFile_) {
                ShowMessage(ResolveText(kSavedBeside) + "\n" + store.sideFile_);
                store.toldAboutSideFile_ = true;
            }
            return read != kSuccess ? read : ErrorFromKey("array_size");
        }
    }
    if (error == kSuccess) {
        // The store holds every memo of the file, so a failed backup does not stop the
        // save; the backup is replaced in one step, so a failure keeps the older one.
        if (FileExists(path)) error = CopyFileAtomically(path, RenameExtension(path, "bak"));
        const ErrorValue written = store.SaveMemos(path);
        if (error == kSuccess) error = written;
    }
    if (error != kSuccess && !store.toldSaveFailed_) ShowMessage(ResolveText(kSaveFailed));
    store.toldSaveFailed_ = error != kSuccess;
    return error;
}

}  // namespace tavoli
