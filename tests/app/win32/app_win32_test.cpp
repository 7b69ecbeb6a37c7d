// TavoliCalendar.exe itself, started by this test in the run's private Wine prefix and
// driven from outside with window messages and synthetic keys.
#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "framework/app_info.h"
#include "framework/lang_text.h"
#include "framework/platform.h"
#include "framework/registry_win32.h"
#include "settings/palette.h"
#include "support/program_win32.h"

namespace tavoli {
namespace {

// The month the title shows in the "Title-bar" design ("2024/5" or "2024年5月").
std::string MonthTitle(int year, int month) {
    return SystemPlatform().AnsiCodePage() == kCodePageJapanese
               ? std::to_string(year) + AnsiFromUtf8("年") + std::to_string(month) + AnsiFromUtf8("月")
               : std::to_string(year) + "/" + std::to_string(month);
}

// Ctrl and a key typed into the program's window.
void PressWithCtrl(HWND window, const char* key) { BringToFront(window), Type(std::string("Ctrl+") + key); }

// The client area's pixels as 0xRRGGBB, rows top down, copied from the screen in one go
// (a pixel at a time costs the display server a request each).
struct ClientPixels {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    // How many within the rectangle (the whole client area: none given) show the colour.
    int Count(COLORREF color, const RECT* within = nullptr) const {
        const RECT all{0, 0, width, height};
        const RECT& r = within ? *within : all;
        const uint32_t wanted = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
        int count = 0;
        for (int y = std::max<int>(0, r.top); y < std::min<int>(height, r.bottom); ++y) {
            for (int x = std::max<int>(0, r.left); x < std::min<int>(width, r.right); ++x)
                count += (pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF) == wanted ? 1 : 0;
        }
        return count;
    }
};
ClientPixels PixelsOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    ClientPixels shot;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = GetDC(window), memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
        const auto* pixels = static_cast<const uint32_t*>(bits);
        shot = {client.right, client.bottom, std::vector<uint32_t>(pixels, pixels + client.right * client.bottom)};
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(window, dc);
    return shot;
}
int PixelsOfColor(HWND window, COLORREF color) { return PixelsOf(window).Count(color); }

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
    // In the selection colour moved until it is seen on today's fill, whatever today's kind.
    const Palette palette = ResolvePalette(ViewStyle(), SystemAppearance());
    EXPECT_TRUE(Eventually([&] {
        int framed = 0;
        for (ViewColor kind : {ViewColor::kNormalDay, ViewColor::kSemiHoliday, ViewColor::kHoliday,
                               ViewColor::kNationalHoliday, ViewColor::kAnniversary}) {
            const PixelColor fill = palette.TodayMarkUnder(palette.Color(kind)).fill;
            const PixelColor frame = palette.MarkOn(palette.Color(PaintColor::kSelection), fill);
            framed += PixelsOfColor(window, RGB(frame.red, frame.green, frame.blue));
        }
        return framed > 0;
    }));
    PostMessageA(window, WM_COMMAND, 1025, 0);  // close
    EXPECT_EQ(program.WaitForExit(), 0);
    // The first run's values, written at the hide (each of them: RegistrySettings).
    EXPECT_EQ(StoredValue("Design"), "T1W1N0D5B2");
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
    PressWithCtrl(window, "Right");
    shows(1);
    PressWithCtrl(window, "Up");
    shows(-11);
    // Ctrl+C: the month as text on the clipboard, eight lines ended by CR LF.
    PressWithCtrl(window, "C");
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
    ASSERT_EQ(lines, 8u) << text;
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

// The apps' mode as Windows keeps it, and as it tells every window of a change.
void SetAppsDark(bool dark) {
    const DWORD light = dark ? 0 : 1;
    RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                    "AppsUseLightTheme", REG_DWORD, &light, sizeof light);
    SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("ImmersiveColorSet"),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
}

