// The Win32 platform: the system's own code page, locale, clock and zone.
#include <windows.h>

#include "framework/platform.h"
#include "framework/system_library_win32.h"
#include "framework/zone_names.h"

namespace tavoli {

namespace {

SystemTimeParts PartsFrom(const SYSTEMTIME& st) {
    SystemTimeParts parts;
    parts.year = st.wYear;
    parts.month = st.wMonth;
    parts.dayOfWeek = st.wDayOfWeek;
    parts.day = st.wDay;
    parts.hour = st.wHour;
    parts.minute = st.wMinute;
    parts.second = st.wSecond;
    parts.milliseconds = st.wMilliseconds;
    return parts;
}

SYSTEMTIME ToSystemTime(const SystemTimeParts& parts) {
    SYSTEMTIME st;
    st.wYear = parts.year;
    st.wMonth = parts.month;
    st.wDayOfWeek = parts.dayOfWeek;
    st.wDay = parts.day;
    st.wHour = parts.hour;
    st.wMinute = parts.minute;
    st.wSecond = parts.second;
    st.wMilliseconds = parts.milliseconds;
    return st;
}

std::wstring Widen(std::string_view text, UINT codePage) {
    if (text.empty()) return {};
    int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string Narrow(const std::wstring& wide, UINT codePage) {
    if (wide.empty()) return {};
    int length =
        WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr, nullptr);
    return text;
}

// A zone of the system's list by its Windows name ("W. Europe Standard Time"), with the
// rules it has now.
bool ZoneByWindowsName(std::string_view name, TIME_ZONE_INFORMATION& zone) {
    const std::string key = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\" + std::string(name);
    struct {
        LONG bias, standardBias, daylightBias;
        SYSTEMTIME standardDate, daylightDate;
    } rules{};
    DWORD size = sizeof rules;
    if (name.find('\\') != std::string_view::npos ||
        RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), "TZI", RRF_RT_REG_BINARY, nullptr, &rules, &size) !=
            ERROR_SUCCESS ||
        size != sizeof rules)
        return false;
    zone = {};
    zone.Bias = rules.bias;
    zone.StandardBias = rules.standardBias;
    zone.DaylightBias = rules.daylightBias;
    zone.StandardDate = rules.standardDate;
    zone.DaylightDate = rules.daylightDate;
    return true;
}

class Win32Platform : public Platform {
public:
    int AnsiCodePage() const override { return static_cast<int>(GetACP()); }

    size_t CharLength(const char* text, const char* end) const override {
        // CharNextA's rule, without its refusal to step over a NUL byte.
        if (end - text >= 2 && text[1] != 0 && IsDBCSLeadByte(static_cast<BYTE>(text[0]))) return 2;
        return 1;
    }

