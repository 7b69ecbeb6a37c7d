// Every text of every dialog and options page whole, measured in each control's font and
// device context, in the run's language at its scale (96, 144, 192 DPI; English, Japanese):
// labels, check boxes beside their box, buttons, list items closed and dropped, a number
// field's bounds beside its spinner, and the tabs without scrolling.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <sstream>

#include "dialogs/control_rules.h"
#include "dialogs/controls_win32.h"
#include "dialogs/memo_dialog_win32.h"
#include "dialogs/options_dialog_win32.h"
#include "dialogs/small_dialogs_win32.h"
#include "framework/dpi_win32.h"
#include "framework/lang_text.h"
#include "framework/messages.h"
#include "support/dialog_driver_win32.h"

namespace tavoli {
namespace {

// Each text of the dialog's visible controls that its control cuts, a line each.
std::string CutTexts(HWND dialog) {
    std::string faults;
    for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        if (!IsWindowVisible(control)) continue;
        char kind[64] = {};
        GetClassNameA(control, kind, sizeof kind);
        const std::string text = WindowTextOf(control);
        const auto style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
        RECT client{}, room{};
        GetClientRect(control, &client);
        HDC device = GetDC(control);
        HGDIOBJ previous = SelectObject(device, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
        const auto width = [device](const std::string& line, UINT prefix = 0) {
            RECT r{};
            DrawTextA(device, line.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | prefix);
            return static_cast<int>(r.right);
        };
        const auto fits = [&](int needed, int pixels, const std::string& what) {
            if (needed <= pixels) return;
            faults += "\n" + std::string(kind) + " " + std::to_string(GetDlgCtrlID(control)) + ": \"" + what +
                      "\" needs " + std::to_string(needed) + " of " + std::to_string(pixels) + " pixels";
        };
        const HWND spinner = GetDlgItem(dialog, SpinnerIdOf(GetDlgCtrlID(control)));
        if (!strcmp(kind, "Static") && !text.empty()) {
            TEXTMETRICA metrics{};
            GetTextMetricsA(device, &metrics);
            std::istringstream lines(text);
            int count = 0;
            for (std::string line; std::getline(lines, line); ++count) {
                fits(width(line, style & SS_NOPREFIX ? DT_NOPREFIX : 0), client.right, line);
            }
            fits(count * metrics.tmHeight, client.bottom, "its lines' height");
        } else if (!strcmp(kind, "Button")) {  // a check box's box and gap as drawn; a push button's frame
            const bool box = (style & BS_TYPEMASK) == BS_AUTOCHECKBOX;
            const int beside =
                box ? GetSystemMetrics(SM_CXMENUCHECK) + width("0") / 2 : ScaleToDpi(6, WindowDpi(dialog));
            fits(width(text) + beside, client.right, text);
        } else if (!strcmp(kind, "ComboBox")) {
            COMBOBOXINFO info{};
            info.cbSize = sizeof info;
            GetComboBoxInfo(control, &info);
            const int count = static_cast<int>(SendMessageA(control, CB_GETCOUNT, 0, 0));
            for (int i = 0; i < count; ++i) {
                char item[256] = {};
                SendMessageA(control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
                fits(width(item, DT_NOPREFIX), info.rcItem.right - info.rcItem.left, item);
            }
            SendMessageA(control, CB_SHOWDROPDOWN, TRUE, 0);
            GetClientRect(info.hwndList, &room);
            SendMessageA(control, CB_SHOWDROPDOWN, FALSE, 0);
            fits(std::min(count, 16) * static_cast<int>(SendMessageA(control, CB_GETITEMHEIGHT, 0, 0)), room.bottom,
                 "the dropped list");
        } else if (!strcmp(kind, "Edit") && spinner) {
            int bounds[2] = {};
            SendMessageA(spinner, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&bounds[0]),
                         reinterpret_cast<LPARAM>(&bounds[1]));
            SendMessageA(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
            for (int bound : bounds)
                fits(width(std::to_string(bound)) + 1, room.right - room.left, std::to_string(bound));
        } else if (!strcmp(kind, "SysTabControl32")) {
            HWND arrows = FindWindowExA(control, nullptr, UPDOWN_CLASSA, nullptr);
            if (arrows && IsWindowVisible(arrows)) faults += "\nthe tabs scroll";
            SendMessageA(control, TCM_GETITEMRECT, SendMessageA(control, TCM_GETITEMCOUNT, 0, 0) - 1,
                         reinterpret_cast<LPARAM>(&room));
            fits(room.right, client.right, "the row of tabs");
        }
        SelectObject(device, previous);
        ReleaseDC(control, device);
    }
    return faults;
}

TEST(DialogTexts, EveryControlHoldsItsText) {
    SettingsRecord values;
    SettingsPaths paths;
    MemoStore memos;
    int year = 2024, month = 5;
    CountDown countDown{true, CalDate(2024, 12, 25), -7, 2};
    std::string memo = "dentist";
    const std::string options = ResolveText("Options\tja:オプション");
    const std::pair<std::string, std::function<void()>> cases[] = {
        {ResolveText("Jump\tja:移動"), [&] { RunJumpDialog(year, month); }},
        {ResolveText("Settings of Countdown\tja:カウントダウンの設定"), [&] { RunCountDownDialog(countDown); }},
        {ResolveText("About\tja:バージョン情報"), [] { RunAboutDialog(); }},
        {ApplicationTitle(), [&] { RunMemoDialog(ResolveText("Memo - 2024/5/5\tja:メモ - 24年05月05日"), memo); }},
        {options,
         [&] {
             RunOptionsDialog(values, {paths, &memos, nullptr, {}});
         }},
    };
    for (const auto& [title, run] : cases) {
        std::string faults;
        DialogDriver driver(
            title,
            [&, title = title](HWND dialog) -> std::string {
                Sleep(200);
                HWND tab = GetDlgItem(dialog, options_dialog::kTab);
                for (int page = 0; page < (title == options ? options_dialog::kPageCount : 1); ++page) {
                    NMHDR header{tab, options_dialog::kTab, static_cast<UINT>(TCN_SELCHANGE)};
                    if (title == options) {
                        SendMessageA(tab, TCM_SETCURSEL, page, 0);
                        SendMessageA(dialog, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
                    }
                    if (const std::string cut = CutTexts(dialog); !cut.empty())
                        faults += "\npage " + std::to_string(page) + cut;
                }
                PostMessageA(dialog, WM_CLOSE, 0, 0);
                return {};
            },
            std::chrono::seconds(30));
        run();
        const DialogReport report = driver.Finish();
        ASSERT_TRUE(report.driven) << title << ": " << report.failure;
        EXPECT_EQ(faults, "") << title << " at " << WindowDpi(nullptr) << " DPI";
    }
}

}  // namespace
}  // namespace tavoli
