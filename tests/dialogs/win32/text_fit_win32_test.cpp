// Every text of every dialog and options page whole, measured with each control's own
// font in its own device context, in the run's language and at the run's scale (the
// suite runs at 96, 144 and 192 DPI in English and Japanese): labels line by line,
// check boxes beside their box, buttons inside their frame, every item of a list inside
// the closed box and all of them in the dropped list, the wider bound of a number field
// beside its spinner, and all seven tabs in the strip without scrolling.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>

#include "dialogs/control_rules.h"
#include "dialogs/controls_win32.h"
#include "dialogs/memo_dialog_win32.h"
#include "dialogs/options_dialog_win32.h"
#include "dialogs/small_dialogs_win32.h"
#include "framework/dpi_win32.h"
#include "framework/lang_text.h"
#include "framework/messages.h"
#include "support/dialog_driver_win32.h"
#include "support/temp_folder.h"

namespace tavoli {
namespace {

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// Widths in the control's font, in the control's device context.
class ControlFont {
public:
    explicit ControlFont(HWND control) : control_(control), device_(GetDC(control)) {
        previous_ = SelectObject(device_, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    }
    ~ControlFont() {
        SelectObject(device_, previous_);
        ReleaseDC(control_, device_);
    }
    // One line as the control draws it: with its mnemonic marks taken as marks, or not.
    int Width(const std::string& text, bool prefixes = true) const {
        RECT r{0, 0, 0, 0};
        DrawTextA(device_, text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | (prefixes ? 0 : DT_NOPREFIX));
        return r.right;
    }
    int LineHeight() const {
        TEXTMETRICA metrics{};
        GetTextMetricsA(device_, &metrics);
        return metrics.tmHeight;
    }

private:
    HWND control_;
    HDC device_;
    HGDIOBJ previous_;
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t from = 0;
    for (size_t feed; (feed = text.find('\n', from)) != std::string::npos; from = feed + 1) {
        lines.push_back(text.substr(from, feed - from));
    }
    lines.push_back(text.substr(from));
    return lines;
}

std::vector<std::string> ComboItems(HWND combo) {
    std::vector<std::string> items;
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::string item(static_cast<size_t>(SendMessageA(combo, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        items.push_back(item.c_str());
    }
    return items;
}

// Every text of the dialog's visible controls that its control cuts, one sentence each.
std::vector<std::string> CutTexts(HWND dialog) {
    std::vector<std::string> faults;
    const int dpi = WindowDpi(dialog);
    for (HWND control = GetWindow(dialog, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        if (!IsWindowVisible(control)) continue;
        const std::string kind = ClassOf(control);
        const std::string text = WindowTextOf(control);
        const std::string where = kind + " " + std::to_string(GetDlgCtrlID(control)) + " \"" + text + "\"";
        const auto style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
        RECT client{};
        GetClientRect(control, &client);
        const ControlFont font(control);
        const auto wider = [&](int needed, int room, const std::string& what) {
            if (needed > room) {
                faults.push_back(where + ": " + what + " needs " + std::to_string(needed) + " of " +
                                 std::to_string(room) + " pixels");
            }
        };
        if (kind == "Static") {
            const std::vector<std::string> lines = Lines(text);
            for (const std::string& line : lines) wider(font.Width(line, !(style & SS_NOPREFIX)), client.right, line);
            if (!text.empty()) {
                wider(static_cast<int>(lines.size()) * font.LineHeight(), client.bottom, "the height of its lines");
            }
        } else if (kind == "Button") {
            const bool box = (style & BS_TYPEMASK) == BS_AUTOCHECKBOX;
            // The box and its gap, as the system draws them; a push button's frame and
            // focus margin.
            const int beside = box ? GetSystemMetrics(SM_CXMENUCHECK) + font.Width("0") / 2 : ScaleToDpi(6, dpi);
            wider(font.Width(text) + beside, client.right, "its text");
        } else if (kind == "ComboBox") {
            COMBOBOXINFO info{};
            info.cbSize = sizeof info;
            GetComboBoxInfo(control, &info);
            const std::vector<std::string> items = ComboItems(control);
            for (const std::string& item : items) {
                wider(font.Width(item, false), info.rcItem.right - info.rcItem.left, "the item \"" + item + "\"");
            }
            SendMessageA(control, CB_SHOWDROPDOWN, TRUE, 0);
            RECT list{};
            GetClientRect(info.hwndList, &list);
            const int itemHeight = static_cast<int>(SendMessageA(control, CB_GETITEMHEIGHT, 0, 0));
            const int shown = list.bottom / std::max(itemHeight, 1);
            SendMessageA(control, CB_SHOWDROPDOWN, FALSE, 0);
            if (shown < std::min<int>(static_cast<int>(items.size()), 16)) {
                faults.push_back(where + ": its list drops " + std::to_string(shown) + " of " +
                                 std::to_string(items.size()) + " items");
            }
        } else if (kind == "Edit") {
            HWND spinner = GetDlgItem(dialog, SpinnerIdOf(GetDlgCtrlID(control)));
            if (!spinner) continue;
            int lower = 0, upper = 0;
            SendMessageA(spinner, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
            RECT room{};
            SendMessageA(control, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
            for (int bound : {lower, upper}) {
                const std::string digits = std::to_string(bound);
                wider(font.Width(digits, false) + 1, room.right - room.left, "the bound " + digits);  // and the caret
            }
        } else if (kind == "SysTabControl32") {
            HWND arrows = FindWindowExA(control, nullptr, UPDOWN_CLASSA, nullptr);
            if (arrows && IsWindowVisible(arrows)) faults.push_back(where + ": its tabs scroll");
            RECT last{};
            const LRESULT count = SendMessageA(control, TCM_GETITEMCOUNT, 0, 0);
            SendMessageA(control, TCM_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&last));
            wider(last.right, client.right, "its row of tabs");
        }
    }
    return faults;
}

void ShowPage(HWND dialog, int page) {
    HWND tab = GetDlgItem(dialog, options_dialog::kTab);
    SendMessageA(tab, TCM_SETCURSEL, page, 0);
    NMHDR header{tab, static_cast<UINT_PTR>(options_dialog::kTab), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(dialog, WM_NOTIFY, options_dialog::kTab, reinterpret_cast<LPARAM>(&header));
}

TEST(DialogTexts, EveryControlHoldsItsText) {
    TempFolder folder;
    SettingsPaths paths;
    paths.allUsersScript = folder.Join("holidays.txt");
    OptionValues values;
    MemoStore memos;
    int year = 2024, month = 5;
    CountDown countDown{true, CalDate(2024, 12, 25), -7, 2};
    std::string memo = "dentist";
    struct Case {
        const char* name;
        std::string title;
        int pages;  // of a tab strip; 1 without
        std::function<void()> run;
    } cases[] = {
        {"jump", ResolveText("Jump\tja:移動"), 1, [&] { RunJumpDialog(year, month); }},
        {"count-down", ResolveText("Settings of Countdown\tja:カウントダウンの設定"), 1,
         [&] { RunCountDownDialog(countDown); }},
        {"about", ResolveText("About\tja:バージョン情報"), 1, [] { RunAboutDialog(); }},
        {"memo", ApplicationTitle(), 1,
         [&] { RunMemoDialog(ResolveText("Memo - 2024/5/5\tja:メモ - 24年05月05日"), memo); }},
        {"options", ResolveText("Options\tja:オプション"), options_dialog::kPageCount,
         [&] { RunOptionsDialog(values, paths, &memos); }},
    };
    for (const Case& c : cases) {
        std::vector<std::string> faults;
        DialogDriver driver(
            c.title,
            [&](HWND dialog) -> std::string {
                Sleep(200);
                for (int page = 0; page < c.pages; ++page) {
                    if (c.pages > 1) ShowPage(dialog, page);
                    for (const std::string& fault : CutTexts(dialog)) {
                        faults.push_back("page " + std::to_string(page) + ": " + fault);
                    }
                }
                PostMessageA(dialog, WM_CLOSE, 0, 0);
                return {};
            },
            std::chrono::seconds(30));
        c.run();
        const DialogReport report = driver.Finish();
        ASSERT_TRUE(report.driven) << c.name << ": " << report.failure;
        std::string all;
        for (const std::string& fault : faults) all += "\n" + fault;
        EXPECT_TRUE(faults.empty()) << c.name << " at " << WindowDpi(nullptr) << " DPI:" << all;
    }
}

}  // namespace
}  // namespace tavoli
