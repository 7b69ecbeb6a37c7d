#include "framework/file_lock.h"

#include <new>

namespace tavoli {

std::string LockFileNameFor(const std::string& path) { return path + ".lock"; }

ErrorValue FileLock::Acquire(const std::string& path) {
    Release();
    FileSystem& fs = CurrentFileSystem();
    try {
        lockPath_ = LockFileNameFor(fs.ResolveLinks(path));
    } catch (const std::bad_alloc&) {
        return ErrorFromKey("memory_alloc");
    }
    bool triedStale = false;
    int refusals = 0;
    for (int waited = 0;; waited += kPollMilliseconds) {
        const ErrorValue error = fs.CreateLockFile(lockPath_, file_);
        if (error == kSuccess) return kSuccess;
        file_ = FileSystem::kNoHandle;
        // A lock its holder just released may still be going away, which refuses a new one
        // for a moment as a folder that takes no files does for good.
        if (!fs.IsAlreadyExists(error)) {
            if (++refusals > kRefusalsBeforeGivingUp) return error;
            fs.Pause(kPollMilliseconds);
            continue;
        }
        // Between the age and the removal another waiter may have done the same and taken
        // a fresh lock; the window is one system call wide, and where locks go away by
        // themselves a held one cannot be removed at all.
        int64_t age = 0;
        if (!triedStale && fs.SecondsSinceWritten(lockPath_, age) && age >= kStaleSeconds) {
            triedStale = true;
            if (fs.Remove(lockPath_) == kSuccess) continue;
        }
        if (waited >= kWaitMilliseconds) return ErrorFromKey("object_locked");
        fs.Pause(kPollMilliseconds);
    }
}

void FileLock::Release() {
    if (file_ == FileSystem::kNoHandle) return;
    CurrentFileSystem().RemoveLockFile(lockPath_, file_);
    file_ = FileSystem::kNoHandle;
}

}  // namespace tavoli
