// One line of text per day, kept in insertion order, read from and written to memo.txt.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/cal_date.h"
#include "framework/error.h"
#include "framework/lang_text.h"

namespace tavoli {

// How a memo repeats from its day on: never, every year on its day (29 February on the
// 28th in other years), every month on its day (the last day of a shorter month), every
// week on its weekday.
enum class MemoRepeat : uint8_t { kNone, kYearly, kMonthly, kWeekly };

// A day's memo as the editor shows and gives it back: its text (the breaks as the file
// keeps them) and its rule.
struct MemoEdit {
    std::string text;
    MemoRepeat repeat = MemoRepeat::kNone;
    CalDate until;
};

class MemoStore {
public:
    static constexpr size_t kMaxEntries = 65535;

    // A memo of its day, or one that repeats from it (up to `until`, when not null). The
    // rule is written in the line's key after the date ("2024/02/29 every year=…"), which
    // an older version passes over: it keeps the memo as its first day's.
    struct Entry {
        CalDate date;
        std::string text;
        MemoRepeat repeat = MemoRepeat::kNone;
        CalDate until;
        bool operator==(const Entry& o) const {
            return date == o.date && text == o.text && repeat == o.repeat && until == o.until;
        }
        // Whether the memo shows on the day: its own, or one its rule falls on.
        bool FallsOn(CalDate day) const;
    };

    // What the store knows of the memo file it was read from.
    enum class FileState {
        kNotRead,     // nothing was read: a file that exists may hold memos the store lacks
        kWhole,       // every memo of the file is in the store (or there was no file)
        kUnreadable,  // the file exists but could not be read
    };

    // Why reading stopped before the end of the file.
    enum class StopReason {
        kNone,
        kNoSeparator,  // no "=" or "#" after the date
        kNotAscii,     // a byte that is no printable ASCII before the "=" or "#"
        kNulByte,      // a NUL byte cut the line
        kBadDate,      // a date that names no day the program can hold
        kTooMany,      // more than kMaxEntries memos
        kMemory,       // not enough memory for one more
    };

    // What the user has been told about saving this store, so that each failure is said
    // once, and where its memos went while memo.txt could not take them.
    struct SaveNotes {
        std::string sideFile;          // the file that holds the memos instead, once one was chosen
        bool sideFileCurrent = false;  // it holds them as they are now
        bool toldSideFile = false;
        bool toldSaveFailed = false;  // "Failed to save memo." since the last save that worked
        bool toldBackupFailed = false;
        bool toldConflicts = false;
        ErrorValue failure = kSuccess;  // what kept the last save out of memo.txt
    };

    // Empties the store and reads the file: 0 on success (also when the path is no
    // existing file), 1 when a malformed line, a lack of memory or the entry limit stopped
    // the reading, otherwise the read's error. Lines from the one that stopped the reading
    // on are kept unchanged and written back after the entries on the next save, so that
    // no memo of the file is ever lost. A leading UTF-8 byte-order mark is skipped.
    ErrorValue LoadMemos(const std::string& path);
    // The same for the contents of a file already read.
    ErrorValue ReadContents(std::string contents);
    // Replaces the file with the header, the entries and the unread lines, in one step
    // (links at the path are followed; only a regular file or a new name is replaced).
    ErrorValue SaveMemos(const std::string& path) const;
    // The lines SaveMemos writes, with the header for a given moment.
    std::vector<std::string> FileLines(const CalDateTime& savedAt) const;
    // Whether a file's contents were written whole: the last line ends, or it is a whole
    // memo line without its end (as many editors write). An empty file, or a last line
    // that reads as no memo, may be one a writer was caught rewriting.
    static bool EndsWhole(std::string_view contents);

    // The first entry of the date, or the empty text.
    std::string MemoOf(CalDate date) const;
    // The date's memos: its first entry, then the repeating ones that fall on it, in
    // store order.
    std::vector<const Entry*> MemosOn(CalDate date) const;
    // The date's first entry, which the editor opens (a memo that repeats is edited at its
    // first day); null for none.
    const Entry* OwnEntry(CalDate date) const;
    bool HasMemo(CalDate date) const;
    // Empty text: deletes every entry of the date (true when one was deleted). Otherwise
    // the first entry of the date gets the text, or a new one is appended (true), unless
    // the store is full ("array_size" in LastError, false, nothing changed). Line breaks
    // and NUL in the text become blanks: the file holds one line per memo.
    bool SetMemo(CalDate date, std::string_view text);
    // The same with the entry's rule (true also when only the rule changed).
    bool SetMemo(CalDate date, std::string_view text, MemoRepeat repeat, CalDate until);
    // Appends an entry without looking for one of the same date, as reading does; false
    // when the store is full.
    bool Append(Entry entry);
    ErrorValue LastError() const { return lastError_; }

    const std::vector<Entry>& Entries() const { return entries_; }
    size_t Count() const { return entries_.size(); }
    // Empties the store; it then knows nothing of any file.
    void Clear();

    // The line at which reading stopped, counted as editors count them (0 when the whole
    // file was read), why, and the lines from it on.
    int FirstUnreadLine() const { return firstUnreadLine_; }
    StopReason GetStopReason() const { return stopReason_; }
    std::vector<std::string> UnreadLines() const;
    const std::string& UnreadText() const { return unreadText_; }
    // Whether the file began with a UTF-8 byte-order mark and holds text that the
    // system's code page reads otherwise.
    bool Utf8ReadAsAnsi() const { return utf8ReadAsAnsi_; }

    FileState GetFileState() const { return fileState_; }
    // The entries as the file held them when it was read or last written: what another
    // writer's changes and this store's own are told apart by.
    const std::vector<Entry>& FileEntries() const { return fileEntries_; }
    // After a save wrote them: the entries and unread text of the file as it now is.
    void TakeSaved(std::vector<Entry> entries, std::string unreadText);

    SaveNotes& Notes() { return notes_; }
    const SaveNotes& Notes() const { return notes_; }

private:
    enum class LineResult { kEntry, kNothing, kNoSeparator, kNotAscii, kBadDate };
    static LineResult ReadLine(std::string_view line, Entry& entry);
    // Calls emit with every line of the file.
    template <class Emit>
    void EmitFileLines(const CalDateTime& savedAt, Emit&& emit) const;
    // Keeps what the file held, for telling changes apart at the next save.
    void RememberFileEntries();

    std::vector<Entry> entries_;
    std::vector<Entry> fileEntries_;
    std::string unreadText_;
    int firstUnreadLine_ = 0;
    StopReason stopReason_ = StopReason::kNone;
    bool utf8ReadAsAnsi_ = false;
    FileState fileState_ = FileState::kNotRead;
    ErrorValue lastError_ = kSuccess;
    SaveNotes notes_;
};

// A memo's date as the file writes it: YYYY/MM/DD; a year beyond four digits (only
// hand-edited files have one) keeps all its digits, so that it reads back as the same day.
std::string MemoDateText(CalDate date);
// The key of an entry's line: its date, then its rule (" every year", " every month",
// " every week", with " until YYYY/MM/DD").
std::string MemoKeyText(const MemoStore::Entry& entry);
// The rule in the user's language ("every year until 2030/12/31"); empty for none.
std::string MemoRepeatText(MemoRepeat repeat, CalDate until);

// Why reading stopped, in the user's language or the one given ("There is no "=" after
// the date.").
std::string StopReasonText(MemoStore::StopReason reason);
std::string StopReasonText(MemoStore::StopReason reason, PackedTag language);

}  // namespace tavoli
