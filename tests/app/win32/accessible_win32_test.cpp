// A screen reader in another process, as Narrator, NVDA and JAWS are: the running program's
// client area read through Active Accessibility, and the focus followed as the cursor
// moves. Also run on displays scaled to 150 % and 200 %.
#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "shell/calendar_settings.h"
#include "support/program_win32.h"
#include "support/run_dpi_win32.h"
#include "view/accessible_tree.h"

namespace tavoli {
namespace {

std::string AnsiOf(BSTR text) {
    if (!text) return {};
    const int length = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(length > 0 ? length - 1 : 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, ansi.data(), length, nullptr, nullptr);
    SysFreeString(text);
    return ansi;
}

VARIANT Child(int child) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = child;
    return v;
}

std::string NameOf(IAccessible& object, const VARIANT& child) {
    BSTR name = nullptr;
    object.get_accName(child, &name);
    return AnsiOf(name);
}

// The calendar of a first start, as the program shows it: today's month with the cursor
// on today, the holiday script beside the program, no memos.
struct ExpectedCalendar {
    ExpectedCalendar() {
        document.settings =
            SettingsRecord::Defaults(Today(kLocalZone), PixelColor::FromColorRef(GetSysColor(COLOR_WINDOW)));
        const std::string program = TAVOLI_APP_PATH;
        SettingsPaths paths;
        paths.allUsersScript = program.substr(0, program.rfind('/') + 1) + "holidays.txt";
        paths.userScript = MemoFolder() + "holidays.txt";
        CalendarSettings(paths).LoadHolidayScript(document);
        view = std::make_unique<CalendarView>(document);
        view->SelectDate(Today(kLocalZone));
        view->SetDpi(RunDpi());
    }
    CalendarDocument document;
    std::unique_ptr<CalendarView> view;
};

// Events of the program's client area, in the order they came: (event, child).
std::vector<std::pair<DWORD, LONG>> events;
void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT) events.emplace_back(event, child);
}

// Pumps this thread's messages (the hook's events come through them) until the condition holds.
template <class Condition>
bool PumpUntil(Condition condition) {
    return Eventually([&] {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        return condition();
    });
}

TEST(ScreenReader, ReadsTheCalendarAndFollowsTheCursor) {
    ForgetProgramState();
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    {
        Program program("");
        HWND window = program.Window();
        ASSERT_TRUE(window && Eventually([&] { return IsWindowVisible(window) != FALSE; }));
        ExpectedCalendar expected;
        const AccessibleTree tree(*expected.view);

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
        const std::map<AccessibleRole, LONG> roles = {{AccessibleRole::kPushButton, ROLE_SYSTEM_PUSHBUTTON},
                                                      {AccessibleRole::kStaticText, ROLE_SYSTEM_STATICTEXT},
                                                      {AccessibleRole::kColumnHeader, ROLE_SYSTEM_COLUMNHEADER},
                                                      {AccessibleRole::kRowHeader, ROLE_SYSTEM_ROWHEADER},
                                                      {AccessibleRole::kCell, ROLE_SYSTEM_CELL}};
        for (int child = 1; child <= count; ++child) {
            const AccessibleItem& item = *tree.Child(child);
            EXPECT_EQ(NameOf(*object, Child(child)), tree.NameOf(child)) << child;
            VARIANT role{}, state{};
            EXPECT_EQ(object->get_accRole(Child(child), &role), S_OK);
            EXPECT_EQ(role.lVal, roles.at(item.role)) << child;
            EXPECT_EQ(object->get_accState(Child(child), &state), S_OK);
            EXPECT_EQ((state.lVal & STATE_SYSTEM_FOCUSED) != 0, child == tree.CursorChild()) << child;
            EXPECT_EQ((state.lVal & STATE_SYSTEM_FOCUSABLE) != 0, item.role == AccessibleRole::kCell) << child;
            long left = 0, top = 0, width = 0, height = 0;
            EXPECT_EQ(object->accLocation(&left, &top, &width, &height, Child(child)), S_OK);
            EXPECT_EQ((Rect{left, top, left + width, top + height}), item.rect.Offset(origin.x, origin.y)) << child;
        }

        // Where a reader points, and the day a week below today's.
        const Rect& today = tree.Child(tree.CursorChild())->rect;
        VARIANT hit{}, below{};
        EXPECT_EQ(object->accHitTest(origin.x + today.left + 1, origin.y + today.bottom - 1, &hit), S_OK);
        EXPECT_EQ(hit.lVal, tree.CursorChild());
        object->accNavigate(NAVDIR_DOWN, Child(tree.CursorChild()), &below);
        int weekLater = 0;
        for (int child = 1; child <= count; ++child) {
            if (tree.Child(child)->date == Today(kLocalZone) + 7) weekLater = child;
        }
        EXPECT_EQ(below.vt == VT_I4 ? below.lVal : 0, weekLater);

        // An arrow moves the cursor: the focus event names the next day.
        HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_NAMECHANGE, nullptr, Record,
                                             program.ProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        ASSERT_NE(hook, nullptr);
        ASSERT_TRUE(Eventually([&] { return SetForegroundWindow(window) && GetForegroundWindow() == window; }));
        events.clear();
        PostMessageA(window, WM_KEYDOWN, VK_RIGHT, 0);
        EXPECT_TRUE(PumpUntil([] { return !events.empty(); }));
        expected.view->MoveCursor(1, 0);
        const int next = AccessibleTree(*expected.view).CursorChild();
        ASSERT_EQ(events, (std::vector<std::pair<DWORD, LONG>>{{EVENT_OBJECT_FOCUS, next}}));
        IAccessible* focused = nullptr;
        VARIANT focusedChild{};
        ASSERT_EQ(AccessibleObjectFromEvent(window, OBJID_CLIENT, next, &focused, &focusedChild), S_OK);
        EXPECT_EQ(NameOf(*focused, focusedChild), AccessibleTree(*expected.view).NameOf(next));
        focused->Release();
        // The reader puts the focus on the first day.
        events.clear();
        int firstDay = 1;
        while (tree.Child(firstDay)->role != AccessibleRole::kCell) ++firstDay;
        EXPECT_EQ(object->accSelect(SELFLAG_TAKEFOCUS, Child(firstDay)), S_OK);
        EXPECT_TRUE(PumpUntil([] { return !events.empty(); }));
        EXPECT_EQ(events, (std::vector<std::pair<DWORD, LONG>>{{EVENT_OBJECT_FOCUS, firstDay}}));

        // The reader presses "Next month": the month's name changes, the focus stays in its cell.
        events.clear();
        const int nextMonthButton = expected.view->GetDesign().header == kTopOneLine ? 3 : 0;
        EXPECT_EQ(object->accDoDefaultAction(Child(nextMonthButton)), S_OK);
        expected.view->StepMonth(1);
        EXPECT_TRUE(PumpUntil([] { return events.size() >= 2; }));
        EXPECT_EQ(NameOf(*object, Child(CHILDID_SELF)), AccessibleTree(*expected.view).Name());
        EXPECT_EQ(events.front(), (std::pair<DWORD, LONG>{EVENT_OBJECT_NAMECHANGE, CHILDID_SELF}));
        UnhookWinEvent(hook);

        PostMessageA(window, WM_COMMAND, 1025, 0);  // close
        EXPECT_EQ(program.WaitForExit(), 0);
        // The program is gone: what the reader holds says so instead of failing it.
        EXPECT_EQ(object->get_accChildCount(&count) == S_OK, false);
        object->Release();
    }
    CoUninitialize();
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsSubkey);
}

}  // namespace
}  // namespace tavoli
