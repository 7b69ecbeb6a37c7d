// The notification-area icon added to and taken from Wine's tray on the virtual display.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "framework/messages.h"
#include "framework/platform.h"
#include "shell/tray_icon_win32.h"
#include "support/test_platform.h"

namespace tavoli {
namespace {

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    return DefWindowProcA(window, message, w, l);
}

// A window of a class with a small icon, or of one without any icon.
HWND MakeWindow(bool withIcon) {
    const char* className = withIcon ? "TavoliTrayTest" : "TavoliTrayTestNoIcon";
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = PlainWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    if (withIcon) windowClass.hIconSm = LoadIconA(nullptr, IDI_APPLICATION);
    RegisterClassExA(&windowClass);  // fails harmlessly when registered already
    return CreateWindowExA(0, className, "tray", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

// Whether the shell knows an icon of the window: only a known icon can be modified.
bool ShellKnows(HWND window) {
    NOTIFYICONDATAA record = {};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = window;
    record.uID = TrayIcon::kIdentifier;
    return Shell_NotifyIconA(NIM_MODIFY, &record) != FALSE;
}

std::string Repeat(std::string_view piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += piece;
    return text;
}

// 80 characters: longer than the tip field in either code page, where Shift_JIS gives two
// bytes for each and the English one "?" for each.
std::string JapaneseTip() { return AnsiFromUtf8(Repeat("たぼりカレンダー", 10)); }

TEST(TrayIcon, TheFirstVersionRecord) {
    // 88 bytes in a 32-bit program; in a 64-bit one the two handles take eight bytes each
    // and are aligned, which gives 104.
    EXPECT_EQ(NOTIFYICONDATAA_V1_SIZE, sizeof(void*) == 8 ? 104u : 88u);
    EXPECT_EQ(offsetof(NOTIFYICONDATAA, szTip) + 64, NOTIFYICONDATAA_V1_SIZE);

    HWND window = MakeWindow(true);
    ASSERT_NE(window, nullptr);
    HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
    const std::string japanese = JapaneseTip();
    struct Case {
        std::string tip;
        std::string shown;
    } cases[] = {
        {Repeat("x", 70), Repeat("x", 63)},
        {Repeat("y", 63), Repeat("y", 63)},
        {"short", "short"},
        // Shift_JIS: 31 whole characters, never the lead byte of a 32nd.
        {japanese,
         SystemPlatform().AnsiCodePage() == kCodePageJapanese ? japanese.substr(0, 62) : japanese.substr(0, 63)},
    };
    for (const Case& c : cases) {
        TrayIcon tray;
        tray.SetTip(c.tip);
        tray.SetCallbackMessage(WM_USER + 100);
        const NOTIFYICONDATAA record = tray.Record(window, icon);
        EXPECT_EQ(record.cbSize, NOTIFYICONDATAA_V1_SIZE);
        EXPECT_EQ(record.hWnd, window);
        EXPECT_EQ(record.uID, 1u);
        EXPECT_EQ(record.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
        EXPECT_EQ(record.uCallbackMessage, 0x464u);
        EXPECT_EQ(record.hIcon, icon);
        EXPECT_EQ(std::string(record.szTip), c.shown);
        for (size_t i = c.shown.size(); i < sizeof record.szTip; ++i) ASSERT_EQ(record.szTip[i], 0) << i;
    }
    SetApplicationName("Tavoli Tray Test");
    TrayIcon untitled;
    EXPECT_EQ(std::string(untitled.Record(window, icon).szTip), "Tavoli Tray Test");  // empty tip: the title
    SetApplicationName("");
    DestroyWindow(window);
}

TEST(TrayIcon, AddedAndRemovedOnTheDisplay) {
    HWND window = MakeWindow(true);
    ASSERT_NE(window, nullptr);
    for (const std::string& tip : {Repeat("Tavoli Calendar ", 6), JapaneseTip()}) {
        ASSERT_GT(tip.size(), 63u);
        TrayIcon tray;
        tray.SetOwner(window);
        tray.SetTip(tip);
        EXPECT_TRUE(tray.SetCallbackMessage(WM_USER + 100));  // not shown: only stored
        // Wine's shell keeps a tray window even when the display has no tray of its own.
        ASSERT_TRUE(tray.Add()) << "the shell refused the icon; its tray window "
                                << (FindWindowA("Shell_TrayWnd", nullptr) ? "exists" : "is missing");
        EXPECT_EQ(tray.RegisteredWindow(), window);
        EXPECT_TRUE(ShellKnows(window));
        EXPECT_TRUE(tray.SetCallbackMessage(WM_USER + 101));
        EXPECT_EQ(tray.CallbackMessage(), WM_USER + 101u);
        EXPECT_TRUE(tray.Add());  // a second add shows it afresh, still known
        EXPECT_TRUE(ShellKnows(window));
        EXPECT_TRUE(tray.Remove());
        EXPECT_FALSE(tray.Registered());
        EXPECT_FALSE(ShellKnows(window));
        EXPECT_FALSE(tray.Remove());  // nothing left to take away
    }
    {
        TrayIcon tray;
        tray.SetOwner(window);
        ASSERT_TRUE(tray.Add());
        ASSERT_TRUE(ShellKnows(window));
    }
    EXPECT_FALSE(ShellKnows(window));  // destruction took it away
    DestroyWindow(window);
}

TEST(TrayIcon, SkippedWithoutAWindowOrAnIcon) {
    HWND withIcon = MakeWindow(true);
    HWND withoutIcon = MakeWindow(false);
    ASSERT_NE(withIcon, nullptr);
    ASSERT_NE(withoutIcon, nullptr);
    RecordingPlatform platform;  // decides which window counts as active
    ScopedPlatform scope(platform);
    {
        TrayIcon tray;  // no owner, no active window
        EXPECT_FALSE(tray.Add());
        EXPECT_FALSE(tray.Registered());
        EXPECT_FALSE(tray.Remove());
    }
    {
        TrayIcon tray;  // no owner: the active window's top-level window takes it
        platform.owner = reinterpret_cast<uintptr_t>(withIcon);
        ASSERT_TRUE(tray.Add());
        EXPECT_EQ(tray.RegisteredWindow(), withIcon);
        EXPECT_TRUE(tray.Remove());
    }
    {
        TrayIcon tray;  // neither a stored icon nor one of the class
        tray.SetOwner(withoutIcon);
        EXPECT_FALSE(tray.Add());
        EXPECT_FALSE(tray.Registered());
        EXPECT_FALSE(ShellKnows(withoutIcon));
        tray.SetIcon(LoadIconA(nullptr, IDI_APPLICATION));  // a stored icon serves any window
        ASSERT_TRUE(tray.Add());
        EXPECT_TRUE(ShellKnows(withoutIcon));
    }
    EXPECT_FALSE(ShellKnows(withoutIcon));
    DestroyWindow(withIcon);
    DestroyWindow(withoutIcon);
}

}  // namespace
}  // namespace tavoli
