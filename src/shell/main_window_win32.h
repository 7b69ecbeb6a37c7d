// The calendar's one top-level window (class "tavolicalendar"): it unpacks messages for
// the main model and does what the model asks of a window.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "shell/accessible_win32.h"
#include "shell/day_tip_win32.h"
#include "shell/folder_watch_win32.h"
#include "shell/main_model.h"
#include "shell/script_error_box_win32.h"
#include "shell/tray_icon_win32.h"
#include "view/glyph_source_win32.h"
#include "view/paint_caches.h"

namespace tavoli {

constexpr const char* kMainWindowClass = "tavolicalendar";
constexpr UINT kTrayCallbackMessage = WM_USER + 100;  // 0x464
constexpr DWORD kMainWindowStyle = WS_POPUPWINDOW | WS_DLGFRAME | WS_MINIMIZEBOX;
constexpr DWORD kMainWindowExStyle = WS_EX_CLIENTEDGE;

class MainWindow : public WindowPort, public TimerPort, public SystemPort, public ReaderPort, public DialogPort {
public:
    MainWindow(HINSTANCE instance, CommandTable& commands, CalendarSettings& settings,
               std::unique_ptr<SettingsStore> store, bool trayResident);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Registers the window class with the module's own icons at the system's scale (a
    // window on a monitor of another scale takes its own); false when the system refuses.
    static bool RegisterWindowClass(HINSTANCE instance);
    // Creates the window (hidden): "calendar" at 420, 300, 200 × 100; the view and the
    // settings come at its first show. nullptr when the system refuses.
    HWND Create();
    HWND Handle() const { return window_; }
    // The script's error box while it is open (its keys are the message loop's to route).
    HWND ScriptErrorBoxHandle() const { return scriptError_.Handle(); }
    HMENU ContextMenu() const { return contextMenu_; }
    HMENU TrayMenu() const { return trayMenu_; }
    MainModel& Model() { return model_; }
    PaintCaches& Caches() { return caches_; }
    const TrayIcon& Tray() const { return trayIcon_; }
    // The handles the message loop waits on beside the messages, and what it does when one
    // of them is signalled.
    const std::vector<HANDLE>& WatchHandles() const { return watch_.Handles(); }
    void OnWatchSignalled(HANDLE handle);

    // The model's ports
    void SetTitle(const std::string& title) override;
    void ResizeClient(Size size) override;
    void RepaintAll() override;
    void RepaintCell(int column, int row) override;
    void RepaintFooter() override;
    void DropPaintCaches() override;
    void StartTimer() override;
    void StopTimer() override;
    void WatchFolders(const std::vector<std::string>& folders) override;
    void StartReloadTimer(int milliseconds) override;
    void StopReloadTimer() override;
    uint32_t Milliseconds() override;
    bool IsVisible() override;
    void Hide() override;
    void ShowAndActivate() override;
    void Destroy() override;
    void SendClose() override;
    void PostCommand(CommandId id) override;
    Point WindowPosition() override;
    void MoveWindow(Point position) override;
    Rect WindowRect() override;
    Size FrameExtra() override;
    std::vector<Rect> MonitorWorkAreas() override;
    Point PointerPosition() override;
    void SetTranslucency(int transparency) override;
    PixelColor SystemWindowColor() override;
    SystemAppearance Appearance() override;
    void SetDarkTitleBar(bool dark) override;
    int Dpi() override;
    void AccessibleFocus(int child) override;
    void AccessibleNameChanged(int child) override;
    void ShowContextMenu(Point clientPoint, const CommandState& state) override;
    void PutOnClipboard(const std::string& text) override;
    void OpenHelp() override;
    SettingsStore& Store() override { return *store_; }
    bool RunJumpDialog(int& year, int& month) override;
    bool RunMemoDialog(const std::string& prompt, MemoEdit& memo) override;
    bool RunSearchDialog(const MemoStore& memos, CalDate& chosen) override;
    bool RunCountDownDialog(CountDown& countDown) override;
    void RunAboutDialog() override;
    void RunDayTraceDialog(const std::vector<std::string>& lines) override;
    void ShowScriptError(const std::string& text) override;
    void ShowMessage(const std::string& text) override;
    void CloseScriptError() override;
    bool RunOptionsDialog(SettingsRecord& settings, const MemoStore& memos) override;

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // Paints through a device context of the window, cut to an update rectangle or not.
    template <class Paint>
    void WithPainter(Paint paint);
    // Grays and checks the menu's commands for the state, then shows it at a screen point.
    void TrackMenu(HMENU menu, const CommandState& state, POINT at);
    // The window's own icons for a monitor of another scale; the tray icon's too when the
    // window is on the monitor of the taskbar.
    void SetIconsForDpi(int dpi);

    HINSTANCE instance_;
    CommandTable& commands_;
    CalendarSettings& settings_;
    std::unique_ptr<SettingsStore> store_;
    MainModel model_;
    HWND window_ = nullptr;
    HMENU contextMenu_ = nullptr;
    HMENU trayMenu_ = nullptr;
    HICON largeIcon_ = nullptr, smallIcon_ = nullptr;  // set after a change of scale
    HICON trayIconImage_ = nullptr;                    // the tray icon's, the same
    bool darkTitleBar_ = false;                        // as asked of the system last (it starts light)
    TrayIcon trayIcon_;
    AccessibleCalendar accessible_;  // what screen readers are told of the client area
    Win32GlyphSource glyphs_;
    PaintCaches caches_;
    FolderWatch watch_;
    ScriptErrorBox scriptError_;
    DayTip dayTip_;
    int handlingDepth_ = 0;  // messages being handled, one inside another
};

}  // namespace tavoli
