// A platform for tests in both trees: the system's own, with the zone (and on the host
// the code page) pinned so that lunisolar dates do not depend on the machine.
#pragma once

#include <optional>

#include "framework/platform.h"

namespace tavoli {

class PinnedZonePlatform : public Platform {
public:
    explicit PinnedZonePlatform(int32_t biasMinutes, const Platform& base = SystemPlatform())
        : base_(base), bias_(biasMinutes) {}

    int AnsiCodePage() const override { return base_.AnsiCodePage(); }
    size_t CharLength(const char* text, const char* end) const override { return base_.CharLength(text, end); }
    bool AbbreviatedLanguageName(std::string& name) const override { return base_.AbbreviatedLanguageName(name); }
    std::string FromUtf8(std::string_view utf8) const override { return base_.FromUtf8(utf8); }
    std::string ToUtf8(std::string_view ansi) const override { return base_.ToUtf8(ansi); }
    SystemTimeParts LocalTime() const override { return base_.LocalTime(); }
    SystemTimeParts UniversalTime() const override { return base_.UniversalTime(); }
    bool TimeZoneBias(int32_t& minutes) const override {
        minutes = bias_;
        return true;
    }
    std::string ShortDateText(const SystemTimeParts& moment) const override { return base_.ShortDateText(moment); }
    std::string TimeText(const SystemTimeParts& moment) const override { return base_.TimeText(moment); }

private:
    const Platform& base_;
    int32_t bias_;
};

constexpr int32_t kJapanBias = -540;

// Whether texts in Japanese survive the current code page.
inline bool CodePageHoldsJapanese() {
    const int cp = CurrentPlatform().AnsiCodePage();
    return cp == kCodePageJapanese || cp == kCodePageUtf8;
}

}  // namespace tavoli
