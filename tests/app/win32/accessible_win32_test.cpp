// A screen reader in another process, as Narrator, NVDA and JAWS are: the running program's
// client area read through Active Accessibility, and the focus followed as the cursor
// moves. Also run on displays scaled to 150 % and 200 %.
#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <vector>

#include "shell/calendar_settings.h"
#include "support/program_win32.h"
#include "support/run_dpi_win32.h"
#include "view/accessible_tree.h"

namespace tavoli {
namespace {

VARIANT Child(int child) {
    VARIANT v{};
    v.vt = VT_I4;
    v.lVal = child;
    return v;
}

std::string NameOf(IAccessible& object, const VARIANT& child) {
    BSTR name = nullptr;
    object.get_accName(child, &name);
    char ansi[1024] = {};
    if (name) WideCharToMultiByte(CP_ACP, 0, name, -1, ansi, sizeof ansi, nullptr, nullptr);
    SysFreeString(name);
    return ansi;
}

// Events of the program's client area as they came: (event, child).
std::vector<std::pair<DWORD, LONG>> events;
void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT) events.emplace_back(event, child);
}

// Pumps this thread's messages, which bring the hook's events, until there are so many.
bool EventsCame(size_t count) {
    return Eventually([count] {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        return events.size() >= count;
    });
}

TEST(ScreenReader, ReadsTheCalendarAndFollowsTheCursor) {
    ForgetProgramState();
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    Program program("");
    HWND window = program.Window();
    ASSERT_TRUE(window && Eventually([&] { return IsWindowVisible(window) != FALSE; }));
    // What the program shows at a first start: today's month, the cursor on today, the
    // holiday script beside the program.
    CalendarDocument document;
    document.settings = SettingsRecord::Defaults(Today(kLocalZone), PixelColor::Rgb(255, 255, 255));
    const std::string folder = std::string(TAVOLI_APP_PATH).substr(0, std::string(TAVOLI_APP_PATH).rfind('/') + 1);
    CalendarSettings(SettingsPaths{MemoFolder() + "holidays.txt", folder + "holidays.txt", {}, {}})
        .LoadHolidayScript(document);
    CalendarView view(document);
    view.SelectDate(Today(kLocalZone));
    view.SetDpi(RunDpi());
    const AccessibleTree tree(view);

    IAccessible* object = nullptr;
    ASSERT_EQ(
        AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object)),
        S_OK);
    LONG count = 0;
    EXPECT_EQ(object->get_accChildCount(&count), S_OK);
    ASSERT_EQ(count, tree.ChildCount());
    EXPECT_EQ(NameOf(*object, Child(CHILDID_SELF)), tree.Name());
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const LONG roles[] = {ROLE_SYSTEM_PUSHBUTTON, ROLE_SYSTEM_STATICTEXT, ROLE_SYSTEM_COLUMNHEADER,
                          ROLE_SYSTEM_ROWHEADER, ROLE_SYSTEM_CELL};  // in the order of AccessibleRole
    for (int child = 1; child <= count; ++child) {
        const AccessibleItem& item = *tree.Child(child);
        EXPECT_EQ(NameOf(*object, Child(child)), tree.NameOf(child)) << child;
        VARIANT role{}, state{};
        object->get_accRole(Child(child), &role);
        EXPECT_EQ(role.lVal, roles[static_cast<int>(item.role)]) << child;
        object->get_accState(Child(child), &state);
        EXPECT_EQ((state.lVal & STATE_SYSTEM_FOCUSED) != 0, child == tree.CursorChild()) << child;
        long left = 0, top = 0, width = 0, height = 0;
        EXPECT_EQ(object->accLocation(&left, &top, &width, &height, Child(child)), S_OK);
        EXPECT_EQ((Rect{left, top, left + width, top + height}), item.rect.Offset(origin.x, origin.y)) << child;
    }
    const Rect& today = tree.Child(tree.CursorChild())->rect;
    VARIANT hit{};
    EXPECT_EQ(object->accHitTest(origin.x + today.left + 1, origin.y + today.bottom - 1, &hit), S_OK);
    EXPECT_EQ(hit.lVal, tree.CursorChild());

    // An arrow moves the cursor: the object of the focus event names the next day.
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_NAMECHANGE, nullptr, Record,
                                         program.ProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_TRUE(hook && Eventually([&] { return SetForegroundWindow(window) && GetForegroundWindow() == window; }));
    PostMessageA(window, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_TRUE(EventsCame(1));
    view.MoveCursor(1, 0);
    const int next = AccessibleTree(view).CursorChild();
    ASSERT_EQ(events, (std::vector<std::pair<DWORD, LONG>>{{EVENT_OBJECT_FOCUS, next}}));
    IAccessible* focused = nullptr;
    VARIANT focusedChild{};
    ASSERT_EQ(AccessibleObjectFromEvent(window, OBJID_CLIENT, next, &focused, &focusedChild), S_OK);
    EXPECT_EQ(NameOf(*focused, focusedChild), AccessibleTree(view).NameOf(next));
    focused->Release();

    // The reader presses "Next month" (the third item): the whole takes the month's name.
    events.clear();
    EXPECT_EQ(object->accDoDefaultAction(Child(3)), S_OK);
    view.StepMonth(1);
    EXPECT_TRUE(EventsCame(2));
    EXPECT_EQ(events.front(), (std::pair<DWORD, LONG>{EVENT_OBJECT_NAMECHANGE, CHILDID_SELF}));
    EXPECT_EQ(NameOf(*object, Child(CHILDID_SELF)), AccessibleTree(view).Name());
    UnhookWinEvent(hook);

    PostMessageA(window, WM_COMMAND, 1025, 0);  // close
    EXPECT_EQ(program.WaitForExit(), 0);
    // The program is gone: what the reader holds says so instead of failing it.
    EXPECT_NE(object->get_accChildCount(&count), S_OK);
    object->Release();
    CoUninitialize();
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsSubkey);
}

}  // namespace
}  // namespace tavoli
