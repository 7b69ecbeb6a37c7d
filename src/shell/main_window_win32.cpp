#include "shell/main_window_win32.h"

#include <windowsx.h>

#include <cstring>

#include "dialogs/controls_win32.h"
#include "dialogs/memo_dialog_win32.h"
#include "dialogs/options_dialog_win32.h"
#include "dialogs/search_dialog_win32.h"
#include "dialogs/small_dialogs_win32.h"
#include "framework/dpi_win32.h"
#include "framework/messages.h"
#include "framework/platform.h"
#include "framework/startup_trace.h"
#include "shell/help_win32.h"
#include "shell/menu_win32.h"
#include "shell/program_icon_win32.h"
#include "shell/system_appearance_win32.h"
#include "shell/tray_tip.h"
#include "view/image_win32.h"
#include "view/paint_target_win32.h"
#include "view/painter.h"

namespace tavoli {

namespace {

constexpr UINT_PTR kTimerId = 0;
constexpr UINT kTimerPeriod = 1000;
// Runs only while a change in a watched folder settles.
constexpr UINT_PTR kReloadTimerId = 2;

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif
#ifndef WM_GETDPISCALEDSIZE
#define WM_GETDPISCALEDSIZE 0x02E4
#endif

// The window size that holds a client area of this size, with the frame metrics of `dpi`.
SIZE FrameSize(HWND window, Size client, int dpi) {
    RECT rect{0, 0, client.width, client.height};
    AdjustWindowRectForDpi(rect, static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)),
                           static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE)), dpi);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, CommandTable& commands, CalendarSettings& settings,
                       std::unique_ptr<SettingsStore> store, bool trayResident)
    : instance_(instance),
      commands_(commands),
      settings_(settings),
      store_(std::move(store)),
      model_(MainPorts{*this, *this, *this, *this, *this}, settings) {
    model_.SetTrayResident(trayResident);
}

MainWindow::~MainWindow() {
    if (window_) DestroyWindow(window_);
    if (contextMenu_) DestroyMenu(contextMenu_);
    if (trayMenu_) DestroyMenu(trayMenu_);
    if (largeIcon_) DestroyIcon(largeIcon_);
    if (smallIcon_) DestroyIcon(smallIcon_);
    trayIcon_.Remove();
    if (trayIconImage_) DestroyIcon(trayIconImage_);
}

bool MainWindow::RegisterWindowClass(HINSTANCE instance) {
    const int dpi = WindowDpi(nullptr);
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadProgramIcon(instance, false, dpi);
    windowClass.hIconSm = LoadProgramIcon(instance, true, dpi);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    // The window paints every pixel itself.
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    windowClass.lpszClassName = kMainWindowClass;
    return RegisterClassExA(&windowClass) != 0;
}

HWND MainWindow::Create() {
    return CreateWindowExA(kMainWindowExStyle, kMainWindowClass, "calendar", kMainWindowStyle, 420, 300, 200, 100,
                           nullptr, nullptr, instance_, this);
}

