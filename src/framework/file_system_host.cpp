// The file system through POSIX calls, for the host tools and tests.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "framework/file_system.h"
#include "framework/platform_host.h"

namespace tavoli {

namespace {

int Descriptor(FileSystem::Handle file) { return static_cast<int>(file); }

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Opens without waiting for the other end of a pipe, then makes reads and writes wait
// again as usual.
int OpenNow(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd >= 0) ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

// The names on the way from a name through its links, the name first.
std::vector<std::string> LinkChain(const std::string& path) {
    std::vector<std::string> chain{path};
    for (int step = 0; step < 40; ++step) {
        char target[PATH_MAX];
        const ssize_t n = ::readlink(chain.back().c_str(), target, sizeof target - 1);
        if (n <= 0) break;
        const std::string next(target, static_cast<size_t>(n));
        const std::string& current = chain.back();
        chain.push_back(next.front() == '/' ? next : current.substr(0, current.rfind('/') + 1) + next);
    }
    return chain;
}

// Whether the name, or a link on the way from it, names an open file descriptor.
bool ThroughDescriptor(const std::string& path) {
    for (const std::string& name : LinkChain(path)) {
        if (name.rfind("/proc/", 0) == 0 || name.rfind("/dev/fd/", 0) == 0) return true;
    }
    return false;
}

// The descriptor of this process a name stands for ("/dev/stdout" → 1), or −1. Writing
// goes to that descriptor itself: opened anew, a file it appends to would be overwritten.
int OwnDescriptorNamed(const std::string& path) {
    for (const std::string& name : LinkChain(path)) {
        for (const char* prefix : {"/proc/self/fd/", "/dev/fd/"}) {
            const std::string p(prefix);
            if (name.size() > p.size() && name.compare(0, p.size(), p) == 0 &&
                name.find_first_not_of("0123456789", p.size()) == std::string::npos) {
                return std::atoi(name.c_str() + p.size());
            }
        }
    }
    return -1;
}

class HostFileSystem : public FileSystem {
public:
    Kind KindOf(const std::string& path) override {
        // A name that stands for an open file ("/dev/stdout" → "/proc/self/fd/1" → …) is
        // written where it leads, whatever that is: replacing it would lose what the
        // descriptor's holder meant (a file opened for appending, say).
        if (ThroughDescriptor(path)) return Kind::kOther;
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) return Kind::kMissing;
        if (S_ISREG(st.st_mode)) return Kind::kRegular;
        return S_ISDIR(st.st_mode) ? Kind::kFolder : Kind::kOther;
    }

    ErrorValue OpenForReading(const std::string& path, Handle& file) override {
        file = kNoHandle;
        const int fd = OpenNow(path, O_RDONLY);
        if (fd < 0) return ErrorFromErrno(errno);
        struct stat st {};
        if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
            const int error = S_ISDIR(st.st_mode) ? EISDIR : errno;
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

    ErrorValue OpenForWriting(const std::string& path, Handle& file) override {
        file = kNoHandle;
        const int own = OwnDescriptorNamed(path);
        const int fd = own >= 0 ? ::fcntl(own, F_DUPFD_CLOEXEC, 0) : OpenNow(path, O_WRONLY);
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

    bool IsAlreadyExists(ErrorValue error) const override { return error == ErrorFromErrno(EEXIST); }

    // The lock is the system's lock on the file, which ends with its holder even when that
    // crashes; a file left behind is taken over, its time set to now, so that its age is
    // the age of the lock.
    ErrorValue CreateLockFile(const std::string& path, Handle& file) override {
        file = kNoHandle;
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) return ErrorFromErrno(errno);
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno == EWOULDBLOCK ? EEXIST : errno;
            ::close(fd);
            return ErrorFromErrno(error);
        }
        // The holder before may have removed the name after this open: then this lock is on
        // a file nobody else finds, and the next try opens the new one.
        struct stat held {
        }, named{};
        if (fstat(fd, &held) != 0 || ::lstat(path.c_str(), &named) != 0 || held.st_ino != named.st_ino ||
            held.st_dev != named.st_dev) {
            ::close(fd);
            return ErrorFromErrno(EEXIST);
        }
        ::futimens(fd, nullptr);
        file = fd;
        return kSuccess;
    }

    void RemoveLockFile(const std::string& path, Handle file) override {
        ::unlink(path.c_str());
        ::close(Descriptor(file));
    }

    // A lock here ends with its holder and a file left behind is taken over: no lock file
    // is ever stale, and one that is old may still be held.
    bool SecondsSinceWritten(const std::string&, int64_t&) override { return false; }

    void Pause(int milliseconds) override {
        struct timespec pause {};
        pause.tv_sec = milliseconds / 1000;
        pause.tv_nsec = static_cast<long>(milliseconds % 1000) * 1000000L;
        while (::nanosleep(&pause, &pause) != 0 && errno == EINTR) {}
    }
};

}  // namespace

std::vector<std::string> FileNamesIn(const std::string& folder) {
    std::vector<std::string> names;
    DIR* directory = opendir(folder.c_str());
    if (!directory) return names;
    const std::string base = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    while (const dirent* entry = readdir(directory)) {
        struct stat info {};
        if (stat((base + entry->d_name).c_str(), &info) == 0 && S_ISREG(info.st_mode))
            names.emplace_back(entry->d_name);
    }
    closedir(directory);
    return names;
}

FileSystem& SystemFileSystem() {
    static HostFileSystem system;
    return system;
}

}  // namespace tavoli