// The calendar follows the apps' mode while it runs, unless its theme (stored, read and
// written back) asks for one palette: most pixels the background's, none the other's.
TEST_F(App, FollowsTheAppsDarkModeAtOnce) {
    const COLORREF light = RGB(255, 255, 255), dark = RGB(32, 32, 32);
    const struct {
        const char* theme;  // started anew with this stored first; nullptr: switched live
        bool darkApps;
        COLORREF background;
    } steps[] = {{"0", false, light}, {nullptr, true, dark}, {nullptr, false, light}, {"2", false, dark}};
    // Light again however the test ends: the tests after it compare pixels.
    struct LightAgain {
        ~LightAgain() { SetAppsDark(false); }
    } lightAgain;
    std::unique_ptr<Program> program;
    HWND window = nullptr;
    for (const auto& step : steps) {
        SetAppsDark(step.darkApps);
        if (step.theme) {
            program.reset();  // closed: the settings saved
            StoreValue("Theme", step.theme);
            program = std::make_unique<Program>("");
            window = program->Window();
            ASSERT_TRUE(window && Eventually([&] { return IsWindowVisible(window) != FALSE; }));
        }
        const int row = static_cast<int>(&step - steps);
        EXPECT_TRUE(Eventually([&] { return PixelsOfColor(window, step.background) > 344 * 332 / 2; })) << row;
        EXPECT_EQ(PixelsOfColor(window, step.background == light ? dark : light), 0) << row;
    }
    program.reset();
    EXPECT_EQ(StoredValue("Theme"), "2");
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

// Months since the year 0: today's, and a month's.
int MonthNumber(int year, int month) { return year * 12 + month - 1; }
int ThisMonth() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return MonthNumber(now.wYear, now.wMonth);
}

// "Why this day?" (Ctrl+E) for the day in a row and column of the month's grid at the
// program's defaults, the month brought into view by the wheel from the one shown; its
// text, the box closed.
std::string WhyThisDay(const Program& program, HWND window, int shown, int year, int month, int column, int row) {
    const int back = shown - MonthNumber(year, month);
    PostMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(back * 120)), 0);
    // Below the title and the weekday row. The pointer itself goes there: the system
    // reports where it is as the window comes to the front.
    POINT cell{4 + 48 * column + 24, 4 + 36 * (row + 2) + 18};
    ClientToScreen(window, &cell);
    SetCursorPos(cell.x, cell.y);
    Sleep(300);
    PressWithCtrl(window, "E");
    std::vector<HWND> messages;
    if (!Eventually([&] { return !(messages = DialogsOf(program)).empty(); })) return "(no dialog)";
    HWND box = GetDlgItem(messages[0], 3);
    std::string text(65536, '\0');
    text.resize(static_cast<size_t>(SendMessageA(box, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]))));
    PostMessageA(messages[0], WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(Eventually([&] { return !IsWindow(messages[0]); }));
    return text;
}

// The texts of a dialog's controls, one a line.
std::string DialogTexts(HWND dialog) {
    std::string texts;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        texts += Title(child) + "\n";
    return texts;
}

