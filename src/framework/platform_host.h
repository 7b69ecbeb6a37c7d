// The host platform: UTF-8 by default, with code page, language, clock and zone that
// tests and the command-line tool can set.
#pragma once

#include <optional>

#include "framework/error.h"
#include "framework/platform.h"

namespace tavoli {

class HostPlatform : public Platform {
public:
    HostPlatform();

    // 65001 (UTF-8) or one of the Windows code pages 932, 936, 949, 950, 1252 (and any
    // other single-byte code page the C library can convert).
    void SetCodePage(int codePage);
    void SetAbbreviatedLanguageName(std::optional<std::string> name);
    // By default the territory of the locale the environment names ("de_DE.UTF-8": DE).
    void SetUserCountry(std::string country) { country_ = std::move(country); }
    // A fixed local clock; universal time is derived through the zone bias.
    void SetLocalTime(std::optional<SystemTimeParts> local);
    // nullopt makes the zone unreadable.
    void SetTimeZoneBias(std::optional<int32_t> minutes);
    // Pictures in the system's notation (d dd M MM yy yyyy, h hh H HH m mm s ss tt);
    // by default those of the language: Japanese yyyy/MM/dd and H:mm:ss, otherwise
    // M/d/yyyy and h:mm:ss tt.
    void SetDateTimePictures(std::string shortDate, std::string time);

    int AnsiCodePage() const override { return codePage_; }
    size_t CharLength(const char* text, const char* end) const override;
    bool AbbreviatedLanguageName(std::string& name) const override;
    std::string UserCountry() const override { return country_; }
    std::string FromUtf8(std::string_view utf8) const override;
    std::string ToUtf8(std::string_view ansi) const override;
    SystemTimeParts LocalTime() const override;
    SystemTimeParts UniversalTime() const override;
    bool TimeZoneBias(int32_t& minutes) const override;
    // Names are those of the tz database ("Europe/Berlin"); the machine's zone, or the
    // pinned bias without daylight saving, for an empty name.
    bool UtcOffsetAt(std::string_view zone, int64_t utcSeconds, int32_t& offset) const override;
    std::string ShortDateText(const SystemTimeParts& moment) const override;
    std::string TimeText(const SystemTimeParts& moment) const override;
    // Writes the box to standard error. Only a box with the single button OK counts as
    // answered (OK); a question cannot be asked here (0).
    int ShowMessageBox(const MessageBoxRequest& request) const override;
    uintptr_t ActiveTopLevelWindow() const override { return 0; }
    std::string SystemErrorText(int32_t code) const override;
    std::string ExecutablePath() const override;
    // Host programs carry no version resource.
    std::string VersionString(std::string_view) const override { return {}; }

private:
    int codePage_;
    std::optional<std::string> languageName_;
    std::string country_;
    std::optional<SystemTimeParts> fixedLocal_;
    bool zoneSet_ = false;  // false: the machine's own zone
    std::optional<int32_t> bias_;
    std::optional<std::string> shortDatePicture_;
    std::optional<std::string> timePicture_;
};

// An errno value as an error value, in the Windows numbering of the usual causes so that
// messages read as they do on Windows.
ErrorValue ErrorFromErrno(int error);

// Formats a moment by a picture in the system's date and time notation; text in single
// quotes is copied.
std::string FormatPicture(std::string_view picture, const SystemTimeParts& moment);

// Whether byte b opens a double-byte character in one of the East Asian code pages.
bool IsLeadByteOf(int codePage, unsigned char b);

// Bytes of one UTF-8 sequence at text (1 for a malformed one).
size_t Utf8SequenceLength(const char* text, const char* end);

}  // namespace tavoli
