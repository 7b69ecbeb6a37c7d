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

// The items of the program's client area that took the focus, as they did.
std::vector<LONG> focused;
void CALLBACK Record(HWINEVENTHOOK, DWORD, HWND, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT) focused.push_back(child);
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
    document.SetSettings(SettingsRecord::Defaults(Today(kLocalZone), PixelColor::Rgb(255, 255, 255)));
    const std::string folder = std::string(TAVOLI_APP_PATH).substr(0, std::string(TAVOLI_APP_PATH).rfind('/') + 1);
    Report report;
    CalendarSettings(SettingsPaths{MemoFolder() + "holidays.txt", folder + "holidays.txt", {}, {}, {}, {}})
        .LoadHolidayScript(document, kNoHolidaySet, report);
    CalendarView view(document);
    view.SelectDate(Today(kLocalZone));
    view.SetDpi(RunDpi());
    const AccessibleTree tree(view);

    IAccessible* object = nullptr;
    ASSERT_EQ(
        AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object)),
        S_OK);
    LONG count = 0;
    ASSERT_TRUE(SUCCEEDED(object->get_accChildCount(&count)) && count == tree.ChildCount()) << count;
    EXPECT_EQ(NameOf(*object, Child(CHILDID_SELF)), tree.Name());
    // The cursor's day is focused while the window has the focus.
    ASSERT_TRUE(BringToFront(window));
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

    // An arrow moves the cursor: the object of the focus event names the next day.
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, Record, program.ProcessId(),
                                         0, WINEVENT_OUTOFCONTEXT);
    ASSERT_TRUE(hook && BringToFront(window));
    PostMessageA(window, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_TRUE(Eventually([] {  // the hook's events come through this thread's messages
        for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&message);
        return !focused.empty();
    }));
    view.MoveCursor(1, 0);
    const int next = AccessibleTree(view).CursorChild();
    ASSERT_EQ(focused, std::vector<LONG>{next});
    IAccessible* from = nullptr;
    VARIANT child{};
    ASSERT_EQ(AccessibleObjectFromEvent(window, OBJID_CLIENT, next, &from, &child), S_OK);
    EXPECT_EQ(NameOf(*from, child), AccessibleTree(view).NameOf(next));
    from->Release();
    UnhookWinEvent(hook);

    PostMessageA(window, WM_COMMAND, 1025, 0);  // close
    EXPECT_EQ(program.WaitForExit(), 0);
    object->Release();
    CoUninitialize();
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsSubkey);
}

}  // namespace
}  // namespace tavoli
