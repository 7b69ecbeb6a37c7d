// The program and its options dialog on a scaled display. The run sets the prefix's DPI
// (TAVOLI_WINE_DPI) before this test program starts, so that it and the program it starts
// both see the scale, as on a 150 % or 200 % monitor.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "dialogs/control_rules.h"
#include "dialogs/controls_win32.h"
#include "dialogs/dialog_layout.h"
#include "dialogs/options_dialog_win32.h"
#include "dialogs/options_layout.h"
#include "framework/dpi_win32.h"
#include "framework/geometry.h"
#include "framework/lang_text.h"
#include "framework/platform.h"
#include "support/dialog_driver_win32.h"
#include "support/program_win32.h"
#include "support/run_dpi_win32.h"
#include "support/temp_folder.h"
#include "support/window_capture_win32.h"

namespace tavoli {
namespace {

std::string Locale() { return SystemPlatform().AnsiCodePage() == kCodePageJapanese ? "ja" : "en"; }

TEST(ScaledDisplay, TheRunHasTheScale) { EXPECT_EQ(WindowDpi(nullptr), RunDpi()); }

TEST(ScaledDisplay, TheProgramDeclaresItselfAwareOfEachMonitorsScale) {
    HMODULE program = LoadLibraryExA(TAVOLI_APP_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    HRSRC found = FindResourceA(program, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // the process manifest
    ASSERT_NE(found, nullptr);
    const auto* text = static_cast<const char*>(LockResource(LoadResource(program, found)));
    const std::string manifest(text, SizeofResource(program, found));
    FreeLibrary(program);
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor<"), std::string::npos) << manifest;
    EXPECT_NE(manifest.find(">true/pm<"), std::string::npos) << manifest;
}

TEST(ScaledDisplay, TheWindowTakesTheScaleAndTheSettingsStayIn96DpiUnits) {
    ForgetProgramState();
    const int dpi = RunDpi();
    Size expected{ScaleToDpi(344, dpi), ScaleToDpi(332, dpi)};
    if (dpi == 144) {
        EXPECT_EQ(expected, (Size{516, 498}));
    } else if (dpi == 192) {
        EXPECT_EQ(expected, (Size{688, 664}));
    }
    {
        Program program("");
        HWND window = program.Window();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(Eventually([&] { return IsWindowVisible(window) != FALSE; }));
        RECT client{};
        ASSERT_TRUE(Eventually([&] {
            GetClientRect(window, &client);
            return client.right == expected.width && client.bottom == expected.height;
        })) << client.right
            << "x" << client.bottom;
        CreateDirectoryA(TAVOLI_DIALOG_SHOTS, nullptr);
        CaptureWindow(window, std::string(TAVOLI_DIALOG_SHOTS) + "/main-" + Locale() + ".bmp");
        PostMessageA(window, WM_COMMAND, 1025, 0);  // close
        EXPECT_EQ(program.WaitForExit(), 0);
    }
    EXPECT_EQ(StoredValue("CellSize"), "(48,36)");
    EXPECT_EQ(StoredValue("Margin"), "4,4,4,4");
    EXPECT_EQ(StoredValue("FontSize"), "40,24,16,8");
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsSubkey);
}

void ShowPage(HWND dialog, int page) {
    HWND tab = GetDlgItem(dialog, options_dialog::kTab);
    SendMessageA(tab, TCM_SETCURSEL, page, 0);
    NMHDR header{tab, static_cast<UINT_PTR>(options_dialog::kTab), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(dialog, WM_NOTIFY, options_dialog::kTab, reinterpret_cast<LPARAM>(&header));
}

// Whether the text of a label, check box or button fits a box of the size in the font:
// labels may wrap, the others keep one line beside their box or inside their frame.
// `slack` widens the room by what the system's whole-pixel font height adds to the scale.
bool TextFits(HWND control, ControlKind kind, HFONT font, Size box, int dpi, double slack = 1.0) {
    const std::string text = WindowTextOf(control);
    const int room = static_cast<int>((box.width - (kind == ControlKind::kCheckBox ? ScaleToDpi(16, dpi)
                                                    : kind == ControlKind::kButton ? ScaleToDpi(6, dpi)
                                                                                   : 0)) *
                                      slack);
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, font);
    RECT needed{0, 0, room, 0};
    DrawTextA(dc, text.c_str(), -1, &needed,
              DT_CALCRECT | (kind == ControlKind::kLabel ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return needed.right <= room && needed.bottom <= box.height;
}

// Every page: each control where its 96-DPI rectangle scales to, or right of and below it
// where texts pushed it, inside the dialog, none overlapping another, no text cut.
TEST(ScaledDisplay, TheOptionsDialogScalesEveryControl) {
    using namespace options_dialog;
    const int dpi = RunDpi();
    TempFolder folder;
    SettingsPaths paths;
    paths.allUsersScript = folder.Join("holidays.txt");
    paths.userScript = folder.Join("user-holidays.txt");
    SettingsRecord values;
    MemoStore memos;
    std::vector<std::string> faults;
    DialogDriver driver(
        ResolveText("Options\tja:オプション"),
        [&](HWND dialog) -> std::string {
            Sleep(200);
            RECT client{};
            GetClientRect(dialog, &client);
            for (int page = 0; page < kPageCount; ++page) {
                ShowPage(dialog, page);
                CreateDirectoryA(TAVOLI_DIALOG_SHOTS, nullptr);
                CaptureWindow(dialog, std::string(TAVOLI_DIALOG_SHOTS) + "/options-" + std::to_string(page) + "-" +
                                          Locale() + ".bmp");
                std::vector<std::pair<int, RECT>> shown;
                for (const ControlSpec& spec : OptionsDialogLayout().controls) {
                    if (spec.page != kEveryPage && spec.page != page) continue;
                    HWND control = GetDlgItem(dialog, spec.id);
                    if (!control || !IsWindowVisible(control)) continue;
                    const std::string where = "page " + std::to_string(page) + " id " + std::to_string(spec.id);
                    RECT r{};
                    GetWindowRect(control, &r);
                    RECT spinner{};  // a spin edit's spinner stands over the edit's right border
                    if (GetWindowRect(GetDlgItem(dialog, SpinnerIdOf(spec.id)), &spinner)) UnionRect(&r, &r, &spinner);
                    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
                    const Rect want = ScaleToDpi(spec.rect, dpi);
                    if (r.left < want.left || r.top < want.top || r.right - r.left < want.Width() - 3) {
                        faults.push_back(where + " at " + std::to_string(r.left) + "," + std::to_string(r.top) +
                                         " instead of " + std::to_string(want.left) + "," + std::to_string(want.top));
                    }
                    if (r.left < 0 || r.top < 0 || r.right > client.right || r.bottom > client.bottom) {
                        faults.push_back(where + " outside the dialog");
                    }
                    if (spec.kind != ControlKind::kTab) shown.emplace_back(spec.id, r);
                    if (spec.kind != ControlKind::kLabel && spec.kind != ControlKind::kCheckBox &&
                        spec.kind != ControlKind::kButton) {
                        continue;
                    }
                    auto* font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
                    LOGFONTA unscaled{};
                    GetObjectA(font, sizeof unscaled, &unscaled);
                    const int height = unscaled.lfHeight;
                    unscaled.lfHeight = MulDiv(height, kBaseDpi, dpi);
                    // 8 points are 11 pixels at 96 DPI but 17, not 16.5, at 144.
                    const double slack =
                        unscaled.lfHeight == 0
                            ? 1.0
                            : std::max(1.0, double(height) * kBaseDpi / (double(unscaled.lfHeight) * dpi));
                    if (!TextFits(control, spec.kind, font, {r.right - r.left, r.bottom - r.top}, dpi, slack)) {
                        faults.push_back(where + " cuts \"" + WindowTextOf(control) + "\"");
                    }
                }
                for (size_t i = 0; i < shown.size(); ++i) {
                    for (size_t j = i + 1; j < shown.size(); ++j) {
                        RECT common;
                        if (IntersectRect(&common, &shown[i].second, &shown[j].second)) {
                            faults.push_back("page " + std::to_string(page) + ": ids " +
                                             std::to_string(shown[i].first) + " and " + std::to_string(shown[j].first) +
                                             " overlap");
                        }
                    }
                }
            }
            DialogDriver::Press(dialog, kCancel);
            return {};
        },
        std::chrono::seconds(60));
    EXPECT_FALSE(RunOptionsDialog(values, {paths, &memos, nullptr, {}}));
    const DialogReport report = driver.Finish();
    ASSERT_TRUE(report.driven) << report.failure;
    std::string all;
    for (const std::string& fault : faults) all += fault + "\n";
    EXPECT_TRUE(faults.empty()) << all;
}

}  // namespace
}  // namespace tavoli
