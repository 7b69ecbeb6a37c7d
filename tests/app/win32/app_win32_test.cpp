// TavoliCalendar.exe itself, started by this test in the run's private Wine prefix and
// driven from outside with window messages and synthetic keys.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/app_info.h"
#include "framework/lang_text.h"
#include "framework/platform.h"
#include "framework/registry_win32.h"
#include "support/program_win32.h"

namespace tavoli {
namespace {

// The month the title shows in the "Title-bar" design ("2024/5" or "2024年5月").
std::string MonthTitle(int year, int month) {
    return SystemPlatform().AnsiCodePage() == kCodePageJapanese
               ? std::to_string(year) + AnsiFromUtf8("年") + std::to_string(month) + AnsiFromUtf8("月")
               : std::to_string(year) + "/" + std::to_string(month);
}

// Presses keys through the system, as a user would (the accelerators need the real
// keyboard state).
void PressWithCtrl(HWND window, WORD key) {
    SetForegroundWindow(window);
    INPUT inputs[4] = {};
    const WORD keys[4] = {VK_CONTROL, key, key, VK_CONTROL};
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i];
        inputs[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, inputs, sizeof(INPUT));
}

// How many pixels of the window's client area show the colour.
int PixelsOfColor(HWND window, COLORREF color) {
    RECT client{};
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    int count = 0;
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) count += GetPixel(dc, x, y) == color ? 1 : 0;
    }
    ReleaseDC(window, dc);
    return count;
}

class App : public testing::Test {
protected:
    App() { ForgetProgramState(); }
    ~App() override { RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsSubkey); }
};

TEST_F(App, StartsShowsTheDefaultViewAndSavesAtExit) {
    Program program("");
    ASSERT_TRUE(program.Started());
    HWND window = program.Window();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(Eventually([&] { return IsWindowVisible(window) != FALSE; }));
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 344);
    EXPECT_EQ(client.bottom, 332);
    EXPECT_EQ(Title(window), ResolveText(AppInfo::kProductTitle).substr(0, 31));
    // Today framed at the very first start, though the pointer rests over the window.
    POINT pointer{};
    GetCursorPos(&pointer);
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_TRUE(PtInRect(&frame, pointer)) << "the pointer should rest over the window for this test";
    EXPECT_TRUE(Eventually([&] { return PixelsOfColor(window, RGB(160, 160, 224)) > 0; }));
    PostMessageA(window, WM_COMMAND, 1025, 0);  // close
    EXPECT_EQ(program.WaitForExit(), 0);
    // The first run's values, written at the hide.
    EXPECT_EQ(StoredValue("Design"), "T1W1N0D5B2");
    EXPECT_EQ(StoredValue("Flags"), "pcn");
    EXPECT_EQ(StoredValue("CellSize"), "(48,36)");
    EXPECT_EQ(StoredValue("Margin"), "4,4,4,4");
    EXPECT_EQ(StoredValue("FontSize"), "40,24,16,8");
    EXPECT_EQ(StoredValue("Color03"), "(224,32,32)");
}

TEST_F(App, MonthByWheelKeysAndAccelerators) {
    StoreValue("Design", "T0");  // the month in the title, where this test can read it
    Program program("");
    HWND window = program.Window();
    ASSERT_NE(window, nullptr);
    SYSTEMTIME now;
    GetLocalTime(&now);
    int year = now.wYear, month = now.wMonth;
    auto shows = [&](int steps) {
        const int total = year * 12 + (month - 1) + steps;
        const std::string expected = MonthTitle(total / 12, total % 12 + 1);
        const bool seen = Eventually([&] { return Title(window) == expected; });
        EXPECT_TRUE(seen) << Title(window) << " instead of " << expected;
        return seen;
    };
    ASSERT_TRUE(shows(0));
    PostMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), 0);
    shows(2);
    PostMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, 60), 0);
    PostMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    shows(1);
    PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);  // today
    shows(0);
    PressWithCtrl(window, VK_RIGHT);
    shows(1);
    PressWithCtrl(window, VK_UP);
    shows(-11);
    // Ctrl+C: the month as text on the clipboard, eight lines ended by CR LF.
    PressWithCtrl(window, 'C');
    std::string text;
    Eventually([&] {
        if (!OpenClipboard(nullptr)) return false;
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            text = static_cast<const char*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
        return !text.empty();
    });
    size_t lines = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
    EXPECT_EQ(lines, 8u) << text;
    // Weekdays in the system's language where its code page holds Japanese, else English.
    const std::string weekdays = text.substr(text.find("\r\n") + 2, 20);
    EXPECT_EQ(weekdays, SystemPlatform().AnsiCodePage() == kCodePageJapanese ? AnsiFromUtf8("日 月 火 水 木 金 土")
                                                                             : "Su Mo Tu We Th Fr Sa");
}

