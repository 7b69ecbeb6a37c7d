// Platforms for tests in both trees: the system's own with single pieces replaced, so
// that lunisolar dates do not depend on the machine's zone and message boxes can be
// answered without a person.
#pragma once

#include <optional>
#include <vector>

#include "calendar/cal_date.h"
#include "framework/delegating_platform.h"
#include "framework/platform.h"

namespace tavoli {

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

// A clock that tests set, with message boxes recorded: 15 May 2024, 10:00 until changed.
class SettableClock : public RecordingPlatform {
public:
    SystemTimeParts LocalTime() const override { return now.ToSystemTime(); }
    CalDateTime now{CalDate(2024, 5, 15), TimeOfDay::FromParts(10, 0, 0, 0)};
};

constexpr int32_t kJapanBias = -540;

// Whether texts in Japanese survive the current code page.
inline bool CodePageHoldsJapanese() {
    const int cp = CurrentPlatform().AnsiCodePage();
    return cp == kCodePageJapanese || cp == kCodePageUtf8;
}

}  // namespace tavoli
