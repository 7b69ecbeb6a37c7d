// The jump, count-down, About, "Why this day?" and memo dialogs run through the functions
// the main window calls, answered from a second thread in English and in Japanese: their
// texts, what the user's input gives back, and OK, Cancel, Escape and the close box. Each
// dialog is also captured while it is open, into the build tree.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <set>

#include "dialogs/control_rules.h"
#include "dialogs/controls_win32.h"
#include "dialogs/memo_dialog_win32.h"
#include "dialogs/small_dialogs_layout.h"
#include "dialogs/small_dialogs_win32.h"
#include "framework/lang_text.h"
#include "framework/messages.h"
#include "framework/platform.h"
#include "support/dialog_driver_win32.h"
#include "support/window_capture_win32.h"

namespace tavoli {
namespace {

bool Japanese() { return SystemPlatform().AnsiCodePage() == kCodePageJapanese; }
// The text expected in the run's language, in the code page.
std::string Pick(const char* english, const char* japanese) { return AnsiFromUtf8(Japanese() ? japanese : english); }

std::string TextOf(HWND dialog, int id) {
    const HWND control = GetDlgItem(dialog, id);
    return control ? WindowTextOf(control) : "(no control " + std::to_string(id) + ")";
}

void Type(HWND dialog, int id, const std::string& text) {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
void Spin(HWND dialog, int editId, int position) {
    SendMessageA(GetDlgItem(dialog, SpinnerIdOf(editId)), UDM_SETPOS32, 0, position);
}
void CloseBox(HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }

HWND FocusOf(HWND dialog) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus;
}

// The controls whose windows reach outside the dialog's client area, as the system font
// of the run lays them out.
std::string ControlsOutside(HWND dialog) {
    RECT client;
    GetClientRect(dialog, &client);
    std::string outside;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        if (r.left < 0 || r.top < 0 || r.right > client.right || r.bottom > client.bottom) {
            outside += " " + std::to_string(GetDlgCtrlID(child));
        }
    }
    return outside;
}

// Writes what the screen shows of the window to <name>-<language>.bmp in the build tree.
void Capture(HWND window, const std::string& name) {
    CreateDirectoryA(TAVOLI_DIALOG_SHOTS, nullptr);
    CaptureWindow(window, std::string(TAVOLI_DIALOG_SHOTS) + "/" + name + (Japanese() ? "-ja" : "-en") + ".bmp");
}

// What a driver saw of an open dialog: its texts, and its faults (controls reaching outside
// it, the focus elsewhere than on the control it should be on, an edit's text there not
// selected).
struct Seen {
    std::map<int, std::string> texts;
    std::string faults = "(not looked at)";
    LRESULT checked = -1;
};

// Looks at an open dialog, and captures it as <shot> the first time a test shows it.
Seen Look(HWND dialog, std::initializer_list<int> ids, int focusId, const std::string& shot) {
    Seen seen;
    for (int id : ids) seen.texts[id] = TextOf(dialog, id);
    const std::string outside = ControlsOutside(dialog);
    seen.faults = outside.empty() ? "" : "outside:" + outside;
    HWND focus = FocusOf(dialog);
    if (focus != GetDlgItem(dialog, focusId)) seen.faults += " focus not on " + std::to_string(focusId);
    // A field the focus starts in has its text selected: typing replaces it.
    DWORD from = 0, to = 0;
    char className[16] = {};
    GetClassNameA(focus, className, sizeof className);
    if (lstrcmpiA(className, "Edit") == 0) {
        SendMessageA(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
        if (from != 0 || to != static_cast<DWORD>(GetWindowTextLengthA(focus))) seen.faults += " text not selected";
    }
    static std::set<std::string> captured;
    if (captured.insert(shot).second) Capture(dialog, shot);
    return seen;
}

using Action = std::function<void(HWND)>;
const Action kPressOk = [](HWND d) { DialogDriver::Press(d, kOkId); };
const Action kPressCancel = [](HWND d) { DialogDriver::Press(d, kCancelId); };

// Types into a field, then closes the dialog.
Action TypedThen(int id, const char* text, const Action& close) {
    return [=](HWND d) { Type(d, id, text), close(d); };
}

TEST(JumpDialog, GivesTheChosenMonthOnlyOnOk) {
    using namespace jump_dialog;
    struct Case {
        const char* what;
        Action act;
        bool expected;
        int year, month;
    } cases[] = {
        {"a typed year and a spun month",
         [](HWND d) {
             Type(d, kYear, "2030");
             Spin(d, kMonth, 7);
             DialogDriver::Press(d, kOkId);
         },
         true, 2030, 7},
        {"a year beyond the bounds is brought into them", TypedThen(kYear, "5000", kPressOk), true, 3999, 5},
        {"Cancel", TypedThen(kYear, "1999", kPressCancel), false, 2024, 5},
        {"the close box", TypedThen(kYear, "1999", CloseBox), false, 2024, 5},
    };
    const std::string title = Pick("Jump", "移動");
    for (const Case& c : cases) {
        int year = 2024, month = 5;
        Seen seen;
        DialogDriver driver(title, [&](HWND dialog) -> std::string {
            seen = Look(dialog, {kYear, kYearLabel, kMonth, kMonthLabel, kOkId, kCancelId}, kYear, "jump");
            c.act(dialog);
            return "";
        });
        EXPECT_EQ(RunJumpDialog(year, month), c.expected) << c.what;
        const DialogReport report = driver.Finish();
        ASSERT_TRUE(report.driven) << c.what << ": " << report.failure;
        EXPECT_EQ(year, c.year) << c.what;
        EXPECT_EQ(month, c.month) << c.what;
        const std::map<int, std::string> texts = {{kYear, "2024"}, {kYearLabel, Pick("/", "年")},
                                                  {kMonth, "5"},   {kMonthLabel, Pick(" ", "月")},
                                                  {kOkId, "OK"},   {kCancelId, Pick("Cancel", "キャンセル")}};
        EXPECT_EQ(seen.texts, texts) << c.what;
        EXPECT_EQ(seen.faults, "") << c.what;
    }
}

TEST(CountDownDialog, ShowsTheRangeNegatedAndTicksShowCounter) {
    using namespace count_down_dialog;
    const CountDown initial{false, CalDate(2024, 12, 25), -7, 2};
    struct Case {
        const char* what;
        Action act;
        bool expected;
        CountDown result;
    } cases[] = {
        {"OK turns the counter on", kPressOk, true, {true, CalDate(2024, 12, 25), -7, 2}},
        {"no days before", TypedThen(kDaysBefore, "0", kPressOk), true, {true, CalDate(2024, 12, 25), 0, 2}},
        {"days after the target",
         [](HWND d) {
             Type(d, kDaysBefore, "-10");
             Type(d, kInterval, "3");
             DialogDriver::Press(d, kOkId);
         },
         true,
         {true, CalDate(2024, 12, 25), 10, 3}},
        {"the box cleared",
         [](HWND d) { SendMessageA(GetDlgItem(d, kShown), BM_CLICK, 0, 0), kPressOk(d); },
         true,
         {false, CalDate(2024, 12, 25), -7, 2}},
        {"day 31 of April",
         [](HWND d) {
             Spin(d, kMonth, 4);
             Type(d, kDay, "31");
             Spin(d, kYear, 2025);
             DialogDriver::Press(d, kOkId);
         },
         true,
         {true, CalDate(2025, 5, 1), -7, 2}},
        {"Cancel", TypedThen(kDaysBefore, "0", kPressCancel), false, initial},
        {"the close box", TypedThen(kDaysBefore, "0", CloseBox), false, initial},
    };
    const std::string title = Pick("Settings of Countdown", "カウントダウンの設定");
    for (const Case& c : cases) {
        CountDown countDown = initial;
        Seen seen;
        DialogDriver driver(title, [&](HWND dialog) -> std::string {
            seen = Look(dialog,
                        {kYear, kYearLabel, kMonth, kMonthLabel, kDay, kDayLabel, kDaysBefore, kDaysBeforeLabel,
                         kInterval, kIntervalLabel, kShown, kOkId, kCancelId},
                        kYear, "count-down");
            seen.checked = SendMessageA(GetDlgItem(dialog, kShown), BM_GETCHECK, 0, 0);
            c.act(dialog);
            return "";
        });
        EXPECT_EQ(RunCountDownDialog(countDown), c.expected) << c.what;
        const DialogReport report = driver.Finish();
        ASSERT_TRUE(report.driven) << c.what << ": " << report.failure;
        EXPECT_EQ(countDown.shown, c.result.shown) << c.what;
        EXPECT_EQ(countDown.target.Text(), c.result.target.Text()) << c.what;
        EXPECT_EQ(countDown.range, c.result.range) << c.what;
        EXPECT_EQ(countDown.interval, c.result.interval) << c.what;
        const std::map<int, std::string> texts = {
            {kYear, "2024"},
            {kYearLabel, Pick("/", "年")},
            {kMonth, "12"},
            {kMonthLabel, Pick("/", "月")},
            {kDay, "25"},
            {kDayLabel, Pick("", "日")},
            {kDaysBefore, "7"},  // a range of −7: seven days before
            {kDaysBeforeLabel, Pick("days before", "日前から")},
            {kInterval, "2"},
            {kIntervalLabel, Pick("each days", "日おきに表示")},
            {kShown, Pick("Show counter(&D)", "カウンターを表示する(&D)")},
            {kOkId, "OK"},
            {kCancelId, Pick("Cancel", "キャンセル")},
        };
        EXPECT_EQ(seen.texts, texts) << c.what;
        EXPECT_EQ(seen.checked, BST_CHECKED) << c.what;  // ticked although the counter was off
        EXPECT_EQ(seen.faults, "") << c.what;
    }
}

// The About dialog's four lines, and the trace of "Why this day?" in a box that holds its
// lines unbroken (a tab too), read-only: whole, OK focused, and every way to close them.
TEST(TextDialogs, AboutAndWhyThisDayWholeAndEveryWayToCloseThem) {
    const std::vector<std::string> trace = {
        "2023/01/02 (Monday)", "Per-user script: C:\\users\\u\\Brenholt\\Tavoli\\holidays.txt (missing)",
        "Kind \"4\" from line 58: y2007- w1 x1 <1 x0 (4) \"Substitute Holiday\tja:" + AnsiFromUtf8("振替休日") + "\""};
    // The Japanese notice is wider than the label: it breaks after its first sentence.
    const std::string about = "Tavoli Test Program\nver.1.2.3.4\n" +
                              Pick("Free software. No warranty.", "フリーソフトウェアです。\n無保証です。") +
                              "\nhttps://brenholt.example/tavoli/";
    const std::function<void()> runAbout = [] { RunAboutDialog(); };
    const struct {
        const char* what;
        std::function<void()> run;
        std::string title;
        int textId;
        std::string text;
        int boxLines;  // a read-only box's lines; 0: a label
        Action act;
        const char* shot;
    } cases[] = {
        {"About, OK", runAbout, Pick("About", "バージョン情報"), about_dialog::kText, about, 0, kPressOk, "about"},
        {"About, Escape", runAbout, Pick("About", "バージョン情報"), about_dialog::kText, about, 0,
         [](HWND d) { PostMessageA(d, WM_COMMAND, IDCANCEL, 0); }, "about"},
        {"About, the close box", runAbout, Pick("About", "バージョン情報"), about_dialog::kText, about, 0, CloseBox,
         "about"},
        {"Why this day?, OK", [&] { RunDayTraceDialog(trace); }, Pick("Why this day?", "この日の理由"),
         day_trace_dialog::kText, trace[0] + "\r\n" + trace[1] + "\r\n" + trace[2], 3,
         [](HWND d) { PostMessageA(d, WM_COMMAND, IDOK, 0); }, "why-this-day"},
    };
    for (const auto& c : cases) {
        Seen seen;
        LRESULT boxLines = 0, style = 0;
        DialogDriver driver(c.title, [&](HWND dialog) -> std::string {
            seen = Look(dialog, {c.textId, kOkId}, kOkId, c.shot);
            boxLines = SendDlgItemMessageA(dialog, c.textId, EM_GETLINECOUNT, 0, 0);
            style = GetWindowLongA(GetDlgItem(dialog, c.textId), GWL_STYLE);
            c.act(dialog);
            return "";
        });
        c.run();
        const DialogReport report = driver.Finish();
        ASSERT_TRUE(report.driven) << c.what << ": " << report.failure;
        EXPECT_EQ(seen.texts, (std::map<int, std::string>{{c.textId, c.text}, {kOkId, "OK"}})) << c.what;
        EXPECT_EQ(seen.faults, "") << c.what;
        EXPECT_TRUE(DialogDriver::Dialogs().empty()) << c.what;
        if (c.boxLines == 0) continue;
        EXPECT_EQ(boxLines, c.boxLines);
        EXPECT_EQ(style & (ES_READONLY | ES_MULTILINE), ES_READONLY | ES_MULTILINE);
    }
}

TEST(MemoDialog, LinesOfAtMost8000BytesOnOkOnly) {
    using namespace memo_dialog;
    struct Case {
        const char* what;
        std::string typed;  // UTF-8
        Action close;
        bool expected;
        std::string result;  // UTF-8
    };
    const Action& ok = kPressOk;
    std::vector<Case> cases = {
        {"9000 ASCII bytes", std::string(9000, 'x'), ok, true, std::string(8000, 'x')},
        {"a line break", "first\r\nsecond\r\n", ok, true, "first\x1fsecond"},
        {"nothing", "", ok, true, ""},
        {"Cancel", "changed", kPressCancel, false, "dentist"},
        {"the close box", "changed", CloseBox, false, "dentist"},
    };
    const auto times = [](int count, const std::string& piece) {
        std::string text;
        while (count-- > 0) text += piece;
        return text;
    };
    if (Japanese()) {
        cases.push_back({"a and 4500 kana (9001 bytes)", "a" + times(4500, "あ"), ok, true, "a" + times(3999, "あ")});
    } else {
        cases.push_back({"9000 Latin letters", times(9000, "é"), ok, true, times(8000, "é")});  // a byte each
    }
    const std::string prompt = Pick("Memo - 2024/5/5", "メモ - 24年05月05日");
    for (const Case& c : cases) {
        std::string text = "dentist";
        Seen seen;
        DialogDriver driver(ApplicationTitle(), [&](HWND dialog) -> std::string {
            seen = Look(dialog, {kPrompt, kEdit, kOkId, kCancelId}, kEdit, "memo");
            Type(dialog, kEdit, AnsiFromUtf8(c.typed));
            c.close(dialog);
            return "";
        });
        EXPECT_EQ(RunMemoDialog(prompt, text), c.expected) << c.what;
        const DialogReport report = driver.Finish();
        ASSERT_TRUE(report.driven) << c.what << ": " << report.failure;
        EXPECT_EQ(text, AnsiFromUtf8(c.result)) << c.what;
        const std::map<int, std::string> texts = {
            {kPrompt, prompt}, {kEdit, "dentist"}, {kOkId, "OK"}, {kCancelId, Pick("Cancel", "キャンセル")}};
        EXPECT_EQ(seen.texts, texts) << c.what;
        EXPECT_EQ(seen.faults, "") << c.what;  // the focus on the edit
    }

    // A rule chosen makes its end typable; a date typed there is its end, anything else none.
    for (const auto& [typed, end] : {std::pair{"2030/12/31", CalDate(2030, 12, 31)}, std::pair{"soon", CalDate()}}) {
        MemoEdit memo{"birthday", MemoRepeat::kNone, {}};
        DialogDriver ruler(ApplicationTitle(), [&, typed = typed](HWND dialog) -> std::string {
            const bool grayed = IsWindowEnabled(GetDlgItem(dialog, kUntil)) == FALSE;
            SendDlgItemMessageA(dialog, kRepeat, CB_SETCURSEL, 1, 0);
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kRepeat, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, kRepeat)));
            const bool enabled = IsWindowEnabled(GetDlgItem(dialog, kUntil)) != FALSE;
            Type(dialog, kUntil, typed);
            DialogDriver::Press(dialog, kOkId);
            return grayed && enabled ? "" : "the end is not grayed without a rule alone";
        });
        EXPECT_TRUE(RunMemoDialog(prompt, memo));
        const DialogReport report = ruler.Finish();
        EXPECT_TRUE(report.driven) << report.failure;
        EXPECT_EQ(memo.text, "birthday");
        EXPECT_EQ(memo.repeat, MemoRepeat::kYearly);
        EXPECT_EQ(memo.until, end) << typed;
    }

    // A caption of its own.
    std::string text = "x";
    DialogDriver driver("Memo of the day", [](HWND dialog) -> std::string {
        DialogDriver::Press(dialog, kOkId);
        return "";
    });
    EXPECT_TRUE(RunMemoDialog(prompt, text, "Memo of the day"));
    EXPECT_TRUE(driver.Finish().driven);
    EXPECT_EQ(text, "x");

    // A memo over 255 bytes (written by hand) is shown whole, and kept whole when left so.
    const std::string longMemo = std::string(200, 'a') + " " + std::string(199, 'b');
    DialogDriver keeper(ApplicationTitle(), [&](HWND dialog) -> std::string {
        const bool whole = TextOf(dialog, kEdit) == longMemo;
        DialogDriver::Press(dialog, kOkId);
        return whole ? "" : "the memo is not shown whole";
    });
    text = longMemo;
    EXPECT_TRUE(RunMemoDialog(prompt, text));
    EXPECT_TRUE(keeper.Finish().driven);
    EXPECT_EQ(text, longMemo);
}

}  // namespace
}  // namespace tavoli
