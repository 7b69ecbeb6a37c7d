#include "framework/registry_win32.h"

#include <cstring>

#include "framework/registry_path.h"

namespace tavoli {

namespace {

constexpr DWORD kBufferSize = 256;

std::string TextOfValue(DWORD type, const BYTE* data, DWORD size) {
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
        // Zero-terminated, but never read beyond what the system returned.
        const auto* text = reinterpret_cast<const char*>(data);
        size_t length = 0;
        while (length < size && text[length] != '\0') ++length;
        return std::string(text, length);
    }
    case REG_DWORD: {
        DWORD value = 0;
        std::memcpy(&value, data, size >= sizeof value ? sizeof value : size);
        return std::to_string(value);
    }
    default: return {};
    }
}

}  // namespace

ErrorValue OpenRegistryKey(std::string_view path, REGSAM access, bool create, HKEY& key) {
    key = nullptr;
    RegistryPath parsed;
    const ErrorValue error = ParseRegistryPath(path, parsed);
    if (error != kSuccess) return error;
    const HKEY root = reinterpret_cast<HKEY>(static_cast<uintptr_t>(static_cast<LONG>(parsed.root)));
    const std::string subkey(parsed.subkey);
    LONG status;
    if (create) {
        status = RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, 0, access, nullptr, &key, nullptr);
    } else {
        status = RegOpenKeyExA(root, subkey.c_str(), 0, access, &key);
    }
    if (status != ERROR_SUCCESS) {
        key = nullptr;
        return ErrorFromSystem(status);
    }
    return kSuccess;
}

ErrorValue ReadRegistryValues(std::string_view path, RegistryValues& values) {
    values.clear();
    HKEY key = nullptr;
    ErrorValue first = OpenRegistryKey(path, KEY_QUERY_VALUE, false, key);
    if (first != kSuccess) return first;
    // Names and data that do not fit the 256-byte buffers are read again with buffers
    // of the key's largest sizes, so that long values are neither cut nor lost.
    DWORD longestName = 0, longestData = 0;
    for (DWORD index = 0;; ++index) {
        std::string name(kBufferSize, '\0');
        std::string data(kBufferSize, '\0');
        DWORD nameSize = kBufferSize, dataSize = kBufferSize, type = 0;
        LONG status = RegEnumValueA(key, index, name.data(), &nameSize, nullptr, &type,
                                    reinterpret_cast<BYTE*>(data.data()), &dataSize);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status == ERROR_MORE_DATA) {
            if (longestName == 0 && RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                                     &longestName, &longestData, nullptr, nullptr) != ERROR_SUCCESS) {
                longestName = longestData = 0;
            }
            name.assign(longestName + 2 > kBufferSize ? longestName + 2 : kBufferSize, '\0');
            data.assign(longestData + 2 > kBufferSize ? longestData + 2 : kBufferSize, '\0');
            nameSize = static_cast<DWORD>(name.size());
            dataSize = static_cast<DWORD>(data.size());
            status = RegEnumValueA(key, index, name.data(), &nameSize, nullptr, &type,
                                   reinterpret_cast<BYTE*>(data.data()), &dataSize);
        }
        if (status == ERROR_SUCCESS) {
            values.emplace_back(std::string(name.c_str(), std::min<size_t>(nameSize, name.size())),
                                TextOfValue(type, reinterpret_cast<const BYTE*>(data.data()),
                                            std::min<DWORD>(dataSize, static_cast<DWORD>(data.size()))));
        } else if (first == kSuccess) {
            first = ErrorFromSystem(status);
        }
    }
    const LONG closed = RegCloseKey(key);
    if (first == kSuccess && closed != ERROR_SUCCESS) first = ErrorFromSystem(closed);
    if (first != kSuccess) values.clear();
    return first;
}

ErrorValue WriteRegistryValues(std::string_view path, const RegistryValues& values) {
    if (values.empty()) return kSuccess;
    HKEY key = nullptr;
    ErrorValue first = OpenRegistryKey(path, KEY_QUERY_VALUE | KEY_SET_VALUE, true, key);
    if (first != kSuccess) return first;
    for (const auto& [name, text] : values) {
        char stored[kBufferSize] = {};
        DWORD size = sizeof stored, type = 0;
        const LONG read = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(stored), &size);
        const bool same = read == ERROR_SUCCESS && type == REG_SZ &&
                          TextOfValue(type, reinterpret_cast<const BYTE*>(stored), size) == text;
        if (same) continue;
        const LONG written = RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.data()),
                                            static_cast<DWORD>(text.size()));
        if (written != ERROR_SUCCESS && first == kSuccess) first = ErrorFromSystem(written);
    }
    const LONG closed = RegCloseKey(key);
    if (first == kSuccess && closed != ERROR_SUCCESS) first = ErrorFromSystem(closed);
    return first;
}

}  // namespace tavoli
