// Mutual exclusion between processes around reading, changing and replacing one file: a
// lock file beside it ("memo.txt.lock"), created exclusively. Two copies of the program
// that save the same file in the same moment take turns instead of each writing over
// what the other just wrote.
#pragma once

#include <string>

#include "framework/error.h"
#include "framework/file_system.h"

namespace tavoli {

class FileLock {
public:
    // A save holds the lock for a moment: a lock file this old was left by a holder that
    // ended without giving it up (where the system does not remove it by itself).
    static constexpr int kStaleSeconds = 5;
    // How long to wait for another holder; longer than the stale age, so that a lock left
    // behind is cleared within one wait.
    static constexpr int kWaitMilliseconds = 6000;
    static constexpr int kPollMilliseconds = 50;
    // Refusals other than "held" tried again before the save goes on without the lock.
    static constexpr int kRefusalsBeforeGivingUp = 3;

    FileLock() = default;
    ~FileLock() { Release(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock of the file at path (links followed): kSuccess when held;
    // "object_locked" when another holder kept it for the whole wait; another error when
    // no lock file can be made there at all.
    ErrorValue Acquire(const std::string& path);
    void Release();
    bool Held() const { return file_ != FileSystem::kNoHandle; }

private:
    std::string lockPath_;
    FileSystem::Handle file_ = FileSystem::kNoHandle;
};

// The lock file of a file: "memo.txt" → "memo.txt.lock".
std::string LockFileNameFor(const std::string& path);

}  // namespace tavoli
