// A platform that forwards everything to another one, for replacing single pieces (the
// zone, the message boxes) in tests and tools.
#pragma once

#include "framework/platform.h"

namespace tavoli {

class DelegatingPlatform : public Platform {
public:
    explicit DelegatingPlatform(const Platform& base = SystemPlatform()) : base_(base) {}

    int AnsiCodePage() const override { return base_.AnsiCodePage(); }
    size_t CharLength(const char* text, const char* end) const override { return base_.CharLength(text, end); }
    bool AbbreviatedLanguageName(std::string& name) const override { return base_.AbbreviatedLanguageName(name); }
    std::string UserCountry() const override { return base_.UserCountry(); }
    std::string FromUtf8(std::string_view utf8) const override { return base_.FromUtf8(utf8); }
    std::string ToUtf8(std::string_view ansi) const override { return base_.ToUtf8(ansi); }
    SystemTimeParts LocalTime() const override { return base_.LocalTime(); }
    SystemTimeParts UniversalTime() const override { return base_.UniversalTime(); }
    bool TimeZoneBias(int32_t& minutes) const override { return base_.TimeZoneBias(minutes); }
    bool UtcOffsetAt(std::string_view zone, int64_t utc, int32_t& offset) const override {
        return base_.UtcOffsetAt(zone, utc, offset);
    }
    std::string ShortDateText(const SystemTimeParts& moment) const override { return base_.ShortDateText(moment); }
    std::string TimeText(const SystemTimeParts& moment) const override { return base_.TimeText(moment); }
    int ShowMessageBox(const MessageBoxRequest& request) const override { return base_.ShowMessageBox(request); }
    uintptr_t ActiveTopLevelWindow() const override { return base_.ActiveTopLevelWindow(); }
    std::string SystemErrorText(int32_t code) const override { return base_.SystemErrorText(code); }
    std::string ExecutablePath() const override { return base_.ExecutablePath(); }
    std::string VersionString(std::string_view name) const override { return base_.VersionString(name); }

protected:
    const Platform& base_;
};

// The base platform with a fixed standard-time bias (minutes, UTC = local + bias).
class PinnedZonePlatform : public DelegatingPlatform {
public:
    explicit PinnedZonePlatform(int32_t biasMinutes, const Platform& base = SystemPlatform())
        : DelegatingPlatform(base), bias_(biasMinutes) {}

    bool TimeZoneBias(int32_t& minutes) const override {
        minutes = bias_;
        return true;
    }
    // The pinned zone keeps no daylight saving.
    bool UtcOffsetAt(std::string_view zone, int64_t utc, int32_t& offset) const override {
        if (!zone.empty()) return base_.UtcOffsetAt(zone, utc, offset);
        offset = -bias_ * 60;
        return true;
    }

private:
    int32_t bias_;
};

}  // namespace tavoli
