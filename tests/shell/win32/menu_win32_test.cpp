// Menus and accelerators built for real and read back through the system's menu API.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "framework/platform.h"
#include "shell/command_table.h"
#include "shell/menu_win32.h"

namespace tavoli {
namespace {

bool Japanese() { return SystemPlatform().AnsiCodePage() == kCodePageJapanese; }

// A built menu written back as one line, from what the system reports: "*" before the
// default item, "~" after a grayed one, "!" after a checked one, "|" for a separator,
// Caption<...> for a submenu.
std::string ReadBack(HMENU menu) {
    std::string text;
    const int count = GetMenuItemCount(menu);
    const UINT defaultPosition = GetMenuDefaultItem(menu, TRUE, GMDI_USEDISABLED);
    for (int i = 0; i < count; ++i) {
        if (i > 0) text += ' ';
        if (static_cast<UINT>(i) == defaultPosition) text += '*';
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        char caption[256] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), caption, sizeof caption, MF_BYPOSITION);
        if (HMENU submenu = GetSubMenu(menu, i)) {
            text += std::string(caption) + "<" + ReadBack(submenu) + ">";
        } else if (state & MF_SEPARATOR) {
            text += '|';
        } else {
            text += caption;
            if (state & MF_GRAYED) text += '~';
            if (state & MF_CHECKED) text += '!';
        }
    }
    return text;
}

// The ids in the same shape, 0 for a separator.
std::string IdsOf(HMENU menu) {
    std::string text;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (i > 0) text += ' ';
        if (HMENU submenu = GetSubMenu(menu, i)) {
            text += "<" + IdsOf(submenu) + ">";
        } else {
            text += std::to_string(static_cast<int>(GetMenuItemID(menu, i)));
        }
    }
    return text;
}

UINT ItemState(HMENU menu, UINT position) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    EXPECT_TRUE(GetMenuItemInfoA(menu, position, TRUE, &info));
    return info.fState;
}

// An owned menu handle, destroyed with its submenus.
struct Menu {
    explicit Menu(HMENU h) : handle(h) {}
    ~Menu() {
        if (handle) DestroyMenu(handle);
    }
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;
    HMENU handle;
};

