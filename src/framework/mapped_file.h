// A file opened and mapped into memory whole; the contents are read or written through
// the mapping and the file is closed at once.
#pragma once

#include <cstdint>
#include <string>

#include "framework/error.h"

namespace tavoli {

class MappedFile {
public:
    enum Mode { kClosed = 0, kRead = 1, kWrite = 2, kUpdate = 3 };

    MappedFile() = default;
    ~MappedFile() { Close(); }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // kRead shares reading and needs the file; kWrite creates it anew; kUpdate opens or
    // creates it. A file of 4 GiB or more is refused ("file_open").
    ErrorValue Open(const std::string& path, Mode mode);
    // Maps the whole file; an empty file or an existing mapping does nothing.
    ErrorValue Map();
    // Sets the file's size (kWrite, kUpdate) and maps it again; gained bytes are zero.
    ErrorValue Resize(uint64_t size);
    ErrorValue Unmap();
    ErrorValue Close();

    Mode GetMode() const { return mode_; }
    char* Begin() const { return begin_; }
    char* End() const { return end_; }
    size_t Size() const { return static_cast<size_t>(end_ - begin_); }

private:
    // The system's half: open the file for a mode (setting file_), close it, its size.
    ErrorValue OpenFile(const std::string& path, Mode mode);
    bool CloseFile();
    uint64_t FileSize() const;

    Mode mode_ = kClosed;
    std::string path_;
    intptr_t file_ = -1;       // HANDLE or file descriptor
    void* mapping_ = nullptr;  // the mapping object where the system has one
    char* begin_ = nullptr;
    char* end_ = nullptr;
};

}  // namespace tavoli
