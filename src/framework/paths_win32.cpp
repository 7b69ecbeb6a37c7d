// Paths, folders and copies through the Win32 shell and file functions.
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "framework/paths.h"
#include "framework/platform.h"

namespace tavoli {

namespace {

std::string Combine(const std::string& folder, std::string_view name) {
    if (folder.size() >= kMaxPathBytes || name.size() >= kMaxPathBytes) return {};
    char buffer[MAX_PATH] = {};
    const std::string nameText(name);
    if (!PathCombineA(buffer, folder.c_str(), nameText.c_str())) return {};
    std::string result(buffer);
    return result.size() < kMaxPathBytes ? result : std::string();
}

}  // namespace

std::string ProgramFilePath(std::string_view name) {
    const std::string exe = CurrentPlatform().ExecutablePath();
    if (exe.empty()) return {};
    return Combine(PathPart(exe, "dp"), name);
}

std::string CurrentDirFilePath(std::string_view name) {
    char buffer[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
    if (length == 0 || length >= MAX_PATH) return {};
    return Combine(buffer, name);
}

std::string PerUserFilePath(std::string_view subfolder, std::string_view name) {
    // The folder's path straight from the shell's folder table: the same path as through an
    // item list of the shell's namespace, at a tenth of the cost (this runs at every start).
    char folder[MAX_PATH] = {};
    const bool found =
        SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) == S_OK && folder[0] != '\0';
    if (!found) return ProgramFilePath(name);
    char full[MAX_PATH] = {};
    if (GetFullPathNameA(folder, MAX_PATH, full, nullptr) == 0) return ProgramFilePath(name);
    std::string path(full);
    if (path.empty() || (path.back() != '\\' && path.back() != '/')) path += '\\';
    path += subfolder;
    path += name;
    return path.size() < kMaxPathBytes ? path : std::string();
}

std::string TemporaryFolderPath() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof buffer, buffer);
    if (length == 0 || length >= kMaxPathBytes) return {};
    return std::string(buffer, length);
}

bool FileExists(std::string_view path) {
    if (path.empty() || path.size() >= kMaxPathBytes) return false;
    const std::string text(path);
    return PathFileExistsA(text.c_str()) && !PathIsDirectoryA(text.c_str());
}

bool FolderExists(std::string_view path) {
    if (path.empty() || path.size() >= kMaxPathBytes) return false;
    const std::string text(path);
    return PathFileExistsA(text.c_str()) && PathIsDirectoryA(text.c_str());
}

ErrorValue MakeFolders(std::string_view path) {
    if (path.empty()) return ErrorFromKey("InvalidArgument");
    if (path.size() >= kMaxPathBytes) return ErrorFromKey("InvalidFileName");
    // Relative paths are made full first, so that every folder has its parent.
    char full[MAX_PATH] = {};
    const std::string text(path);
    const DWORD length = GetFullPathNameA(text.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) return ErrorFromKey("InvalidFileName");
    std::string folder(full);
    while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    if (FolderExists(folder)) return kSuccess;
    const std::string parent = PathPart(folder, "dp");
    if (parent.empty() || parent == folder || parent.size() >= folder.size()) return ErrorFromKey("Workspace");
    const ErrorValue error = MakeFolders(parent);
    if (error != kSuccess) return error;
    if (!CreateDirectoryA(folder.c_str(), nullptr)) {
        const DWORD code = GetLastError();
        if (code != ERROR_ALREADY_EXISTS || !FolderExists(folder)) return ErrorFromSystem(code);
    }
    SHChangeNotify(SHCNE_MKDIR, SHCNF_PATHA, folder.c_str(), nullptr);
    return kSuccess;
}

ErrorValue CopyFileTo(std::string_view source, std::string_view target, std::string_view options) {
    if (source.size() >= kMaxPathBytes || target.size() >= kMaxPathBytes) return ErrorFromKey("InvalidFileName");
    const char mode = CopyMode(options);
    const std::string from(source);
    std::string to(target);
    if (mode == 'R' && PathFileExistsA(to.c_str())) {
        bool free = false;
        for (int n = 2; n < 102 && !free; ++n) {
            to = NumberedVariant(target, n);
            if (to.size() >= kMaxPathBytes) return ErrorFromKey("InvalidFileName");
            free = !PathFileExistsA(to.c_str());
        }
        if (!free) return ErrorFromKey("file_exist");
    }
    if (!CopyFileA(from.c_str(), to.c_str(), mode == 'F')) return ErrorFromSystem(GetLastError());
    SHChangeNotify(SHCNE_CREATE, SHCNF_PATHA, to.c_str(), nullptr);
    return kSuccess;
}

}  // namespace tavoli