TEST(BuildMenu, TheProgramsMenusInTheSystemLanguage) {
    const CommandTable commands = BuildCommandTable();
    Menu context(BuildMenu(kContextMenuSpec, commands));
    Menu tray(BuildMenu(kTrayMenuSpec, commands));
    ASSERT_TRUE(IsMenu(context.handle));
    ASSERT_TRUE(IsMenu(tray.handle));

    const std::string expectedContext =
        Japanese()
            ? AnsiFromUtf8(
                  "*メモ(&M)...\tCtrl+M メモの検索(&S)...\tCtrl+F この日の理由(&W)...\tCtrl+E コピー(&C)\tCtrl+C "
                  "期間計算(&K)<期間の初日を記憶(&M) 期間計算(&C)... | カウントダウン(&N)...> | "
                  "今月(&T)\tSpace 前の月(&P)\tCtrl+← 次の月(&Q)\tCtrl+→ "
                  "前の年(&Y)\tCtrl+↑ 次の年(&Z)\tCtrl+↓ ジャンプ(&J)...\tCtrl+J | "
                  "前後月の表示(&N)\tCtrl+K 表示月数の切り替え(&V)\tCtrl+L | 設定(&O)... | ヘルプ(&H)\tF1 "
                  "バージョン情報(&A)... | "
                  "終了(&X)\tAlt+F4")
            : "*Memo(&M)...\tCtrl+M Search Memos(&S)...\tCtrl+F Why this day?(&W)...\tCtrl+E Copy(&C)\tCtrl+C "
              "Span Calculation(&K)<Memorize(&M) Calculate(&C)... | Count Down(&N)...> | "
              "Show Today(&T)\tSpace Previous Month(&P)\tCtrl+Left Next Month(&Q)\tCtrl+Right "
              "Previous Year(&Y)\tCtrl+Up Next Year(&Z)\tCtrl+Down Jump(&J)...\tCtrl+J | "
              "Show Neighbor Month(&N)\tCtrl+K Switch View(&V)\tCtrl+L | Options(&O)... | Help(&H)\tF1 "
              "About(&A)... | Exit(&X)\tAlt+F4";
    EXPECT_EQ(ReadBack(context.handle), expectedContext);
    EXPECT_EQ(
        IdsOf(context.handle),
        "1032 1048 1044 1031 <1042 1043 0 1040> 0 1033 1026 1027 1028 1029 1030 0 1034 1045 0 1035 0 1038 1037 0 1025");
    const std::string expectedTray =
        Japanese()
            ? AnsiFromUtf8("*たぼりカレンダーの表示(&D) | ヘルプ(&H)\tF1 バージョン情報(&A)... | 終了(&X)\tAlt+F4")
            : "*Display Tavoli Calendar(&D) | Help(&H)\tF1 About(&A)... | Exit(&X)\tAlt+F4";
    EXPECT_EQ(ReadBack(tray.handle), expectedTray);
    EXPECT_EQ(IdsOf(tray.handle), "1036 0 1038 1037 0 1025");

    // The pieces one by one, as the menu API reports them.
    EXPECT_EQ(GetMenuItemCount(context.handle), 22);
    EXPECT_EQ(GetMenuDefaultItem(context.handle, TRUE, 0), 0u);
    EXPECT_EQ(GetMenuDefaultItem(context.handle, FALSE, 0), 1032u);
    EXPECT_NE(ItemState(context.handle, 0) & MFS_DEFAULT, 0u);  // shown bold
    EXPECT_EQ(ItemState(context.handle, 1) & MFS_DEFAULT, 0u);
    for (UINT separator : {5u, 12u, 15u, 17u, 20u}) {
        EXPECT_NE(GetMenuState(context.handle, separator, MF_BYPOSITION) & MF_SEPARATOR, 0u) << separator;
    }
    EXPECT_EQ(GetMenuItemID(context.handle, 4), static_cast<UINT>(-1));  // the submenu has no id
    HMENU span = GetSubMenu(context.handle, 4);
    ASSERT_NE(span, nullptr);
    EXPECT_EQ(GetMenuItemCount(span), 4);
    EXPECT_EQ(GetMenuDefaultItem(span, TRUE, GMDI_USEDISABLED), static_cast<UINT>(-1));
    char caption[64] = {};
    GetMenuStringA(context.handle, 4, caption, sizeof caption, MF_BYPOSITION);
    EXPECT_EQ(std::string(caption), commands.Find("spancalc").caption);
    EXPECT_EQ(GetMenuDefaultItem(tray.handle, TRUE, 0), 0u);
}

