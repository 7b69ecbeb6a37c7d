// The memo file under faults: every step of a save failing in turn, files that cannot be
// read, a full disk, a save killed midway, links. After every fault each memo that existed
// and each edit since must be in memo.txt, memo.bak or the store still in memory, and the
// next save that succeeds must write them all.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "framework/file_lock.h"
#include "framework/paths.h"
#include "memo/memo_file.h"
#include "memo/memo_store.h"
#include "support/failing_file_system.h"
#include "support/file_contents.h"
#include "support/shown_reports.h"
#include "support/temp_folder.h"
#include "support/test_platform.h"
#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>
#endif

namespace tavoli {
namespace {

using Entries = std::vector<MemoStore::Entry>;

ErrorValue DiskFull() { return ErrorFromSystem(112); }
ErrorValue AccessDenied() { return ErrorFromSystem(5); }

// Memos enough for several write chunks.
Entries ManyMemos(int count, const std::string& tag) {
    Entries entries;
    CalDate day(2000, 1, 1);
    for (int i = 0; i < count; ++i, ++day) entries.push_back({day, tag + " memo " + std::to_string(i) + " xxxxxxxx"});
    return entries;
}

std::string FileOf(const Entries& entries) {
    std::string text = ";Tavoli Calendar Memo 24/01/01 00:00:00\r\n";
    for (const auto& e : entries) text += e.date.Text() + "=" + e.text + "\r\n";
    return text;
}

// What a file holds as the program reads it; a read that does not finish gives no entries.
struct Read {
    ErrorValue result;
    Entries entries;
};
Read ReadMemoFile(const std::string& path) {
    MemoStore store;
    const ErrorValue result = store.LoadMemos(path);
    return {result, store.Entries()};
}

std::vector<std::string> TemporaryFiles(const TempFolder& folder) {
    std::vector<std::string> found;
    for (const auto& item : std::filesystem::directory_iterator(folder.Path())) {
        if (item.path().extension() == ".tmp") found.push_back(item.path().filename().string());
    }
    return found;
}

void Edit(MemoStore& store) {
    store.SetMemo(CalDate(2000, 1, 11), "changed");
    store.SetMemo(CalDate(2000, 1, 21), "");
    store.SetMemo(CalDate(2030, 6, 1), "new");
}

// The side files a save wrote, read and removed: the one the store names, if any.
std::vector<Entries> TakeSideFiles(const MemoStore& store) {
    if (!store.Notes().sideFileCurrent) return {};
    const Entries side = ReadMemoFile(store.Notes().sideFile).entries;
    std::filesystem::remove(store.Notes().sideFile);
    return {side};
}

// A memo.txt in a folder of its own; the messages recorded.
class MemoFaults : public testing::Test {
protected:
    // Saves the store prepare() makes while the n-th file operation fails (a full disk), for
    // n = 1, 2, … until a save meets no fault; check() looks at what each save left, no
    // temporary file may stay, and the next save must write every memo of `all`. Returns
    // how many saves met a fault.
    int SaveFailingAtEachStep(const Entries& all, const std::function<void(MemoStore&, FailingFileSystem&)>& prepare,
                              const std::function<void(const MemoStore&, ErrorValue)>& check) {
        FailingFileSystem fs;
        ScopedFileSystem fsScope(fs);
        for (int n = 1; n < 200; ++n) {
            fs.Reset(0, kSuccess);
            MemoStore store;
            prepare(store, fs);
            fs.Reset(n, DiskFull());
            const ErrorValue result = SaveMemoFileShown(store, path_);
            const std::string failed = fs.Failed();
            fs.Reset(0, kSuccess);
            SCOPED_TRACE("fault " + std::to_string(n) + ": " + failed);
            check(store, result);
            EXPECT_EQ(TemporaryFiles(folder_), std::vector<std::string>{});
            EXPECT_EQ(SaveMemoFileShown(store, path_), kSuccess);
            EXPECT_EQ(ReadMemoFile(path_).entries, all);
            EXPECT_EQ(store.GetFileState(), MemoStore::FileState::kWhole);
            if (failed.empty()) return n - 1;
        }
        return 199;
    }

