// What the main window does, without the window: it owns the document from start to end
// and the calendar view while the window is shown, the tray and memo flags and the
// remembered first day of a span, and
// turns keys, wheel steps, pointer moves, ticks and commands into calls on its host (the
// window in the program, a recorder in tests).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/calendar_settings.h"
#include "shell/command_table.h"
#include "shell/live_reload.h"
#include "view/calendar_view.h"

namespace tavoli {

// What the model asks of the window and the system.
class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;

    virtual void SetTitle(const std::string& title) = 0;
    // Sets the window so that its client area has this size (position and z-order kept).
    virtual void ResizeClient(Size size) = 0;
    virtual void RepaintAll() = 0;
    virtual void RepaintCell(int column, int row) = 0;
    virtual void RepaintFooter() = 0;
    // Drops what painting keeps (fonts were installed or removed, the options changed):
    // the next paint makes it again.
    virtual void DropPaintCaches() = 0;
    virtual void StartTimer() = 0;
    virtual void StopTimer() = 0;
    // Change notifications of these folders from now on (none: watching stops); a
    // notification comes back as OnFolderChanged.
    virtual void WatchFolders(const std::vector<std::string>& folders) = 0;
    // OnReloadDue once, the settling time after the last call; Stop cancels it.
    virtual void StartReloadTimer() = 0;
    virtual void StopReloadTimer() = 0;

    virtual bool IsVisible() = 0;
    virtual void Hide() = 0;
    virtual void ShowAndActivate() = 0;
    virtual void Destroy() = 0;
    virtual void SendClose() = 0;
    virtual void PostCommand(CommandId id) = 0;
    virtual Point WindowPosition() = 0;
    virtual void MoveWindow(Point position) = 0;
    // The window's rectangle on the screen, the work areas of the monitors (empty when
    // they cannot be read) and where the pointer is, in screen pixels.
    virtual Rect WindowRect() = 0;
    virtual std::vector<Rect> MonitorWorkAreas() = 0;
    virtual Point PointerPosition() = 0;
    virtual void SetTranslucency(int transparency) = 0;
    virtual PixelColor SystemWindowColor() = 0;
    // The apps' light or dark mode, high contrast and the system colours.
    virtual SystemAppearance Appearance() = 0;
    // The title bar dark or as the system draws it, where the system allows.
    virtual void SetDarkTitleBar(bool dark) = 0;
    // The pixels per inch of the monitor the window is on.
    virtual int Dpi() = 0;

    // Screen readers: the item of the calendar that has the focus now (its child number
    // in the accessible tree; 0 for the calendar as a whole), and an item whose name
    // changed (0: the whole, whose name is the shown month).
    virtual void AccessibleFocus(int child) = 0;
    virtual void AccessibleNameChanged(int child) = 0;

    // The context menu at a client point, its items grayed and checked for the state.
    virtual void ShowContextMenu(Point clientPoint, const CommandState& state) = 0;

    virtual void PutOnClipboard(const std::string& text) = 0;
    virtual void OpenHelp() = 0;
    virtual SettingsStore& Store() = 0;

    // The dialogs; each returns whether the user pressed OK.
    virtual bool RunJumpDialog(int& year, int& month) = 0;
    virtual bool RunMemoDialog(const std::string& prompt, std::string& text) = 0;
    virtual bool RunCountDownDialog(CountDown& countDown) = 0;
    virtual void RunAboutDialog() = 0;
    // Why a day has its kind and names: lines the user can select and copy.
    virtual void RunDayTraceDialog(const std::vector<std::string>& lines) = 0;
    // The error list of a script saved while the window is shown (one message open at a
    // time: a newer one replaces it), and closing it once the script compiles.
    virtual void ShowScriptError(const std::vector<std::string>& lines) = 0;
    virtual void CloseScriptError() = 0;
    // The options dialog edits the settings; the memos are for its backup button. True on OK.
    virtual bool RunOptionsDialog(SettingsRecord& settings, const MemoStore& memos) = 0;
};

class MainModel {
public:
    MainModel(MainWindowHost& host, CalendarSettings& settings) : host_(host), settings_(settings) {}

