// The calendar told to screen readers through Active Accessibility: the client area
// answers WM_GETOBJECT with an IAccessible whose children are the items of the
// accessible tree (view/accessible_tree.h), and the window raises the events the main
// model asks for.
#pragma once

#include <windows.h>

namespace tavoli {

class MainModel;
class CalendarAccessible;

class AccessibleCalendar {
public:
    AccessibleCalendar() = default;
    ~AccessibleCalendar() { Disconnect(); }
    AccessibleCalendar(const AccessibleCalendar&) = delete;
    AccessibleCalendar& operator=(const AccessibleCalendar&) = delete;

    // The answer to WM_GETOBJECT for the window's client area; 0 for any other object,
    // which the system then answers itself.
    LRESULT Answer(HWND window, MainModel& model, WPARAM wParam, LPARAM lParam);
    // The window is going: what readers still hold answers that it is gone.
    void Disconnect();

    // The focus moved to an item (0: the calendar as a whole), while the window has the
    // keyboard's focus; an item's name changed.
    static void RaiseFocus(HWND window, int child);
    static void RaiseNameChange(HWND window, int child);

private:
    CalendarAccessible* object_ = nullptr;
};

}  // namespace tavoli