TEST_F(App, TrayResidentSecondStartEscapeAndClose) {
    Program first("/j");
    HWND window = first.Window();
    ASSERT_NE(window, nullptr);
    Sleep(500);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(Title(window), "calendar");  // never shown: nothing loaded
    EXPECT_EQ(StoredValue("Design"), "(none)");

    Program second("");
    EXPECT_EQ(second.WaitForExit(), 0);  // it activates the first copy and ends
    EXPECT_TRUE(Eventually([&] { return IsWindowVisible(window) != FALSE; }));
    EXPECT_EQ(Title(window), ResolveText(AppInfo::kProductTitle).substr(0, 31));

    PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);  // tray-resident: only hidden
    EXPECT_TRUE(Eventually([&] { return IsWindowVisible(window) == FALSE; }));
    EXPECT_EQ(first.WaitForExit(300), -1);
    EXPECT_EQ(StoredValue("Design"), "T1W1N0D5B2");  // saved at the hide

    PostMessageA(window, WM_COMMAND, 1025, 0);  // "close" from the tray menu ends it
    EXPECT_EQ(first.WaitForExit(), 0);
}

// Moves the cursor of a copy of the program, types a memo for its day into the memo editor
// and presses OK, as a user would.
void AddMemo(const Program& program, HWND window, WPARAM key, int presses, const char* text) {
    for (int i = 0; i < presses; ++i) PostMessageA(window, WM_KEYDOWN, key, 0);
    PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
    HWND dialog = nullptr;
    Eventually([&] {
        for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", nullptr)) != nullptr;) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == program.ProcessId()) dialog = w;
        }
        return dialog != nullptr;
    });
    ASSERT_NE(dialog, nullptr) << "no memo editor";
    SetWindowTextA(GetDlgItem(dialog, 4), text);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    EXPECT_TRUE(Eventually([&] { return !IsWindow(dialog); }));
}

