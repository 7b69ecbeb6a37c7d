// The file operations that reading and replacing whole files are made of, behind one
// seam: the system's own implementation, and in tests one that fails any chosen step.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/error.h"

namespace tavoli {

class FileSystem {
public:
    using Handle = intptr_t;
    static constexpr Handle kNoHandle = -1;

    // What a name holds. Only a regular file may be replaced by a new one: a device or a
    // pipe under the name would be lost, and a folder would take the file inside it.
    enum class Kind { kMissing, kRegular, kFolder, kOther };

    virtual ~FileSystem() = default;

    // What the path (links followed) names; kMissing also when that cannot be told.
    virtual Kind KindOf(const std::string& path) = 0;
    // An existing file for reading, shared with other readers; a folder is refused. A
    // pipe or a device is read as it comes (the reader bounds how much it takes).
    virtual ErrorValue OpenForReading(const std::string& path, Handle& file) = 0;
    // A new file for writing; fails when the name exists in any form (a link planted
    // under the name is never followed).
    virtual ErrorValue CreateNew(const std::string& path, Handle& file) = 0;
    // An existing file that is no regular file (a device, a pipe) for writing in place,
    // without waiting for a reader that is not there.
    virtual ErrorValue OpenForWriting(const std::string& path, Handle& file) = 0;
    virtual ErrorValue SizeOf(Handle file, uint64_t& size) = 0;
    // Reads up to size bytes; 0 bytes read is the end of the file.
    virtual ErrorValue Read(Handle file, char* buffer, size_t size, size_t& read) = 0;
    // Writes up to size bytes; fewer written without an error is allowed (the caller
    // writes the rest).
    virtual ErrorValue Write(Handle file, const char* data, size_t size, size_t& written) = 0;
    // Makes what was written durable (on the disk, not only in the system's cache).
    virtual ErrorValue Flush(Handle file) = 0;
    virtual ErrorValue Close(Handle file) = 0;
    // Puts source in the place of target in one step, replacing it.
    virtual ErrorValue Replace(const std::string& source, const std::string& target) = 0;
    virtual ErrorValue Remove(const std::string& path) = 0;
    // The path that links at path lead to, followed to their end (the path itself when
    // it is no link or does not exist).
    virtual std::string ResolveLinks(const std::string& path) = 0;
    // Makes a replacement in the folder durable where the system needs that; best effort.
    virtual void FlushFolder(const std::string& folder) = 0;
    // Whether an error value says that the file does not exist.
    virtual bool IsNotFound(ErrorValue error) const = 0;
    // Whether an error value says that the name exists already.
    virtual bool IsAlreadyExists(ErrorValue error) const = 0;

    // A lock file, created exclusively ("exists" while another holds it). Where the
    // system can, it goes away by itself when its holder ends, even by a crash.
    virtual ErrorValue CreateLockFile(const std::string& path, Handle& file) = 0;
    // Gives a lock file up: removed and closed.
    virtual void RemoveLockFile(const std::string& path, Handle file) = 0;
    // Whole seconds since the file was last written; false when that cannot be told.
    virtual bool SecondsSinceWritten(const std::string& path, int64_t& seconds) = 0;
    // Waits, while another process holds a lock.
    virtual void Pause(int milliseconds) = 0;
};

// The file system every whole-file operation uses.
FileSystem& CurrentFileSystem();
FileSystem& SystemFileSystem();

// The names of the regular files in a folder (no folders, no path), in no set order;
// empty when the folder cannot be read.
std::vector<std::string> FileNamesIn(const std::string& folder);

// Installs a replacement for the lifetime of the object (tests).
class ScopedFileSystem {
public:
    explicit ScopedFileSystem(FileSystem& replacement);
    ~ScopedFileSystem();
    ScopedFileSystem(const ScopedFileSystem&) = delete;
    ScopedFileSystem& operator=(const ScopedFileSystem&) = delete;

private:
    FileSystem* previous_;
};

}  // namespace tavoli
