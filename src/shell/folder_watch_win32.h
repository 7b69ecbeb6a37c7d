// Change notifications of a few folders: a file written, created, renamed or removed in
// one of them signals its handle. The message loop waits on the handles beside the
// window's messages, so that nothing runs while nothing changes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tavoli {

class FolderWatch {
public:
    FolderWatch() = default;
    ~FolderWatch() { Stop(); }
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Watches exactly these folders from now on; a folder watched already keeps its
    // handle, a folder that cannot be watched is left out.
    void Watch(const std::vector<std::string>& folders);
    void Stop() { Watch({}); }

    // The handles to wait on, one per watched folder.
    const std::vector<HANDLE>& Handles() const { return handles_; }
    // After a wait reported the handle: ready for the next change, or dropped when its
    // folder is gone (the change that follows watches again what exists).
    void Rearm(size_t index);
    // Whether a notification came on any handle, without waiting (a modal loop does not
    // wait on the handles); each handle that had one is ready again.
    bool TakeSignalled();

private:
    std::vector<std::string> folders_;
    std::vector<HANDLE> handles_;
};

}  // namespace tavoli
