// The program's dialogs answered with real keys (SendInput), as a user types them: every
// digit of a number is taken, Enter is OK from any field, Escape stores nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>

#include "framework/lang_text.h"
#include "framework/platform.h"
#include "shell/command_table.h"
#include "support/program_win32.h"

namespace tavoli {
namespace {

TEST(DialogKeys, TypedNumbersEnterAndEscape) {
    ForgetProgramState();
    // The month in the title, where the test reads it, and two months, which the English
    // list of date designs cannot show.
    StoreValue("Design", "T0D0");
    {
        Program program("");
        ASSERT_NE(program.Window(), nullptr);
        PostMessageA(program.Window(), WM_COMMAND, 1025, 0);  // close, which saves
        ASSERT_EQ(program.WaitForExit(), 0);
    }
    const std::map<std::string, std::string> unchanged = StoredValues();
    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::string thisYear = std::to_string(now.wYear);
    const std::string memoFile = MemoFolder() + "memo.txt";
    // The keys start in the first field, its text selected (Options: the first control of
    // its first page, after the tab strip): what is typed replaces it at once.
    const struct {
        CommandId command;
        const char* keys;
        std::string year;                           // in the window's title after the dialog
        std::map<std::string, std::string> stored;  // the values that differ once the program saved
    } cases[] = {
        {CommandId::kJump, "2030 Enter", "2030", {}},
        {CommandId::kJump, "1999 Esc", thisYear, {}},
        {CommandId::kCounter,
         "Tab 11 Tab 25 Tab Tab 1000 Enter",
         thisYear,  // month, day, interval
         {{"CountDown", "1," + thisYear + "/11/25,0,1000"}}},
        {CommandId::kCounter, "Tab 11 Esc", thisYear, {}},
        {CommandId::kOption,
         "Shift+Tab Right Right Right Right Right Alt+X 10 Enter",
         thisYear,
         {{"Margin", "10,4,10,4"}}},
        {CommandId::kOption, "Space Enter", thisYear, {{"Flags", "pCn"}}},  // the clock's box, focused
        {CommandId::kOption, "Alt+C Esc", thisYear, {}},                    // the clock ticked, then Escape
        {CommandId::kOption, "Enter", thisYear, {}},                        // OK keeps the two months
        {CommandId::kMemo, "12 Esc", thisYear, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        Program program("");
        HWND window = program.Window();
        ASSERT_TRUE(window && Eventually([&] { return IsWindowVisible(window) != FALSE; }));
        PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(170, 140));  // over a day, for the memo
        PostMessageA(window, WM_COMMAND, IdNumber(c.command), 0);
        HWND dialog = nullptr;  // the modal dialog the window owns
        ASSERT_TRUE(Eventually([&] { return (dialog = GetLastActivePopup(window)) != window; }));
        // The keys go to the foreground window: wait until the dialog is that.
        ASSERT_TRUE(BringToFront(dialog));
        Sleep(200);
        Type(c.keys);
        EXPECT_TRUE(Eventually([&] { return !IsWindow(dialog); })) << "the dialog stays open";
        EXPECT_TRUE(Eventually([&] { return Title(window).rfind(c.year, 0) == 0; })) << Title(window);
        PostMessageA(window, WM_COMMAND, 1025, 0);
        EXPECT_EQ(program.WaitForExit(), 0);
        std::map<std::string, std::string> expected = unchanged;
        for (const auto& [name, text] : c.stored) expected[name] = text;
        EXPECT_EQ(StoredValues(), expected);
        EXPECT_EQ(GetFileAttributesA(memoFile.c_str()), INVALID_FILE_ATTRIBUTES);  // no memo stored
        ForgetProgramState();  // the next case starts from the same settings
        for (const auto& [name, text] : unchanged) StoreValue(name.c_str(), text);
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsSubkey);
}

}  // namespace
}  // namespace tavoli
