// The control wrappers in a real dialog: the windows they create, the values they keep
// after the dialog has closed, the colour swatch's painting and the colour chooser.
#include <windows.h>

#include <colordlg.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "dialogs/color_chooser_win32.h"
#include "dialogs/control_rules.h"
#include "dialogs/controls_win32.h"
#include "dialogs/modal_dialog_win32.h"
#include "framework/dpi_win32.h"
#include "support/dialog_driver_win32.h"
#include "support/run_dpi_win32.h"

namespace tavoli {
namespace {

constexpr int kLabel = 10, kButton = 11, kCheck = 12, kEdit = 13, kCombo = 14, kEmptyCombo = 15, kTab = 16;
constexpr int kSpin = 17, kSecondSpin = 18, kHiddenSpin = 19, kSwatch = 20, kDisabledLabel = 21;
// A command that makes the dialog read its wrappers while it is open, on its own thread.
constexpr int kProbe = 100;
constexpr const char* kTitle = "Controls under test";
const std::vector<std::string> kWeekdays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

class ControlsDialog : public ModalDialog {
public:
    ControlsDialog() {
        SetCaption(kTitle);
        label.SetText("A label");
        button.SetText("Press");
        check.SetText("Check");
        edit.SetText("start");
        combo.SetItems(kWeekdays);
        tab.SetItems({"One", "Two", "Three"});
        spin.SetBounds(-1000, 1000);
        spin.SetValue(12);
        secondSpin.SetBounds(-50, 50);
        hiddenSpin.Show(false);
        swatch.SetColor(PixelColor::Rgb(200, 30, 60));
        disabledLabel.SetText("Disabled");
        disabledLabel.Enable(false);
        ok.SetText("OK");
    }

    int Run() { return RunModal(*this, 200, 120); }

    struct Placed {
        DialogControl* control;
        int id;
        Rect rect;
    };
    std::vector<Placed> Controls() {
        return {{&label, kLabel, {10, 10, 110, 30}},
                {&button, kButton, {120, 10, 200, 34}},
                {&check, kCheck, {10, 40, 110, 60}},
                {&edit, kEdit, {120, 40, 250, 60}},
                {&combo, kCombo, {10, 70, 110, 200}},
                {&emptyCombo, kEmptyCombo, {120, 70, 220, 200}},
                {&tab, kTab, {230, 70, 390, 150}},
                {&spin, kSpin, {10, 100, 80, 120}},
                {&secondSpin, kSecondSpin, {90, 100, 160, 120}},
                {&hiddenSpin, kHiddenSpin, {10, 130, 80, 150}},
                {&swatch, kSwatch, {170, 100, 200, 124}},
                {&disabledLabel, kDisabledLabel, {90, 130, 160, 150}},
                {&ok, IDOK, {10, 190, 90, 214}}};
    }

    LabelControl label, disabledLabel;
    ButtonControl button, ok;
    CheckBoxControl check;
    EditControl edit;
    ComboControl combo, emptyCombo;
    TabControl tab;
    SpinEditControl spin, secondSpin, hiddenSpin;
    ColorSwatch swatch;

