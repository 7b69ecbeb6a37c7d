// One line of text per day, kept in insertion order, read from and written to memo.txt.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "calendar/cal_date.h"
#include "framework/error.h"

namespace tavoli {

class MemoStore {
public:
    static constexpr size_t kMaxEntries = 65535;

    struct Entry {
        CalDate date;
        std::string text;
        bool operator==(const Entry& o) const { return date == o.date && text == o.text; }
    };

    // What the store knows of the memo file it was read from.
    enum class FileState {
        kNotRead,     // nothing was read: a file that exists may hold memos the store lacks
        kWhole,       // every memo of the file is in the store (or there was no file)
        kUnreadable,  // the file exists but could not be read
    };

    // Empties the store and reads the file: 0 on success (also when the path is no
    // existing file), 1 when a malformed line, a lack of memory or the entry limit stopped
    // the reading, otherwise the read's error. Lines from the one that stopped the reading
    // on are kept unchanged and written back after the entries on the next save, so that
    // no memo of the file is ever lost.
    ErrorValue LoadMemos(const std::string& path);
    // The same for the contents of a file already read.
    ErrorValue ReadContents(std::string contents);
    // Replaces the file with the header, the entries and the unread lines, in one step
    // (links at the path are followed).
    ErrorValue SaveMemos(const std::string& path) const;
    // The lines SaveMemos writes, with the header for a given moment.
    std::vector<std::string> FileLines(const CalDateTime& savedAt) const;

    // The first entry of the date, or the empty text.
    std::string MemoOf(CalDate date) const;
    bool HasMemo(CalDate date) const;
    // Empty text: deletes every entry of the date (true when one was deleted). Otherwise
    // the first entry of the date gets the text, or a new one is appended (true), unless
    // the store is full ("array_size" in LastError, false, nothing changed). Line breaks
    // and NUL in the text become blanks: the file holds one line per memo.
    bool SetMemo(CalDate date, std::string_view text);
    ErrorValue LastError() const { return lastError_; }

    const std::vector<Entry>& Entries() const { return entries_; }
    size_t Count() const { return entries_.size(); }
    // Empties the store; it then knows nothing of any file.
    void Clear();

    // The 1-based line at which reading stopped (0 when the whole file was read), and
    // the lines from it on.
    int FirstUnreadLine() const { return firstUnreadLine_; }
    std::vector<std::string> UnreadLines() const;
    const std::string& UnreadText() const { return unreadText_; }

    FileState GetFileState() const { return fileState_; }
    // Takes in the memos of the file's own contents (read again): the store then holds the
    // file's entries and unread lines, followed by each of its own entries that the file
    // lacks. false (nothing changed) when they do not fit.
    bool MergeInto(MemoStore& fileContents) const;

private:
    friend ErrorValue SaveMemoFile(MemoStore& store, const std::string& path);

    enum class LineResult { kEntry, kNothing, kMalformed };
    static LineResult ReadLine(std::string_view line, Entry& entry);
    // Calls emit with every line of the file.
    template <class Emit>
    void EmitFileLines(const CalDateTime& savedAt, Emit&& emit) const;

    std::vector<Entry> entries_;
    std::string unreadText_;
    int firstUnreadLine_ = 0;
    FileState fileState_ = FileState::kNotRead;
    ErrorValue lastError_ = kSuccess;
    // Where the memos go while the memo file cannot be read, once one was chosen, and
    // whether the user has been told.
    std::string sideFile_;
    bool toldAboutSideFile_ = false;
    // Whether "Failed to save memo." was shown since the last save that succeeded: a store
    // kept across failed saves tells it once.
    bool toldSaveFailed_ = false;
};

// The memo file as the program keeps it.
// Load shows "Failed to load memo." when an existing file cannot be read whole.
// Save never replaces a memo file whose memos are not all in the store: a store that could
// not read the file reads it again and merges, or, when it still cannot, writes its memos
// to a file beside it ("memo-unsaved.txt") and says so once. Otherwise it makes the
// folder, copies the file to its ".bak" name and replaces the file, each in one step; on
// failure it shows "Failed to save memo." (once for a store, until a save succeeds) and the
// old file and backup stay as they were.
// Both return the error value (Save: non-zero whenever memo.txt was not written).
ErrorValue LoadMemoFile(MemoStore& store, const std::string& path);
ErrorValue SaveMemoFile(MemoStore& store, const std::string& path);

// The side file's name for a memo file: "memo.txt" → "memo-unsaved.txt".
std::string SideFileNameFor(std::string_view path);

}  // namespace tavoli
