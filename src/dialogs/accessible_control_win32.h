// A dialog control as screen readers read it: its name, value and keyboard shortcut come
// from its wrapper, the rest (role, state, place) is the system's own answer. The system
// finds a field's name in the label before it, but not every system does, and labels
// carry mnemonic marks; named here, the control reads the same everywhere.
#pragma once

#include <windows.h>

#include <string>

namespace tavoli {

// What a control is called; asked at every question, so that it follows the control.
class AccessibleControlText {
public:
    virtual std::string AccessibleName() const = 0;
    // Empty: the system's own answer.
    virtual std::string AccessibleValue() const { return {}; }
    virtual std::string AccessibleShortcut() const { return {}; }

protected:
    ~AccessibleControlText() = default;
};

// The control answers WM_GETOBJECT with the system's own object for it, its name, value
// and shortcut taken from the text, which must outlive the window.
void AnswerScreenReaders(HWND control, const AccessibleControlText& text);

}  // namespace tavoli
