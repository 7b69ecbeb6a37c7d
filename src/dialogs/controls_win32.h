// The control wrappers: each holds its control's state, creates the window from it and
// reads the window's final state back when it destroys it, so that a dialog's results
// stay readable after the dialog has closed.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <string_view>
#include <vector>

#include "dialogs/accessible_control_win32.h"
#include "dialogs/accessible_names.h"
#include "dialogs/dialog_layout.h"
#include "framework/error.h"
#include "framework/geometry.h"
#include "framework/pixel_color.h"

namespace tavoli {

// Registers the up-down and tab classes of the common controls (once).
void EnsureCommonControls();
// CreateUpDownControl of the common controls; nullptr when they cannot be had.
decltype(&CreateUpDownControl) UpDownControlCreator();

// A control of a dialog with its own window procedure, made at the place the layout gives
// its id (scaled to the dialog's DPI), in the dialog's font.
HWND MakeLayoutControl(HWND dialog, const DialogLayout& layout, const char* className, DWORD style, DWORD extendedStyle,
                       int id, const std::string& text);

// A window's whole text; empty when it cannot be read.
std::string WindowTextOf(HWND window);

// Puts the focus on a control of a dialog being opened, an edit's text selected so that
// what the user types replaces it. Nothing for no control.
void FocusFirstField(HWND control);

class DialogControl : public AccessibleControlText {
public:
    // Destroys the window when there is one (without a kind's own saving: the kinds do
    // that in their destructors).
    virtual ~DialogControl();
    DialogControl(const DialogControl&) = delete;
    DialogControl& operator=(const DialogControl&) = delete;

    // Creates the window in the parent's client area from the stored text, rectangle
    // (in pixels at 96 DPI, scaled to the parent's DPI), visibility and enabled state,
    // with the stock GUI font and the id. A window that
    // still exists is destroyed first. 1 when the window cannot be created: the wrapper
    // then keeps answering from its stored values.
    virtual ErrorValue Create(HWND parent, int id);
    // Reads the window's state into the wrapper (the text as GetText reads it) and destroys
    // the window. Nothing happens without a window.
    virtual ErrorValue Destroy();
    virtual bool IsVisible() const { return visible_; }
    virtual void Show(bool visible);

    // Stores the text and shows it on the window when there is one.
    void SetText(std::string text);
    // The window's text (up to 255 bytes, an edit's whole; empty when it cannot be read),
    // else the stored one.
    std::string GetText() const;
    // Stores the rectangle (pixels at 96 DPI) and moves the window there.
    void SetRect(const Rect& rect);
    void Enable(bool enabled);
    bool IsEnabled() const { return enabled_; }

    HWND Window() const { return window_; }
    // The style as created: the kind's, WS_CHILD, and WS_VISIBLE / WS_DISABLED by the flags.
    DWORD Style() const;

    // What screen readers call the control, set before Create; without a name the system
    // answers them alone.
    void SetAccessibleName(AccessibleControlName name) { accessibleName_ = std::move(name); }
    std::string AccessibleName() const override { return accessibleName_.name; }
    std::string AccessibleShortcut() const override { return accessibleName_.shortcut; }

protected:
    DialogControl(const char* className, DWORD style, DWORD extendedStyle)
        : className_(className), style_(style), extendedStyle_(extendedStyle) {}
    // The kind's style as the window is made.
    virtual DWORD KindStyle() const { return style_; }
    // An edit's text is the user's data, kept whole; other texts are captions.
    void KeepWholeText() { wholeText_ = true; }

private:
    std::string CutText(std::string text) const;

    std::string className_;
    DWORD style_;
    DWORD extendedStyle_;
    HWND window_ = nullptr;
    std::string text_;
    Rect rect_;
    int dpi_ = 96;  // the parent's when the window was made
    AccessibleControlName accessibleName_;
    bool wholeText_ = false;
    bool visible_ = true;
    bool enabled_ = true;
};

class LabelControl : public DialogControl {
public:
    LabelControl() : DialogControl("STATIC", 0, 0) {}
};

// Every push button is a default button, Cancel too.
class ButtonControl : public DialogControl {
public:
    ButtonControl() : DialogControl("BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0) {}
};

class CheckBoxControl : public DialogControl {
public:
    CheckBoxControl() : DialogControl("BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0) {}
    ErrorValue Create(HWND parent, int id) override;
    ErrorValue Destroy() override;

    // The button's state while it exists, else the stored one.
    bool IsChecked() const;
    void SetChecked(bool checked);

private:
    bool checked_ = false;
};

class EditControl : public DialogControl {
public:
    EditControl() : DialogControl("EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE) { KeepWholeText(); }
};

// Lines to read, select and copy, not to change; long lines wrap and many scroll. Its
// text separates lines with CR LF.
class TextBoxControl : public DialogControl {
public:
    TextBoxControl()
        : DialogControl("EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                        WS_EX_CLIENTEDGE) {
        KeepWholeText();
    }
};

// A drop-down list. Its rectangle includes the dropped list.
class ComboControl : public DialogControl {
public:
    ComboControl()
        : DialogControl("COMBOBOX", CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP, 0) {}
    ErrorValue Create(HWND parent, int id) override;
    ErrorValue Destroy() override;