// Two copies of the program in two folders run as two instances on the same memo.txt. Each
// adds a memo on a day of its own, a line is added to the file by hand meanwhile, and they
// save in turn as they end: memo.txt holds all three, and nothing was said.
TEST_F(App, TwoCopiesInTwoFoldersKeepEachOthersMemos) {
    char temporary[MAX_PATH] = {};
    GetTempPathA(sizeof temporary, temporary);
    const std::string built = TAVOLI_APP_PATH, builtFolder = built.substr(0, built.rfind('/') + 1);
    std::string folders[2];
    for (int i = 0; i < 2; ++i) {
        folders[i] = std::string(temporary) + "tavoli-copy-" + std::to_string(i) + "\\";
        CreateDirectoryA(folders[i].c_str(), nullptr);
        // With the holiday script beside it, as the package has it.
        for (const char* name : {"TavoliCalendar.exe", "holidays.txt"})
            ASSERT_TRUE(CopyFileA((builtFolder + name).c_str(), (folders[i] + name).c_str(), FALSE)) << name;
    }
    Program first("", folders[0] + "TavoliCalendar.exe"), second("", folders[1] + "TavoliCalendar.exe");
    HWND windows[2] = {first.Window(), second.Window()};  // each its own instance
    for (HWND window : windows) ASSERT_TRUE(window && Eventually([&] { return IsWindowVisible(window) != FALSE; }));

    AddMemo(first, windows[0], VK_LEFT, 1, "from the first copy");
    AddMemo(second, windows[1], VK_RIGHT, 2, "from the second copy");
    const std::string memoFile = MemoFolder() + "memo.txt", byHand = "2020/02/02=added by hand\r\n";
    SHCreateDirectoryExA(nullptr, MemoFolder().c_str(), nullptr);
    std::ofstream(memoFile, std::ios::binary) << byHand;

    PostMessageA(windows[0], WM_COMMAND, 1025, 0);  // close: saves
    EXPECT_EQ(first.WaitForExit(), 0);
    PostMessageA(windows[1], WM_COMMAND, 1025, 0);
    EXPECT_EQ(second.WaitForExit(), 0);  // a message box would keep it running
    std::ifstream in(memoFile, std::ios::binary);
    const std::string saved((std::istreambuf_iterator<char>(in)), {});
    for (const std::string memo : {"=from the first copy\r\n", "=from the second copy\r\n", byHand.c_str()})
        EXPECT_NE(saved.find(memo), std::string::npos) << memo << " is missing from\n" << saved;
    for (const std::string& folder : folders) {
        for (const char* name : {"TavoliCalendar.exe", "holidays.txt"}) DeleteFileA((folder + name).c_str());
        RemoveDirectoryA(folder.c_str());
    }
}

// The dialogs (class "#32770") the program shows.
std::vector<HWND> DialogsOf(const Program& program) {
    std::vector<HWND> dialogs;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "#32770", nullptr)) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == program.ProcessId() && IsWindowVisible(w)) dialogs.push_back(w);
    }
    return dialogs;
}

// Another process's control text (asked for, not the copy the system keeps).
std::string ControlText(HWND control) {
    std::string text(65536, '\0');
    const LRESULT length = SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length > 0 ? length : 0));
    return text;
}

