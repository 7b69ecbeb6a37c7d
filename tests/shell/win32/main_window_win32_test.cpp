// The main window in the test program itself, on the virtual display, with a clock the
// test sets: day changes on the timer, the span message, the context menu's states, the
// clipboard.
#include "shell/main_window_win32.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "framework/dpi_win32.h"
#include "framework/messages.h"
#include "shell/command_table.h"
#include "support/file_contents.h"
#include "support/map_settings_store.h"
#include "support/temp_folder.h"
#include "support/test_platform.h"

namespace tavoli {
namespace {

void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

class MainWindowTest : public testing::Test {
protected:
    MainWindowTest() : scope_(clock_), commands_(BuildCommandTable()), settings_(Paths()) {
        static const bool registered = MainWindow::RegisterWindowClass(GetModuleHandleA(nullptr));
        EXPECT_TRUE(registered);
        window_ = std::make_unique<MainWindow>(GetModuleHandleA(nullptr), commands_, settings_,
                                               std::make_unique<MapStore>(), false);
        handle_ = window_->Create();
        EXPECT_NE(handle_, nullptr);
        ShowWindow(handle_, SW_SHOW);
        Pump();
    }
    ~MainWindowTest() override {
        window_.reset();
        Pump();
    }
    SettingsPaths Paths() {
        SettingsPaths paths;
        paths.userScript = folder_.Join("holidays.txt");
        paths.allUsersScript = folder_.Join("holidays.txt");
        paths.formatFile = folder_.Join("format.txt");
        paths.memoFile = folder_.Join("memo.txt");
        WriteWholeFile(paths.userScript, "#weekday 0 (3)\r\n");
        return paths;
    }
    CalendarView& View() { return *window_->Model().View(); }
    void Command(CommandId id) {
        SendMessageA(handle_, WM_COMMAND, MAKEWPARAM(IdNumber(id), 0), 0);
        Pump();
    }
    void PointAtDate(CalDate date) {
        View().SelectDate(date);
        const auto margins = View().Layout().margins;
        const int x = margins[0] + View().CursorColumn() * 48 + 24, y = margins[1] + View().CursorRow() * 36 + 18;
        SendMessageA(handle_, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    }
    std::string Shown() { return std::to_string(View().ShownYear()) + "/" + std::to_string(View().ShownMonth()); }

    SettableClock clock_;
    ScopedPlatform scope_;
    TempFolder folder_;
    CommandTable commands_;
    CalendarSettings settings_;
    std::unique_ptr<MainWindow> window_;
    HWND handle_ = nullptr;
};

TEST_F(MainWindowTest, SizeTitleWheelAndKeys) {
    RECT client{};
    GetClientRect(handle_, &client);
    EXPECT_EQ(client.right, 344);
    EXPECT_EQ(client.bottom, 332);
    char title[256] = {};
    GetWindowTextA(handle_, title, sizeof title);
    EXPECT_EQ(std::string(title), ApplicationTitle());
    const struct {
        UINT message;
        WPARAM wParam;
        const char* shown;
    } steps[] = {
        {WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), "2024/7"},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 60), "2024/7"},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 120), "2024/6"},
        {WM_KEYDOWN, VK_SPACE, "2024/5"},  // today, through the posted command
    };
    for (const auto& step : steps) {
        SendMessageA(handle_, step.message, step.wParam, 0);
        Pump();
        EXPECT_EQ(Shown(), step.shown) << step.message;
    }
}