LRESULT CALLBACK MainWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    const LRESULT result = self->Handle(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
    }
    return result;
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    // How many messages of this window are being handled, one inside another: more than
    // one while a dialog, a message or a menu runs its own loop from one of them.
    struct Depth {
        int& depth;
        explicit Depth(int& d) : depth(++d) {}
        ~Depth() { --depth; }
    } depth(handlingDepth_);
    switch (message) {
    case WM_CREATE:
        contextMenu_ = BuildMenu(kContextMenuSpec, commands_);
        trayMenu_ = BuildMenu(kTrayMenuSpec, commands_);
        MarkStartup("menus");
        trayIcon_.SetOwner(window_);
        trayIcon_.SetCallbackMessage(kTrayCallbackMessage);
        if (model_.TrayResident()) {
            trayIcon_.Add();
            MarkStartup("tray icon");
        }
        return 0;
    case WM_SHOWWINDOW:
        if (wParam) {
            model_.OnShow();
        } else {
            dayTip_.Follow(window_, {});
            model_.OnHide();
        }
        break;
    case WM_ENDSESSION:
        if (wParam) model_.OnHide();
        break;
    case WM_DESTROY:
        model_.OnDestroy();
        dayTip_.Destroy();
        accessible_.Disconnect();
        trayIcon_.Remove();
        PostQuitMessage(0);
        return 0;
    case WM_CLOSE: model_.OnClose(); return 0;
    case WM_TIMER:
        if (wParam == kReloadTimerId) {
            model_.OnReloadDue();
            // A calendar read again may have changed the list of the day the tip is over.
            if (const CalendarView* view = model_.View()) dayTip_.Follow(window_, view->DayTipText());
            break;
        }
        if (LooksForNotificationsAtTick(handlingDepth_) && watch_.TakeSignalled()) model_.OnFolderChanged();
        model_.OnTimer();
        break;
    case WM_LBUTTONDBLCLK: model_.OnLeftButtonDoubleClick({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); break;
    case WM_MBUTTONDOWN: PostCommand(CommandId::kToday); break;
    case WM_MOUSEWHEEL: model_.OnWheel(GET_WHEEL_DELTA_WPARAM(wParam)); break;
    case WM_KEYDOWN: model_.OnKeyDown(static_cast<int>(wParam), GetKeyState(VK_CONTROL) < 0); break;
    case WM_LBUTTONDOWN: model_.OnLeftButtonDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); break;
    case WM_LBUTTONUP: model_.OnLeftButtonUp(); break;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window_, &paint);
        if (CalendarView* view = model_.View()) {
            CalendarPainter painter(*view, glyphs_, caches_);
            DeviceTarget target(dc);
            const Rect update{paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right, paint.rcPaint.bottom};
            painter.PaintAll(target, &update);
        }
        EndPaint(window_, &paint);
        if (model_.View()) MarkStartup("first paint");
        return 0;
    }
    case WM_RBUTTONUP: model_.OnRightButtonUp({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); break;
    case WM_MOUSEMOVE: {
        POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(window_, &screen);
        model_.OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), Point{screen.x, screen.y});
        if (const CalendarView* view = model_.View()) dayTip_.Follow(window_, view->DayTipText());
        break;
    }
    case WM_NOTIFY:
        if (lParam && dayTip_.Answer(*reinterpret_cast<const NMHDR*>(lParam))) return 0;
        break;
    case WM_HELP: OpenHelp(); break;
    case WM_GETOBJECT:
        if (const LRESULT answer = accessible_.Answer(window_, model_, wParam, lParam)) return answer;
        break;
    case WM_GETDPISCALEDSIZE:
        // Before a move to a monitor of another scale: the window's size there, so that the
        // rectangle the system then suggests is the one the view needs.
        if (const std::optional<Size> size = model_.ViewSizeAt(static_cast<int>(wParam))) {
            *reinterpret_cast<SIZE*>(lParam) = FrameSize(window_, *size, static_cast<int>(wParam));
            return TRUE;
        }
        return FALSE;
    case WM_FONTCHANGE: model_.OnFontsChanged(); break;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
        if (ChangesAppearance(message, wParam, lParam)) model_.OnAppearanceChanged();
        break;
    case WM_DPICHANGED: {
        // The rectangle the system suggests keeps the window where the user put it on the
        // new monitor; the client then takes the view's size at the new scale.
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        if (suggested) {
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        model_.OnDpiChanged(HIWORD(wParam));
        SetIconsForDpi(HIWORD(wParam));
        return 0;
    }
    case WM_SYSCOMMAND:
        if (wParam == SC_KEYMENU) {
            // The calendar has no menu bar: Alt (or F10) opens its context menu instead, and
            // the system's own menu does not follow it.
            model_.OnMenuKey();
            return 0;
        }
        break;
    case kTrayCallbackMessage:
        if (lParam == WM_RBUTTONUP) {
            POINT at;
            GetCursorPos(&at);
            // The menu closes when the user clicks elsewhere only if the window is foreground.
            SetForegroundWindow(window_);
            TrackMenu(trayMenu_, model_.CommandStateNow(), at);
        } else if (lParam == WM_LBUTTONDBLCLK) {
            PostCommand(CommandId::kDisplay);
        }
        break;
    case WM_COMMAND: model_.OnCommand(LOWORD(wParam)); break;
    default: break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

template <class Paint>
void MainWindow::WithPainter(Paint paint) {
    CalendarView* view = model_.View();
    if (!window_ || !view) return;
    // Hidden (the show handling runs before the window appears), nothing would reach the
    // screen: appearing paints the window whole.
    if (!IsWindowVisible(window_)) return;
    HDC dc = GetDC(window_);
    if (!dc) return;
    CalendarPainter painter(*view, glyphs_, caches_);
    DeviceTarget target(dc);
    paint(painter, target);
    ReleaseDC(window_, dc);
}

void MainWindow::SetTitle(const std::string& title) { SetWindowTextA(window_, title.c_str()); }

void MainWindow::ResizeClient(Size size) {
    const SIZE frame = FrameSize(window_, size, WindowDpi(window_));
    SetWindowPos(window_, nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::RepaintAll() {
    if (!model_.View()) {
        InvalidateRect(window_, nullptr, FALSE);
        return;
    }
    WithPainter([](CalendarPainter& painter, PaintTarget& target) { painter.PaintAll(target); });
}

void MainWindow::RepaintCell(int column, int row) {
    WithPainter(
        [column, row](CalendarPainter& painter, PaintTarget& target) { painter.PaintCell(target, column, row); });
}

void MainWindow::RepaintFooter() {
    WithPainter([](CalendarPainter& painter, PaintTarget& target) { painter.PaintFooter(target); });
}

void MainWindow::DropPaintCaches() { caches_.Release(); }

void MainWindow::StartTimer() { SetTimer(window_, kTimerId, kTimerPeriod, nullptr); }
void MainWindow::StopTimer() { KillTimer(window_, kTimerId); }
void MainWindow::WatchFolders(const std::vector<std::string>& folders) { watch_.Watch(folders); }
void MainWindow::StartReloadTimer(int milliseconds) {
    SetTimer(window_, kReloadTimerId, static_cast<UINT>(milliseconds), nullptr);
}
uint32_t MainWindow::Milliseconds() { return GetTickCount(); }
void MainWindow::StopReloadTimer() { KillTimer(window_, kReloadTimerId); }

void MainWindow::OnWatchSignalled(HANDLE handle) {
    const std::vector<HANDLE>& handles = watch_.Handles();
    for (size_t i = 0; i < handles.size(); ++i) {
        if (handles[i] != handle) continue;
        watch_.Rearm(i);
        break;
    }
    model_.OnFolderChanged();
}
bool MainWindow::IsVisible() { return IsWindowVisible(window_) != FALSE; }
void MainWindow::Hide() { ShowWindow(window_, SW_HIDE); }

void MainWindow::ShowAndActivate() {
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
}

void MainWindow::Destroy() { DestroyWindow(window_); }
void MainWindow::SendClose() {
    if (window_) SendMessageA(window_, WM_CLOSE, 0, 0);
}
void MainWindow::PostCommand(CommandId id) { PostMessageA(window_, WM_COMMAND, MAKEWPARAM(IdNumber(id), 0), 0); }

Point MainWindow::WindowPosition() {
    RECT rect{};
    GetWindowRect(window_, &rect);
    return {rect.left, rect.top};
}

void MainWindow::MoveWindow(Point position) {
    SetWindowPos(window_, nullptr, position.x, position.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
}

void MainWindow::SetIconsForDpi(int dpi) {
    for (auto& [which, icon] : {std::pair{ICON_BIG, &largeIcon_}, std::pair{ICON_SMALL, &smallIcon_}}) {
        HICON fresh = LoadProgramIcon(instance_, which == ICON_SMALL, dpi);
        if (!fresh) continue;
        SendMessageA(window_, WM_SETICON, which, reinterpret_cast<LPARAM>(fresh));
        if (*icon) DestroyIcon(*icon);
        *icon = fresh;
    }
    // The notification area is on the primary monitor: its icon follows that one's scale.
    const HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY) != primary) return;
    if (HICON fresh = LoadProgramIconOfSize(instance_, true, TrayIconPixels(dpi))) {
        trayIcon_.SetIcon(fresh);
        if (trayIconImage_) DestroyIcon(trayIconImage_);
        trayIconImage_ = fresh;
    }
}

Rect MainWindow::WindowRect() {
    RECT rect{};
    GetWindowRect(window_, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

Size MainWindow::FrameExtra() {
    const SIZE frame = FrameSize(window_, {0, 0}, WindowDpi(window_));
    return {frame.cx, frame.cy};
}

std::vector<Rect> MainWindow::MonitorWorkAreas() {
    std::vector<Rect> areas;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
            MONITORINFO info{};
            info.cbSize = sizeof info;
            if (GetMonitorInfoA(monitor, &info)) {
                const RECT& work = info.rcWork;
                reinterpret_cast<std::vector<Rect>*>(data)->push_back({work.left, work.top, work.right, work.bottom});
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&areas));
    return areas;
}

Point MainWindow::PointerPosition() {
    POINT at{};
    GetCursorPos(&at);
    return {at.x, at.y};
}

void MainWindow::SetTranslucency(int transparency) { tavoli::SetTranslucency(window_, transparency); }

PixelColor MainWindow::SystemWindowColor() { return PixelColor::FromColorRef(GetSysColor(COLOR_WINDOW)); }
SystemAppearance MainWindow::Appearance() { return ReadSystemAppearance(); }

void MainWindow::SetDarkTitleBar(bool dark) {
    // A light start asks nothing of the window manager (its library stays unloaded).
    if (dark == darkTitleBar_) return;
    darkTitleBar_ = dark;
    tavoli::SetDarkTitleBar(window_, dark);
}
int MainWindow::Dpi() { return WindowDpi(window_); }

void MainWindow::AccessibleFocus(int child) { AccessibleCalendar::RaiseFocus(window_, child); }
void MainWindow::AccessibleNameChanged(int child) { AccessibleCalendar::RaiseNameChange(window_, child); }

void MainWindow::TrackMenu(HMENU menu, const CommandState& state, POINT at) {
    ApplyMenuStates(menu, CommandStatesFor(state));
    TrackPopupMenu(menu, TPM_LEFTBUTTON, at.x, at.y, 0, window_, nullptr);
}

void MainWindow::ShowContextMenu(Point clientPoint, const CommandState& state) {
    POINT at{clientPoint.x, clientPoint.y};
    ClientToScreen(window_, &at);
    TrackMenu(contextMenu_, state, at);
}

void MainWindow::PutOnClipboard(const std::string& text) {
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    // Movable, zeroed: the NUL after the text is already there.
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
    if (memory) {
        if (void* bytes = GlobalLock(memory)) {
            std::memcpy(bytes, text.data(), text.size());
            GlobalUnlock(memory);
            if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
        } else {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}

void MainWindow::OpenHelp() { OpenHelpDocument(reinterpret_cast<HWND>(CurrentPlatform().ActiveTopLevelWindow())); }

bool MainWindow::RunJumpDialog(int& year, int& month) { return tavoli::RunJumpDialog(year, month, window_); }

bool MainWindow::RunSearchDialog(const MemoStore& memos, CalDate& chosen) {
    return tavoli::RunSearchDialog(memos, chosen, window_);
}

bool MainWindow::RunMemoDialog(const std::string& prompt, MemoEdit& memo) {
    return tavoli::RunMemoDialog(prompt, memo, {}, window_);
}

bool MainWindow::RunCountDownDialog(CountDown& countDown) { return tavoli::RunCountDownDialog(countDown, window_); }

void MainWindow::RunAboutDialog() { tavoli::RunAboutDialog(window_); }

void MainWindow::RunDayTraceDialog(const std::vector<std::string>& lines) { tavoli::RunDayTraceDialog(lines, window_); }

// Owned by the calendar, which it is about, whatever window is active meanwhile.
void MainWindow::ShowScriptError(const std::string& text) { scriptError_.Show(window_, text); }
void MainWindow::CloseScriptError() { scriptError_.Close(); }
void MainWindow::ShowMessage(const std::string& text) { tavoli::ShowMessage(text); }

bool MainWindow::RunOptionsDialog(SettingsRecord& settings, const MemoStore& memos) {
    const CalendarView* view = model_.View();
    return tavoli::RunOptionsDialog(
        settings, {settings_.Paths(), &memos, OpenHelpDocument, view ? view->Appearance() : SystemAppearance()},
        window_);
}

}  // namespace tavoli
