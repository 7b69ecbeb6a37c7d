#include "dialogs/layout_measure_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "dialogs/controls_win32.h"
#include "dialogs/modal_dialog_win32.h"
#include "framework/dpi_win32.h"
#include "framework/geometry.h"

namespace tavoli {

namespace {

HFONT ControlFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

// A hidden control of the dialog for measuring, with the controls' font; destroyed with
// the probe.
class Probe {
public:
    Probe(HWND dialog, const char* className, DWORD style, DWORD extendedStyle, int width, int height) {
        window_ = CreateWindowExA(extendedStyle, className, "", WS_CHILD | style, 0, 0, width, height, dialog,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kProbeId)),
                                  reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), nullptr);
        if (window_) SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont()), FALSE);
    }
    ~Probe() {
        if (window_) DestroyWindow(window_);
    }
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;
    HWND Window() const { return window_; }

    static constexpr int kProbeId = 0xFFF0;  // above every control's and spinner's id

private:
    HWND window_ = nullptr;
};

constexpr int kProbeWidth = 200;

}  // namespace

DialogTextMeasure::DialogTextMeasure(HWND dialog) : dialog_(dialog), dpi_(WindowDpi(dialog)) {
    device_ = GetDC(dialog);
    if (device_) previousFont_ = SelectObject(device_, ControlFont());
}

DialogTextMeasure::~DialogTextMeasure() {
    if (!device_) return;
    SelectObject(device_, previousFont_);
    ReleaseDC(dialog_, device_);
}

int DialogTextMeasure::ToLayout(int pixels) const {
    if (pixels <= 0) return 0;
    if (dpi_ == kBaseDpi) return pixels;
    return (pixels * kBaseDpi + dpi_ - 1) / dpi_ + 1;
}

int DialogTextMeasure::DeviceWidth(std::string_view text) const {
    SIZE size{};
    if (!device_ || text.empty()) return 0;
    GetTextExtentPoint32A(device_, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

int DialogTextMeasure::Width(std::string_view text) const { return ToLayout(DeviceWidth(text)); }

int DialogTextMeasure::LineHeight() const {
    TEXTMETRICA metrics{};
    if (!device_ || !GetTextMetricsA(device_, &metrics)) return 0;
    return ToLayout(metrics.tmHeight);
}

ControlChrome MeasureChrome(HWND dialog, const DialogTextMeasure& measure) {
    EnsureCommonControls();
    const int dpi = measure.Dpi();
    ControlChrome chrome;
    // The box as the system draws it at this scale, and a gap of a digit's width, which
    // is more than the half digit the systems leave.
    chrome.checkBox = measure.ToLayout(SystemMetricForDpi(SM_CXMENUCHECK, dpi) + measure.DeviceWidth("0"));
    // The frame and the focus rectangle's margin, on both sides.
    chrome.button = measure.ToLayout(2 * GetSystemMetrics(SM_CXEDGE) + 2 * ScaleToDpi(3, dpi));

    {
        Probe combo(dialog, "COMBOBOX", CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL, 0, kProbeWidth, 200);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        RECT window{};
        if (combo.Window() && GetComboBoxInfo(combo.Window(), &info) && GetWindowRect(combo.Window(), &window)) {
            // The item's text stands a few pixels inside the item's rectangle.
            chrome.combo =
                measure.ToLayout(kProbeWidth - (info.rcItem.right - info.rcItem.left) + 2 * ScaleToDpi(2, dpi));
            chrome.comboClosed = measure.ToLayout(window.bottom - window.top);
            chrome.comboItem = measure.ToLayout(static_cast<int>(SendMessageA(combo.Window(), CB_GETITEMHEIGHT, 0, 0)));
        }
    }
    {
        Probe edit(dialog, "EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kProbeWidth, ScaleToDpi(20, dpi));
        if (edit.Window()) {
            const auto createUpDown = UpDownControlCreator();
            HWND spinner = createUpDown
                               ? createUpDown(WS_CHILD | WS_BORDER | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS |
                                                  UDS_NOTHOUSANDS,
                                              0, 0, 0, 0, dialog, Probe::kProbeId + 1,
                                              reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)),
                                              edit.Window(), 100, 0, 0)
                               : nullptr;
            RECT text{};
            SendMessageA(edit.Window(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
            // What the edit's text may not use of its rectangle once the spinner took its
            // share, and the caret.
            chrome.spinEdit = measure.ToLayout(kProbeWidth - (text.right - text.left) + ScaleToDpi(2, dpi));
            if (spinner) DestroyWindow(spinner);
        }
    }
    {
        const int height = ScaleToDpi(100, dpi);
        Probe box(dialog, "EDIT", ES_MULTILINE | WS_VSCROLL, WS_EX_CLIENTEDGE, kProbeWidth, height);
        if (box.Window()) {
            RECT text{};
            SendMessageA(box.Window(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
            // What the lines may not use of the box: its frame, margins and scroll bar.
            chrome.textBox = measure.ToLayout(kProbeWidth - (text.right - text.left) + ScaleToDpi(2, dpi));
            chrome.textBoxFrame = measure.ToLayout(height - (text.bottom - text.top) + ScaleToDpi(2, dpi));
        }
    }
    {
        Probe tab(dialog, "SysTabControl32", 0, 0, kProbeWidth * 4, 100);
        if (tab.Window()) {
            const std::string wide = "WWWWWWWWWW";
            const char* labels[] = {"", wide.c_str()};
            RECT items[2] = {};
            for (int i = 0; i < 2; ++i) {
                TCITEMA item = {};
                item.mask = TCIF_TEXT;
                item.pszText = const_cast<char*>(labels[i]);
                SendMessageA(tab.Window(), TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
            }
            for (int i = 0; i < 2; ++i) {
                SendMessageA(tab.Window(), TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&items[i]));
            }
            chrome.tabMinimum = measure.ToLayout(items[0].right - items[0].left);
            chrome.tabPadding = measure.ToLayout(items[1].right - items[1].left - measure.DeviceWidth(wide));
            // The row's indent on both sides, and the chosen tab standing out beyond it.
            chrome.tabEdges = measure.ToLayout(2 * items[0].left + ScaleToDpi(4, dpi));
        }
    }
    return chrome;
}

FittedLayout FitDialog(HWND dialog, const DialogLayout& layout, const ControlContents& contents) {
    const DialogTextMeasure measure(dialog);
    const FittedLayout fitted = FitLayoutToTexts(layout, contents, measure, MeasureChrome(dialog, measure));

    const int dpi = measure.Dpi();
    RECT client{};
    GetClientRect(dialog, &client);
    const int width = std::max<int>(client.right, ScaleToDpi(fitted.client.width, dpi));
    const int height = std::max<int>(client.bottom, ScaleToDpi(fitted.client.height, dpi));
    if (width != client.right || height != client.bottom) SetClientSizeAroundCentre(dialog, width, height);
    return fitted;
}

}  // namespace tavoli
