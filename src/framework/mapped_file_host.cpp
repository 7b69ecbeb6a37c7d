#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "framework/mapped_file.h"
#include "framework/platform_host.h"

namespace tavoli {

namespace {

ErrorValue Failed(int error) { return ErrorFromErrno(error); }

}  // namespace

uint64_t MappedFile::FileSize() const {
    struct stat st {};
    if (fstat(static_cast<int>(file_), &st) != 0) return 0;
    return static_cast<uint64_t>(st.st_size);
}

ErrorValue MappedFile::OpenFile(const std::string& path, Mode mode) {
    const int flags = mode == kRead ? O_RDONLY : mode == kWrite ? O_RDWR | O_CREAT | O_TRUNC : O_RDWR | O_CREAT;
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0) return Failed(errno);
    struct stat st {};
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        const int error = S_ISDIR(st.st_mode) ? EISDIR : errno;
        ::close(fd);
        return Failed(error);
    }
    file_ = fd;
    return kSuccess;
}

bool MappedFile::CloseFile() { return file_ < 0 || ::close(static_cast<int>(file_)) == 0; }

ErrorValue MappedFile::Map() {
    if (mode_ == kClosed) return ErrorFromKey("object_silent");
    if (begin_ != nullptr) return kSuccess;
    const uint64_t size = FileSize();
    if (size == 0) return kSuccess;
    const int protection = mode_ == kRead ? PROT_READ : PROT_READ | PROT_WRITE;
    void* view = mmap(nullptr, static_cast<size_t>(size), protection, MAP_SHARED, static_cast<int>(file_), 0);
    if (view == MAP_FAILED) {
        Close();
        return ErrorFromKey("file_open");
    }
    begin_ = static_cast<char*>(view);
    end_ = begin_ + size;
    return kSuccess;
}

ErrorValue MappedFile::Resize(uint64_t size) {
    if (mode_ != kWrite && mode_ != kUpdate) return ErrorFromKey("object_silent");
    ErrorValue error = Unmap();
    // ftruncate fills what the file gains with zeros.
    if (ftruncate(static_cast<int>(file_), static_cast<off_t>(size)) != 0) return ErrorFromKey("file_resize");
    const ErrorValue mapped = Map();
    return error != kSuccess ? error : mapped;
}

ErrorValue MappedFile::Unmap() {
    ErrorValue error = kSuccess;
    if (begin_ != nullptr && munmap(begin_, Size()) != 0) error = ErrorFromKey("file_close");
    begin_ = end_ = nullptr;
    mapping_ = nullptr;  // a POSIX mapping has no object of its own
    return error;
}

}  // namespace tavoli