    // Replaces the items; an existing window keeps its selected index.
    void SetItems(std::vector<std::string> items);
    // Items from one text (SplitItems: blanks separate, quotes hold blanks).
    void SetItemsFromText(std::string_view text);
    // The window's items while it exists, else the stored ones.
    std::vector<std::string> Items() const;
    // The window's selection (0 when none is selected), else the stored index.
    int Selection() const;
    // Selects the index taken modulo the number of items (negative from the end; 0 with
    // fewer than two items).
    void Select(int index);

private:
    std::vector<std::string> items_;
    int selected_ = 0;
};

class TabControl : public DialogControl {
public:
    TabControl() : DialogControl("SysTabControl32", WS_CLIPSIBLINGS | WS_TABSTOP, 0) {}
    ErrorValue Create(HWND parent, int id) override;
    ErrorValue Destroy() override;

    // Replaces the tab labels; an existing window keeps its selected tab.
    void SetItems(std::vector<std::string> labels);
    // The window's labels while it exists (empty when one cannot be read), else the stored ones.
    std::vector<std::string> Items() const;
    // The selected tab (0 when none), else the stored index.
    int Selection() const;
    // Selects the tab as ComboControl::Select does. The strip does not notify its
    // parent of a selection made this way.
    void Select(int index);

private:
    std::vector<std::string> labels_;
    int selected_ = 0;
};

// An edit with an up-down spinner at its right edge that writes the value into it. The
// edit scrolls, so that every digit typed is taken, and takes only digits when the value
// cannot be negative.
class SpinEditControl : public DialogControl {
public:
    SpinEditControl() : DialogControl("EDIT", WS_TABSTOP, WS_EX_CLIENTEDGE) {}
    ~SpinEditControl() override;
    ErrorValue Create(HWND parent, int id) override;
    ErrorValue Destroy() override;
    void Show(bool visible) override;

    // While the edit exists, the number typed into it brought into the bounds
    // (SpinTextValue); else the stored value.
    int Value() const;
    // A spin edit the focus leaves shows the value its text gives (a bound for a text that
    // is none or lies beyond it). Nothing for a control that is no spin edit's edit.
    static void ShowValueTaken(HWND dialog, HWND edit);
    // Stores the value and sets the spinner to its low 16 bits.
    void SetValue(int value);
    // Set before Create; Destroy reads the spinner's range back. Initially 0 … 1000.
    void SetBounds(int lower, int upper);
    int Lower() const { return lower_; }
    int Upper() const { return upper_; }
    // The up-down control (id SpinnerIdOf(the edit's id)); nullptr while not created.
    HWND Spinner() const { return spinner_; }

protected:
    DWORD KindStyle() const override;

private:
    int value_ = 0;
    int upper_ = 1000;
    int lower_ = 0;
    HWND spinner_ = nullptr;
};

// A sunken box filled with a colour (its transparency is not shown).
class ColorSwatch : public DialogControl {
public:
    ColorSwatch() : DialogControl("STATIC", WS_TABSTOP, WS_EX_CLIENTEDGE) {}
    ~ColorSwatch() override;
    ErrorValue Create(HWND parent, int id) override;
    ErrorValue Destroy() override;

    // Stores the colour and repaints the box at once.
    void SetColor(PixelColor color);
    PixelColor Color() const { return color_; }
    // Read out as its row's name and the colour in numbers, the colour also as its value.
    std::string AccessibleName() const override;
    std::string AccessibleValue() const override { return ColorWords(color_); }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HWND window) const;

    PixelColor color_;
    WNDPROC replaced_ = nullptr;
};

// Puts a control where its layout table says, with the table's text (and a spin edit's
// bounds), and creates it in the dialog.
ErrorValue PlaceControl(DialogControl& control, const ControlSpec& spec, HWND dialog);
ErrorValue PlaceControl(SpinEditControl& control, const ControlSpec& spec, HWND dialog);

}  // namespace tavoli
