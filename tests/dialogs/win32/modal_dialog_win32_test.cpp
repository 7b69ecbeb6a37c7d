// The modal dialog base for real: the template's size and caption, the dispatch of
// commands, close requests and timer messages, and the codes a dialog ends with.
#include <windows.h>

#include <gtest/gtest.h>

#include "dialogs/dialog_layout.h"
#include "dialogs/modal_dialog_win32.h"
#include "framework/dpi_win32.h"
#include "framework/lang_text.h"
#include "framework/platform.h"
#include "support/dialog_driver_win32.h"
#include "support/run_dpi_win32.h"

namespace tavoli {
namespace {

class ProbeDialog : public ModalDialog {
public:
    bool endAtInit = false;
    bool refuseFirstClose = false;
    int inits = 0, destroys = 0, closes = 0;
    std::vector<int> commands;
    std::vector<HWND> sources;
    HWND windowAtDestroy = nullptr;
    Size client;
    Size expectedUnits;  // dialog units to measure with MapDialogRect at OnInit
    Size mapped;
    DialogBaseUnits units;

protected:
    void OnInit() override {
        ++inits;
        RECT r;
        GetClientRect(Window(), &r);
        client = {r.right, r.bottom};
        RECT base = {0, 0, 4, 8};
        MapDialogRect(Window(), &base);
        units = {base.right, base.bottom};
        RECT size = {0, 0, expectedUnits.width, expectedUnits.height};
        MapDialogRect(Window(), &size);
        mapped = {size.right, size.bottom};
        if (endAtInit) EndModal(*this, 9);
    }
    void OnDestroy() override {
        ++destroys;
        windowAtDestroy = Window();
    }
    void OnCommandFrom(int id, HWND control) override {
        sources.push_back(control);
        ModalDialog::OnCommandFrom(id, control);
    }
    void OnCommand(int id) override {
        commands.push_back(id);
        if (id < 100) EndModal(*this, id);
    }
    int OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM) override {
        if (message == WM_CLOSE) return refuseFirstClose && ++closes == 1 ? 1 : 0;
        if (message == WM_TIMER && wParam == 7) EndModal(*this, 70);
        return 0;
    }
};

TEST(RunModal, SizesInDialogUnitsAreClamped) {
    struct Case {
        int width, height;
        Size expected;  // dialog units
    } cases[] = {{20, 300, {32, 256}}, {100, 36, {100, 36}}, {106, 106, {106, 106}}, {300, 10, {256, 32}}};
    for (const Case& c : cases) {
        ProbeDialog dialog;
        dialog.endAtInit = true;
        dialog.expectedUnits = c.expected;
        EXPECT_EQ(RunModal(dialog, c.width, c.height), 9);
        // At 96 DPI the client area is the clamped size as the system maps it, and as the
        // portable mapping computes it from the dialog's base units; at another scale, the
        // size at the smallest units, scaled like the controls.
        const int dpi = WindowDpi(nullptr);
        ASSERT_EQ(dpi, RunDpi());
        if (dpi == kBaseDpi) {
            EXPECT_EQ(dialog.client, dialog.mapped) << c.width << " x " << c.height;
            EXPECT_EQ(dialog.client, DialogClientSize(c.expected.width, c.expected.height, dialog.units))
                << c.width << " x " << c.height << " in units " << dialog.units.x << " x " << dialog.units.y;
        } else {
            const Size smallest = DialogClientSize(c.expected.width, c.expected.height, kSmallestBaseUnits);
            EXPECT_EQ(dialog.client, (Size{ScaleToDpi(smallest.width, dpi), ScaleToDpi(smallest.height, dpi)}))
                << c.width << " x " << c.height << " at " << dpi;
        }
        EXPECT_EQ(dialog.inits, 1);
        EXPECT_EQ(dialog.destroys, 1);
        if (c.width == 20) std::printf("[ dialogs  ] base units %d x %d\n", dialog.units.x, dialog.units.y);
    }
}

TEST(RunModal, CaptionDispatchAndResults) {
    struct Case {
        const char* what;
        std::function<void(HWND)> act;
        int expected;
        std::vector<int> commands;
        bool refuseFirstClose;
    } cases[] = {
        {"OK", [](HWND w) { DialogDriver::Press(w, IDOK); }, 1, {1}, false},
        {"Cancel", [](HWND w) { DialogDriver::Press(w, IDCANCEL); }, 2, {2}, false},
        {"a command",
         [](HWND w) {
             PostMessageA(w, WM_COMMAND, MAKEWPARAM(150, 0), 0);  // kept open: ids from 100 on
             PostMessageA(w, WM_COMMAND, MAKEWPARAM(42, BN_CLICKED), reinterpret_cast<LPARAM>(w));
         },
         42,
         {150, 42},
         false},
        {"the close box", [](HWND w) { PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0); }, 0, {}, false},
        {"a close refused once",
         [](HWND w) {
             PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
             PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
         },
         0,
         {},
         true},
        {"a timer", [](HWND w) { PostMessageA(w, WM_TIMER, 7, 0); }, 70, {}, false},
    };
    const std::string caption = ResolveText("Probe of jumps\tja:移動の試験");
    // An owner that the modal loop disables while the dialog runs.
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    for (const Case& c : cases) {
        ProbeDialog dialog;
        dialog.SetCaption(caption);
        dialog.SetOwner(owner);
        dialog.refuseFirstClose = c.refuseFirstClose;
        std::wstring title;
        LONG style = 0;
        bool ownerEnabled = true;
        HWND ownerSeen = nullptr;
        DialogDriver driver(caption, [&](HWND window) -> std::string {
            wchar_t buffer[64] = {};
            GetWindowTextW(window, buffer, 64);
            title = buffer;
            style = GetWindowLongA(window, GWL_STYLE);
            ownerSeen = GetWindow(window, GW_OWNER);
            ownerEnabled = IsWindowEnabled(owner);
            c.act(window);
            return "";
        });
        EXPECT_EQ(RunModal(dialog, 100, 50), c.expected) << c.what;
        const DialogReport report = driver.Finish();
        ASSERT_TRUE(report.driven) << c.what << ": " << report.failure;
        const std::u16string wide = WideFromAnsi(caption);
        EXPECT_EQ(title, std::wstring(wide.begin(), wide.end())) << c.what;
        const LONG wanted = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        EXPECT_EQ(style & wanted, wanted) << c.what;
        EXPECT_EQ(ownerSeen, owner) << c.what;
        EXPECT_FALSE(ownerEnabled) << c.what;
        EXPECT_EQ(dialog.commands, c.commands) << c.what;
        if (c.expected == 42) {
            EXPECT_EQ(dialog.sources, (std::vector<HWND>{nullptr, dialog.windowAtDestroy}));  // the sender, if any
        }
        EXPECT_EQ(dialog.closes, c.refuseFirstClose ? 2 : 0) << c.what;
        EXPECT_EQ(dialog.inits, 1) << c.what;
        EXPECT_EQ(dialog.destroys, 1) << c.what;
        EXPECT_NE(dialog.windowAtDestroy, nullptr) << c.what;  // OnDestroy still sees its window
        EXPECT_EQ(dialog.Window(), nullptr) << c.what;
        EXPECT_TRUE(IsWindowEnabled(owner)) << c.what;
    }
    DestroyWindow(owner);

    ProbeDialog idle;
    EndModal(idle, 3);  // not running: nothing happens
    EXPECT_FALSE(idle.Running());
    EXPECT_TRUE(idle.commands.empty());
}

TEST(WideFromAnsi, ConvertsFromTheSystemCodePage) {
    EXPECT_EQ(WideFromAnsi(""), u"");
    EXPECT_EQ(WideFromAnsi("Jump"), u"Jump");
    if (SystemPlatform().AnsiCodePage() == kCodePageJapanese) {
        EXPECT_EQ(WideFromAnsi("\x88\xda\x93\xae"), u"\u79fb\u52d5");  // 移動
        EXPECT_EQ(WideFromAnsi(AnsiFromUtf8("バージョン情報")), u"バージョン情報");
    } else {
        EXPECT_EQ(WideFromAnsi("\xe9t\xe9"), u"\u00e9t\u00e9");
    }
}

}  // namespace
}  // namespace tavoli
