#include "framework/whole_file.h"

#include <new>

namespace tavoli {

namespace {

constexpr size_t kChunk = 64 * 1024;

std::string FolderOf(const std::string& path) {
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

}  // namespace

ErrorValue ReadFileContents(const std::string& path, std::string& contents, uint64_t limit) {
    contents.clear();
    FileSystem& fs = CurrentFileSystem();
    FileSystem::Handle file = FileSystem::kNoHandle;
    ErrorValue error = fs.OpenForReading(path, file);
    if (error != kSuccess) return error;
    uint64_t size = 0;
    error = fs.SizeOf(file, size);
    try {
        if (error == kSuccess && size > kWholeFileLimit) error = ErrorFromKey("file_open");
        if (error == kSuccess && size > limit) error = ErrorFromKey("too_large_data");
        if (error == kSuccess) contents.reserve(static_cast<size_t>(size));
        // Read to the end, not to the size seen at the start: the file may have grown, and
        // a device says no size at all.
        std::string chunk(kChunk, '\0');
        while (error == kSuccess) {
            size_t read = 0;
            error = fs.Read(file, chunk.data(), chunk.size(), read);
            if (error != kSuccess || read == 0) break;
            if (contents.size() + read > limit) error = ErrorFromKey("too_large_data");
            else contents.append(chunk, 0, read);
        }
    } catch (const std::bad_alloc&) {
        error = ErrorFromKey("memory_alloc");
    }
    const ErrorValue closed = fs.Close(file);
    if (error == kSuccess) error = closed;
    if (error != kSuccess) std::string().swap(contents);
    return error;
}

std::string TemporaryNameFor(const std::string& target) { return target + ".tmp"; }

ErrorValue AtomicFileWriter::Begin(const std::string& path) {
    Abandon();
    FileSystem& fs = CurrentFileSystem();
    error_ = kSuccess;
    try {
        target_ = fs.ResolveLinks(path);
        temporary_ = TemporaryNameFor(target_);
        buffer_.reserve(kChunk);
    } catch (const std::bad_alloc&) {
        return error_ = ErrorFromKey("memory_alloc");
    }
    switch (fs.KindOf(target_)) {
    case FileSystem::Kind::kFolder: return error_ = ErrorFromKey("path_access");
    case FileSystem::Kind::kOther: return error_ = ErrorFromKey("device");
    default: break;
    }
    // A temporary file left by a crash is removed, and the new one is created exclusively,
    // so that a link planted under the temporary name is never written through.
    fs.Remove(temporary_);
    error_ = fs.CreateNew(temporary_, file_);
    if (error_ != kSuccess) file_ = FileSystem::kNoHandle;
    return error_;
}

void AtomicFileWriter::Write(std::string_view data) {
    while (error_ == kSuccess && !data.empty()) {
        if (file_ == FileSystem::kNoHandle) {
            error_ = ErrorFromKey("object_silent");
            return;
        }
        const size_t room = kChunk - buffer_.size();
        const size_t take = data.size() < room ? data.size() : room;
        buffer_.append(data.data(), take);
        data.remove_prefix(take);
        if (buffer_.size() == kChunk) WriteOut();
    }
}

void AtomicFileWriter::WriteOut() {
    FileSystem& fs = CurrentFileSystem();
    size_t done = 0;
    while (error_ == kSuccess && done < buffer_.size()) {
        size_t written = 0;
        error_ = fs.Write(file_, buffer_.data() + done, buffer_.size() - done, written);
        // A write that takes nothing and says nothing would loop for ever.
        if (error_ == kSuccess && written == 0) error_ = ErrorFromKey("read_write");
        done += written;
    }
    buffer_.clear();
}

ErrorValue AtomicFileWriter::Commit() {
    if (file_ == FileSystem::kNoHandle) return error_ != kSuccess ? error_ : ErrorFromKey("object_silent");
    FileSystem& fs = CurrentFileSystem();
    if (error_ == kSuccess) WriteOut();
    if (error_ == kSuccess) error_ = fs.Flush(file_);
    const ErrorValue closed = fs.Close(file_);
    file_ = FileSystem::kNoHandle;
    if (error_ == kSuccess) error_ = closed;
    if (error_ == kSuccess) error_ = fs.Replace(temporary_, target_);
    if (error_ != kSuccess) {
        fs.Remove(temporary_);
        return error_;
    }
    fs.FlushFolder(FolderOf(target_));
    temporary_.clear();
    return kSuccess;
}

void AtomicFileWriter::Abandon() {
    if (file_ == FileSystem::kNoHandle) return;
    FileSystem& fs = CurrentFileSystem();
    fs.Close(file_);
    file_ = FileSystem::kNoHandle;
    fs.Remove(temporary_);
}

ErrorValue WriteFileAtomically(const std::string& path, std::string_view data) {
    AtomicFileWriter writer;
    const ErrorValue error = writer.Begin(path);
    if (error != kSuccess) return error;
    writer.Write(data);
    return writer.Commit();
}

ErrorValue WriteOutputFile(const std::string& path, std::string_view data) {
    FileSystem& fs = CurrentFileSystem();
    if (fs.KindOf(path) != FileSystem::Kind::kOther) return WriteFileAtomically(path, data);
    FileSystem::Handle file = FileSystem::kNoHandle;
    ErrorValue error = fs.OpenForWriting(path, file);
    if (error != kSuccess) return error;
    while (error == kSuccess && !data.empty()) {
        size_t written = 0;
        error = fs.Write(file, data.data(), data.size(), written);
        if (error == kSuccess && written == 0) error = ErrorFromKey("read_write");
        data.remove_prefix(written);
    }
    const ErrorValue closed = fs.Close(file);
    return error != kSuccess ? error : closed;
}

}  // namespace tavoli
