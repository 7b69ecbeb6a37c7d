#include "framework/registry_path.h"

namespace tavoli {

namespace {

struct RootName {
    std::string_view name;
    uint32_t root;
};

constexpr RootName kRoots[] = {
    {"HKEY_CLASSES_ROOT", 0x80000000u},
    {"HKCR", 0x80000000u},
    {"HKEY_CURRENT_USER", 0x80000001u},
    {"HKCU", 0x80000001u},
    {"HKEY_LOCAL_MACHINE", 0x80000002u},
    {"HKLM", 0x80000002u},
    {"HKEY_USERS", 0x80000003u},
    {"HKU", 0x80000003u},
    {"HKEY_PERFORMANCE_DATA", 0x80000004u},
    {"HKPD", 0x80000004u},
    {"HKEY_CURRENT_CONFIG", 0x80000005u},
    {"HKCC", 0x80000005u},
    {"HKEY_DYN_DATA", 0x80000006u},
    {"HKDD", 0x80000006u},
};

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (Upper(text[i]) != prefix[i]) return false;
    }
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

ErrorValue ParseRegistryPath(std::string_view path, RegistryPath& result) {
    result = RegistryPath();
    const size_t backslash = path.find('\\');
    if (!path.empty() && path.front() == '#') {
        if (backslash == std::string_view::npos) return ErrorFromKey("registry");
        uint64_t value = 0;
        for (size_t i = 1; i < backslash; ++i) {
            const int digit = HexDigit(path[i]);
            if (digit < 0) return ErrorFromKey("registry");
            value = value * 16 + static_cast<uint64_t>(digit);
            if (value > 0xFFFFFFFFu) return ErrorFromKey("registry");
        }
        result.root = static_cast<uint32_t>(value);
        result.subkey = path.substr(backslash + 1);
        return kSuccess;
    }
    for (const RootName& root : kRoots) {
        if (StartsWithIgnoringCase(path, root.name)) {
            result.root = root.root;
            result.subkey = backslash == std::string_view::npos ? std::string_view() : path.substr(backslash + 1);
            return kSuccess;
        }
    }
    return ErrorFromKey("registry");
}

}  // namespace tavoli