    RecordingPlatform platform_;
    ScopedPlatform scope_{platform_};
    TempFolder folder_;
    const std::string path_ = folder_.Join("memo.txt");
};

// A loaded store with edits saved while each operation of the save fails in turn, until
// a save runs with no fault left to inject. Whatever fails, the edits are in one place
// besides memory, and the user hears one message, or none.
TEST_F(MemoFaults, EveryStepOfASaveFailingInTurn) {
    const std::string backup = folder_.Join("memo.bak");
    const Entries before = ManyMemos(5000, "old"), older = ManyMemos(10, "older");
    MemoStore edited;
    ASSERT_EQ(edited.ReadContents(FileOf(before)), kSuccess);
    Edit(edited);
    const Entries after = edited.Entries();
    const int faults = SaveFailingAtEachStep(
        after,
        [&](MemoStore& store, FailingFileSystem&) {
            WriteWholeFile(path_, FileOf(before));
            WriteWholeFile(backup, FileOf(older));
            ASSERT_EQ(store.LoadMemos(path_), kSuccess);
            Edit(store);
            platform_.boxes.clear();
        },
        [&](const MemoStore& store, ErrorValue result) {
            const Read file = ReadMemoFile(path_), bak = ReadMemoFile(backup);
            EXPECT_EQ(file.result, kSuccess);
            EXPECT_TRUE(file.entries == before || file.entries == after);
            EXPECT_EQ(bak.result, kSuccess);
            EXPECT_TRUE(bak.entries == older || bak.entries == before);
            EXPECT_EQ(store.Entries(), after);  // the edits are still in memory
            if (result == kSuccess) {
                // Success is only ever said of a save that happened.
                EXPECT_EQ(file.entries, after);
                EXPECT_EQ(platform_.boxes.size(), bak.entries == older ? 1u : 0u);  // the backup failed
            } else {
                EXPECT_EQ(platform_.boxes.size(), 1u);
                EXPECT_EQ(TakeSideFiles(store), std::vector<Entries>{after});
            }
        });
    EXPECT_GT(faults, 20);  // open, reads, writes at several offsets, flush, close, rename, for both files
}

// A store that could not read the file at all: while the file stays unreadable the new
// memos go beside it; once it can be read they are merged in, and nothing of it is lost.
TEST_F(MemoFaults, UnreadableAtLoadThenEveryStepOfTheSaveFailing) {
    const Entries before = ManyMemos(3000, "old");
    const Entries added = {{CalDate(1999, 12, 31), "written while unreadable"}, {CalDate(2031, 1, 1), "another"}};
    Entries merged = before;
    merged.insert(merged.end(), added.begin(), added.end());
    const int faults = SaveFailingAtEachStep(
        merged,
        [&](MemoStore& store, FailingFileSystem& fs) {
            WriteWholeFile(path_, FileOf(before));
            std::error_code ignored;
            std::filesystem::remove(SideFileNameFor(path_), ignored);
            fs.Reset(1, AccessDenied());
            EXPECT_EQ(LoadMemoFileShown(store, path_), AccessDenied());
            EXPECT_EQ(store.GetFileState(), MemoStore::FileState::kUnreadable);
            for (const auto& e : added) store.SetMemo(e.date, e.text);
        },
        [&](const MemoStore& store, ErrorValue result) {
            const Read file = ReadMemoFile(path_);
            EXPECT_TRUE(file.entries == before || file.entries == merged);
            EXPECT_TRUE(store.Entries() == merged || store.Entries() == added);  // in memory
            if (result == kSuccess) {
                EXPECT_EQ(file.entries, merged);
            }
        });
    EXPECT_GT(faults, 10);
}

// Case by case: the file still unreadable at the save, then readable at the next one.
TEST_F(MemoFaults, UnreadableFileIsNeverReplaced) {
    const std::string original = FileOf(ManyMemos(50, "old"));
    WriteWholeFile(path_, original);
    WriteWholeFile(folder_.Join("memo-unsaved.txt"), "an earlier side file");

    FailingFileSystem fs;
    ScopedFileSystem fsScope(fs);
    fs.Reset(1, AccessDenied());
    MemoStore store;
    EXPECT_NE(LoadMemoFileShown(store, path_), kSuccess);
    store.SetMemo(CalDate(2024, 5, 5), "first");
    fs.Reset(2, AccessDenied());  // the read at the save fails as well (after the lock)
    EXPECT_EQ(SaveMemoFileShown(store, path_), AccessDenied());
    store.SetMemo(CalDate(2024, 5, 6), "second");
    fs.Reset(2, AccessDenied());
    EXPECT_EQ(SaveMemoFileShown(store, path_), AccessDenied());
    fs.Reset(0, kSuccess);

    EXPECT_EQ(ReadWholeFile(path_), original);
    EXPECT_FALSE(FileExists(folder_.Join("memo.bak")));
    EXPECT_EQ(ReadWholeFile(folder_.Join("memo-unsaved.txt")), "an earlier side file");
    const std::string side = folder_.Join("memo-unsaved (2).txt");
    const Entries mine = {{CalDate(2024, 5, 5), "first"}, {CalDate(2024, 5, 6), "second"}};
    EXPECT_EQ(ReadMemoFile(side).entries, mine);  // the same side file, rewritten
    // One message besides the load's: what happened and where the memos are.
    ASSERT_EQ(platform_.boxes.size(), 2u);
    EXPECT_NE(platform_.boxes[1].text.find(side), std::string::npos);

    // Readable again: merged, backed up, and the store now shows every memo.
    EXPECT_EQ(SaveMemoFileShown(store, path_), kSuccess);
    EXPECT_EQ(ReadWholeFile(folder_.Join("memo.bak")), original);
    Entries all = ManyMemos(50, "old");
    all.insert(all.end(), mine.begin(), mine.end());
    EXPECT_EQ(ReadMemoFile(path_).entries, all);
    EXPECT_EQ(store.Entries(), all);
    EXPECT_EQ(platform_.boxes.size(), 2u);
}

// Each way a save can go wrong: one message, and the memos in one place (a full disk and
// every single step failing are above and below).
TEST_F(MemoFaults, OneMessageAndOnePlaceForEachFailure) {
    using Arrange = std::function<void(const std::string& path, FailingFileSystem&, FileLock&)>;
    struct Case {
        const char* what;
        Arrange arrange;
        bool saved;        // memo.txt holds the memos; else the side file beside it does
        const char* said;  // a piece of the one message
    } cases[] = {
        {"backup a folder", [](auto& path, auto&, auto&) { MakeFolders(RenameExtension(path, "bak")); }, true,
         "memo.bak"},
        {"the same day changed meanwhile",
         [](auto& path, auto&, auto&) { WriteWholeFile(path, FileOf(ManyMemos(20, "old")) + "2000/01/11=x\r\n"); },
         true, "memo-conflicts.txt"},
        {"memo.txt a folder", [](auto& path, auto&, auto&) { std::filesystem::remove(path), MakeFolders(path); }, false,
         "memo-unsaved.txt"},
        // The read after the lock fails as Windows says when another program holds the file.
        {"memo.txt locked", [](auto&, auto& fs, auto&) { fs.Reset(2, ErrorFromSystem(32)); }, false, "memo-unsaved"},
        {"another copy saving all along", [](auto& path, auto&, auto& held) { held.Acquire(path); }, false,
         "memo-unsaved.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingPlatform platform;
        ScopedPlatform platformScope(platform);
        TempFolder folder;
        const std::string path = folder.Join("memo.txt");
        WriteWholeFile(path, FileOf(ManyMemos(20, "old")));
        MemoStore store;
        ASSERT_EQ(store.LoadMemos(path), kSuccess);
        Edit(store);
        const Entries mine = store.Entries();
        FailingFileSystem fs;
        ScopedFileSystem fsScope(fs);
        FileLock held;
        c.arrange(path, fs, held);
        EXPECT_EQ(SaveMemoFileShown(store, path) == kSuccess, c.saved);
        fs.Reset(0, kSuccess);
        ASSERT_EQ(platform.boxes.size(), 1u);
        EXPECT_NE(platform.boxes[0].text.find(c.said), std::string::npos) << platform.boxes[0].text;
        const std::vector<Entries> sides = TakeSideFiles(store);
        EXPECT_EQ(c.saved ? ReadMemoFile(path).entries : sides.at(0), mine);
        EXPECT_EQ(sides.size(), c.saved ? 0u : 1u);
    }
}

#ifdef _WIN32
// Another program holds memo.txt open without sharing: nothing of it is replaced.
TEST_F(MemoFaults, FileHeldWithoutSharing) {
    WriteWholeFile(path_, FileOf(ManyMemos(20, "old")));
    HANDLE lock = CreateFileA(path_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    MemoStore store;
    EXPECT_EQ(LoadMemoFileShown(store, path_), ErrorFromSystem(ERROR_SHARING_VIOLATION));
    store.SetMemo(CalDate(2024, 1, 1), "new");
    EXPECT_NE(SaveMemoFileShown(store, path_), kSuccess);
    CloseHandle(lock);
    EXPECT_EQ(ReadWholeFile(path_), FileOf(ManyMemos(20, "old")));
    EXPECT_EQ(ReadMemoFile(SideFileNameFor(path_)).entries, (Entries{{CalDate(2024, 1, 1), "new"}}));
    ASSERT_EQ(SaveMemoFileShown(store, path_), kSuccess);
    EXPECT_EQ(ReadMemoFile(path_).entries.size(), 21u);
}
#else
// Runs a check as an unprivileged user when the tests run as root (root reads any file);
// the check's exit code is the result.
int RunUnprivileged(const std::string& folder, int (*check)(const std::string&)) {
    if (geteuid() != 0) return check(folder);
    if (chown(folder.c_str(), 65534, 65534) != 0) return 100;
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(101);
        _exit(check(folder));
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 102;
}

int SaveWithoutPermission(const std::string& folder) {
    const std::string path = folder + "/memo.txt";
    MemoStore store;
    if (LoadMemoFileShown(store, path) == kSuccess) return 2;
    store.SetMemo(CalDate(2024, 1, 1), "new");
    if (SaveMemoFileShown(store, path) == kSuccess) return 3;
    return 0;
}

TEST_F(MemoFaults, FileWithoutReadPermission) {
    WriteWholeFile(path_, FileOf(ManyMemos(20, "old")));
    ASSERT_EQ(chmod(path_.c_str(), 0), 0);
    EXPECT_EQ(RunUnprivileged(folder_.Path(), SaveWithoutPermission), 0);
    chmod(path_.c_str(), 0644);
    EXPECT_EQ(ReadWholeFile(path_), FileOf(ManyMemos(20, "old")));
    EXPECT_FALSE(FileExists(folder_.Join("memo.bak")));
    EXPECT_EQ(ReadMemoFile(SideFileNameFor(path_)).entries, (Entries{{CalDate(2024, 1, 1), "new"}}));
}

// A small file system that fills up: the save fails, and memo.txt, the old memo.bak and
// the edits in memory are all kept; once there is room again the next save writes them.
TEST_F(MemoFaults, FullDisk) {
    if (geteuid() != 0) GTEST_SKIP() << "a full file system needs a tmpfs mount, which needs root";
    const std::string disk = folder_.Join("disk");
    std::filesystem::create_directory(disk);
    if (mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=1m") != 0) {
        GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
    }
    struct Unmount {
        std::string at;
        ~Unmount() { umount(at.c_str()); }
    } unmount{disk};

    const std::string path = disk + "/memo.txt", backup = disk + "/memo.bak", filler = disk + "/filler";
    const Entries before = ManyMemos(4000, "old");  // about 130 KB
    WriteWholeFile(path, FileOf(before));
    WriteWholeFile(backup, FileOf(ManyMemos(10, "older")));
    // Fill the disk to the last few KB.
    {
        std::ofstream out(filler, std::ios::binary);
        const std::string block(4096, 'f');
        while (out.write(block.data(), block.size())) {}
    }
    std::filesystem::resize_file(filler, std::filesystem::file_size(filler) - 16 * 1024);

    MemoStore store;
    ASSERT_EQ(store.LoadMemos(path), kSuccess);
    Edit(store);
    const Entries after = store.Entries();
    EXPECT_EQ(SaveMemoFileShown(store, path), DiskFull());
    // One message, and the memos in the one place that had room.
    ASSERT_EQ(platform_.boxes.size(), 1u);
    EXPECT_EQ(PathPart(store.Notes().sideFile, "dp"), TemporaryFolderPath());
    EXPECT_NE(platform_.boxes[0].text.find(store.Notes().sideFile), std::string::npos);
    EXPECT_EQ(TakeSideFiles(store), std::vector<Entries>{after});
    EXPECT_EQ(ReadMemoFile(path).entries, before);
    EXPECT_EQ(ReadMemoFile(backup).entries, ManyMemos(10, "older"));
    EXPECT_EQ(store.Entries(), after);
    EXPECT_FALSE(FileExists(path + ".tmp"));
    EXPECT_FALSE(FileExists(backup + ".tmp"));

    std::filesystem::remove(filler);
    ASSERT_EQ(SaveMemoFileShown(store, path), kSuccess);
    EXPECT_EQ(ReadMemoFile(path).entries, after);
    EXPECT_EQ(ReadMemoFile(backup).entries, before);
}

// A child saves a large store over and over and is killed at random moments: every time
// memo.txt (and memo.bak, when there is one) still reads whole.
TEST_F(MemoFaults, SaveKilledAtRandomMoments) {
    const std::string backup = folder_.Join("memo.bak");
    // Long memos: the time goes into moving bytes, where a cut file would come from.
    Entries before;
    CalDate day(2000, 1, 1);
    for (int i = 0; i < 4000; ++i, ++day) before.push_back({day, std::to_string(i) + std::string(500, 'm')});
    WriteWholeFile(path_, FileOf(before));
    std::mt19937 random(20241208);
    for (int kill = 0; kill < 20; ++kill) {
        int saves[2];
        ASSERT_EQ(pipe(saves), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(saves[0]);
            MemoStore store;
            if (store.LoadMemos(path_) != kSuccess) _exit(1);
            for (int round = 0;; ++round) {
                store.SetMemo(CalDate(2000, 1, 1), "round " + std::to_string(round));
                SaveMemoFileShown(store, path_);
                if (write(saves[1], "s", 1) != 1) _exit(2);
            }
        }
        close(saves[1]);
        // Wait for one save to learn how long a save takes, then kill within the next few.
        const auto start = std::chrono::steady_clock::now();
        char byte = 0;
        ASSERT_EQ(read(saves[0], &byte, 1), 1);
        const auto cycle =
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
        usleep(std::uniform_int_distribution<useconds_t>(0, static_cast<useconds_t>(3 * cycle.count()))(random));
        ::kill(child, SIGKILL);
        close(saves[0]);
        int status = 0;
        waitpid(child, &status, 0);
        SCOPED_TRACE("kill " + std::to_string(kill));

        for (const std::string& file : {path_, backup}) {
            if (file == backup && !FileExists(backup)) continue;
            const Read read = ReadMemoFile(file);
            EXPECT_EQ(read.result, kSuccess) << file;
            ASSERT_EQ(read.entries.size(), before.size()) << file;
            for (size_t i = 1; i < before.size(); ++i) ASSERT_EQ(read.entries[i], before[i]) << file;
        }
    }
}

// Copies of the program in processes of their own, each with the file as it was when they
// read it, adding a memo of their own day and saving all at once: every memo ends up in
// memo.txt, and the one a copy deleted stays gone.
TEST_F(MemoFaults, CopiesSavingAtOnce) {
    constexpr int kCopies = 4;
    for (int round = 0; round < 5; ++round) {
        WriteWholeFile(path_, FileOf(ManyMemos(2000, "old")));
        int ready[2], go[2];
        ASSERT_EQ(pipe(ready), 0);
        ASSERT_EQ(pipe(go), 0);
        std::vector<pid_t> children;
        for (int copy = 0; copy < kCopies; ++copy) {
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                MemoStore store;
                if (store.LoadMemos(path_) != kSuccess) _exit(1);
                store.SetMemo(CalDate(2030, 1, 1 + copy), "copy " + std::to_string(copy));
                if (copy == 0) store.SetMemo(CalDate(2000, 1, 2), "");
                // Said to have read the file, each waits until the pipe closes: all go at once.
                char byte = 0;
                close(go[1]);
                if (write(ready[1], "r", 1) != 1 || read(go[0], &byte, 1) != 0) _exit(2);
                _exit(SaveMemoFileShown(store, path_) == kSuccess ? 0 : 3);
            }
            children.push_back(child);
        }
        for (int copy = 0; copy < kCopies; ++copy) {
            char byte = 0;
            ASSERT_EQ(read(ready[0], &byte, 1), 1);
        }
        close(go[1]);
        for (const pid_t child : children) {
            int status = 0;
            waitpid(child, &status, 0);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        close(go[0]), close(ready[0]), close(ready[1]);
        MemoStore merged;
        ASSERT_EQ(merged.LoadMemos(path_), kSuccess);
        EXPECT_EQ(merged.Count(), 2000u - 1 + kCopies) << "round " << round;
        EXPECT_FALSE(merged.HasMemo(CalDate(2000, 1, 2)));
        for (int copy = 0; copy < kCopies; ++copy)
            EXPECT_EQ(merged.MemoOf(CalDate(2030, 1, 1 + copy)), "copy " + std::to_string(copy));
    }
}

// Saving through a link writes the file it leads to; a link planted under the temporary
// name is never written through.
TEST_F(MemoFaults, Links) {
    std::filesystem::create_directory(folder_.Join("elsewhere"));
    const std::string target = folder_.Join("elsewhere/my memos.txt"), &link = path_;
    const std::string victim = folder_.Join("victim");
    WriteWholeFile(target, FileOf(ManyMemos(3, "old")));
    WriteWholeFile(victim, "must stay");
    std::filesystem::create_symlink("elsewhere/my memos.txt", link);
    std::filesystem::create_symlink(victim, target + ".tmp");

    MemoStore store;
    ASSERT_EQ(store.LoadMemos(link), kSuccess);
    store.SetMemo(CalDate(2024, 1, 1), "new");
    ASSERT_EQ(SaveMemoFileShown(store, link), kSuccess);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadMemoFile(target).entries, store.Entries());
    EXPECT_EQ(ReadMemoFile(folder_.Join("memo.bak")).entries, ManyMemos(3, "old"));
    EXPECT_EQ(ReadWholeFile(victim), "must stay");
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(target + ".tmp")));
}
#endif

}  // namespace
}  // namespace tavoli
