#include "shell/folder_watch_win32.h"

namespace tavoli {

namespace {

// Names for creations, removals and renames (editors that save by renaming), sizes and
// write times for saves in place.
constexpr DWORD kChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_SIZE |
                           FILE_NOTIFY_CHANGE_LAST_WRITE;

}  // namespace

void FolderWatch::Watch(const std::vector<std::string>& folders) {
    std::vector<std::string> keptFolders;
    std::vector<HANDLE> kept;
    for (const std::string& folder : folders) {
        HANDLE handle = INVALID_HANDLE_VALUE;
        for (size_t i = 0; i < folders_.size(); ++i) {
            if (folders_[i] == folder && handles_[i] != INVALID_HANDLE_VALUE) {
                handle = handles_[i];
                handles_[i] = INVALID_HANDLE_VALUE;  // taken over
            }
        }
        if (handle == INVALID_HANDLE_VALUE) handle = FindFirstChangeNotificationA(folder.c_str(), FALSE, kChanges);
        if (handle == INVALID_HANDLE_VALUE) continue;
        keptFolders.push_back(folder);
        kept.push_back(handle);
    }
    for (HANDLE handle : handles_) {
        if (handle != INVALID_HANDLE_VALUE) FindCloseChangeNotification(handle);
    }
    folders_ = std::move(keptFolders);
    handles_ = std::move(kept);
}

void FolderWatch::Rearm(size_t index) {
    if (index >= handles_.size() || FindNextChangeNotification(handles_[index])) return;
    // The folder went away (removed, renamed, a share lost): the handle would never speak
    // again. Dropped, the folder is watched anew, or its parent, at the next Watch.
    FindCloseChangeNotification(handles_[index]);
    handles_.erase(handles_.begin() + static_cast<std::ptrdiff_t>(index));
    folders_.erase(folders_.begin() + static_cast<std::ptrdiff_t>(index));
}

bool FolderWatch::TakeSignalled() {
    bool any = false;
    for (size_t i = handles_.size(); i-- > 0;) {
        if (WaitForSingleObject(handles_[i], 0) == WAIT_OBJECT_0) {
            Rearm(i);
            any = true;
        }
    }
    return any;
}

}  // namespace tavoli
