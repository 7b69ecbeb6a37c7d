// The options dialog for real, answered from a second thread: its pages, what OK gives
// back, Cancel after a colour change, a memo backup that stays written, the script
// buttons. Every page is captured into the build tree.
#include "dialogs/options_dialog_win32.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "dialogs/control_rules.h"
#include "dialogs/controls_win32.h"
#include "framework/lang_text.h"
#include "framework/paths.h"
#include "support/dialog_driver_win32.h"
#include "support/file_contents.h"
#include "support/temp_folder.h"
#include "support/window_capture_win32.h"

namespace tavoli {
namespace {

using namespace options_dialog;
using std::chrono::seconds;

bool Japanese() { return SystemPlatform().AnsiCodePage() == kCodePageJapanese; }
std::string Title() { return ResolveText("Options\tja:オプション"); }

// In a file dialog: the path typed into its name box and OK, then a button of the options
// dialog pressed. Empty, or what went wrong.
std::string ChooseFileThenPress(HWND dialog, const std::string& path, HWND options, int button) {
    Sleep(300);
    HWND name = GetDlgItem(dialog, 0x47C);
    if (!name) name = GetDlgItem(dialog, 0x480);
    if (!name) return "no file name box";
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    DialogDriver::Press(dialog, IDOK);
    Sleep(500);
    DialogDriver::Press(options, button);
    return {};
}
HWND Item(HWND dialog, int number) { return GetDlgItem(dialog, IdOf(number)); }

void ShowPage(HWND dialog, int page) {
    HWND tab = GetDlgItem(dialog, kTab);
    SendMessageA(tab, TCM_SETCURSEL, page, 0);
    NMHDR header{tab, static_cast<UINT_PTR>(kTab), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(dialog, WM_NOTIFY, kTab, reinterpret_cast<LPARAM>(&header));
}

class Options : public testing::Test {
protected:
    Options() {
        paths_.allUsersScript = folder_.Join("holidays.txt");
        paths_.userScript = folder_.Join("user-holidays.txt");  // missing
        WriteWholeFile(paths_.allUsersScript, "#weekday 0 (3)\r\n");
        values_.firstDayOfWeek = -1;
        values_.design.rows = kTwoMonths;
        values_.margins = {4, 8, 12, 16};
        values_.style.SetColor(ViewColor::kNormalDay, PixelColor::Rgb(1, 2, 3));
        for (int i = 0; i < 30; ++i) values_.eraList += "2019/5/1=R,";  // over 255 bytes
    }
    TempFolder folder_;
    SettingsPaths paths_;
    SettingsRecord values_;
    MemoStore memos_;
};

TEST_F(Options, PagesShownValuesAndOk) {
    std::string firstDay, rows, userScriptEnabled, eraText;
    const std::string names(300, 'n');  // typed: taken whole
    bool pageThreeShown = false, pageZeroHidden = false;
    DialogDriver driver(
        Title(),
        [&](HWND dialog) -> std::string {
            Sleep(200);
            firstDay = WindowTextOf(Item(dialog, kFirstDay));
            rows = WindowTextOf(Item(dialog, kRowsStyle));
            eraText = WindowTextOf(Item(dialog, kEraList));
            userScriptEnabled = IsWindowEnabled(Item(dialog, kUserScript)) ? "enabled" : "disabled";
            for (int page = 0; page < kPageCount; ++page) {
                ShowPage(dialog, page);
                CreateDirectoryA(TAVOLI_DIALOG_SHOTS, nullptr);
                CaptureWindow(dialog, std::string(TAVOLI_DIALOG_SHOTS) + "/options-" + std::to_string(page) +
                                          (Japanese() ? "-ja" : "-en") + ".bmp");
                if (page == 3) {
                    pageThreeShown = IsWindowVisible(Item(dialog, ColorButton(9))) != FALSE;
                    pageZeroHidden = IsWindowVisible(Item(dialog, kFirstDay)) == FALSE;
                }
            }
            SendMessageA(GetDlgItem(dialog, SpinnerIdOf(IdOf(kCellWidth))), UDM_SETPOS32, 0, 30);
            SendMessageA(GetDlgItem(dialog, SpinnerIdOf(IdOf(kMarginX))), UDM_SETPOS32, 0, 6);
            SendMessageA(Item(dialog, kClock), BM_CLICK, 0, 0);
            SendMessageA(Item(dialog, kMonthNames), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(names.c_str()));
            DialogDriver::Press(dialog, kOk);
            return {};
        },
        seconds(20));
    SettingsRecord values = values_;
    ASSERT_TRUE(RunOptionsDialog(values, {paths_, &memos_, nullptr, {}}));
    const DialogReport report = driver.Finish();
    ASSERT_TRUE(report.driven) << report.failure;
    EXPECT_EQ(firstDay, ResolveText("saturday\tja:土曜日"));  // −1 is the last weekday
    EXPECT_EQ(rows, Japanese() ? AnsiFromUtf8("2か月表示") : "2-months");
    EXPECT_EQ(values.design.rows, kTwoMonths);
    EXPECT_EQ(eraText, values_.eraList);  // shown whole and kept whole
    EXPECT_EQ(values.eraList, values_.eraList);
    EXPECT_EQ(values.monthNames, names);
    EXPECT_EQ(userScriptEnabled, "disabled");  // no per-user script
    EXPECT_TRUE(pageThreeShown);
    EXPECT_TRUE(pageZeroHidden);
    EXPECT_EQ(values.firstDayOfWeek, -1);  // left as shown: kept
    // X changed: left and right take it; Y left as shown: top and bottom kept.
    EXPECT_EQ(values.margins, (std::array<int, 4>{6, 8, 6, 16}));
    EXPECT_EQ(values.cellSize.width, 30);
    EXPECT_TRUE(values.clock);
    EXPECT_EQ(values.style.Color(ViewColor::kNormalDay), PixelColor::Rgb(1, 2, 3));
    EXPECT_EQ(values.style.fontFace, values_.style.fontFace);  // untouched: kept as it was
}

// The calendars page: one calendar renamed and hidden, another removed, a file added
// through the file dialog; OK stores the list as left.
TEST_F(Options, CalendarsAddedRenamedHiddenAndRemoved) {
    const std::string added = folder_.Join("added.ics");
    WriteWholeFile(added, "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
    values_.calendarSources = "1\t#FF0000\tWork\tD:\\a.ics\r\n1\t#00FF00\t\tD:\\b.ics\r\n";
    HWND options = nullptr;
    const auto choose = [](HWND dialog, int index) {
        SendMessageA(Item(dialog, kCalendarList), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IdOf(kCalendarList), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Item(dialog, kCalendarList)));
    };
    const auto press = [](HWND dialog, int number) {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IdOf(number), BN_CLICKED),
                     reinterpret_cast<LPARAM>(Item(dialog, number)));
    };
    std::string firstName;
    DialogDriver driver(
        Title(),
        [&](HWND dialog) -> std::string {
            options = dialog;
            Sleep(200);
            ShowPage(dialog, 7);
            firstName = WindowTextOf(Item(dialog, kCalendarName));
            choose(dialog, 1);
            SendMessageA(Item(dialog, kCalendarName), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Renamed"));
            SendMessageA(Item(dialog, kCalendarShown), BM_CLICK, 0, 0);
            choose(dialog, 0);
            press(dialog, kRemoveCalendar);
            press(dialog, kAddCalendarFile);
            return {};
        },
        seconds(20));
    DialogDriver open(
        ResolveText("Add Calendar\tja:カレンダーの追加"),
        [&](HWND dialog) -> std::string { return ChooseFileThenPress(dialog, added, options, kOk); }, seconds(30));
    SettingsRecord values = values_;
    EXPECT_TRUE(RunOptionsDialog(values, {paths_, &memos_, nullptr, {}}));
    for (DialogDriver* d : {&driver, &open}) {
        const DialogReport report = d->Finish();
        EXPECT_TRUE(report.driven) << report.failure;
    }
    EXPECT_EQ(firstName, "Work");
    // The colours #FF0000 and #00FF00 are none of the set's: the added one takes its first.
    EXPECT_EQ(values.calendarSources,
              "0\t#00FF00\tRenamed\tD:\\b.ics\r\n" + SourcesText({AddedCalendarSource(added, {})}));
}

TEST_F(Options, CancelAfterAColourChangeAndABackupThatStays) {
    memos_.SetMemo(CalDate(2024, 5, 5), "kept");
    const std::string backup = folder_.Join("backup.txt");
    HWND options = nullptr;
    // The colour dialog takes a colour and OK; the save dialog a name and OK; then Cancel.
    DialogDriver driver(
        Title(),
        [&](HWND dialog) -> std::string {
            options = dialog;
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IdOf(ColorButton(0)), BN_CLICKED),
                         reinterpret_cast<LPARAM>(Item(dialog, ColorButton(0))));
            return {};
        },
        seconds(20));
    DialogDriver colour(
        ResolveText("Normal-day\tja:平日の色"),
        [&](HWND dialog) -> std::string {
            Sleep(200);
            for (const auto& [id, value] : {std::pair{706, "200"}, std::pair{707, "100"}, std::pair{708, "50"}}) {
                SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value));
            }
            DialogDriver::Press(dialog, IDOK);
            Sleep(300);
            PostMessageA(options, WM_COMMAND, MAKEWPARAM(IdOf(kBackupMemo), BN_CLICKED),
                         reinterpret_cast<LPARAM>(Item(options, kBackupMemo)));
            return {};
        },
        seconds(30));
    DialogDriver save(
        ResolveText("Backup Memo\tja:メモのバックアップ"),
        [&](HWND dialog) -> std::string { return ChooseFileThenPress(dialog, backup, options, kCancel); }, seconds(40));
    SettingsRecord values = values_;
    EXPECT_FALSE(RunOptionsDialog(values, {paths_, &memos_, nullptr, {}}));
    for (DialogDriver* d : {&driver, &colour, &save}) {
        const DialogReport report = d->Finish();
        EXPECT_TRUE(report.driven) << report.failure;
    }
    EXPECT_EQ(values.style.Color(ViewColor::kNormalDay), PixelColor::Rgb(1, 2, 3));  // Cancel keeps the colour
    EXPECT_NE(ReadWholeFile(backup).find("2024/05/05=kept"), std::string::npos);     // written at once
}

TEST_F(Options, EscapeIsCancelAndEnterIsOk) {
    for (const auto& [key, expected] : {std::pair{VK_ESCAPE, false}, std::pair{VK_RETURN, true}}) {
        DialogDriver driver(
            Title(),
            [key = key](HWND dialog) -> std::string {
                Sleep(200);
                PostMessageA(dialog, WM_COMMAND, key == VK_ESCAPE ? IDCANCEL : IDOK, 0);
                return {};
            },
            seconds(20));
        SettingsRecord values = values_;
        EXPECT_EQ(RunOptionsDialog(values, {paths_, &memos_, nullptr, {}}), expected) << key;
        EXPECT_TRUE(driver.Finish().driven);
    }
}

}  // namespace
}  // namespace tavoli
