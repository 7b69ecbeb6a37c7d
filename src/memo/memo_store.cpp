#include "memo/memo_store.h"

#include <algorithm>
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

// The line at an offset as editors number them: only CR LF, LF and CR end lines there.
int EditorLineAt(std::string_view text, size_t offset) {
    int line = 1;
    for (size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) ++line;
    }
    return line;
}

// The words of the rules in a line's key, in the order of MemoRepeat.
const char* const kRepeatWords[] = {"", " every year", " every month", " every week"};
constexpr std::string_view kUntilWord = " until ";

// The rule a key holds after its date; none where it holds none (or a wrong "until").
void ReadRepeat(std::string_view key, MemoStore::Entry& entry) {
    for (int r = 1; r < 4; ++r) {
        if (key.find(kRepeatWords[r]) != std::string_view::npos) entry.repeat = static_cast<MemoRepeat>(r);
    }
    const size_t until = key.find(kUntilWord);
    if (entry.repeat == MemoRepeat::kNone || until == std::string_view::npos) return;
    if (!CalDate::FromTextExactly(key.substr(until + kUntilWord.size()), entry.until)) entry.until = CalDate();
}

}  // namespace

bool MemoStore::Entry::FallsOn(CalDate day) const {
    if (day == date) return true;
    if (repeat == MemoRepeat::kNone || day < date || (!until.IsNull() && day > until)) return false;
    const YearMonthDay from = date.Parts(), on = day.Parts();
    switch (repeat) {
    case MemoRepeat::kYearly:
        return on.month == from.month &&
               (on.day == from.day || (from.month == 2 && from.day == 29 && on.day == 28 && !IsLeapYear(on.year)));
    case MemoRepeat::kMonthly: return on.day == std::min(from.day, MonthLength(on.year, on.month));
    case MemoRepeat::kWeekly: return (day - date) % 7 == 0;
    case MemoRepeat::kNone: break;
    }
    return false;
}

std::string MemoKeyText(const MemoStore::Entry& entry) {
    std::string key = MemoDateText(entry.date) + kRepeatWords[static_cast<int>(entry.repeat)];
    if (entry.repeat != MemoRepeat::kNone && !entry.until.IsNull())
        key += std::string(kUntilWord) + MemoDateText(entry.until);
    return key;
}

std::string MemoRepeatText(MemoRepeat repeat, CalDate until) {
    static const char* const kWords[] = {"", "every year\tja:毎年", "every month\tja:毎月", "every week\tja:毎週"};
    if (repeat == MemoRepeat::kNone) return {};
    std::string text = ResolveText(kWords[static_cast<int>(repeat)]);
    if (!until.IsNull()) text += FillText(" until %1\tja:（%1まで）", {MemoDateText(until)});
    return text;
}

std::string MemoDateText(CalDate date) {
    const YearMonthDay ymd = date.Parts();
    if (ymd.year <= 9999) return date.Text();
    return FixedDigits(ymd.year, 0) + "/" + FixedDigits(ymd.month, 2) + "/" + FixedDigits(ymd.day, 2);
}

std::string StopReasonText(MemoStore::StopReason reason) { return StopReasonText(reason, CurrentLanguage()); }

std::string StopReasonText(MemoStore::StopReason reason, PackedTag language) {
    using R = MemoStore::StopReason;
    switch (reason) {
    case R::kNone: return {};
    case R::kNoSeparator:
        return ResolveText("There is no \"=\" after the date.\tja:日付の後に「=」がありません。", language);
    case R::kNotAscii:
        return ResolveText(
            "Before the \"=\" stands a byte that is not ASCII text.\tja:「=」の前にASCII文字でないバイトがあります。",
            language);
    case R::kNulByte: return ResolveText("A NUL byte cuts the line.\tja:NULバイトが行を分けています。", language);
    case R::kBadDate:
        return ResolveText("The date names no day the calendar can hold.\tja:日付がカレンダーで扱えない日です。",
                           language);
    case R::kTooMany:
        return ResolveText(
            "More than 65,535 memos: this one and those after it are kept in the file, but not shown.\t"
            "ja:メモが65,535件を超えています。この行以降はファイルに残しますが、表示しません。",
            language);
    case R::kMemory: return ResolveText("Not enough memory.\tja:メモリが足りません。", language);
    }
    return {};
}

void MemoStore::Clear() {
    entries_.clear();
    std::vector<Entry>().swap(fileEntries_);
    std::string().swap(unreadText_);
    firstUnreadLine_ = 0;
    stopReason_ = StopReason::kNone;
    utf8ReadAsAnsi_ = false;
    fileState_ = FileState::kNotRead;
}

void MemoStore::RememberFileEntries() {
    try {
        fileEntries_ = entries_;
    } catch (const std::bad_alloc&) {
        // Unknown then: the next save takes every memo of the file as new to this store.
        std::vector<Entry>().swap(fileEntries_);
    }
}

void MemoStore::TakeSaved(std::vector<Entry> entries, std::string unreadText) {
    entries_ = std::move(entries);
    unreadText_ = std::move(unreadText);
    fileState_ = FileState::kWhole;
    RememberFileEntries();
}

