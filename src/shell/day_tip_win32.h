// The tip over the calendar: the whole list of the appointments of the day under the
// pointer, where the footer has room for a few. Made when first wanted, so that a start
// without appointments loads no common controls for it.
#pragma once

#include <windows.h>

#include <string>

namespace tavoli {

class DayTip {
public:
    DayTip() = default;
    ~DayTip();
    DayTip(const DayTip&) = delete;
    DayTip& operator=(const DayTip&) = delete;

    // The text for the place the pointer is now (empty: no tip). A changed text takes the
    // shown tip away; the system shows the new one once the pointer rests.
    void Follow(HWND owner, const std::string& text);
    // The window's WM_NOTIFY: true when it was the tip asking for its text.
    bool Answer(const NMHDR& header);
    // The owner is going away.
    void Destroy();

private:
    HWND tip_ = nullptr;
    std::string text_;
};

}  // namespace tavoli
