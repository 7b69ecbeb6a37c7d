// Platforms for tests in both trees: the system's own with single pieces replaced, so
// that lunisolar dates do not depend on the machine's zone and message boxes can be
// answered without a person.
#pragma once

#include <optional>
#include <vector>

#include "framework/platform.h"

namespace tavoli {

// Forwards everything to a base platform.
class DelegatingPlatform : public Platform {
public:
    explicit DelegatingPlatform(const Platform& base = SystemPlatform()) : base_(base) {}

    int AnsiCodePage() const override { return base_.AnsiCodePage(); }
    size_t CharLength(const char* text, const char* end) const override { return base_.CharLength(text, end); }
    bool AbbreviatedLanguageName(std::string& name) const override { return base_.AbbreviatedLanguageName(name); }
    std::string FromUtf8(std::string_view utf8) const override { return base_.FromUtf8(utf8); }
    std::string ToUtf8(std::string_view ansi) const override { return base_.ToUtf8(ansi); }
    SystemTimeParts LocalTime() const override { return base_.LocalTime(); }
    SystemTimeParts UniversalTime() const override { return base_.UniversalTime(); }
    bool TimeZoneBias(int32_t& minutes) const override { return base_.TimeZoneBias(minutes); }
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

class PinnedZonePlatform : public DelegatingPlatform {
public:
    explicit PinnedZonePlatform(int32_t biasMinutes, const Platform& base = SystemPlatform())
        : DelegatingPlatform(base), bias_(biasMinutes) {}

    bool TimeZoneBias(int32_t& minutes) const override {
        minutes = bias_;
        return true;
    }

private:
    int32_t bias_;
};

// Records every message box and answers with the queued button identifiers (0, "the
// box could not be shown", once the queue is empty).
class RecordingPlatform : public DelegatingPlatform {
public:
    using DelegatingPlatform::DelegatingPlatform;

    int ShowMessageBox(const MessageBoxRequest& request) const override {
        boxes.push_back(request);
        if (answers.empty()) return 0;
        const int answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    uintptr_t ActiveTopLevelWindow() const override { return owner; }

    mutable std::vector<MessageBoxRequest> boxes;
    mutable std::vector<int> answers;
    uintptr_t owner = 0;
};

constexpr int32_t kJapanBias = -540;

// Whether texts in Japanese survive the current code page.
inline bool CodePageHoldsJapanese() {
    const int cp = CurrentPlatform().AnsiCodePage();
    return cp == kCodePageJapanese || cp == kCodePageUtf8;
}

}  // namespace tavoli
