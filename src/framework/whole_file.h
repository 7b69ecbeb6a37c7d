// Whole files read with ordinary reads and replaced in one step. Whoever reads the file
// afterwards, even after a crash or a power loss, finds the old contents or the new
// ones, never a mixture; a failure leaves the old file and no temporary file behind.
#pragma once

#include <string>
#include <string_view>

#include "framework/error.h"
#include "framework/file_system.h"

namespace tavoli {

// The whole file. "memory_alloc" when it does not fit in memory; contents stay empty on
// any failure.
ErrorValue ReadFileContents(const std::string& path, std::string& contents);

// Writes a file anew under a temporary name beside the file that the path (or the links
// at the path) lead to, and puts it in that file's place on Commit.
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

// Replaces target with a copy of source, in one step.
ErrorValue CopyFileAtomically(const std::string& source, const std::string& target);

}  // namespace tavoli
