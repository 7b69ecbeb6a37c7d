// The memo file as the program keeps it: loaded with a message that says what is wrong,
// and saved so that nothing another writer put into it is dropped, nothing that is not a
// regular file is replaced, and every failure is said once with the one place that then
// holds the memos. What is to be said goes into the report.
#pragma once

#include <string>
#include <string_view>

#include "framework/report.h"
#include "memo/memo_store.h"

namespace tavoli {

// Reads the file into the store (LoadMemos' result). When an existing file cannot be read
// whole, tells "Failed to load memo." with the line and the reason, or the read's error;
// when the file is in UTF-8 and the system's code page is not, says so.
ErrorValue LoadMemoFile(MemoStore& store, const std::string& path, Report& report);

// Saves the store: makes the folder, takes the file's lock (other copies of the program
// save the same file), reads the file as it now is, merges (MergeMemos: the file's
// changes since this store read it are kept, the days both changed keep this store's
// text and the file's goes to the conflict file, "memo-conflicts.txt", said once), copies
// the file to its ".bak" name (when backUp: the caller keeps one backup per show and per
// day, so that it is more than one edit old) and replaces it, each in one step. The store then holds the
// merged memos. A backup that cannot be made is said as that; the save still counts.
// When memo.txt cannot take the memos (it cannot be read, is no regular file, another
// holder kept the lock, the replace fails), it is left as it was and the store's memos go
// to one side file ("memo-unsaved.txt" beside it, else in the temporary folder), the same
// one at every save of the store, said once; when even that fails, "Failed to save memo."
// is said once and the memos stay in the store only.
// 0 when memo.txt holds the memos, else the error that kept them out of it.
ErrorValue SaveMemoFile(MemoStore& store, const std::string& path, Report& report, bool backUp = true);

// For a store whose last save did not reach memo.txt, at the end of the program: unless
// its side file holds its memos already, writes them there (said once). The file that
// holds them; empty when none does.
std::string RescueMemos(MemoStore& store, const std::string& path, Report& report);

// "memo.txt" → "memo-unsaved.txt", "memo-conflicts.txt".
std::string SideFileNameFor(std::string_view path);
std::string ConflictFileNameFor(std::string_view path);
// The side file's name in the temporary folder (empty when there is none).
std::string TemporarySideFileName();

}  // namespace tavoli
