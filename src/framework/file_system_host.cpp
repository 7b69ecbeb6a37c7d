// The file system through POSIX calls, for the host tools and tests.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "framework/file_system.h"
#include "framework/platform_host.h"

namespace tavoli {

namespace {

int Descriptor(FileSystem::Handle file) { return static_cast<int>(file); }

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

class HostFileSystem : public FileSystem {
public:
    ErrorValue OpenForReading(const std::string& path, Handle& file) override {
        file = kNoHandle;
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return ErrorFromErrno(errno);
        struct stat st {};
        if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            const int error = S_ISDIR(st.st_mode) ? EISDIR : errno != 0 ? errno : EACCES;
            ::close(fd);
            return ErrorFromErrno(error);
        }
        file = fd;
        return kSuccess;
    }

    ErrorValue CreateNew(const std::string& path, Handle& file) override {
        file = kNoHandle;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0) return ErrorFromErrno(errno);
        file = fd;
        return kSuccess;
    }

    ErrorValue SizeOf(Handle file, uint64_t& size) override {
        struct stat st {};
        if (fstat(Descriptor(file), &st) != 0) return ErrorFromErrno(errno);
        size = static_cast<uint64_t>(st.st_size);
        return kSuccess;
    }

    ErrorValue Read(Handle file, char* buffer, size_t size, size_t& read) override {
        read = 0;
        for (;;) {
            const ssize_t n = ::read(Descriptor(file), buffer, size);
            if (n >= 0) {
                read = static_cast<size_t>(n);
                return kSuccess;
            }
            if (errno != EINTR) return ErrorFromErrno(errno);
        }
    }

    ErrorValue Write(Handle file, const char* data, size_t size, size_t& written) override {
        written = 0;
        for (;;) {
            const ssize_t n = ::write(Descriptor(file), data, size);
            if (n >= 0) {
                written = static_cast<size_t>(n);
                return kSuccess;
            }
            if (errno != EINTR) return ErrorFromErrno(errno);
        }
    }

    ErrorValue Flush(Handle file) override { return ::fsync(Descriptor(file)) == 0 ? kSuccess : ErrorFromErrno(errno); }

    ErrorValue Close(Handle file) override { return ::close(Descriptor(file)) == 0 ? kSuccess : ErrorFromErrno(errno); }

    ErrorValue Replace(const std::string& source, const std::string& target) override {
        // The new file keeps the permissions of the one it replaces (a private memo file
        // stays private).
        struct stat st {};
        if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::chmod(source.c_str(), st.st_mode & 07777);
        return ::rename(source.c_str(), target.c_str()) == 0 ? kSuccess : ErrorFromErrno(errno);
    }

    ErrorValue Remove(const std::string& path) override {
        return ::unlink(path.c_str()) == 0 ? kSuccess : ErrorFromErrno(errno);
    }

    std::string ResolveLinks(const std::string& path) override {
        std::string current = path;
        // As many steps as the system itself follows before it gives up on a loop.
        for (int step = 0; step < 40; ++step) {
            struct stat st {};
            if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
            char target[PATH_MAX];
            const ssize_t n = ::readlink(current.c_str(), target, sizeof target - 1);
            if (n <= 0) return current;
            const std::string next(target, static_cast<size_t>(n));
            current = next.front() == '/' ? next : FolderOf(current) + next;
        }
        return current;
    }

    void FlushFolder(const std::string& folder) override {
        const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return;
        ::fsync(fd);
        ::close(fd);
    }

    bool IsNotFound(ErrorValue error) const override {
        return error == ErrorFromErrno(ENOENT) || error == ErrorFromErrno(ENOTDIR);
    }
};

}  // namespace

FileSystem& SystemFileSystem() {
    static HostFileSystem system;
    return system;
}

}  // namespace tavoli
