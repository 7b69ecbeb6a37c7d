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

    // Empties the store and reads the file: 0 on success (also when the path is no
    // existing file), 1 when a malformed line, a lack of memory or the entry limit stopped
    // the reading, otherwise the read's error. Lines from the one that stopped the reading
    // on are kept unchanged and written back after the entries on the next save, so that
    // no memo of the file is ever lost.
    ErrorValue LoadMemos(const std::string& path);
    // The same for the lines of a file already read.
    ErrorValue ReadLines(const std::vector<std::string>& lines);
    // Replaces the file with the header, the entries and the unread lines.
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
    void Clear();

    // The 1-based line at which reading stopped (0 when the whole file was read), and
    // the lines from it on.
    int FirstUnreadLine() const { return firstUnreadLine_; }
    const std::vector<std::string>& UnreadLines() const { return unreadLines_; }

private:
    // Reads one line: false when it is malformed; an entry or nothing otherwise.
    enum class LineResult { kEntry, kNothing, kMalformed };
    static LineResult ReadLine(std::string_view line, Entry& entry);

    std::vector<Entry> entries_;
    std::vector<std::string> unreadLines_;
    int firstUnreadLine_ = 0;
    ErrorValue lastError_ = kSuccess;
};

// The memo file as the program keeps it: the load shows "Failed to load memo." when an
// existing file cannot be read whole; the save makes the folder, copies the file to its
// ".bak" name, writes it and shows "Failed to save memo." on failure. Both return the
// error value.
ErrorValue LoadMemoFile(MemoStore& store, const std::string& path);
ErrorValue SaveMemoFile(const MemoStore& store, const std::string& path);

}  // namespace tavoli