// A copy of the program beside a holiday script of its own, the shipped one to start with.
class CopyWithScript {
public:
    CopyWithScript() {
        char temporary[MAX_PATH] = {};
        GetTempPathA(sizeof temporary, temporary);
        folder_ = std::string(temporary) + "tavoli-live\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
        const std::string built = TAVOLI_APP_PATH, builtFolder = built.substr(0, built.rfind('/') + 1);
        CopyFileA((builtFolder + "TavoliCalendar.exe").c_str(), Executable().c_str(), FALSE);
        std::ifstream in(builtFolder + "holidays.txt", std::ios::binary);
        shipped_.assign(std::istreambuf_iterator<char>(in), {});
        Save("");
    }
    ~CopyWithScript() {
        for (const char* name : {"TavoliCalendar.exe", "holidays.txt"}) DeleteFileA((folder_ + name).c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    std::string Executable() const { return folder_ + "TavoliCalendar.exe"; }
    // Saves the shipped script with lines added, as an editor does: in place.
    void Save(const std::string& added) const {
        std::ofstream(folder_ + "holidays.txt", std::ios::binary | std::ios::trunc) << shipped_ << added;
    }

private:
    std::string folder_, shipped_;
};

// A script saved while the window is shown is taken: a new holiday is coloured within two
// seconds; a broken save shows one message and keeps the colours; the mended one closes it.
TEST_F(App, AScriptSavedWhileShownIsTaken) {
    DeleteFileA((MemoFolder() + "holidays.txt").c_str());  // the copy's own script is in force
    StoreValue("Color05", "(1,2,3)");                      // anniversaries in a colour of their own
    CopyWithScript copy;
    Program program("", copy.Executable());
    HWND window = program.Window();
    ASSERT_TRUE(window && Eventually([&] { return IsWindowVisible(window) != FALSE; }));
    SYSTEMTIME now;
    GetLocalTime(&now);
    const auto rule = [&](int day) {
        return "y" + std::to_string(now.wYear) + " m" + std::to_string(now.wMonth) + " d" + std::to_string(day) +
               " (5)\r\n";
    };
    const int first = now.wDay == 10 ? 11 : 10, second = now.wDay == 12 ? 13 : 12;  // never today's framed cell
    const auto anniversaryPixels = [&] { return PixelsOfColor(window, RGB(1, 2, 3)); };
    EXPECT_EQ(anniversaryPixels(), 0);

    copy.Save(rule(first));
    EXPECT_TRUE(Eventually([&] { return anniversaryPixels() > 0; }, 2000)) << "the new holiday is not coloured";
    const int oneDay = anniversaryPixels();

    copy.Save(rule(first) + "m1 d1 (4\r\n");
    std::vector<HWND> messages;
    EXPECT_TRUE(Eventually([&] { return !(messages = DialogsOf(program)).empty(); }, 2000)) << "no message";
    Sleep(1500);  // ticks and notifications go on: still one message
    messages = DialogsOf(program);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(anniversaryPixels(), oneDay);  // the last rules that compiled stay

    copy.Save(rule(first) + rule(second));
    EXPECT_TRUE(Eventually([&] { return !IsWindow(messages[0]) || !IsWindowVisible(messages[0]); }, 2000))
        << "the message stays open";
    EXPECT_TRUE(Eventually([&] { return anniversaryPixels() > oneDay; }, 2000));
    EXPECT_TRUE(DialogsOf(program).empty());
    PostMessageA(window, WM_COMMAND, 1025, 0);
    EXPECT_EQ(program.WaitForExit(), 0);
}

// Ctrl+E on 2 January 2023 traces the substitute holiday to its lines.
TEST_F(App, WhyThisDayTracesTheSubstituteHoliday) {
    DeleteFileA((MemoFolder() + "holidays.txt").c_str());
    CopyWithScript copy;
    Program program("", copy.Executable());
    HWND window = program.Window();
    ASSERT_TRUE(window && Eventually([&] { return IsWindowVisible(window) != FALSE; }));
    SYSTEMTIME now;
    GetLocalTime(&now);
    const int back = (now.wYear * 12 + now.wMonth - 1) - 2023 * 12;  // months back to January 2023
    PostMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(back * 120)), 0);
    // 1 January 2023 is a Sunday: the 2nd is the second cell of the first row of days,
    // below the title and the weekday row (cells of 48 x 36 inside margins of 4). The
    // pointer itself goes there: the system reports where it really is as the window
    // comes to the front.
    POINT cell{4 + 48 + 24, 4 + 2 * 36 + 18};
    ClientToScreen(window, &cell);
    SetCursorPos(cell.x, cell.y);
    Sleep(300);
    PressWithCtrl(window, 'E');
    std::vector<HWND> dialogs;
    ASSERT_TRUE(Eventually([&] { return !(dialogs = DialogsOf(program)).empty(); })) << "no dialog";
    const std::string text = ControlText(GetDlgItem(dialogs[0], 3));
    for (const char* expected : {"2023/01/02", "y2007- w1 x1 <1 x0 (4)", "(2023/01/01)", "m1 d1 (4)", "\r\n"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " is not in\n" << text;
    EXPECT_NE(text.find(copy.Executable().substr(0, copy.Executable().rfind('\\'))), std::string::npos) << text;
    const LONG style = GetWindowLongA(GetDlgItem(dialogs[0], 3), GWL_STYLE);
    EXPECT_EQ(style & (ES_READONLY | ES_MULTILINE), ES_READONLY | ES_MULTILINE);
    PostMessageA(dialogs[0], WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(Eventually([&] { return !IsWindow(dialogs[0]); }));
    PostMessageA(window, WM_COMMAND, 1025, 0);
    EXPECT_EQ(program.WaitForExit(), 0);
}

}  // namespace
}  // namespace tavoli