    void SetTrayResident(bool on) { trayResident_ = on; }
    bool TrayResident() const { return trayResident_; }
    bool MemoDirty() const { return memoDirty_; }
    CalDate MemorizedDate() const { return memorizedDate_; }
    CalendarView* View() { return view_.get(); }
    // What the calendar shows, from the program's start to its end.
    CalendarDocument& Document() { return document_; }

    // The window shown: the settings loaded, a fresh view on today, the timer.
    void OnShow();
    // The window hidden (or the session ending, or the window destroyed): everything
    // saved, the timer stopped, the view dropped.
    void OnHide();
    // The window destroyed: as a hide, and memos that still could not be saved are
    // written elsewhere before the program ends.
    void OnDestroy();
    // The close box: hidden, and destroyed unless the program lives in the tray.
    void OnClose();
    void OnTimer();
    void OnWheel(int delta);
    void OnKeyDown(int virtualKey, bool ctrlDown);
    // A button at a client point: the cursor goes there first, also when the pointer has
    // rested there since the window appeared (its moves were not taken then).
    void OnLeftButtonDown(Point clientPoint);
    void OnLeftButtonDoubleClick(Point clientPoint);
    void OnLeftButtonUp();
    // A move to a client point; `screen` is where the pointer is on the screen. The system
    // also reports a pointer that rests while the window appears or moves under it: such
    // a report moves nothing.
    void OnMouseMove(int x, int y, std::optional<Point> screen = std::nullopt);
    void OnRightButtonUp(Point clientPoint);
    // The menu key (Alt, F10): the context menu where the cursor is.
    void OnMenuKey();
    void OnCommand(int id);
    // The window moved to a monitor of another scale, or the scale changed: the view is
    // laid out again at the new DPI, the client resized to it and repainted.
    void OnDpiChanged(int dpi);
    // The window's size at another DPI, for the system to place it before it moves there.
    std::optional<Size> ViewSizeAt(int dpi) const;
    // Fonts were installed or removed: what was made with the old ones is dropped.
    void OnFontsChanged();
    // A screen reader asks an item of the calendar (its child number) to take the focus
    // (a day), or to do its default action: a button steps the month, a day opens its
    // memo, once the reader's call has returned. False when the item cannot.
    bool OnAccessibleSelect(int child);
    bool OnAccessibleAction(int child);
    // The system's colours, its high contrast or the apps' mode may have changed: the
    // calendar follows them at once.
    void OnAppearanceChanged();
    // Something changed in a watched folder: the files are read again once the changes
    // have settled.
    void OnFolderChanged();
    // The changes settled: a script or format.txt that changed is taken, the window
    // repainted; a script that does not compile is told and the last rules kept.
    void OnReloadDue();
    // The lines of "Why this day?" for a date, naming both scripts.
    std::vector<std::string> DayTraceOf(CalDate date) const;

    // Title, background, size and picture after the month or the settings changed.
    void RefreshWindow(bool forced);
    // What grays and checks the commands of both menus now.
    CommandState CommandStateNow() const;

private:
    void ShowContextMenu(Point clientPoint);
    void PointAt(Point clientPoint);
    void RepaintCursorMove(int oldColumn, int oldRow);
    // The client sized to the view, the window kept wholly on the work area of its monitor.
    void ResizeOnScreen();
    // Tells screen readers the day the cursor is on now.
    void AnnounceCursor();
    int ShownMonthNumber() const { return view_->ShownYear() * 12 + view_->ShownMonth() - 1; }
    void RunMemo();
    void RunOptions();
    // The title bar as dark as the palette painted.
    void ApplyTitleBar();
    void WatchFolders();

    MainWindowHost& host_;
    CalendarSettings& settings_;
    CalendarDocument document_;
    std::unique_ptr<CalendarView> view_;
    bool trayResident_ = false;
    bool memoDirty_ = false;
    CalDate memorizedDate_;
    std::string lastBackgroundName_;
    std::optional<Point> restingPointer_;  // the pointer's last place on the screen
    int announcedMonth_ = 0;               // the month screen readers were last told of
    LiveReload liveReload_;
    std::string failingScript_;  // a script saved in a form that does not compile
};

// The span message between a remembered day and another, in the user's language.
std::string SpanMessage(CalDate from, CalDate to);
// The shown month as copied: every line followed by CR LF.
std::string ClipboardMonthText(const CalendarView& view);

}  // namespace tavoli
