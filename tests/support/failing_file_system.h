// The system's file system with one chosen operation failing: the n-th operation that can
// fail (counted from 1 since the last Reset) reports an error, and a failing write
// first writes half of its bytes, as a disk that fills up does. Waits for a lock return
// at once.
#pragma once

#include <string>

#include "framework/file_system.h"

namespace tavoli {

class FailingFileSystem : public FileSystem {
public:
    // failAt 0 fails nothing.
    void Reset(int failAt, ErrorValue error) {
        failAt_ = failAt;
        error_ = error;
        count_ = 0;
        failed_.clear();
    }
    // Operations counted since the last Reset, and the one that failed ("" for none).
    int Count() const { return count_; }
    const std::string& Failed() const { return failed_; }

    Kind KindOf(const std::string& path) override { return system_.KindOf(path); }
    ErrorValue OpenForReading(const std::string& path, Handle& file) override {
        if (Fails("open for reading " + path)) return error_;
        return system_.OpenForReading(path, file);
    }
    ErrorValue CreateNew(const std::string& path, Handle& file) override {
        if (Fails("create " + path)) return error_;
        return system_.CreateNew(path, file);
    }
    ErrorValue OpenForWriting(const std::string& path, Handle& file) override {
        if (Fails("open for writing " + path)) return error_;
        return system_.OpenForWriting(path, file);
    }
    ErrorValue SizeOf(Handle file, uint64_t& size) override {
        if (Fails("size")) return error_;
        return system_.SizeOf(file, size);
    }
    ErrorValue Read(Handle file, char* buffer, size_t size, size_t& read) override {
        if (Fails("read")) return error_;
        return system_.Read(file, buffer, size, read);
    }
    ErrorValue Write(Handle file, const char* data, size_t size, size_t& written) override {
        if (Fails("write")) {
            system_.Write(file, data, size / 2, written);
            written = 0;
            return error_;
        }
        return system_.Write(file, data, size, written);
    }
    ErrorValue Flush(Handle file) override {
        if (Fails("flush")) return error_;
        return system_.Flush(file);
    }
    ErrorValue Close(Handle file) override {
        // The handle is gone either way, as with a real failing close.
        const ErrorValue closed = system_.Close(file);
        return Fails("close") ? error_ : closed;
    }
    ErrorValue Replace(const std::string& source, const std::string& target) override {
        if (Fails("replace " + target)) return error_;
        return system_.Replace(source, target);
    }
    ErrorValue Remove(const std::string& path) override {
        if (Fails("remove " + path)) return error_;
        return system_.Remove(path);
    }
    std::string ResolveLinks(const std::string& path) override { return system_.ResolveLinks(path); }
    void FlushFolder(const std::string& folder) override { system_.FlushFolder(folder); }
    bool IsNotFound(ErrorValue error) const override { return system_.IsNotFound(error); }
    bool IsAlreadyExists(ErrorValue error) const override { return system_.IsAlreadyExists(error); }
    ErrorValue CreateLockFile(const std::string& path, Handle& file) override {
        if (Fails("lock " + path)) return error_;
        return system_.CreateLockFile(path, file);
    }
    void RemoveLockFile(const std::string& path, Handle file) override { system_.RemoveLockFile(path, file); }
    bool SecondsSinceWritten(const std::string& path, int64_t& seconds) override {
        return system_.SecondsSinceWritten(path, seconds);
    }
    void Pause(int) override {}

private:
    bool Fails(const std::string& what) {
        if (++count_ != failAt_) return false;
        failed_ = what;
        return true;
    }

    FileSystem& system_ = SystemFileSystem();
    int failAt_ = 0;
    int count_ = 0;
    ErrorValue error_ = kSuccess;
    std::string failed_;
};

}  // namespace tavoli
