// Whole files read with ordinary reads and replaced in one step. Whoever reads the file
// afterwards, even after a crash or a power loss, finds the old contents or the new
// ones, never a mixture; a failure leaves the old file and no temporary file behind.
#pragma once

#include <string>
#include <string_view>

#include "framework/error.h"
#include "framework/file_system.h"

namespace tavoli {

// What a whole file may hold at most: its size must fit in 32 bits.
constexpr uint64_t kWholeFileLimit = (uint64_t{1} << 32) - 1;

// The whole file. "memory_alloc" when it does not fit in memory, "file_open" for a file
// of 4 GiB or more, "too_large_data" for more than limit bytes (a device or a pipe need
// not end); contents stay empty on any failure.
ErrorValue ReadFileContents(const std::string& path, std::string& contents, uint64_t limit = kWholeFileLimit);

// Writes a file anew under a temporary name beside the file that the path (or the links
// at the path) lead to, and puts it in that file's place on Commit. Only a regular file
// is replaced: Begin refuses a folder ("path_access") and a device or a pipe ("device").
class AtomicFileWriter {
public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter() { Abandon(); }
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    ErrorValue Begin(const std::string& path);
    // Buffered; after the first failure further writes do nothing and Commit reports it.
    void Write(std::string_view data);
    // Writes out the rest, flushes the file to the disk, closes it and replaces the
    // target with it. On any failure the temporary file is removed.
    ErrorValue Commit();
    // The file that Commit replaces (links resolved).
    const std::string& Target() const { return target_; }
    // The first failure so far.
    ErrorValue Error() const { return error_; }

private:
    void WriteOut();
    void Abandon();

    FileSystem::Handle file_ = FileSystem::kNoHandle;
    std::string target_;
    std::string temporary_;
    std::string buffer_;
    ErrorValue error_ = kSuccess;
};

// The temporary name used for a target: the name with ".tmp" added.
std::string TemporaryNameFor(const std::string& target);

// Replaces the file with the data in one step.
ErrorValue WriteFileAtomically(const std::string& path, std::string_view data);

// Output that a user names: a regular file or a new name is replaced in one step, as
// above; a device or a pipe (a terminal, /dev/null, a FIFO with a reader) is written to
// as it is and never replaced; a folder is refused ("path_access").
ErrorValue WriteOutputFile(const std::string& path, std::string_view data);

}  // namespace tavoli