    std::function<void(ControlsDialog&)> onInit;   // after the controls are made
    std::function<void(ControlsDialog&)> onProbe;  // on each kProbe command
    std::vector<std::pair<int, int>> notifications;
    std::vector<ErrorValue> created;

protected:
    void OnInit() override {
        for (const Placed& placed : Controls()) {
            placed.control->SetRect(placed.rect);
            created.push_back(placed.control->Create(Window(), placed.id));
        }
        if (onInit) onInit(*this);
    }
    void OnDestroy() override {
        for (const Placed& placed : Controls()) placed.control->Destroy();
    }
    void OnCommand(int id) override {
        if (id == IDOK || id == IDCANCEL) EndModal(*this, id);
        if (id == kProbe && onProbe) onProbe(*this);
    }
    void OnNotify(int id, int code) override { notifications.emplace_back(id, code); }
};

// A window's rectangle in its parent's client coordinates.
Rect PlaceOf(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

LONG StyleOf(HWND window) { return GetWindowLongA(window, GWL_STYLE); }

TEST(ControlWrappers, CreateWindowsOfTheirKind) {
    struct Kind {
        const char* what;
        const char* className;
        LONG style;
        bool clientEdge;
    } kinds[] = {
        {"label", "Static", 0, false},
        {"button", "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, false},
        {"check box", "Button", BS_AUTOCHECKBOX | WS_TABSTOP, false},
        {"edit", "Edit", ES_AUTOHSCROLL | WS_TABSTOP, true},
        // The combo box hands WS_VSCROLL on to its list.
        {"combo box", "ComboBox", CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | CBS_HASSTRINGS | WS_TABSTOP, false},
        {"empty combo box", "ComboBox", CBS_DROPDOWNLIST | CBS_HASSTRINGS, false},
        {"tab strip", "SysTabControl32", WS_CLIPSIBLINGS | WS_TABSTOP, false},
        {"spin edit", "Edit", WS_TABSTOP, true},
        {"second spin edit", "Edit", WS_TABSTOP, true},
        {"hidden spin edit", "Edit", WS_TABSTOP, true},
        {"swatch", "Static", WS_TABSTOP, true},
        {"disabled label", "Static", 0, false},
        {"OK", "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, false},
    };
    ControlsDialog dialog;
    dialog.onInit = [&](ControlsDialog& d) {
        const std::vector<ControlsDialog::Placed> placed = d.Controls();
        ASSERT_EQ(placed.size(), std::size(kinds));
        for (size_t i = 0; i < placed.size(); ++i) {
            const Kind& kind = kinds[i];
            const HWND window = placed[i].control->Window();
            ASSERT_NE(window, nullptr) << kind.what;
            EXPECT_EQ(d.created[i], kSuccess) << kind.what;
            char className[64] = {};
            GetClassNameA(window, className, sizeof className);
            EXPECT_STRCASEEQ(className, kind.className) << kind.what;
            const LONG style = StyleOf(window);
            EXPECT_EQ(style & kind.style, kind.style) << kind.what;
            EXPECT_TRUE(style & WS_CHILD) << kind.what;
            EXPECT_EQ((style & WS_VISIBLE) != 0, placed[i].control != &d.hiddenSpin) << kind.what;
            EXPECT_EQ((style & WS_DISABLED) != 0, placed[i].control == &d.disabledLabel) << kind.what;
            EXPECT_EQ((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0, kind.clientEdge) << kind.what;
            EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)),
                      GetStockObject(DEFAULT_GUI_FONT))
                << kind.what;
            EXPECT_EQ(GetDlgCtrlID(window), placed[i].id) << kind.what;
            EXPECT_EQ(GetParent(window), d.Window()) << kind.what;
            // Placed where the rectangle scales to at the dialog's DPI.
            const Rect place = PlaceOf(window);
            ASSERT_EQ(WindowDpi(d.Window()), RunDpi());
            const Rect wanted = ScaleToDpi(placed[i].rect, RunDpi());
            EXPECT_EQ(place.left, wanted.left) << kind.what;
            EXPECT_EQ(place.top, wanted.top) << kind.what;
            // A closed combo box is shorter than its rectangle, and a spin edit gives the
            // right part of its rectangle to its spinner.
            if (!dynamic_cast<ComboControl*>(placed[i].control)) {
                EXPECT_EQ(place.bottom, wanted.bottom) << kind.what;
            }
            if (!dynamic_cast<SpinEditControl*>(placed[i].control)) {
                EXPECT_EQ(place.right, wanted.right) << kind.what;
            }
        }
        EXPECT_EQ(d.label.GetText(), "A label");
        EXPECT_EQ(d.edit.GetText(), "start");
        EXPECT_NE(d.combo.Style() & WS_VSCROLL, 0u);  // asked for; the list shows it when it needs it

        // The spinner: its own id, the edit as its buddy, within the spin edit's rectangle
        // and showing the value in the edit.
        const HWND spinner = d.spin.Spinner();
        ASSERT_NE(spinner, nullptr);
        EXPECT_EQ(GetDlgCtrlID(spinner), SpinnerIdOf(kSpin));
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(spinner, UDM_GETBUDDY, 0, 0)), d.spin.Window());
        const Rect edit = PlaceOf(d.spin.Window()), arrows = PlaceOf(spinner);
        const int dpi = RunDpi();
        EXPECT_LT(edit.right, ScaleToDpi(80, dpi));
        EXPECT_GE(arrows.left, ScaleToDpi(10, dpi));
        EXPECT_LE(arrows.right, ScaleToDpi(80, dpi));
        EXPECT_EQ(WindowTextOf(d.spin.Window()), "12");
        EXPECT_EQ(StyleOf(d.hiddenSpin.Spinner()) & WS_VISIBLE, 0);             // hidden with its edit
        EXPECT_EQ(GetDlgItem(d.Window(), kSecondSpin), d.secondSpin.Window());  // no spinner takes a control's id

        // A second Create replaces the window and keeps the state.
        const HWND before = d.combo.Window();
        d.combo.Select(3);
        EXPECT_EQ(d.combo.Create(d.Window(), kCombo), kSuccess);
        EXPECT_FALSE(IsWindow(before));
        EXPECT_EQ(SendMessageA(d.combo.Window(), CB_GETCURSEL, 0, 0), 3);
        EXPECT_EQ(d.combo.Items(), kWeekdays);
        // Show and hide: the spinner goes with its edit.
        d.spin.Show(false);
        EXPECT_EQ(StyleOf(d.spin.Window()) & WS_VISIBLE, 0);
        EXPECT_EQ(StyleOf(spinner) & WS_VISIBLE, 0);
        EXPECT_FALSE(d.spin.IsVisible());
        d.spin.Show(true);
        EXPECT_NE(StyleOf(spinner) & WS_VISIBLE, 0);
        EndModal(d, 5);
    };
    EXPECT_EQ(dialog.Run(), 5);
    EXPECT_EQ(dialog.Window(), nullptr);
    for (const ControlsDialog::Placed& placed : dialog.Controls()) EXPECT_EQ(placed.control->Window(), nullptr);
}

TEST(ControlWrappers, SelectionsAreNormalised) {
    ComboControl unmade;  // without a window the stored list decides
    unmade.SetItems(kWeekdays);
    unmade.Select(-1);
    EXPECT_EQ(unmade.Selection(), 6);
    unmade.SetItemsFromText("only");
    unmade.Select(5);
    EXPECT_EQ(unmade.Selection(), 0);

    struct Case {
        int index;
        LRESULT comboShows;
        int comboSelection;
        LRESULT tabShows;
    } cases[] = {{-1, 6, 6, 2}, {9, 2, 2, 0}, {7, 0, 0, 1}, {-8, 6, 6, 1}, {3, 3, 3, 0}};
    ControlsDialog dialog;
    dialog.onInit = [&](ControlsDialog& d) {
        for (const Case& c : cases) {
            d.combo.Select(c.index);
            EXPECT_EQ(SendMessageA(d.combo.Window(), CB_GETCURSEL, 0, 0), c.comboShows) << c.index;
            EXPECT_EQ(d.combo.Selection(), c.comboSelection) << c.index;
            d.tab.Select(c.index);
            EXPECT_EQ(SendMessageA(d.tab.Window(), TCM_GETCURSEL, 0, 0), c.tabShows) << c.index;
            d.emptyCombo.Select(c.index);
            EXPECT_EQ(SendMessageA(d.emptyCombo.Window(), CB_GETCURSEL, 0, 0), CB_ERR) << c.index;
            EXPECT_EQ(d.emptyCombo.Selection(), 0) << c.index;
        }
        // New items keep the selected index; quoted items hold blanks.
        d.combo.Select(2);
        d.combo.SetItemsFromText("\"Top 1 line\" Left-2-lines \"Title bar\" Extra");
        EXPECT_EQ(d.combo.Items(), (std::vector<std::string>{"Top 1 line", "Left-2-lines", "Title bar", "Extra"}));
        EXPECT_EQ(d.combo.Selection(), 2);
        d.tab.SetItems({"A", "B"});
        EXPECT_EQ(d.tab.Items(), (std::vector<std::string>{"A", "B"}));
        EndModal(d, 1);
    };
    EXPECT_EQ(dialog.Run(), 1);
    EXPECT_EQ(dialog.combo.Selection(), 2);
    EXPECT_EQ(dialog.combo.Items().size(), 4u);
}

TEST(ControlWrappers, KeepTheUsersValuesAfterTheDialogCloses) {
    ControlsDialog dialog;
    std::vector<int> openValues;
    dialog.onProbe = [&](ControlsDialog& d) {
        openValues = {d.spin.Value(), d.secondSpin.Value(), d.combo.Selection(), d.check.IsChecked(),
                      d.tab.Selection()};
    };
    DialogDriver driver(kTitle, [](HWND window) -> std::string {
        // As a user would: pick a weekday, tick the box, type into the edits, spin the
        // second spinner, click the second tab.
        SendMessageA(GetDlgItem(window, kCombo), CB_SETCURSEL, 4, 0);
        SendMessageA(GetDlgItem(window, kCheck), BM_CLICK, 0, 0);
        SendMessageA(GetDlgItem(window, kEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed text"));
        SendMessageA(GetDlgItem(window, kSpin), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("-5"));
        const HWND spinner = GetDlgItem(window, SpinnerIdOf(kSecondSpin));
        if (!spinner) return "no spinner";
        SendMessageA(spinner, UDM_SETPOS32, 0, -5);
        RECT second;
        const HWND tab = GetDlgItem(window, kTab);
        if (!SendMessageA(tab, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second))) return "no second tab";
        const LPARAM at = MAKELPARAM((second.left + second.right) / 2, (second.top + second.bottom) / 2);
        SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(tab, WM_LBUTTONUP, 0, at);
        SendMessageA(window, WM_COMMAND, kProbe, 0);
        DialogDriver::Press(window, IDOK);
        return "";
    });
    EXPECT_EQ(dialog.Run(), IDOK);
    const DialogReport report = driver.Finish();
    ASSERT_TRUE(report.driven) << report.failure;

    EXPECT_EQ(openValues, (std::vector<int>{-5, -5, 4, 1, 1}));
    EXPECT_EQ(dialog.spin.Value(), -5);
    EXPECT_EQ(dialog.secondSpin.Value(), -5);
    EXPECT_EQ(dialog.secondSpin.Lower(), -50);  // the range read back from the spinner
    EXPECT_EQ(dialog.secondSpin.Upper(), 50);
    EXPECT_EQ(dialog.spin.GetText(), "-5");
    EXPECT_EQ(dialog.combo.Selection(), 4);
    EXPECT_EQ(dialog.combo.Items(), kWeekdays);
    EXPECT_TRUE(dialog.check.IsChecked());
    EXPECT_EQ(dialog.edit.GetText(), "typed text");
    EXPECT_EQ(dialog.tab.Selection(), 1);
    EXPECT_EQ(dialog.tab.Items(), (std::vector<std::string>{"One", "Two", "Three"}));
    EXPECT_EQ(dialog.label.GetText(), "A label");
    const bool notified =
        std::find(dialog.notifications.begin(), dialog.notifications.end(),
                  std::make_pair(kTab, static_cast<int>(TCN_SELCHANGE))) != dialog.notifications.end();
    EXPECT_TRUE(notified);

    // A wrapper whose window cannot be made answers from what it holds.
    ComboControl orphan;
    orphan.SetItems(kWeekdays);
    orphan.Select(-2);
    EXPECT_EQ(orphan.Create(nullptr, 5), 1u);
    EXPECT_EQ(orphan.Window(), nullptr);
    EXPECT_EQ(orphan.Selection(), 5);
}

TEST(ColorSwatch, PaintsItsWholeClientAreaInItsColor) {
    struct Seen {
        COLORREF topLeft, bottomRight, middle;
    };
    std::vector<Seen> seen;
    ControlsDialog dialog;
    dialog.onProbe = [&](ControlsDialog& d) {
        const auto look = [&] {
            RECT client;
            GetClientRect(d.swatch.Window(), &client);
            HDC device = GetDC(d.swatch.Window());
            seen.push_back({GetPixel(device, 0, 0), GetPixel(device, client.right - 1, client.bottom - 1),
                            GetPixel(device, client.right / 2, client.bottom / 2)});
            ReleaseDC(d.swatch.Window(), device);
        };
        RedrawWindow(d.swatch.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        look();
        d.swatch.SetColor(PixelColor::Rgb(10, 120, 250, 200));  // the transparency is not shown
        look();
    };
    DialogDriver driver(kTitle, [](HWND window) -> std::string {
        SendMessageA(window, WM_COMMAND, kProbe, 0);
        DialogDriver::Press(window, IDOK);
        return "";
    });
    EXPECT_EQ(dialog.Run(), IDOK);
    ASSERT_TRUE(driver.Finish().driven);
    ASSERT_EQ(seen.size(), 2u);
    const COLORREF first = RGB(200, 30, 60), second = RGB(10, 120, 250);
    EXPECT_EQ(seen[0].topLeft, first);
    EXPECT_EQ(seen[0].bottomRight, first);
    EXPECT_EQ(seen[0].middle, first);
    EXPECT_EQ(seen[1].topLeft, second);
    EXPECT_EQ(seen[1].bottomRight, second);
    EXPECT_EQ(seen[1].middle, second);
    EXPECT_EQ(dialog.swatch.Color(), PixelColor::Rgb(10, 120, 250, 200));
}

TEST(ColorChooser, TitledGivesTheChosenColourOpaqueOnOk) {
    struct Case {
        int press;
        bool expectedResult;
        PixelColor expectedColor;
    } cases[] = {
        {IDOK, true, PixelColor::Rgb(10, 20, 30)},
        {IDCANCEL, false, PixelColor::Rgb(200, 100, 50, 77)},
    };
    for (const Case& c : cases) {
        ColorChoice choice;
        choice.color = PixelColor::Rgb(200, 100, 50, 77);
        choice.title = "Normal-day colour";
        std::string initial;
        DialogDriver driver(choice.title, [&](HWND window) -> std::string {
            initial = WindowTextOf(GetDlgItem(window, COLOR_RED)) + "," +
                      WindowTextOf(GetDlgItem(window, COLOR_GREEN)) + "," +
                      WindowTextOf(GetDlgItem(window, COLOR_BLUE));
            const char* typed[] = {"10", "20", "30"};
            const int ids[] = {COLOR_RED, COLOR_GREEN, COLOR_BLUE};
            for (int i = 0; i < 3; ++i) {
                const HWND edit = GetDlgItem(window, ids[i]);
                if (!edit) return "no colour edit " + std::to_string(ids[i]);
                SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed[i]));
            }
            DialogDriver::Press(window, c.press);
            return "";
        });
        EXPECT_EQ(ColorChooser(choice), c.expectedResult) << c.press;
        const DialogReport report = driver.Finish();
        EXPECT_TRUE(report.driven) << report.failure;
        EXPECT_EQ(initial, "200,100,50") << c.press;  // the initial colour, full open
        EXPECT_EQ(choice.color, c.expectedColor) << c.press;
    }
}

}  // namespace
}  // namespace tavoli
