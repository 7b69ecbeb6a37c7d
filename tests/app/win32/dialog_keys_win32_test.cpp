// The program's dialogs answered with real keys (SendInput), as a user types them: every
// digit of a number is taken, Enter is OK from any field, and Escape stores nothing.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "framework/lang_text.h"
#include "framework/platform.h"
#include "framework/registry_win32.h"
#include "shell/command_table.h"
#include "support/program_win32.h"

namespace tavoli {
namespace {

// The month the title shows in the "Title-bar" design ("2024/5" or "2024年5月").
std::string MonthTitle(int year, int month) {
    return SystemPlatform().AnsiCodePage() == kCodePageJapanese
               ? std::to_string(year) + AnsiFromUtf8("年") + std::to_string(month) + AnsiFromUtf8("月")
               : std::to_string(year) + "/" + std::to_string(month);
}

std::map<std::string, std::string> StoredValues() {
    RegistryValues values;
    ReadRegistryValues(std::string("HKCU\\") + kSettingsSubkey, values);
    return {values.begin(), values.end()};
}

std::string MemoFile() {
    char appData[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, appData);
    return std::string(appData) + "\\Brenholt\\Tavoli\\memo.txt";
}

// A dialog the program shows (it runs in another process).
HWND ProgramDialog(DWORD process) {
    HWND found = nullptr;
    while ((found = FindWindowExA(nullptr, found, "#32770", nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(found, &owner);
        if (owner == process && IsWindowVisible(found)) return found;
    }
    return nullptr;
}

void Press(WORD key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

// Types the keys: "{Tab}", "{Enter}", "{Esc}", "{Right}", "{Alt+X}" (a mnemonic), or
// digits.
void Type(const std::vector<std::string>& keys) {
    const std::map<std::string, WORD> named = {
        {"{Tab}", VK_TAB}, {"{Enter}", VK_RETURN}, {"{Esc}", VK_ESCAPE}, {"{Right}", VK_RIGHT}};
    for (const std::string& key : keys) {
        if (named.count(key)) {
            Press(named.at(key), false);
            Press(named.at(key), true);
        } else if (key.rfind("{Alt+", 0) == 0) {
            Press(VK_MENU, false);
            Press(static_cast<WORD>(key[5]), false);
            Press(static_cast<WORD>(key[5]), true);
            Press(VK_MENU, true);
        } else {
            for (char digit : key) {
                Press(static_cast<WORD>(digit), false);
                Press(static_cast<WORD>(digit), true);
            }
        }
        Sleep(60);
    }
}

TEST(DialogKeys, TypedNumbersEnterAndEscape) {
    ForgetProgramState();
    // The month in the title, where the test can read it, and two months, which the
    // English list of date designs cannot show.
    StoreValue("Design", "T0D0");
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::string thisYear = std::to_string(now.wYear);
    // The values a show and a hide write when nothing is changed.
    {
        Program program("");
        ASSERT_NE(program.Window(), nullptr);
        PostMessageA(program.Window(), WM_COMMAND, 1025, 0);  // close
        ASSERT_EQ(program.WaitForExit(), 0);
    }
    const std::map<std::string, std::string> unchanged = StoredValues();
    ASSERT_EQ(unchanged.at("Design"), "T0W1N0D0B2");

    using Check = std::function<void(HWND window)>;
    const auto stored = [](const char* name, std::string text) -> Check {
        return [name, text](HWND) { EXPECT_EQ(StoredValue(name), text) << name; };
    };
    const auto nothingStored = [&unchanged](HWND) { EXPECT_EQ(StoredValues(), unchanged); };
    const auto title = [](int year, int month) -> Check {
        return [year, month](HWND window) {
            EXPECT_TRUE(Eventually([&] { return Title(window) == MonthTitle(year, month); })) << Title(window);
        };
    };
    struct Case {
        const char* what;
        CommandId command;
        std::vector<std::string> keys;  // from the dialog's first focus, OK
        Check check;                    // with the program's window, before it closes
        Check afterwards;               // once it has saved and ended
    } cases[] = {
        // OK, Cancel, then round to the year.
        {"jump: a year of four digits",
         CommandId::kJump,
         {"{Tab}", "{Tab}", "2030", "{Enter}"},
         title(2030, now.wMonth),
         nothingStored},
        {"jump: Escape",
         CommandId::kJump,
         {"{Tab}", "{Tab}", "1999", "{Esc}"},
         title(now.wYear, now.wMonth),
         nothingStored},
        // OK, Cancel, year, month; then day, days before, interval.
        {"count-down: month, day and interval",
         CommandId::kCounter,
         {"{Tab}", "{Tab}", "{Tab}", "11", "{Tab}", "25", "{Tab}", "{Tab}", "1000", "{Enter}"},
         nullptr,
         stored("CountDown", "1," + thisYear + "/11/25,0,1000")},
        {"count-down: Escape", CommandId::kCounter, {"{Tab}", "{Tab}", "{Tab}", "11", "{Esc}"}, nullptr, nothingStored},
        // OK, Cancel, Help, then the tab strip: five tabs right to the background page,
        // whose Margin-X field its label's mnemonic reaches.
        {"options: a margin, and Enter in its field",
         CommandId::kOption,
         {"{Tab}", "{Tab}", "{Tab}", "{Right}", "{Right}", "{Right}", "{Right}", "{Right}", "{Alt+X}", "10", "{Enter}"},
         nullptr,
         stored("Margin", "10,4,10,4")},
        {"options: Escape after ticking the clock", CommandId::kOption, {"{Alt+C}", "{Esc}"}, nullptr, nothingStored},
        {"options: OK with nothing changed", CommandId::kOption, {"{Enter}"}, nullptr, nothingStored},
        {"memo: Escape",
         CommandId::kMemo,
         {"12", "{Esc}"},
         nullptr,
         [](HWND) { EXPECT_EQ(GetFileAttributesA(MemoFile().c_str()), INVALID_FILE_ATTRIBUTES); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Program program("");
        HWND window = program.Window();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(Eventually([&] { return IsWindowVisible(window) != FALSE; }));
        // The pointer over a day in the middle of the month, for the memo.
        PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(170, 140));
        PostMessageA(window, WM_COMMAND, IdNumber(c.command), 0);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        HWND dialog = nullptr;
        ASSERT_TRUE(Eventually([&] { return (dialog = ProgramDialog(process)) != nullptr; }));
        Sleep(300);
        SetForegroundWindow(dialog);
        Sleep(100);
        Type(c.keys);
        EXPECT_TRUE(Eventually([&] { return ProgramDialog(process) == nullptr; })) << "the dialog stays open";
        if (c.check) c.check(window);
        PostMessageA(window, WM_COMMAND, 1025, 0);  // close, which saves
        EXPECT_EQ(program.WaitForExit(), 0);
        if (c.afterwards) c.afterwards(window);
        // The next case starts from the same settings.
        ForgetProgramState();
        for (const auto& [name, text] : unchanged) StoreValue(name.c_str(), text);
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsSubkey);
}

}  // namespace
}  // namespace tavoli
