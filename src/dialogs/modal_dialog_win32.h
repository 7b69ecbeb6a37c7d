// The base of every dialog: a modal dialog from an in-memory template without controls,
// whose object creates its controls when the dialog is initialised and reads them back
// when it is destroyed.
#pragma once

#include <windows.h>

#include <string>

namespace tavoli {

class ModalDialog {
public:
    ModalDialog() = default;
    virtual ~ModalDialog() = default;
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;

    // The dialog's window while it runs; nullptr otherwise.
    HWND Window() const { return window_; }
    bool Running() const { return window_ != nullptr; }

    // None: the top-level ancestor of the window active when the dialog opens.
    void SetOwner(HWND owner) { owner_ = owner; }
    HWND Owner() const { return owner_; }

    // A resolved text; empty keeps the template's title.
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    const std::string& Caption() const { return caption_; }

protected:
    // Creates and fills the controls. The focus may be put on a control; otherwise the
    // system puts it on the first one that takes it.
    virtual void OnInit() {}
    // Lets every control read its state back and destroy its window.
    virtual void OnDestroy() {}
    // A command from a control, a button or the keyboard (Enter: 1, Escape: 2).
    virtual void OnCommand(int id) {}
    // The same with the control that sent it: nullptr for Enter, Escape and accelerators,
    // which a dialog whose own buttons take the ids 1 and 2 for other purposes must tell
    // apart. By default OnCommand(id).
    virtual void OnCommandFrom(int id, HWND control) { OnCommand(id); }
    // A notification from a common control: its id and the notification code.
    virtual void OnNotify(int id, int code) {}
    // Close requests and timer messages. For WM_CLOSE, 0 ends the dialog with 0 and
    // anything else keeps it open; for WM_TIMER the result is the dialog procedure's.
    virtual int OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) { return 0; }
    // The brush a static control or button paints its background with (its device
    // context given to set up); nullptr leaves the system's.
    virtual HBRUSH OnControlColor(HDC device, HWND control) { return nullptr; }

    // Whether a command is the Escape key's: the system sends it as IDCANCEL from the
    // control whose id is IDCANCEL, the same message that control sends when clicked.
    static bool IsEscapeCommand(int id, HWND control);

private:
    friend int RunModal(ModalDialog& dialog, int widthUnits, int heightUnits);
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    HWND owner_ = nullptr;
    std::string caption_;
    int widthUnits_ = 0, heightUnits_ = 0;
};

// Runs the dialog at the size in dialog units (each clamped to 32 … 256) with its caption
// as the title, and returns the code it ended with: 1 OK, 2 Cancel, 0 the close box or a
// template that could not be made, −1 a dialog the system could not show. Callers treat
// only 1 as OK. A dialog that is already running is not run again (0).
int RunModal(ModalDialog& dialog, int widthUnits, int heightUnits);

// Ends the running dialog with the code; nothing when it is not running.
void EndModal(ModalDialog& dialog, int code);

// Off 100 % scaling, the dialog's client area made the size its units have at 96 DPI with
// the smallest base units, scaled to the dialog's DPI (its controls scale the same way),
// around the same centre: the system's font for dialog units grows unevenly with the
// DPI, and a dialog sized by it would not fit its controls. At 96 DPI nothing changes.
void FitDialogToDpi(HWND dialog, int widthUnits, int heightUnits);

// Gives the dialog a client area of the size in pixels, around the same centre.
void SetClientSizeAroundCentre(HWND dialog, int width, int height);

// A text of the ANSI code page in UTF-16.
std::u16string WideFromAnsi(const std::string& text);

}  // namespace tavoli
