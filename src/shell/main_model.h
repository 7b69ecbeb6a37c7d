// What the main window does, without the window: it owns the document from start to end
// and the calendar view while the window is shown, the tray and memo flags and the
// remembered first day of a span, and
// turns keys, wheel steps, pointer moves, ticks and commands into calls on its ports (the
// window in the program, recorders in tests).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/calendar_settings.h"
#include "shell/command_table.h"
#include "shell/live_reload.h"
#include "shell/main_ports.h"
#include "view/calendar_view.h"

namespace tavoli {

class MainModel {
public:
    MainModel(MainPorts ports, CalendarSettings& settings) : ports_(ports), settings_(settings) {}

    void SetTrayResident(bool on) { trayResident_ = on; }
    bool TrayResident() const { return trayResident_; }
    bool MemoDirty() const { return memoDirty_; }
    CalDate MemorizedDate() const { return memorizedDate_; }
    // The view while the window is shown; nullptr while it is hidden.
    CalendarView* View() { return shown_ ? view_.get() : nullptr; }
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

    // Title, background, size and picture after the month or the settings changed (the
    // document's settings followed by themselves; forced: the picture read again).
    void RefreshWindow(bool forced = false);
    // What grays and checks the commands of both menus now.
    CommandState CommandStateNow() const;

private:
    void ShowContextMenu(Point clientPoint);
    void PointAt(Point clientPoint);
    void RepaintCursorMove(int oldColumn, int oldRow);
    // The client sized to the view, the window kept wholly on the work area of its monitor.
    void ResizeOnScreen();
    // The window's title for the shown month and the time now.
    std::string TitleNow() const;
    // Tells screen readers the day the cursor is on now.
    void AnnounceCursor();
    int ShownMonthNumber() const { return view_->ShownYear() * 12 + view_->ShownMonth() - 1; }
    void RunMemo();
    void RunOptions();
    // Another number of months shown (the Switch View command, a month's title clicked).
    void ShowView(RowsStyle rows);
    // The title bar as dark as the palette painted.
    void ApplyTitleBar();
    void WatchFolders();
    void StopReload();
    // Compiles the holiday set or script in force again and takes it, as live reload does.
    void ReloadScript();
    // Each message of a load or a save in a box of its own.
    void Tell(Report report);

    MainPorts ports_;
    CalendarSettings& settings_;
    CalendarDocument document_;
    // Never null: a hidden window is the state shown_ == false, not a missing view, so that
    // no call that runs a loop of its own (in which the window may hide) leaves it dangling.
    std::unique_ptr<CalendarView> view_ = std::make_unique<CalendarView>(document_);
    bool shown_ = false;
    bool trayResident_ = false;
    bool memoDirty_ = false;
    CalDate memorizedDate_;
    RowsStyle oneMonthRows_ = kFiveLines;  // the rows of the one-month view last shown
    std::string lastBackgroundName_;
    uint64_t refreshedSettings_ = ~uint64_t{0};  // the settings the window was last refreshed for
    std::optional<Point> restingPointer_;        // the pointer's last place on the screen
    int announcedMonth_ = 0;                     // the month screen readers were last told of
    LiveReload liveReload_;
    ReloadDebounce reloadDebounce_;
    std::string failingScript_;  // a script saved in a form that does not compile
};

// The span message between a remembered day and another, in the user's language.
std::string SpanMessage(CalDate from, CalDate to);
// The shown months as copied (several side by side as shown): every line followed by CR LF.
std::string ClipboardMonthText(const CalendarView& view);

}  // namespace tavoli
