#include <windows.h>

#include "framework/mapped_file.h"

namespace tavoli {

namespace {

HANDLE AsHandle(intptr_t file) { return reinterpret_cast<HANDLE>(file); }

constexpr intptr_t kNoFile = -1;  // INVALID_HANDLE_VALUE

}  // namespace

uint64_t MappedFile::FileSize() const {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(AsHandle(file_), &size)) return 0;
    return static_cast<uint64_t>(size.QuadPart);
}

ErrorValue MappedFile::OpenFile(const std::string& path, Mode mode) {
    const DWORD access = mode == kRead ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    const DWORD share = mode == kRead ? FILE_SHARE_READ : 0;
    const DWORD disposition = mode == kRead ? OPEN_EXISTING : mode == kWrite ? CREATE_ALWAYS : OPEN_ALWAYS;
    HANDLE handle = CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return ErrorFromSystem(GetLastError());
    file_ = reinterpret_cast<intptr_t>(handle);
    return kSuccess;
}

bool MappedFile::CloseFile() { return file_ == kNoFile || CloseHandle(AsHandle(file_)); }

ErrorValue MappedFile::Map() {
    if (mode_ == kClosed) return ErrorFromKey("object_silent");
    if (begin_ != nullptr) return kSuccess;
    const uint64_t size = FileSize();
    if (size == 0) return kSuccess;
    HANDLE mapping =
        CreateFileMappingA(AsHandle(file_), nullptr, mode_ == kRead ? PAGE_READONLY : PAGE_READWRITE, 0, 0, nullptr);
    if (mapping == nullptr) return ErrorFromKey("file_open");
    const DWORD access = mode_ == kRead ? FILE_MAP_READ : mode_ == kWrite ? FILE_MAP_WRITE : FILE_MAP_ALL_ACCESS;
    void* view = MapViewOfFile(mapping, access, 0, 0, 0);
    if (view == nullptr) {
        CloseHandle(mapping);
        Close();
        return ErrorFromKey("file_open");
    }
    mapping_ = mapping;
    begin_ = static_cast<char*>(view);
    end_ = begin_ + size;
    return kSuccess;
}

ErrorValue MappedFile::Resize(uint64_t size) {
    if (mode_ != kWrite && mode_ != kUpdate) return ErrorFromKey("object_silent");
    const uint64_t before = FileSize();
    ErrorValue error = Unmap();
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(size);
    if (!SetFilePointerEx(AsHandle(file_), position, nullptr, FILE_BEGIN) || !SetEndOfFile(AsHandle(file_))) {
        return ErrorFromKey("file_resize");
    }
    const ErrorValue mapped = Map();
    if (error == kSuccess) error = mapped;
    if (mapped == kSuccess && size > before && begin_) {
        ZeroMemory(begin_ + before, static_cast<SIZE_T>(size - before));
    }
    return error;
}

ErrorValue MappedFile::Unmap() {
    ErrorValue error = kSuccess;
    if (begin_ != nullptr && !UnmapViewOfFile(begin_)) error = ErrorFromKey("file_close");
    if (mapping_ != nullptr && !CloseHandle(static_cast<HANDLE>(mapping_)) && error == kSuccess) {
        error = ErrorFromKey("file_close");
    }
    begin_ = end_ = nullptr;
    mapping_ = nullptr;
    return error;
}

}  // namespace tavoli
