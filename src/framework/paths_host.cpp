// Paths, folders and copies with POSIX calls, for the host tools and tests.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "framework/paths.h"
#include "framework/platform.h"
#include "framework/platform_host.h"

namespace tavoli {

namespace {

std::string Join(std::string folder, std::string_view name) {
    if (!name.empty() && name.front() == '/') folder.clear();
    else if (!folder.empty() && folder.back() != '/') folder += '/';
    folder += name;
    return folder.size() < kMaxPathBytes ? folder : std::string();
}

bool IsKind(std::string_view path, mode_t kind) {
    if (path.empty() || path.size() >= kMaxPathBytes) return false;
    struct stat st {};
    return stat(std::string(path).c_str(), &st) == 0 && (st.st_mode & S_IFMT) == kind;
}

ErrorValue CopyContents(const std::string& from, const std::string& to, bool failIfExists) {
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return ErrorFromErrno(errno);
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | (failIfExists ? O_EXCL : 0), 0644);
    if (out < 0) {
        const int error = errno;
        ::close(in);
        return ErrorFromErrno(error);
    }
    char buffer[65536];
    ErrorValue result = kSuccess;
    for (;;) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0 || ::write(out, buffer, static_cast<size_t>(n)) != n) {
            result = ErrorFromErrno(errno);
            break;
        }
    }
    ::close(in);
    if (::close(out) != 0 && result == kSuccess) result = ErrorFromErrno(errno);
    return result;
}

}  // namespace

std::string ProgramFilePath(std::string_view name) {
    const std::string exe = CurrentPlatform().ExecutablePath();
    if (exe.empty()) return {};
    return Join(PathPart(exe, "dp"), name);
}

std::string CurrentDirFilePath(std::string_view name) {
    char buffer[kMaxPathBytes];
    if (!getcwd(buffer, sizeof buffer)) return {};
    return Join(buffer, name);
}

std::string PerUserFilePath(std::string_view subfolder, std::string_view name) {
    std::string folder;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) folder = config;
    else if (const char* home = std::getenv("HOME"); home && *home) folder = std::string(home) + "/.config";
    if (folder.empty()) return ProgramFilePath(name);
    std::string sub(subfolder);
    for (char& c : sub) {
        if (c == '\\') c = '/';
    }
    const std::string user = Join(folder, sub);
    return user.empty() ? std::string() : Join(user, name);
}

std::string TemporaryFolderPath() {
    const char* folder = std::getenv("TMPDIR");
    std::string path = folder && *folder ? folder : "/tmp";
    if (path.back() != '/') path += '/';
    return path.size() < kMaxPathBytes ? path : std::string();
}

bool FileExists(std::string_view path) { return IsKind(path, S_IFREG); }

bool FolderExists(std::string_view path) { return IsKind(path, S_IFDIR); }

ErrorValue MakeFolders(std::string_view path) {
    if (path.empty()) return ErrorFromKey("InvalidArgument");
    if (path.size() >= kMaxPathBytes) return ErrorFromKey("InvalidFileName");
    std::string folder(path);
    if (folder.front() != '/') folder = CurrentDirFilePath(folder);
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    if (folder.empty()) return ErrorFromKey("InvalidFileName");
    if (FolderExists(folder)) return kSuccess;
    std::string parent = PathPart(folder, "dp");
    if (parent.empty() || parent.size() >= folder.size()) return ErrorFromKey("Workspace");
    const ErrorValue error = MakeFolders(parent);
    if (error != kSuccess) return error;
    if (::mkdir(folder.c_str(), 0755) != 0 && !(errno == EEXIST && FolderExists(folder))) return ErrorFromErrno(errno);
    return kSuccess;
}

ErrorValue CopyFileTo(std::string_view source, std::string_view target, std::string_view options) {
    if (source.size() >= kMaxPathBytes || target.size() >= kMaxPathBytes) return ErrorFromKey("InvalidFileName");
    const char mode = CopyMode(options);
    std::string to(target);
    if (mode == 'R' && (FileExists(to) || FolderExists(to))) {
        bool free = false;
        for (int n = 2; n < 102 && !free; ++n) {
            to = NumberedVariant(target, n);
            if (to.size() >= kMaxPathBytes) return ErrorFromKey("InvalidFileName");
            free = !FileExists(to) && !FolderExists(to);
        }
        if (!free) return ErrorFromKey("file_exist");
    }
    return CopyContents(std::string(source), to, mode == 'F');
}

}  // namespace tavoli
