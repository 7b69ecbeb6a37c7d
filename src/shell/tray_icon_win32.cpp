#include "shell/tray_icon_win32.h"

#include <cstring>

#include "framework/platform.h"
#include "shell/tray_tip.h"

namespace tavoli {

// Every shell since the first understands the first-version record; its tip field
// holds the tip and its NUL.
static_assert(NOTIFYICONDATAA_V1_SIZE == (sizeof(void*) == 8 ? 104 : 88), "first-version notify-icon record");
static_assert(kTrayTipMaxBytes + 1 <= 64, "the first-version tip field is 64 bytes");

namespace {

// The zero-filled record that names the icon of a window.
NOTIFYICONDATAA RecordNaming(HWND window) {
    NOTIFYICONDATAA record;
    std::memset(&record, 0, sizeof record);
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = window;
    record.uID = TrayIcon::kIdentifier;
    return record;
}

}  // namespace

TrayIcon::~TrayIcon() {
    if (registered_) Remove();
}

NOTIFYICONDATAA TrayIcon::Record(HWND window, HICON icon) const {
    NOTIFYICONDATAA record = RecordNaming(window);
    record.uFlags = NIF_MESSAGE | NIF_ICON;
    record.uCallbackMessage = callbackMessage_;
    record.hIcon = icon;
    const std::string tip = TrayTipText(tip_);
    if (!tip.empty()) {
        record.uFlags |= NIF_TIP;
        std::memcpy(record.szTip, tip.data(), tip.size());  // the zero fill terminates it
    }
    return record;
}

void TrayIcon::SetIcon(HICON icon) {
    icon_ = icon;
    if (!registered_ || !icon) return;
    NOTIFYICONDATAA record = RecordNaming(registered_);
    record.uFlags = NIF_ICON;
    record.hIcon = icon;
    Shell_NotifyIconA(NIM_MODIFY, &record);
}

bool TrayIcon::SetCallbackMessage(UINT message) {
    callbackMessage_ = message;
    if (!registered_) return true;
    NOTIFYICONDATAA record = RecordNaming(registered_);
    record.uFlags = NIF_MESSAGE;
    record.uCallbackMessage = message;
    return Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

bool TrayIcon::Add() {
    // A second add of a shown icon would be refused by the shell and leave the icon
    // shown but forgotten: show it afresh instead.
    if (registered_) Remove();
    HWND window = owner_ ? owner_ : reinterpret_cast<HWND>(CurrentPlatform().ActiveTopLevelWindow());
    if (!window) return false;
    HICON icon = icon_ ? icon_ : reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICONSM));
    if (!icon) return false;
    NOTIFYICONDATAA record = Record(window, icon);
    registered_ = Shell_NotifyIconA(NIM_ADD, &record) ? window : nullptr;
    return registered_ != nullptr;
}

bool TrayIcon::Remove() {
    if (!registered_) return false;
    NOTIFYICONDATAA record = RecordNaming(registered_);
    registered_ = nullptr;  // a refused delete leaves nothing the program could still remove
    return Shell_NotifyIconA(NIM_DELETE, &record) != FALSE;
}

}  // namespace tavoli
