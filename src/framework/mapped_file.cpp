#include "framework/mapped_file.h"

namespace tavoli {

ErrorValue MappedFile::Open(const std::string& path, Mode mode) {
    if (mode_ != kClosed) {
        if (mode_ == mode && path_ == path) return kSuccess;
        Close();
    }
    if (mode == kClosed) return kSuccess;
    const ErrorValue error = OpenFile(path, mode);
    if (error != kSuccess) return error;
    mode_ = mode;
    path_ = path;
    // The mapping and the line splitting count in 32 bits.
    if (FileSize() >= (uint64_t{1} << 32)) {
        Close();
        return ErrorFromKey("file_open");
    }
    return kSuccess;
}

ErrorValue MappedFile::Close() {
    if (mode_ == kClosed) return kSuccess;
    ErrorValue error = Unmap();
    if (!CloseFile() && error == kSuccess) error = ErrorFromKey("file_close");
    file_ = -1;
    mode_ = kClosed;
    path_.clear();
    return error;
}

}  // namespace tavoli
