// The icon of the program in the notification area: the way back to a hidden window.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace tavoli {

class TrayIcon {
public:
    // The icon's identifier within its owner window.
    static constexpr UINT kIdentifier = 1;

    TrayIcon() = default;
    // Takes the icon away when it is shown.
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // The window that receives the callback message; none: the top-level ancestor of the
    // active window at the time of Add.
    void SetOwner(HWND owner) { owner_ = owner; }
    // None: the small icon of the window's class. A shown icon is changed at once; the
    // caller keeps the icon alive while it is set.
    void SetIcon(HICON icon);
    HICON Icon() const { return icon_; }
    // Empty: the application's title.
    void SetTip(std::string tip) { tip_ = std::move(tip); }

    // Stores the message; a shown icon is told at once. false when the shell refused.
    bool SetCallbackMessage(UINT message);
    UINT CallbackMessage() const { return callbackMessage_; }

    // Shows the icon; true when the shell took it. Without a window or without an icon
    // nothing is shown and the result is false.
    bool Add();
    // Takes a shown icon away; true when the shell accepted it, false when there was
    // nothing to take away.
    bool Remove();

    // The window the icon is shown under; nullptr when it is not shown.
    HWND RegisteredWindow() const { return registered_; }
    bool Registered() const { return registered_ != nullptr; }

    // The record given to the shell for a window and icon: the first-version layout
    // (88 bytes in a 32-bit program, 104 in a 64-bit one, where the handles take eight
    // bytes and are aligned), zero-filled, with the tip cut to what it holds.
    NOTIFYICONDATAA Record(HWND window, HICON icon) const;

private:
    HWND owner_ = nullptr;
    HICON icon_ = nullptr;
    std::string tip_;
    UINT callbackMessage_ = 0;
    HWND registered_ = nullptr;
};

}  // namespace tavoli
