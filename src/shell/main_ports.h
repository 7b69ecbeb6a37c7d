// What the main model asks of the world, in a few small ports: the window, the timers
// and the folder watch, the system beside the window, screen readers, and the dialogs and
// messages. The program's window gives all five; tests give recorders of what they need.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/geometry.h"
#include "framework/pixel_color.h"
#include "memo/memo_store.h"
#include "settings/palette.h"
#include "settings/settings_record.h"
#include "shell/command_table.h"

namespace tavoli {

class SettingsStore;

// The window.
class WindowPort {
public:
    virtual ~WindowPort() = default;
    virtual void SetTitle(const std::string& title) = 0;
    // Sets the window so that its client area has this size (position and z-order kept).
    virtual void ResizeClient(Size size) = 0;
    virtual void RepaintAll() = 0;
    virtual void RepaintCell(int column, int row) = 0;
    virtual void RepaintFooter() = 0;
    // Drops what painting keeps (fonts were installed or removed, the window hid): the next
    // paint makes it again.
    virtual void DropPaintCaches() = 0;
    virtual bool IsVisible() = 0;
    virtual void Hide() = 0;
    virtual void ShowAndActivate() = 0;
    virtual void Destroy() = 0;
    virtual void SendClose() = 0;
    virtual void PostCommand(CommandId id) = 0;
    virtual Point WindowPosition() = 0;
    virtual void MoveWindow(Point position) = 0;
    // The window's rectangle on the screen, in screen pixels.
    virtual Rect WindowRect() = 0;
    // What the frame adds around a client area (a window the screen cuts keeps its own).
    virtual Size FrameExtra() = 0;
    virtual void SetTranslucency(int transparency) = 0;
    // The title bar dark or as the system draws it, where the system allows.
    virtual void SetDarkTitleBar(bool dark) = 0;
    // The pixels per inch of the monitor the window is on.
    virtual int Dpi() = 0;
    // The context menu at a client point, its items grayed and checked for the state.
    virtual void ShowContextMenu(Point clientPoint, const CommandState& state) = 0;
};

// The one-second timer, the reload timer and the watch of folders.
class TimerPort {
public:
    virtual ~TimerPort() = default;
    virtual void StartTimer() = 0;
    virtual void StopTimer() = 0;
    // OnReloadDue once, so many milliseconds from now (set again, it starts over); Stop
    // cancels it.
    virtual void StartReloadTimer(int milliseconds) = 0;
    // A count of milliseconds (since the system started, wrapping after 49 days).
    virtual uint32_t Milliseconds() = 0;
    virtual void StopReloadTimer() = 0;
    // Change notifications of these folders from now on (none: watching stops); a
    // notification comes back as OnFolderChanged.
    virtual void WatchFolders(const std::vector<std::string>& folders) = 0;
};

// What the system says and does beside the window.
class SystemPort {
public:
    virtual ~SystemPort() = default;
    virtual PixelColor SystemWindowColor() = 0;
    // The apps' light or dark mode, high contrast and the system colours.
    virtual SystemAppearance Appearance() = 0;
    // The work areas of the monitors (empty when they cannot be read) and where the pointer
    // is, in screen pixels.
    virtual std::vector<Rect> MonitorWorkAreas() = 0;
    virtual Point PointerPosition() = 0;
    virtual void PutOnClipboard(const std::string& text) = 0;
    virtual void OpenHelp() = 0;
    virtual SettingsStore& Store() = 0;
};

// Screen readers: the item of the calendar that has the focus now (its child number in the
// accessible tree; 0 for the calendar as a whole), and an item whose name changed (0: the
// whole, whose name is the shown month).
class ReaderPort {
public:
    virtual ~ReaderPort() = default;
    virtual void AccessibleFocus(int child) = 0;
    virtual void AccessibleNameChanged(int child) = 0;
};

// The dialogs, each returning whether the user pressed OK, and the messages.
class DialogPort {
public:
    virtual ~DialogPort() = default;
    virtual bool RunJumpDialog(int& year, int& month) = 0;
    virtual bool RunMemoDialog(const std::string& prompt, MemoEdit& memo) = 0;
    // The search of the memos: true with the day of the one chosen.
    virtual bool RunSearchDialog(const MemoStore& memos, CalDate& chosen) = 0;
    virtual bool RunCountDownDialog(CountDown& countDown) = 0;
    virtual void RunAboutDialog() = 0;
    // Why a day has its kind and names: lines the user can select and copy.
    virtual void RunDayTraceDialog(const std::vector<std::string>& lines) = 0;
    // The options dialog edits the settings; the memos are for its backup button. True on OK.
    virtual bool RunOptionsDialog(SettingsRecord& settings, const MemoStore& memos) = 0;
    // The error list of a script saved while the window is shown, in a box of its own that
    // does not stop the program (a newer one replaces it), and closing it once the script
    // compiles.
    virtual void ShowScriptError(const std::string& text) = 0;
    virtual void CloseScriptError() = 0;
    // A message the user reads and confirms.
    virtual void ShowMessage(const std::string& text) = 0;
};

struct MainPorts {
    WindowPort& window;
    TimerPort& timers;
    SystemPort& system;
    ReaderPort& readers;
    DialogPort& dialogs;
};

}  // namespace tavoli
