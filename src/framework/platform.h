// The few things the portable core needs from the operating system. One implementation
// speaks Win32, the other serves host builds and lets tests pin code page, clock and zone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tavoli {

// The SYSTEMTIME field layout: what the clock gives and what the system's date and time
// formatting takes.
struct SystemTimeParts {
    uint16_t year = 0;
    uint16_t month = 0;
    uint16_t dayOfWeek = 0;
    uint16_t day = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;
};
static_assert(sizeof(SystemTimeParts) == 16, "SYSTEMTIME is 16 bytes");

// Code page numbers the system knows by name.
constexpr int kCodePageJapanese = 932;
constexpr int kCodePageSimplifiedChinese = 936;
constexpr int kCodePageKorean = 949;
constexpr int kCodePageTraditionalChinese = 950;
constexpr int kCodePageWestern = 1252;
constexpr int kCodePageUtf8 = 65001;

// A message box as MessageBoxA takes it; owner 0 is none.
struct MessageBoxRequest {
    uintptr_t owner = 0;
    std::string text;
    std::string caption;
    uint32_t style = 0;
};

// Message-box styles and button identifiers (the Win32 values).
namespace mb {
constexpr uint32_t kOk = 0x0, kOkCancel = 0x1, kAbortRetryIgnore = 0x2, kYesNoCancel = 0x3, kYesNo = 0x4,
                   kRetryCancel = 0x5;
constexpr uint32_t kIconError = 0x10, kIconQuestion = 0x20, kIconWarning = 0x30, kIconInformation = 0x40;
constexpr uint32_t kDefButton1 = 0x0, kDefButton2 = 0x100, kDefButton3 = 0x200;
constexpr uint32_t kSystemModal = 0x1000, kTaskModal = 0x2000, kHelp = 0x4000, kSetForeground = 0x10000;
constexpr int kIdOk = 1, kIdCancel = 2, kIdAbort = 3, kIdRetry = 4, kIdIgnore = 5, kIdYes = 6, kIdNo = 7;
}  // namespace mb

class Platform {
public:
    virtual ~Platform() = default;

    // The active ANSI code page (GetACP).
    virtual int AnsiCodePage() const = 0;
    // Bytes of the character that starts at text in the ANSI code page (CharNextA):
    // at least 1, at most end - text. text < end.
    virtual size_t CharLength(const char* text, const char* end) const = 0;
    // The user locale's abbreviated language name (such as "ENU"); false when unknown.
    virtual bool AbbreviatedLanguageName(std::string& name) const = 0;
    // The country of the user's region as ISO 3166-1 alpha-2 ("DE"); empty when unknown.
    virtual std::string UserCountry() const = 0;

    // Text conversion between UTF-8 and the ANSI code page. Characters that the target
    // cannot hold become "?", as the system's own conversion does.
    virtual std::string FromUtf8(std::string_view utf8) const = 0;
    virtual std::string ToUtf8(std::string_view ansi) const = 0;

    virtual SystemTimeParts LocalTime() const = 0;
    virtual SystemTimeParts UniversalTime() const = 0;
    // The standard (not daylight) bias in minutes, UTC = local + bias; false when the
    // zone cannot be read.
    virtual bool TimeZoneBias(int32_t& minutes) const = 0;

    // A zone's offset from UTC at an instant (seconds east, daylight saving included), for
    // appointments only: the system's own zone for an empty name, else a zone the system
    // knows by that name; false when it knows none.
    virtual bool UtcOffsetAt(std::string_view zone, int64_t utcSeconds, int32_t& offset) const = 0;

    // The user's short date and time formats (GetDateFormatA / GetTimeFormatA with the
    // user's default locale and no overrides); empty when the system refuses the date.
    virtual std::string ShortDateText(const SystemTimeParts& moment) const = 0;
    virtual std::string TimeText(const SystemTimeParts& moment) const = 0;

    // Shows a message box and waits: the identifier of the pressed button, 0 when the box
    // could not be shown.
    virtual int ShowMessageBox(const MessageBoxRequest& request) const = 0;
    // The top-level ancestor of the active window (0 when there is none).
    virtual uintptr_t ActiveTopLevelWindow() const = 0;
    // The system's text for an error code (FormatMessageA); empty when it has none.
    virtual std::string SystemErrorText(int32_t code) const = 0;
    // The running executable's full path, and a string of its version resource.
    virtual std::string ExecutablePath() const = 0;
    virtual std::string VersionString(std::string_view name) const = 0;

    // Incremented whenever the current platform changes, so that values derived from it
    // (the language code) know when to be computed again.
    static unsigned Generation();

protected:
    static void BumpGeneration();
};

// The platform every core function consults.
const Platform& CurrentPlatform();

// The operating system's own platform (Win32 on Windows, the host one elsewhere).
const Platform& SystemPlatform();

// Installs a replacement for the lifetime of the object (tests, the command-line tool).
class ScopedPlatform {
public:
    explicit ScopedPlatform(const Platform& replacement);
    ~ScopedPlatform();
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

private:
    const Platform* previous_;
};

// Converts a UTF-8 literal of the source to the ANSI code page, once per call.
inline std::string AnsiFromUtf8(std::string_view utf8) { return CurrentPlatform().FromUtf8(utf8); }

}  // namespace tavoli