MemoStore::LineResult MemoStore::ReadLine(std::string_view line, Entry& entry) {
    size_t start = 0;
    while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) ++start;
    if (start == line.size() || line[start] == ';') return LineResult::kNothing;
    size_t separator = start;
    for (; separator < line.size(); ++separator) {
        const auto c = static_cast<unsigned char>(line[separator]);
        if (c == '=' || c == '#') break;
        if (c < 0x20 || c > 0x7E) return LineResult::kNotAscii;
    }
    if (separator == line.size()) return LineResult::kNoSeparator;
    // The date: the first three integers from the start of the key on. One that names no
    // day the program can hold would be saved as another day: the line is kept as it is.
    if (!CalDate::FromTextExactly(line.substr(start), entry.date)) return LineResult::kBadDate;
    ReadRepeat(line.substr(start, separator - start), entry);
    entry.text = line[separator] == '=' ? std::string(line.substr(separator + 1)) : std::string(line.substr(separator));
    return entry.text.empty() ? LineResult::kNothing : LineResult::kEntry;
}

bool MemoStore::EndsWhole(std::string_view contents) {
    if (contents.empty()) return false;
    if (contents.back() == '\n' || contents.back() == '\r') return true;
    // A form feed or NUL at the end ends no line an editor writes: a crash leaves such tails.
    const size_t lastEnd = contents.find_last_of(std::string_view("\r\n\f\0", 4));
    std::string_view last = lastEnd == std::string_view::npos ? contents : contents.substr(lastEnd + 1);
    if (lastEnd == std::string_view::npos) SkipByteOrderMark(last);
    Entry entry;
    return ReadLine(last, entry) == LineResult::kEntry;
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
    std::string_view text(contents);
    if (SkipByteOrderMark(text)) utf8ReadAsAnsi_ = tavoli::Utf8ReadAsAnsi(text);
    const size_t mark = contents.size() - text.size();
    // Lines are read in place: a file of millions of empty lines costs no more memory than
    // its own size.
    TextLineReader reader(text);
    std::string_view line;
    for (;;) {
        const size_t lineStart = reader.Offset();
        if (!reader.Next(line)) break;
        StopReason reason = StopReason::kNone;
        try {
            Entry entry;
            switch (ReadLine(line, entry)) {
            case LineResult::kEntry:
                if (entries_.size() >= kMaxEntries) reason = StopReason::kTooMany;
                else entries_.push_back(std::move(entry));
                break;
            case LineResult::kNothing: break;
            case LineResult::kNoSeparator: reason = StopReason::kNoSeparator; break;
            case LineResult::kNotAscii: reason = StopReason::kNotAscii; break;
            case LineResult::kBadDate: reason = StopReason::kBadDate; break;
            }
        } catch (const std::bad_alloc&) {
            reason = StopReason::kMemory;
        }
        if (reason == StopReason::kNone) continue;
        // A NUL byte ends a line where an editor shows none: it is what cut a line that
        // reads as malformed next to it.
        const size_t lineEnd = lineStart + line.size();
        const bool besideNul =
            (lineStart > 0 && text[lineStart - 1] == '\0') || (lineEnd < text.size() && text[lineEnd] == '\0');
        if (besideNul && reason != StopReason::kTooMany && reason != StopReason::kMemory) reason = StopReason::kNulByte;
        stopReason_ = reason;
        firstUnreadLine_ = EditorLineAt(text, lineStart);
        // The rest of the contents is kept as it is, moved rather than copied so that
        // keeping it needs no memory.
        contents.erase(0, mark + lineStart);
        unreadText_ = std::move(contents);
        RememberFileEntries();
        return 1;
    }
    RememberFileEntries();
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
    for (const Entry& entry : entries_) emit(MemoKeyText(entry) + "=" + entry.text);
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

std::string MemoStore::MemoOf(CalDate date) const {
    for (const Entry& entry : entries_) {
        if (entry.date == date) return entry.text;
    }
    return {};
}

const MemoStore::Entry* MemoStore::OwnEntry(CalDate date) const {
    for (const Entry& entry : entries_) {
        if (entry.date == date) return &entry;
    }
    return nullptr;
}

std::vector<const MemoStore::Entry*> MemoStore::MemosOn(CalDate date) const {
    std::vector<const Entry*> memos;
    if (const Entry* own = OwnEntry(date)) memos.push_back(own);
    for (const Entry& entry : entries_) {
        if (entry.repeat != MemoRepeat::kNone && entry.FallsOn(date) && (memos.empty() || memos.front() != &entry))
            memos.push_back(&entry);
    }
    return memos;
}

bool MemoStore::HasMemo(CalDate date) const {
    for (const Entry& entry : entries_) {
        if (entry.date == date || (entry.repeat != MemoRepeat::kNone && entry.FallsOn(date))) return true;
    }
    return false;
}

bool MemoStore::SetMemo(CalDate date, std::string_view text, MemoRepeat repeat, CalDate until) {
    const bool changed = SetMemo(date, text);
    // Deleted, or refused (the store full): the rule goes with the text.
    if (!changed || text.empty()) return changed;
    if (repeat == MemoRepeat::kNone || until < date) until = CalDate();
    for (Entry& entry : entries_) {
        if (entry.date == date) {
            entry.repeat = repeat;
            entry.until = until;
            break;
        }
    }
    return true;
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

bool MemoStore::Append(Entry entry) {
    if (entries_.size() >= kMaxEntries) return false;
    try {
        entries_.push_back(std::move(entry));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

}  // namespace tavoli
