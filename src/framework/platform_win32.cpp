// The Win32 platform: the system's own code page, locale, clock and zone.
#include <windows.h>

#include "framework/platform.h"

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
    int length = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                     nullptr, nullptr);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length, nullptr,
                        nullptr);
    return text;
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
};

}  // namespace

const Platform& SystemPlatform() {
    static const Win32Platform platform;
    return platform;
}

}  // namespace tavoli