    bool AbbreviatedLanguageName(std::string& name) const override {
        char buffer[8] = {};
        if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME, buffer, sizeof buffer) == 0) return false;
        name = buffer;
        return true;
    }

    std::string UserCountry() const override {
        const GEOID nation = GetUserGeoID(GEOCLASS_NATION);
        char code[8] = {};
        if (nation == GEOID_NOT_AVAILABLE || GetGeoInfoA(nation, GEO_ISO2, code, sizeof code, 0) == 0) return {};
        return code;
    }

    std::string FromUtf8(std::string_view utf8) const override { return Narrow(Widen(utf8, CP_UTF8), CP_ACP); }

    std::string ToUtf8(std::string_view ansi) const override { return Narrow(Widen(ansi, CP_ACP), CP_UTF8); }

    SystemTimeParts LocalTime() const override {
        SYSTEMTIME st;
        GetLocalTime(&st);
        return PartsFrom(st);
    }

    SystemTimeParts UniversalTime() const override {
        SYSTEMTIME st;
        GetSystemTime(&st);
        return PartsFrom(st);
    }

    bool TimeZoneBias(int32_t& minutes) const override {
        TIME_ZONE_INFORMATION info;
        if (GetTimeZoneInformation(&info) == TIME_ZONE_ID_INVALID) return false;
        minutes = info.Bias;
        return true;
    }

    bool UtcOffsetAt(std::string_view zone, int64_t utcSeconds, int32_t& offset) const override {
        // Seconds since 1601 in 100-nanosecond units.
        const int64_t ticks = (utcSeconds + 11644473600LL) * 10000000LL;
        if (ticks < 0) return false;
        FILETIME file{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
        SYSTEMTIME utc, local;
        if (!FileTimeToSystemTime(&file, &utc)) return false;
        // A zone by its Windows name, or by the IANA name calendar files give.
        TIME_ZONE_INFORMATION named{};
        if (!zone.empty() && !ZoneByWindowsName(zone, named) &&
            (WindowsZoneName(zone).empty() || !ZoneByWindowsName(WindowsZoneName(zone), named)))
            return false;
        if (!SystemTimeToTzSpecificLocalTime(zone.empty() ? nullptr : &named, &utc, &local)) return false;
        FILETIME localFile;
        if (!SystemTimeToFileTime(&local, &localFile)) return false;
        const int64_t localTicks = (static_cast<int64_t>(localFile.dwHighDateTime) << 32) | localFile.dwLowDateTime;
        offset = static_cast<int32_t>((localTicks - ticks) / 10000000LL);
        return true;
    }

    std::string ShortDateText(const SystemTimeParts& moment) const override {
        const SYSTEMTIME st = ToSystemTime(moment);
        char buffer[256] = {};
        if (GetDateFormatA(LOCALE_USER_DEFAULT, LOCALE_NOUSEROVERRIDE, &st, nullptr, buffer, sizeof buffer) == 0)
            return {};
        return buffer;
    }

    std::string TimeText(const SystemTimeParts& moment) const override {
        const SYSTEMTIME st = ToSystemTime(moment);
        char buffer[256] = {};
        if (GetTimeFormatA(LOCALE_USER_DEFAULT, LOCALE_NOUSEROVERRIDE, &st, nullptr, buffer, sizeof buffer) == 0)
            return {};
        return buffer;
    }

    int ShowMessageBox(const MessageBoxRequest& request) const override {
        return MessageBoxA(reinterpret_cast<HWND>(request.owner), request.text.c_str(), request.caption.c_str(),
                           request.style);
    }

    uintptr_t ActiveTopLevelWindow() const override {
        HWND active = GetActiveWindow();
        if (!active) return 0;
        HWND root = GetAncestor(active, GA_ROOT);
        return reinterpret_cast<uintptr_t>(root ? root : active);
    }

    std::string SystemErrorText(int32_t code) const override {
        char buffer[256] = {};
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, static_cast<DWORD>(code),
                       0x400, buffer, sizeof buffer, nullptr);
        buffer[sizeof buffer - 1] = '\0';
        return buffer;
    }

    std::string ExecutablePath() const override {
        char buffer[MAX_PATH + 1] = {};
        const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return {};
        return std::string(buffer, length);
    }

    std::string VersionString(std::string_view name) const override;
};

std::string Win32Platform::VersionString(std::string_view name) const {
    // Names up to 230 bytes, so that the whole query fits its buffer.
    if (name.size() > 230) return {};
    const std::string path = ExecutablePath();
    if (path.empty()) return {};
    // The version library is loaded when the record is first read, not at every start; the
    // first function that fails is told, the others are not asked for.
    const auto infoSize = SystemFunction<decltype(&GetFileVersionInfoSizeA)>("version.dll", "GetFileVersionInfoSizeA");
    if (!infoSize) return {};
    const auto info = SystemFunction<decltype(&GetFileVersionInfoA)>("version.dll", "GetFileVersionInfoA");
    if (!info) return {};
    const auto queryValue = SystemFunction<decltype(&VerQueryValueA)>("version.dll", "VerQueryValueA");
    if (!queryValue) return {};
    DWORD handle = 0;
    const DWORD size = infoSize(path.c_str(), &handle);
    if (size == 0) return {};
    std::string data(size, '\0');
    if (!info(path.c_str(), 0, size, data.data())) return {};
    DWORD language = 0, codePage = 0;
    void* translation = nullptr;
    UINT translationLength = 0;
    if (queryValue(data.data(), "\\VarFileInfo\\Translation", &translation, &translationLength) && translation &&
        translationLength >= 4) {
        const auto* words = static_cast<const WORD*>(translation);
        language = words[0];
        codePage = words[1];
    }
    char query[256];
    wsprintfA(query, "\\StringFileInfo\\%08lx\\", static_cast<unsigned long>(language * 65536 + codePage));
    std::string fullQuery = std::string(query) + std::string(name);
    void* value = nullptr;
    UINT valueLength = 0;
    if (!queryValue(data.data(), fullQuery.c_str(), &value, &valueLength) || !value || valueLength == 0) return {};
    const char* text = static_cast<const char*>(value);
    size_t length = 0;
    while (length < valueLength && text[length] != '\0') ++length;
    return std::string(text, length);
}

}  // namespace

const Platform& SystemPlatform() {
    static const Win32Platform platform;
    return platform;
}

}  // namespace tavoli
