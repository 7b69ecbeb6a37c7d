// The error list of a holiday script saved while the calendar is shown: a box of the
// program's own that reads as the system's warning message does (text, icon, OK) but does
// not stop the program, so that the script can be mended while it is open. Held by its
// handle: a newer list replaces it, and a mended script closes it.
#pragma once

#include <windows.h>

#include <string>

namespace tavoli {

class ScriptErrorBox {
public:
    ScriptErrorBox() = default;
    ~ScriptErrorBox() { Close(); }
    ScriptErrorBox(const ScriptErrorBox&) = delete;
    ScriptErrorBox& operator=(const ScriptErrorBox&) = delete;

    // Shows the text in a box owned by the window, in place of one still open.
    void Show(HWND owner, const std::string& text);
    // Closes the box; nothing when the user closed it already.
    void Close();
    // The open box (for the message loop's keyboard handling); nullptr when none is.
    HWND Handle() const { return box_; }

private:
    static INT_PTR CALLBACK Procedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
    void Build(HWND box);

    HWND box_ = nullptr;
    HFONT font_ = nullptr;
    std::string text_;
};

}  // namespace tavoli