TEST(BuildMenu, EdgesOfTheLanguage) {
    const CommandTable commands = BuildCommandTable();
    const std::string memo = commands.Find("memo").caption;
    const std::string copy = commands.Find("copy").caption;
    const std::string span = commands.Find("spancalc").caption;
    struct Case {
        std::string spec;
        std::string outline;
    } cases[] = {
        {"*memo|copy", "*" + memo + " | " + copy},
        {"", ""},
        {"> copy > memo >>", copy + " " + memo},  // unmatched ">"
        {"copy nothing Memo mem", copy},          // words that name nothing
        {"copy\x01memo", copy},                   // the end of reading
        {"spancalc<memo", ""},                    // never closed: left out
        {"spancalc<>", span + "<>"},              // an empty submenu
        {"spancalc<*memo|copy>", span + "<*" + memo + " | " + copy + ">"},
    };
    for (const Case& c : cases) {
        Menu menu(BuildMenu(c.spec, commands));
        ASSERT_TRUE(IsMenu(menu.handle)) << c.spec;
        EXPECT_EQ(ReadBack(menu.handle), c.outline) << c.spec;
    }

    // Sixteen nested "<": fifteen levels, the sixteenth "<" ignored.
    std::string nested;
    for (int i = 0; i < 16; ++i) nested += "spancalc<";
    nested += "memo";
    for (int i = 0; i < 16; ++i) nested += ">";
    Menu deep(BuildMenu(nested + " copy", commands));
    HMENU level = deep.handle;
    int depth = 0;
    while (GetMenuItemCount(level) >= 1 && GetSubMenu(level, 0)) {
        char text[64] = {};
        GetMenuStringA(level, 0, text, sizeof text, MF_BYPOSITION);
        EXPECT_EQ(std::string(text), span) << "level " << depth;
        level = GetSubMenu(level, 0);
        ++depth;
    }
    EXPECT_EQ(depth, 15);
    EXPECT_EQ(GetMenuItemCount(level), 1);
    EXPECT_EQ(GetMenuItemID(level, 0), 1032u);
    EXPECT_EQ(IdsOf(deep.handle).substr(IdsOf(deep.handle).size() - 5), " 1031");  // copy at the top again
}

TEST(BuildMenu, GrayAndCheckStates) {
    CommandTable commands = BuildCommandTable();
    commands.Edit("today")->enabled = false;
    commands.Edit("shownext")->checked = true;
    Menu menu(BuildMenu(kContextMenuSpec, commands));
    auto state = [&](HMENU m, UINT position) { return GetMenuState(m, position, MF_BYPOSITION); };
    const UINT gray = MF_GRAYED | MF_DISABLED;
    EXPECT_EQ(state(menu.handle, 6) & gray, gray);  // Show Today
    EXPECT_EQ(state(menu.handle, 6) & MF_CHECKED, 0u);
    EXPECT_EQ(state(menu.handle, 13) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));  // Show Neighbor Month
    EXPECT_EQ(state(menu.handle, 13) & gray, 0u);
    EXPECT_EQ(state(menu.handle, 7) & (gray | MF_CHECKED), 0u);

    // The window changes states on the built menu, submenus included.
    HMENU span = GetSubMenu(menu.handle, 4);
    struct Step {
        CommandId id;
        bool enable;  // else check
        bool on;
        HMENU where;
        UINT position;
        UINT expected;
    } steps[] = {
        {CommandId::kToday, true, true, menu.handle, 6, 0},
        {CommandId::kMemorize, true, false, span, 0, gray},
        {CommandId::kCalculate, true, false, span, 1, gray},
        {CommandId::kCalculate, true, true, span, 1, 0},
        {CommandId::kShowNext, false, false, menu.handle, 13, 0},
        {CommandId::kPrevMonth, false, true, menu.handle, 7, MF_CHECKED},
        {CommandId::kPrevMonth, true, false, menu.handle, 7, gray | MF_CHECKED},
    };
    for (const Step& s : steps) {
        const bool found =
            s.enable ? SetCommandEnabled(menu.handle, s.id, s.on) : SetCommandChecked(menu.handle, s.id, s.on);
        EXPECT_TRUE(found) << IdNumber(s.id);
        EXPECT_EQ(state(s.where, s.position) & (gray | MF_CHECKED), s.expected) << IdNumber(s.id);
    }
    EXPECT_FALSE(SetCommandEnabled(menu.handle, CommandId::kDisplay, false));  // not in this menu
    EXPECT_FALSE(SetCommandChecked(menu.handle, CommandId::kDisplay, true));
    EXPECT_EQ(ReadBack(menu.handle).find('!'), ReadBack(menu.handle).rfind('!'));  // one check mark left
}

// A window that writes down the commands it receives.
std::vector<WPARAM> g_commands;

