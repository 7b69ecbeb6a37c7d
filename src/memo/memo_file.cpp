#include "memo/memo_file.h"

#include <new>

#include "framework/file_lock.h"
#include "framework/file_system.h"
#include "framework/lang_text.h"
#include "framework/messages.h"
#include "framework/paths.h"
#include "framework/text_lines.h"
#include "framework/whole_file.h"
#include "memo/memo_merge.h"

namespace tavoli {

namespace {

using Entries = std::vector<MemoStore::Entry>;

const char* const kLoadFailed = "Failed to load memo.\tja:メモをロードできませんでした。";
const char* const kLineNumber = "Line %d: \tja:%d行目: ";
const char* const kSaveFailed = "Failed to save memo.\tja:メモをセーブできませんでした。";
const char* const kNotSavedTo =
    "The memos could not be saved to this file:\tja:メモを次のファイルにセーブできませんでした:";
const char* const kSavedInstead = "They were saved to this file instead:\tja:代わりに次のファイルにセーブしました:";
const char* const kBackupFailed =
    "The backup could not be made; your memos are saved.\tja:バックアップを作れませんでしたが、メモはセーブしました。";
const char* const kConflicts =
    "Memos of some days were changed both here and by another program (or another copy of this one). The memos "
    "here were kept; the other texts were saved to this file:\tja:いくつかの日のメモが、ここと別のプログラム(または"
    "このプログラムの別のコピー)の両方で変更されました。ここでのメモを残し、もう一方の内容は次のファイルにセーブ"
    "しました:";

std::string WithNumber(const char* literal, int number) {
    std::string text = ResolveText(literal);
    for (size_t at = text.find("%d"); at != std::string::npos; at = text.find("%d", at))
        text.replace(at, 2, std::to_string(number));
    return text;
}

// A name that nothing holds yet: the name itself or a numbered variant; empty when none.
std::string FreeName(const std::string& base) {
    if (base.empty()) return {};
    std::string name = base;
    for (int n = 2; n < 102; ++n) {
        if (CurrentFileSystem().KindOf(name) == FileSystem::Kind::kMissing) return name;
        name = NumberedVariant(base, n);
    }
    return {};
}

// Writes the store's memos where memo.txt could not take them: into the store's side file
// while it can, else into the first that takes them of a new one beside memo.txt and one
// in the temporary folder. The user hears of each side file once, or once that none
// could be written.
void KeepElsewhere(MemoStore& store, const std::string& path, ErrorValue why, Report& report) {
    MemoStore::SaveNotes& notes = store.Notes();
    notes.failure = why;
    std::string written;
    if (!notes.sideFile.empty() && store.SaveMemos(notes.sideFile) == kSuccess) written = notes.sideFile;
    for (const std::string& base : {SideFileNameFor(path), TemporarySideFileName()}) {
        if (!written.empty()) break;
        const std::string name = FreeName(base);
        if (!name.empty() && store.SaveMemos(name) == kSuccess) written = name;
    }
    notes.sideFileCurrent = !written.empty();
    if (written.empty()) {
        if (!notes.toldSaveFailed) report.Tell(ResolveText(kSaveFailed) + "\n" + ReasonOf(why));
        notes.toldSaveFailed = true;
        return;
    }
    if (written != notes.sideFile) notes.toldSideFile = false;
    notes.sideFile = written;
    if (!notes.toldSideFile) {
        report.Tell(ResolveText(kNotSavedTo) + "\n" + path + "\n" + ReasonOf(why) + "\n" + ResolveText(kSavedInstead) +
                    "\n" + written);
    }
    notes.toldSideFile = true;
}

// Adds the other writer's texts of the days both changed to the conflict file.
ErrorValue KeepConflicts(const std::string& path, const Entries& conflicts) {
    MemoStore kept;
    const ErrorValue read = kept.LoadMemos(path);
    if (read != kSuccess && read != 1) return read;
    for (const MemoStore::Entry& entry : conflicts) {
        if (!kept.Append(entry)) return ErrorFromKey("array_size");
    }
    return kept.SaveMemos(path);
}

// More memos than a store holds: those beyond it are written as the lines they are,
// before the unread ones, as reading keeps them.
void KeepOverflowAsLines(Entries& entries, std::string& unread) {
    if (entries.size() <= MemoStore::kMaxEntries) return;
    std::string lines;
    for (size_t i = MemoStore::kMaxEntries; i < entries.size(); ++i)
        lines += MemoKeyText(entries[i]) + "=" + entries[i].text + "\r\n";
    entries.resize(MemoStore::kMaxEntries);
    unread.insert(0, lines);
}

}  // namespace

std::string SideFileNameFor(std::string_view path) { return PathPart(path, "dpf") + "-unsaved" + PathPart(path, "e"); }

std::string ConflictFileNameFor(std::string_view path) {
    return PathPart(path, "dpf") + "-conflicts" + PathPart(path, "e");
}

std::string TemporarySideFileName() {
    const std::string folder = TemporaryFolderPath();
    return folder.empty() ? std::string() : folder + "tavoli-memo-rescue.txt";
}

ErrorValue LoadMemoFile(MemoStore& store, const std::string& path, Report& report) {
    const ErrorValue error = store.LoadMemos(path);
    std::string message;
    if (error == 1) {
        message = ResolveText(kLoadFailed) + "\n" + WithNumber(kLineNumber, store.FirstUnreadLine()) +
                  StopReasonText(store.GetStopReason());
    } else if (error != kSuccess) {
        message = ResolveText(kLoadFailed) + "\n" + ReasonOf(error);
    }
    if (store.Utf8ReadAsAnsi()) message += (message.empty() ? "" : "\n\n") + Utf8ReadAsAnsiNote(path);
    report.Tell(std::move(message));
    return error;
}

ErrorValue SaveMemoFile(MemoStore& store, const std::string& path, Report& report, bool backUp) {
    FileSystem& fs = CurrentFileSystem();
    ErrorValue error = MakeFolders(PathPart(path, "dp"));
    FileLock lock;
    if (error == kSuccess) {
        // Only another holder stops the save: where no lock file can be made at all, the
        // save goes on and the replace finds out whether the folder takes files.
        const ErrorValue locked = lock.Acquire(path);
        if (locked == ErrorFromKey("object_locked")) error = locked;
    }
    if (error == kSuccess) {
        switch (fs.KindOf(path)) {
        case FileSystem::Kind::kFolder: error = ErrorFromKey("path_access"); break;
        case FileSystem::Kind::kOther: error = ErrorFromKey("device"); break;
        default: break;
        }
    }
    // The file as it is now: another copy of the program, a sync tool or an editor may
    // have changed it since this store read it.
    std::string contents;
    bool missing = false;
    if (error == kSuccess) {
        error = ReadFileContents(path, contents);
        missing = fs.IsNotFound(error);
        if (missing) error = kSuccess;
    }
    // A file cut inside its last line (or empty) may be one a writer was caught rewriting:
    // what it lacks is not taken as deleted, and it is no backup.
    const bool whole = MemoStore::EndsWhole(contents);
    std::string backupContents;
    if (error == kSuccess && !missing && whole && backUp) backupContents = contents;

    Entries entries;
    Entries conflicts;
    std::string unread;
    if (error == kSuccess) {
        try {
            if (missing) {
                // A file that went away is no deletion of every memo: this store's memos
                // make it anew.
                entries = store.Entries();
                unread = store.UnreadText();
            } else {
                MemoStore onDisk;
                onDisk.ReadContents(std::move(contents));
                // A file that shrank since it was read is no backup either: the older one,
                // which holds more, stays.
                if (onDisk.Count() < store.FileEntries().size()) backupContents.clear();
                MemoMerge merge = MergeMemos(store.FileEntries(), store.Entries(), onDisk.Entries(), whole);
                entries = std::move(merge.entries);
                conflicts = std::move(merge.conflicts);
                unread = onDisk.UnreadText();
            }
            KeepOverflowAsLines(entries, unread);
        } catch (const std::bad_alloc&) {
            error = ErrorFromKey("memory_alloc");
        }
    }
    ErrorValue backup = kSuccess;
    if (error == kSuccess && !backupContents.empty()) {
        backup = WriteFileAtomically(RenameExtension(path, "bak"), backupContents);
    }
    if (error == kSuccess) {
        MemoStore merged;
        merged.TakeSaved(std::move(entries), std::move(unread));
        error = merged.SaveMemos(path);
        if (error == kSuccess) {
            store.TakeSaved(std::vector<MemoStore::Entry>(merged.Entries()), merged.UnreadText());
        }
    }
    // The other writer's texts of the days both changed, once memo.txt holds the merge (a
    // failed replace brings them back at the next save).
    ErrorValue conflictsKept = kSuccess;
    if (error == kSuccess && !conflicts.empty()) conflictsKept = KeepConflicts(ConflictFileNameFor(path), conflicts);
    // Nothing is said while the lock is held: another copy may be waiting for it.
    lock.Release();
    if (error != kSuccess) {
        KeepElsewhere(store, path, error, report);
        return error;
    }
    MemoStore::SaveNotes& notes = store.Notes();
    notes.sideFileCurrent = false;
    notes.toldSaveFailed = false;
    notes.failure = kSuccess;
    if (!conflicts.empty()) {
        if (conflictsKept != kSuccess) {
            report.Tell(ResolveText(kNotSavedTo) + "\n" + ConflictFileNameFor(path) + "\n" + ReasonOf(conflictsKept));
        } else if (!notes.toldConflicts) {
            report.Tell(ResolveText(kConflicts) + "\n" + ConflictFileNameFor(path));
            notes.toldConflicts = true;
        }
    }
    if (backup != kSuccess && !notes.toldBackupFailed) {
        report.Tell(ResolveText(kBackupFailed) + "\n" + RenameExtension(path, "bak") + "\n" + ReasonOf(backup));
    }
    notes.toldBackupFailed = backup != kSuccess;
    return kSuccess;
}

std::string RescueMemos(MemoStore& store, const std::string& path, Report& report) {
    MemoStore::SaveNotes& notes = store.Notes();
    if (!notes.sideFileCurrent) KeepElsewhere(store, path, notes.failure, report);
    return notes.sideFileCurrent ? notes.sideFile : std::string();
}

}  // namespace tavoli
