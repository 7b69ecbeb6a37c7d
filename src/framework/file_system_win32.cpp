// The file system through the Win32 file functions.
#include <windows.h>

#include "framework/file_system.h"

namespace tavoli {

namespace {

HANDLE AsHandle(FileSystem::Handle file) { return reinterpret_cast<HANDLE>(file); }

ErrorValue LastError() { return ErrorFromSystem(static_cast<int32_t>(GetLastError())); }

// One call moves at most this much, so that a DWORD holds the count.
constexpr size_t kMaxTransfer = 1u << 30;

class Win32FileSystem : public FileSystem {
public:
    Kind KindOf(const std::string& path) override {
        // The device namespace ("\\.\pipe\x", "\\.\COM1") is never a file, and opening a pipe
        // there would take one of its server's instances.
        if (path.rfind("\\\\.\\", 0) == 0) return Kind::kOther;
        // A handle with no access tells devices ("NUL") from files.
        HANDLE handle = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            const DWORD attributes = GetFileAttributesA(path.c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES) return Kind::kMissing;
            return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? Kind::kFolder : Kind::kRegular;
        }
        Kind kind = Kind::kOther;
        if (GetFileType(handle) == FILE_TYPE_DISK) {
            BY_HANDLE_FILE_INFORMATION information{};
            const bool folder = GetFileInformationByHandle(handle, &information) &&
                                (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
            kind = folder ? Kind::kFolder : Kind::kRegular;
        }
        CloseHandle(handle);
        return kind;
    }

    ErrorValue OpenForReading(const std::string& path, Handle& file) override {
        file = kNoHandle;
        // Shared for writing and deleting too: another copy of the program may replace the
        // file while this one reads it, and reads on from the old contents.
        HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return LastError();
        file = reinterpret_cast<Handle>(handle);
        return kSuccess;
    }

    ErrorValue CreateNew(const std::string& path, Handle& file) override {
        file = kNoHandle;
        HANDLE handle =
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return LastError();
        file = reinterpret_cast<Handle>(handle);
        return kSuccess;
    }

    ErrorValue OpenForWriting(const std::string& path, Handle& file) override {
        file = kNoHandle;
        HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return LastError();
        file = reinterpret_cast<Handle>(handle);
        return kSuccess;
    }

    ErrorValue SizeOf(Handle file, uint64_t& size) override {
        LARGE_INTEGER value;
        if (!GetFileSizeEx(AsHandle(file), &value)) return LastError();
        size = static_cast<uint64_t>(value.QuadPart);
        return kSuccess;
    }

    ErrorValue Read(Handle file, char* buffer, size_t size, size_t& read) override {
        DWORD n = 0;
        read = 0;
        if (!ReadFile(AsHandle(file), buffer, static_cast<DWORD>(size < kMaxTransfer ? size : kMaxTransfer), &n,
                      nullptr)) {
            return LastError();
        }
        read = n;
        return kSuccess;
    }

    ErrorValue Write(Handle file, const char* data, size_t size, size_t& written) override {
        DWORD n = 0;
        written = 0;
        if (!WriteFile(AsHandle(file), data, static_cast<DWORD>(size < kMaxTransfer ? size : kMaxTransfer), &n,
                       nullptr)) {
            return LastError();
        }
        written = n;
        return kSuccess;
    }

    ErrorValue Flush(Handle file) override { return FlushFileBuffers(AsHandle(file)) ? kSuccess : LastError(); }

    ErrorValue Close(Handle file) override { return CloseHandle(AsHandle(file)) ? kSuccess : LastError(); }

    ErrorValue Replace(const std::string& source, const std::string& target) override {
        if (!MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return LastError();
        }
        return kSuccess;
    }

    ErrorValue Remove(const std::string& path) override { return DeleteFileA(path.c_str()) ? kSuccess : LastError(); }

    std::string ResolveLinks(const std::string& path) override {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return path;
        HANDLE handle = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return path;
        char buffer[MAX_PATH + 8] = {};
        const DWORD length = GetFinalPathNameByHandleA(handle, buffer, sizeof buffer, VOLUME_NAME_DOS);
        CloseHandle(handle);
        if (length == 0 || length >= sizeof buffer) return path;
        std::string resolved(buffer, length);
        if (resolved.compare(0, 8, "\\\\?\\UNC\\") == 0) return "\\\\" + resolved.substr(8);
        if (resolved.compare(0, 4, "\\\\?\\") == 0) return resolved.substr(4);
        return resolved;
    }

    // MOVEFILE_WRITE_THROUGH already makes the rename durable.
    void FlushFolder(const std::string&) override {}

    bool IsNotFound(ErrorValue error) const override {
        return error == ErrorFromSystem(ERROR_FILE_NOT_FOUND) || error == ErrorFromSystem(ERROR_PATH_NOT_FOUND);
    }

    bool IsAlreadyExists(ErrorValue error) const override {
        return error == ErrorFromSystem(ERROR_FILE_EXISTS) || error == ErrorFromSystem(ERROR_ALREADY_EXISTS);
    }

    // Deleted when its handle closes, also when the holder crashes; not shared, so that
    // nobody removes a lock that is still held.
    ErrorValue CreateLockFile(const std::string& path, Handle& file) override {
        file = kNoHandle;
        HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return LastError();
        file = reinterpret_cast<Handle>(handle);
        return kSuccess;
    }

    // Closing deletes it; deleting by name as well could remove the next holder's lock.
    void RemoveLockFile(const std::string&, Handle file) override { CloseHandle(AsHandle(file)); }

    bool SecondsSinceWritten(const std::string& path, int64_t& seconds) override {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
        FILETIME now{};
        GetSystemTimeAsFileTime(&now);
        auto ticks = [](const FILETIME& t) {
            return static_cast<int64_t>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
        };
        seconds = (ticks(now) - ticks(data.ftLastWriteTime)) / 10000000;
        return true;
    }

    void Pause(int milliseconds) override { Sleep(static_cast<DWORD>(milliseconds)); }
};

}  // namespace

std::vector<std::string> FileNamesIn(const std::string& folder) {
    std::vector<std::string> names;
    const std::string base = folder.empty() || folder.back() == '\\' || folder.back() == '/' ? folder : folder + "\\";
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((base + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

FileSystem& SystemFileSystem() {
    static Win32FileSystem system;
    return system;
}

}  // namespace tavoli