LRESULT CALLBACK CommandRecorder(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        g_commands.push_back(wParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeRecorderWindow() {
    static const bool registered = [] {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = CommandRecorder;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TavoliAcceleratorTest";
        return RegisterClassA(&windowClass) != 0;
    }();
    if (!registered) return nullptr;
    HWND window = CreateWindowExA(0, "TavoliAcceleratorTest", "accelerators", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window) ShowWindow(window, SW_SHOW);
    return window;
}

// Sets which modifier keys the thread sees held down.
void HoldModifiers(bool ctrl, bool shift) {
    BYTE keys[256] = {};
    if (ctrl) keys[VK_CONTROL] = keys[VK_LCONTROL] = 0x80;
    if (shift) keys[VK_SHIFT] = keys[VK_LSHIFT] = 0x80;
    SetKeyboardState(keys);
}

// Posts one key press and runs the message loop's accelerator step until the queue is
// empty (the posted message is already in it: nothing to wait for). The commands that
// arrived.
std::vector<WPARAM> Press(HWND window, HACCEL accelerators, int key, bool ctrl, bool shift) {
    g_commands.clear();
    HoldModifiers(ctrl, shift);
    const LPARAM repeatAndScan = 1 | (static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16);
    PostMessageA(window, WM_KEYDOWN, static_cast<WPARAM>(key), repeatAndScan);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!TranslateAcceleratorA(window, accelerators, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    HoldModifiers(false, false);
    return g_commands;
}

TEST(BuildAccelerators, TheElevenKeysArriveAsCommands) {
    CommandTable commands = BuildCommandTable();
    EXPECT_EQ(BuildAccelerators(commands), nullptr);  // no entry has a key: no table
    AssignAcceleratorKeys(commands);
    HACCEL accelerators = BuildAccelerators(commands);
    ASSERT_NE(accelerators, nullptr);

    // The records as the system holds them: flags, key and id of each, in table order.
    const std::vector<AcceleratorRecord> expected = AcceleratorRecords(commands);
    ASSERT_EQ(expected.size(), 11u);
    ASSERT_EQ(CopyAcceleratorTableA(accelerators, nullptr, 0), 11);
    ACCEL records[11] = {};
    ASSERT_EQ(CopyAcceleratorTableA(accelerators, records, 11), 11);
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(records[i].fVirt, FVIRTKEY | FCONTROL) << i;
        EXPECT_EQ(records[i].key, expected[i].key) << i;
        EXPECT_EQ(records[i].cmd, expected[i].command) << i;
    }

    HWND window = MakeRecorderWindow();
    ASSERT_NE(window, nullptr);
    struct Case {
        int key;
        bool ctrl;
        bool shift;
        int command;  // 0: none arrives
    } cases[] = {
        {VK_LEFT, true, false, 1026}, {VK_RIGHT, true, false, 1027}, {VK_UP, true, false, 1028},
        {VK_DOWN, true, false, 1029}, {'C', true, false, 1031},      {'J', true, false, 1030},
        {'K', true, false, 1034},     {'E', true, false, 1044},      {'L', true, false, 1045},
        {'F', true, false, 1048},     {'M', true, false, 1032},  // the memo, as its caption says
        {VK_LEFT, false, false, 0},                              // the arrows alone move the cursor
        {'C', false, false, 0},       {VK_LEFT, true, true, 0},  // one modifier exactly
    };
    for (const Case& c : cases) {
        const std::vector<WPARAM> arrived = Press(window, accelerators, c.key, c.ctrl, c.shift);
        if (c.command == 0) {
            EXPECT_TRUE(arrived.empty()) << "key " << c.key << " ctrl " << c.ctrl << " shift " << c.shift;
        } else {
            ASSERT_EQ(arrived.size(), 1u) << "key " << c.key;
            EXPECT_EQ(LOWORD(arrived[0]), c.command) << "key " << c.key;
            EXPECT_EQ(HIWORD(arrived[0]), 1) << "key " << c.key;  // from an accelerator
        }
    }
    DestroyWindow(window);
    DestroyAcceleratorTable(accelerators);
}

}  // namespace
}  // namespace tavoli