// Moves the cursor of a copy of the program, opens the memo editor for its day (Enter, or
// Ctrl+M typed), types a memo and presses OK, as a user would.
void AddMemo(const Program& program, HWND window, WPARAM key, int presses, const char* text, bool ctrlM = false) {
    for (int i = 0; i < presses; ++i) PostMessageA(window, WM_KEYDOWN, key, 0);
    if (ctrlM) BringToFront(window), Type("Ctrl+M");
    else PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
    HWND dialog = nullptr;
    // Shown and its edit made: a loaded machine may be seen between the two.
    ASSERT_TRUE(Eventually([&] {
        const std::vector<HWND> shown = DialogsOf(program);
        return (dialog = shown.empty() ? nullptr : shown.back()) != nullptr && GetDlgItem(dialog, 4) != nullptr;
    })) << "no memo editor with its edit";
    SendMessageA(GetDlgItem(dialog, 4), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    char typed[256] = {};
    SendMessageA(GetDlgItem(dialog, 4), WM_GETTEXT, sizeof typed, reinterpret_cast<LPARAM>(typed));
    ASSERT_EQ(std::string(typed), text);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    EXPECT_TRUE(Eventually([&] { return !IsWindow(dialog); }));
}

// A memo of two lines that repeats every year, written in the editor on today: memo.txt
// keeps it on one line, and after a restart the editor shows it as it was written.
TEST_F(App, AMemoOfSeveralLinesComesBackAfterARestart) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char today[16];
    std::snprintf(today, sizeof today, "%04d/%02d/%02d", now.wYear, now.wMonth, now.wDay);
    const std::string typed = "Dentist 10:30\r\nbring the card";
    const auto openEditor = [](const Program& program, HWND window) {
        PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
        HWND dialog = nullptr;
        Eventually([&] {
            const std::vector<HWND> shown = DialogsOf(program);
            return (dialog = shown.empty() ? nullptr : shown.back()) != nullptr && GetDlgItem(dialog, 6) != nullptr;
        });
        return dialog;
    };
    {
        Program program("");
        HWND window = program.Window();
        ASSERT_TRUE(window && Eventually([&] { return IsWindowVisible(window) != FALSE; }));
        HWND dialog = openEditor(program, window);
        ASSERT_NE(dialog, nullptr) << "no memo editor";
        SendDlgItemMessageA(dialog, 4, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
        SendDlgItemMessageA(dialog, 6, CB_SETCURSEL, 1, 0);  // every year
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        ASSERT_TRUE(Eventually([&] { return !IsWindow(dialog); }));
        PostMessageA(window, WM_COMMAND, 1025, 0);
        EXPECT_EQ(program.WaitForExit(), 0);
    }
    std::ifstream in(MemoFolder() + "memo.txt", std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(file.find(std::string(today) + " every year=Dentist 10:30\x1f"
                                             "bring the card\r\n"),
              std::string::npos)
        << file;
    Program program("");
    HWND window = program.Window();
    ASSERT_TRUE(window && Eventually([&] { return IsWindowVisible(window) != FALSE; }));
    HWND dialog = openEditor(program, window);
    ASSERT_NE(dialog, nullptr) << "no memo editor after the restart";
    char shown[256] = {};
    SendDlgItemMessageA(dialog, 4, WM_GETTEXT, sizeof shown, reinterpret_cast<LPARAM>(shown));
    EXPECT_EQ(std::string(shown), typed);
    EXPECT_EQ(SendDlgItemMessageA(dialog, 6, CB_GETCURSEL, 0, 0), 1);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(Eventually([&] { return !IsWindow(dialog); }));
    // The search box finds it by a word of its second line, in capitals.
    PostMessageA(window, WM_COMMAND, 1048, 0);
    HWND search = nullptr;
    ASSERT_TRUE(Eventually([&] {
        const std::vector<HWND> shown = DialogsOf(program);
        return (search = shown.empty() ? nullptr : shown.back()) != nullptr && GetDlgItem(search, 6) != nullptr;
    })) << "no search box";
    SendDlgItemMessageA(search, 4, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("CARD"));
    SendMessageA(search, WM_COMMAND, MAKEWPARAM(4, EN_CHANGE), reinterpret_cast<LPARAM>(GetDlgItem(search, 4)));
    EXPECT_EQ(SendDlgItemMessageA(search, 6, LB_GETCOUNT, 0, 0), 1);
    // Asked across processes in UTF-16, which the system carries over.
    wchar_t wide[256] = {};
    SendDlgItemMessageW(search, 6, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(wide));
    char found[512] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, found, sizeof found, nullptr, nullptr);
    EXPECT_EQ(std::string(found).rfind(today, 0), 0u) << found;
    PostMessageA(search, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(Eventually([&] { return !IsWindow(search); }));
    PostMessageA(window, WM_COMMAND, 1025, 0);
    EXPECT_EQ(program.WaitForExit(), 0);
}

// Two copies of the program in two folders (without the help document: F1 says which file
// is missing) run as two instances on the same memo.txt. Each adds a memo on a day of its
// own, saved at once, a line is added to the file by hand meanwhile, and they end in turn,
// the first killed as a crash would: memo.txt holds all three, and nothing else was said.
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

    ASSERT_TRUE(BringToFront(windows[1]));
    Type("F1");
    std::vector<HWND> said;
    ASSERT_TRUE(Eventually([&] { return !(said = DialogsOf(second)).empty(); })) << "no message";
    std::string text;
    for (HWND child = GetWindow(said[0], GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) text += Title(child);
    EXPECT_NE(text.find(folders[1] + "TavoliCalendar.htm"), std::string::npos) << text;
    PostMessageA(said[0], WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(Eventually([&] { return DialogsOf(second).empty(); }));

    AddMemo(first, windows[0], VK_LEFT, 1, "from the first copy", true);
    AddMemo(second, windows[1], VK_RIGHT, 2, "from the second copy");
    const std::string memoFile = MemoFolder() + "memo.txt", byHand = "2020/02/02=added by hand\r\n";
    const auto saved = [&] {
        std::ifstream in(memoFile, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    };
    // Each copy saved at its OK: a line added once both have written is another writer's.
    ASSERT_TRUE(Eventually([&] {
        const std::string now = saved();
        return now.find("=from the first copy\r\n") != std::string::npos &&
               now.find("=from the second copy\r\n") != std::string::npos;
    }));
    std::ofstream(memoFile, std::ios::binary | std::ios::app) << byHand;

    HANDLE killed = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, first.ProcessId());
    ASSERT_TRUE(killed && TerminateProcess(killed, 9));
    WaitForSingleObject(killed, 5000);
    CloseHandle(killed);
    PostMessageA(windows[1], WM_COMMAND, 1025, 0);
    EXPECT_EQ(second.WaitForExit(), 0);  // a message box would keep it running
    const std::string written = saved();
    for (const std::string memo : {"=from the first copy\r\n", "=from the second copy\r\n", byHand.c_str()})
        EXPECT_NE(written.find(memo), std::string::npos) << memo << " is missing from\n" << written;
    for (const std::string& folder : folders) {
        for (const char* name : {"TavoliCalendar.exe", "holidays.txt"}) DeleteFileA((folder + name).c_str());
        RemoveDirectoryA(folder.c_str());
    }
}

// A copy of the program beside its own holiday script, the shipped one, saved while it runs
// with lines added (a new holiday, a broken line, a mended script): each is taken within
// two seconds, the broken one told by one message and the colours kept. Then Ctrl+E on
// 2 January 2023 traces the substitute holiday to its lines.
TEST_F(App, ScriptsSavedWhileShownAndWhyThisDay) {
    char temporary[MAX_PATH] = {};
    GetTempPathA(sizeof temporary, temporary);
    const std::string folder = std::string(temporary) + "tavoli-live\\", built = TAVOLI_APP_PATH;
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(built.c_str(), (folder + "TavoliCalendar.exe").c_str(), FALSE));
    std::ifstream in(built.substr(0, built.rfind('/') + 1) + "holidays.txt", std::ios::binary);
    const std::string shipped((std::istreambuf_iterator<char>(in)), {});
    const auto save = [&](const std::string& added) {
        std::ofstream(folder + "holidays.txt", std::ios::binary | std::ios::trunc) << shipped << added;
    };
    save("");
    DeleteFileA((MemoFolder() + "holidays.txt").c_str());  // the copy's script is in force
    StoreValue("Color05", "(1,2,3)");                      // anniversaries in a colour of their own
    Program program("", folder + "TavoliCalendar.exe");
    HWND window = program.Window();
    ASSERT_TRUE(window && Eventually([&] { return IsWindowVisible(window) != FALSE; }));
    SYSTEMTIME now;
    GetLocalTime(&now);
    const auto rule = [&](int day) {  // an anniversary this month, never on today's framed cell
        return "y" + std::to_string(now.wYear) + " m" + std::to_string(now.wMonth) + " d" +
               std::to_string(day == now.wDay ? day + 1 : day) + " (5)\r\n";
    };
    const auto coloured = [&] { return PixelsOfColor(window, RGB(1, 2, 3)); };
    EXPECT_EQ(coloured(), 0);
    save(rule(10));
    ASSERT_TRUE(Eventually([&] { return coloured() > 0; }, 2000)) << "the new holiday is not coloured";
    const int oneDay = coloured();
    save(rule(10) + "m1 d1 (4\r\n");
    std::vector<HWND> messages;
    EXPECT_TRUE(Eventually([&] { return !(messages = DialogsOf(program)).empty(); }, 2000)) << "no message";
    Sleep(1500);  // ticks and notifications go on: still one message, the colours kept
    ASSERT_EQ(DialogsOf(program).size(), 1u);
    // It reads as a warning message does: an icon, the text naming the file, OK; and it is
    // the calendar's, which stays usable meanwhile.
    int icons = 0;
    std::string texts;
    for (HWND child = GetWindow(messages[0], GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        icons += (GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON ? 1 : 0;
        char text[1024] = {};
        GetWindowTextA(child, text, sizeof text);
        texts += std::string(text) + "\n";
    }
    EXPECT_EQ(icons, 1);
    EXPECT_NE(texts.find(folder + "holidays.txt"), std::string::npos) << texts;
    EXPECT_NE(texts.find("OK\n"), std::string::npos) << texts;
    EXPECT_EQ(GetWindow(messages[0], GW_OWNER), window);
    EXPECT_TRUE(IsWindowEnabled(window));
    // Moved above the window (at 420, 300), which it would cover in part.
    SetWindowPos(messages[0], nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(Eventually([&] { return coloured() > 0; }, 2000));
    save(rule(10) + rule(12));
    EXPECT_TRUE(Eventually([&] { return DialogsOf(program).empty() && coloured() > oneDay; }, 2000));

    // The 2nd is the second cell of the first row of days.
    const std::string text = WhyThisDay(program, window, ThisMonth(), 2023, 1, 1, 0);
    for (const std::string& expected : {std::string("2023/01/02"), std::string("y2007- w1 x1 <1 x0 (4)"),
                                        std::string("(2023/01/01)"), std::string("m1 d1 (4)"), folder + "holidays.txt"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " is not in\n" << text;
    PostMessageA(window, WM_COMMAND, 1025, 0);
    EXPECT_EQ(program.WaitForExit(), 0);
    for (const char* name : {"TavoliCalendar.exe", "holidays.txt"}) DeleteFileA((folder + name).c_str());
    RemoveDirectoryA(folder.c_str());
}

// A calendar file of the user's with a daily, a weekly and an all-day event: a dot on each
// of their days in the source's colour, the day's appointments in "Why this day?", and the
// file edited while the calendar shows taken at once.
TEST_F(App, AppointmentsOfACalendarFileShowAndFollowIt) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char month[8];
    std::snprintf(month, sizeof month, "%04d%02d", now.wYear, now.wMonth);
    char temporary[MAX_PATH] = {};
    GetTempPathA(sizeof temporary, temporary);
    const std::string file = std::string(temporary) + "work.ics", m = month;
    const std::string events = "BEGIN:VEVENT\r\nUID:1\r\nDTSTART:" + m + "01T090000\r\nDURATION:PT15M\r\n" +
                               "RRULE:FREQ=DAILY;COUNT=3\r\nSUMMARY:Standup\r\nEND:VEVENT\r\n" +
                               "BEGIN:VEVENT\r\nUID:2\r\nDTSTART:" + m + "01T140000\r\nDURATION:PT1H\r\n" +
                               "RRULE:FREQ=WEEKLY;COUNT=2\r\nSUMMARY:Review\r\nEND:VEVENT\r\n" +
                               "BEGIN:VEVENT\r\nUID:3\r\nDTSTART;VALUE=DATE:" + m + "12\r\nDTEND;VALUE=DATE:" + m +
                               "14\r\nSUMMARY:Trip\r\nEND:VEVENT\r\n";
    const auto save = [&](const std::string& more) {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
                                                                << events << more << "END:VCALENDAR\r\n";
    };
    save("");
    StoreValue("CalendarSources", "1\t#010203\tWork\t" + file + "\r\n");
    StoreValue("ColorFooter", "(1,2,4)");  // the footer's text told from the rest
    // The pointer off the window: a tip over a day would hide dots.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    Program program("");
    HWND window = program.Window();
    ASSERT_TRUE(window && Eventually([&] { return IsWindowVisible(window) != FALSE; }));
    // Days 1, 2, 3, 8, 12 and 13: a dot of 4 × 4 pixels each.
    const auto dots = [&] { return PixelsOfColor(window, RGB(1, 2, 3)); };
    EXPECT_TRUE(Eventually([&] { return dots() == 6 * 16; }, 2000)) << dots();
    save("BEGIN:VEVENT\r\nUID:4\r\nDTSTART:" + m + "20T100000\r\nDTEND:" + m +
         "20T110000\r\nSUMMARY:Dentist\r\nLOCATION:Main St 5\r\nEND:VEVENT\r\n");
    EXPECT_TRUE(Eventually([&] { return dots() == 7 * 16; }, 2000)) << "the edited file is not taken: " << dots();
    SYSTEMTIME first = now;
    first.wDay = 1;
    FILETIME stamp;
    SystemTimeToFileTime(&first, &stamp);
    FileTimeToSystemTime(&stamp, &first);  // its weekday
    const std::string text = WhyThisDay(program, window, ThisMonth(), now.wYear, now.wMonth, first.wDayOfWeek, 0);
    for (const std::string& expected :
         {std::string("09:00"), std::string("15 Standup"), std::string("00 Review"), "Work (" + file + ")"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " is not in\n" << text;
    // The cursor stays on the 1st with the pointer gone: its footer lists the stand-up and
    // the review, and loses them when they leave the file.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    const auto footer = [&] { return PixelsOfColor(window, RGB(1, 2, 4)); };
    int listed = 0;
    EXPECT_TRUE(Eventually([&] { return (listed = footer()) > 0; }, 2000));
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        << "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:4\r\nDTSTART:" << m
        << "20T100000\r\nSUMMARY:Dentist\r\n"
        << "END:VEVENT\r\nEND:VCALENDAR\r\n";
    EXPECT_TRUE(Eventually([&] { return dots() == 16; }, 2000)) << dots();
    EXPECT_LT(footer(), listed);
    PostMessageA(window, WM_COMMAND, 1025, 0);
    EXPECT_EQ(program.WaitForExit(), 0);
    DeleteFileA(file.c_str());
}

// A year view read by a screen reader in another process: every day of the year a cell,
// each month a group; and each day painted as its kind is: a national holiday's number
// in that colour, no other day's; today's fill on today alone.
TEST_F(App, AYearViewHasEveryDayInItsColours) {
    StoreValue("Design", "T0W1N0D5B0MY");
    StoreValue("Color04", "(1,2,6)");
    StoreValue("ColorToday", "(1,2,9)");
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    Program program("");
    HWND window = program.Window();
    ASSERT_TRUE(window && Eventually([&] { return IsWindowVisible(window) != FALSE; }));
    SYSTEMTIME now;
    GetLocalTime(&now);
    const bool japanese = SystemPlatform().AnsiCodePage() == kCodePageJapanese;
    EXPECT_EQ(Title(window), std::to_string(now.wYear) + (japanese ? AnsiFromUtf8("年") : ""));
    RECT frame{}, work{};
    GetWindowRect(window, &frame);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_TRUE(frame.right - frame.left <= work.right - work.left &&
                frame.bottom - frame.top <= work.bottom - work.top)
        << frame.left << "," << frame.top << "," << frame.right << "," << frame.bottom << " on " << work.right << "x"
        << work.bottom;

    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    IAccessible* object = nullptr;
    ASSERT_EQ(
        AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object)),
        S_OK);
    LONG count = 0;
    object->get_accChildCount(&count);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const std::string nationalHoliday = AnsiFromUtf8(japanese ? "祝日" : "national holiday");
    const std::string today = AnsiFromUtf8(japanese ? "今日" : "today");
    struct Day {
        std::string name;
        RECT cell;
        bool holiday, today;
    };
    std::vector<Day> days;
    int groups = 0;
    for (LONG child = 1; child <= count; ++child) {
        VARIANT id{}, role{};
        id.vt = VT_I4;
        id.lVal = child;
        object->get_accRole(id, &role);
        groups += role.lVal == ROLE_SYSTEM_GROUPING ? 1 : 0;
        if (role.lVal != ROLE_SYSTEM_CELL) continue;
        BSTR wide = nullptr;
        object->get_accName(id, &wide);
        char name[1024] = {};
        if (wide) WideCharToMultiByte(CP_ACP, 0, wide, -1, name, sizeof name, nullptr, nullptr);
        SysFreeString(wide);
        long left = 0, top = 0, width = 0, height = 0;
        object->accLocation(&left, &top, &width, &height, id);
        const RECT cell{left - origin.x, top - origin.y, left - origin.x + width, top - origin.y + height};
        const std::string text = name;
        days.push_back(
            {text, cell, text.find(nationalHoliday) != std::string::npos, text.find(today) != std::string::npos});
    }
    // The days whose colours are not their kind's; another suite's window on the shared
    // display may cover the calendar for a while.
    std::vector<std::string> wrong;
    const auto check = [&] {
        BringToFront(window);
        const ClientPixels shot = PixelsOf(window);
        wrong.clear();
        for (const Day& day : days) {
            if ((shot.Count(RGB(1, 2, 6), &day.cell) > 0) != day.holiday ||
                (shot.Count(RGB(1, 2, 9), &day.cell) > 0) != day.today)
                wrong.push_back(day.name);
        }
        return wrong.empty();
    };
    EXPECT_TRUE(Eventually(check, 5000)) << wrong.size() << " days, the first " << wrong.front();
    const int holidays =
        static_cast<int>(std::count_if(days.begin(), days.end(), [](const Day& d) { return d.holiday; }));
    object->Release();
    CoUninitialize();
    const bool leap = now.wYear % 4 == 0 && (now.wYear % 100 != 0 || now.wYear % 400 == 0);
    EXPECT_EQ(days.size(), leap ? 366u : 365u);
    EXPECT_EQ(groups, 12);
    EXPECT_GE(holidays, 10);  // Japan's, in the script beside the program
    PostMessageA(window, WM_COMMAND, 1025, 0);
    EXPECT_EQ(program.WaitForExit(), 0);
}

// A first start with no holidays.txt anywhere, in a prefix whose region is Germany: the
// German set, said once with the hint to choose a Land; Options then switch to Korea.
TEST_F(App, FirstStartTakesTheSetOfTheSystemsRegion) {
    const char* const geoKey = "Control Panel\\International\\Geo";
    RegistryValues geo;
    ReadRegistryValues(std::string("HKCU\\") + geoKey, geo);
    WriteRegistryValues(std::string("HKCU\\") + geoKey, {{"Nation", "94"}, {"Name", "DE"}});
    char temporary[MAX_PATH] = {};
    GetTempPathA(sizeof temporary, temporary);
    const std::string folder = std::string(temporary) + "tavoli-sets\\", built = TAVOLI_APP_PATH;
    const std::string shipped = built.substr(0, built.rfind('/') + 1) + "holidays\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "holidays").c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(built.c_str(), (folder + "TavoliCalendar.exe").c_str(), FALSE));
    const char* const sets[] = {"DE.txt", "DE-BY.txt", "KR.txt"};
    for (const char* name : sets)
        ASSERT_TRUE(CopyFileA((shipped + name).c_str(), (folder + "holidays\\" + name).c_str(), FALSE)) << name;
    DeleteFileA((MemoFolder() + "holidays.txt").c_str());

    Program program("", folder + "TavoliCalendar.exe");
    HWND window = program.Window();
    ASSERT_TRUE(window);
    std::vector<HWND> said;
    ASSERT_TRUE(Eventually([&] { return !(said = DialogsOf(program)).empty(); })) << "nothing said";
    EXPECT_NE(DialogTexts(said[0]).find("Germany"), std::string::npos) << DialogTexts(said[0]);
    PostMessageA(said[0], WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(Eventually([&] { return DialogsOf(program).empty() && IsWindowVisible(window); }));
    // 3 October 2026, a Saturday: the first row's seventh cell.
    std::string text = WhyThisDay(program, window, ThisMonth(), 2026, 10, 6, 0);
    for (const char* expected : {"2026/10/03", "German Unity Day", "DE.txt"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " is not in\n" << text;

    PostMessageA(window, WM_COMMAND, 1035, 0);  // Options
    ASSERT_TRUE(Eventually([&] { return !(said = DialogsOf(program)).empty(); })) << "no options";
    HWND list = GetDlgItem(said[0], 87);
    const int items = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
    int korea = -1;
    for (int i = 0; i < items && korea < 0; ++i) {
        wchar_t item[256] = {};  // the list is a Unicode window
        SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        if (std::wstring(item).find(L"Korea") != std::wstring::npos) korea = i;
    }
    ASSERT_GE(korea, 0) << items << " sets listed";
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(korea), 0);
    PostMessageA(said[0], WM_COMMAND, MAKEWPARAM(2, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(said[0], 2)));
    ASSERT_TRUE(Eventually([&] { return DialogsOf(program).empty(); }));
    // 25 September 2026, Chuseok: a Friday in the fourth row.
    text = WhyThisDay(program, window, MonthNumber(2026, 10), 2026, 9, 5, 3);
    for (const char* expected : {"2026/09/25", "Chuseok", "KR.txt"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " is not in\n" << text;
    PostMessageA(window, WM_COMMAND, 1025, 0);
    EXPECT_EQ(program.WaitForExit(), 0);
    EXPECT_EQ(StoredValue("HolidaySet"), "KR");

    WriteRegistryValues(std::string("HKCU\\") + geoKey, geo);
    for (const char* name : sets) DeleteFileA((folder + "holidays\\" + name).c_str());
    RemoveDirectoryA((folder + "holidays").c_str());
    DeleteFileA((folder + "TavoliCalendar.exe").c_str());
    RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace tavoli