// A move to a monitor of another scale: the window takes the rectangle the system
// suggests, and its client the view's size at the new scale.
TEST_F(MainWindowTest, AnotherScaleResizesTheWindowWhereTheSystemSuggests) {
    const struct {
        int dpi;
        RECT suggested;
        Size client;
    } moves[] = {{192, {20, 10, 720, 710}, {688, 664}},  // each wholly on the 1024 × 768 screen
                 {144, {40, 30, 600, 560}, {516, 498}},
                 {96, {50, 60, 400, 400}, {344, 332}}};
    for (const auto& move : moves) {
        RECT suggested = move.suggested;
        SendMessageA(handle_, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(move.dpi, move.dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        Pump();
        EXPECT_EQ(View().Dpi(), move.dpi);
        RECT client{}, frame{};
        GetClientRect(handle_, &client);
        GetWindowRect(handle_, &frame);
        EXPECT_EQ((Size{client.right, client.bottom}), move.client) << move.dpi;
        EXPECT_EQ(frame.left, move.suggested.left) << move.dpi;
        EXPECT_EQ(frame.top, move.suggested.top) << move.dpi;
    }
    EXPECT_EQ(View().Layout().cellSize, (Size{48, 36}));
    // Asked beforehand, the window gives its size at the other scale and changes nothing.
    SIZE size{};
    EXPECT_TRUE(SendMessageA(handle_, 0x02E4 /* WM_GETDPISCALEDSIZE */, 192, reinterpret_cast<LPARAM>(&size)));
    RECT expected{0, 0, 688, 664};  // with the frame the window has at 192 DPI
    AdjustWindowRectForDpi(expected, static_cast<DWORD>(GetWindowLongPtrA(handle_, GWL_STYLE)),
                           static_cast<DWORD>(GetWindowLongPtrA(handle_, GWL_EXSTYLE)), 192);
    EXPECT_EQ(size.cx, expected.right - expected.left);
    EXPECT_EQ(size.cy, expected.bottom - expected.top);
    EXPECT_EQ(View().Dpi(), 96);
}

TEST_F(MainWindowTest, FontsInstalledOrRemovedRepaintWithNewFonts) {
    RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    GlyphCache& cache = window_->Caches().glyphCache;
    ASSERT_FALSE(cache.Empty());
    // A measurement only the old fonts could have given.
    const FontSpec font{"", 24, ""};
    cache.AddExtent(cache.FontOf(font, nullptr), "made with the old fonts", {1, 1});
    SendMessageA(handle_, WM_FONTCHANGE, 0, 0);
    Pump();
    EXPECT_EQ(cache.FindExtent(cache.FontOf(font, nullptr), "made with the old fonts"), nullptr);
}

TEST_F(MainWindowTest, TheDayChangesOnTheTimer) {
    Command(CommandId::kNextMonth);
    EXPECT_EQ(Shown(), "2024/6");
    SendMessageA(handle_, WM_TIMER, 0, 0);
    EXPECT_EQ(Shown(), "2024/6");  // the same day: nothing
    clock_.now = CalDateTime(CalDate(2024, 5, 16), TimeOfDay(0));
    SendMessageA(handle_, WM_TIMER, 0, 0);
    EXPECT_EQ(Shown(), "2024/5");
    EXPECT_EQ(View().TodayDate(), CalDate(2024, 5, 16));
}

TEST_F(MainWindowTest, SpanMessages) {
    PointAtDate(CalDate(2024, 5, 10));
    Command(CommandId::kMemorize);
    for (const CalDate day : {CalDate(2024, 5, 10), CalDate(2024, 5, 3)}) {
        PointAtDate(day);
        Command(CommandId::kCalculate);
    }
    ASSERT_EQ(clock_.boxes.size(), 2u);
    const bool japanese = SystemPlatform().AnsiCodePage() == kCodePageJapanese;
    EXPECT_EQ(clock_.boxes[0].text,
              japanese ? AnsiFromUtf8("開始日：2024年5月10日(金)\n終了日：2024年5月10日(金)\n\n期間：0日")
                       : "begins:2024/5/10\nends:2024/5/10\n\nSpan:0days");
    EXPECT_EQ(clock_.boxes[1].text,
              japanese ? AnsiFromUtf8("開始日：2024年5月10日(金)\n終了日：2024年5月3日(金)\n\n期間：-7日")
                       : "begins:2024/5/10\nends:2024/5/3\n\nSpan:-7days");
}

TEST_F(MainWindowTest, ContextMenuStatesAtTheLimitsAndOnToday) {
    // The menu is tracked modally: a second thread closes it once it is up.
    auto showMenu = [&] {
        std::thread closer([] {
            for (int i = 0; i < 200; ++i) {
                HWND menu = FindWindowA("#32768", nullptr);
                if (menu && IsWindowVisible(menu)) {
                    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
                    return;
                }
                Sleep(20);
            }
        });
        SendMessageA(handle_, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
        SendMessageA(handle_, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
        closer.join();
        Pump();
    };
    auto grayed = [&](CommandId id) {
        return (GetMenuState(window_->ContextMenu(), IdNumber(id), MF_BYCOMMAND) & MF_GRAYED) != 0;
    };
    showMenu();  // today's month, cursor on the "<<" button
    EXPECT_TRUE(grayed(CommandId::kToday));
    EXPECT_TRUE(grayed(CommandId::kMemo));
    EXPECT_FALSE(grayed(CommandId::kPrevMonth));
    View().SetMonth(1, 1);
    showMenu();
    EXPECT_TRUE(grayed(CommandId::kPrevMonth));
    EXPECT_TRUE(grayed(CommandId::kPrevYear));
    EXPECT_FALSE(grayed(CommandId::kNextYear));
    EXPECT_FALSE(grayed(CommandId::kToday));
}

// An icon's colour pixels, 32 bits each; empty when the icon cannot be read.
std::vector<uint32_t> IconPixels(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return {};
    BITMAP bitmap{};
    GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), bitmap.bmWidth, -bitmap.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint32_t> pixels(static_cast<size_t>(bitmap.bmWidth) * static_cast<size_t>(bitmap.bmHeight));
    HDC screen = GetDC(nullptr);
    if (!GetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(bitmap.bmHeight), pixels.data(), &format,
                   DIB_RGB_COLORS)) {
        pixels.clear();
    }
    ReleaseDC(nullptr, screen);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return pixels;
}

// The window shows the program's own icon at the sizes the system asks for, also after a
// move to a monitor of another scale (Wine reads the scale once: the message is sent by
// hand), not the shell's generic one; so does the notification area.
TEST_F(MainWindowTest, TheProgramsOwnIcon) {
    auto own = [](int size) {
        HICON icon =
            static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, 0));
        std::vector<uint32_t> pixels = IconPixels(icon);
        DestroyIcon(icon);
        return pixels;
    };
    const std::vector<uint32_t> small = IconPixels(reinterpret_cast<HICON>(GetClassLongPtrA(handle_, GCLP_HICONSM)));
    EXPECT_EQ(small.size(), 16u * 16u);
    EXPECT_EQ(small, own(16));
    EXPECT_EQ(IconPixels(reinterpret_cast<HICON>(GetClassLongPtrA(handle_, GCLP_HICON))), own(32));
    RECT rect{};
    GetWindowRect(handle_, &rect);
    SendMessageA(handle_, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(IconPixels(reinterpret_cast<HICON>(SendMessageA(handle_, WM_GETICON, ICON_SMALL, 0))), own(32));
    EXPECT_EQ(IconPixels(reinterpret_cast<HICON>(SendMessageA(handle_, WM_GETICON, ICON_BIG, 0))), own(64));
    // The notification area's icon follows the scale of its monitor, which the window is on.
    EXPECT_EQ(IconPixels(window_->Tray().Icon()), own(32));
}

TEST_F(MainWindowTest, CopyPutsTheMonthTextOnTheClipboard) {
    Command(CommandId::kCopy);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_TEXT);
    ASSERT_NE(data, nullptr);
    const std::string text(static_cast<const char*>(GlobalLock(data)));
    GlobalUnlock(data);
    CloseClipboard();
    size_t lines = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
    EXPECT_EQ(lines, 8u);
    // Japanese where the code page holds it, else English in the same columns.
    const bool japanese = SystemPlatform().AnsiCodePage() == kCodePageJapanese;
    EXPECT_EQ(text.substr(0, text.find("\r\n")), japanese ? AnsiFromUtf8("2024年 5月") : "May 2024");
    EXPECT_EQ(text.find('?'), std::string::npos) << text;
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

}  // namespace
}  // namespace tavoli
