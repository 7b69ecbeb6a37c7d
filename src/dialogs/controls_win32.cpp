#include "dialogs/controls_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <new>

#include "dialogs/control_rules.h"
#include "dialogs/memo_text.h"
#include "framework/dpi_win32.h"
#include "framework/lang_text.h"
#include "framework/system_library_win32.h"

namespace tavoli {

namespace {

HINSTANCE InstanceOf(HWND window) { return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)); }

// The common controls, loaded for the first dialog that has some rather than at every
// start, with their classes registered; looked up once, so a failure is told once.
struct CommonControls {
    decltype(&CreateUpDownControl) createUpDown = nullptr;
};

const CommonControls& CommonControlsOnce() {
    static const CommonControls controls = [] {
        CommonControls found;
        const auto initialize = SystemFunction<decltype(&InitCommonControlsEx)>("comctl32.dll", "InitCommonControlsEx");
        if (!initialize) return found;
        INITCOMMONCONTROLSEX classes = {};
        classes.dwSize = sizeof classes;
        classes.dwICC = ICC_UPDOWN_CLASS | ICC_TAB_CLASSES | ICC_BAR_CLASSES;  // the bar classes hold the tips
        initialize(&classes);
        found.createUpDown = SystemFunction<decltype(&CreateUpDownControl)>("comctl32.dll", "CreateUpDownControl");
        return found;
    }();
    return controls;
}

}  // namespace

void EnsureCommonControls() { CommonControlsOnce(); }

decltype(&CreateUpDownControl) UpDownControlCreator() { return CommonControlsOnce().createUpDown; }

HWND MakeLayoutControl(HWND dialog, const DialogLayout& layout, const char* className, DWORD style, DWORD extendedStyle,
                       int id, const std::string& text) {
    const ControlSpec* spec = layout.Find(id);
    const Rect r = ScaleToDpi(spec ? spec->rect : Rect{}, WindowDpi(dialog));
    HWND control = CreateWindowExA(extendedStyle, className, text.c_str(), style, r.left, r.top, r.Width(), r.Height(),
                                   dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), nullptr);
    if (control) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

std::string WindowTextOf(HWND window) {
    const int length = GetWindowTextLengthA(window);
    if (length <= 0) return {};
    try {
        std::string text(static_cast<size_t>(length) + 1, '\0');
        const int copied = GetWindowTextA(window, text.data(), length + 1);
        text.resize(static_cast<size_t>(std::clamp(copied, 0, length)));
        return text;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

void FocusFirstField(HWND control) {
    if (!control) return;
    SetFocus(control);
    char className[16] = {};
    GetClassNameA(control, className, sizeof className);
    if (lstrcmpiA(className, "Edit") == 0) SendMessageA(control, EM_SETSEL, 0, -1);
}

// --- DialogControl

DialogControl::~DialogControl() { DialogControl::Destroy(); }

DWORD DialogControl::Style() const {
    return KindStyle() | WS_CHILD | (visible_ ? WS_VISIBLE : 0) | (enabled_ ? 0 : WS_DISABLED);
}

ErrorValue DialogControl::Create(HWND parent, int id) {
    if (window_) Destroy();  // the kind's own Destroy: its state is kept for the new window
    dpi_ = WindowDpi(parent);
    const Rect r = ScaleToDpi(rect_, dpi_);
    window_ = CreateWindowExA(extendedStyle_, className_.c_str(), text_.c_str(), Style(), r.left, r.top, r.Width(),
                              r.Height(), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), InstanceOf(parent),
                              nullptr);
    if (!window_) return 1;
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    if (!accessibleName_.name.empty()) AnswerScreenReaders(window_, *this);
    return kSuccess;
}

ErrorValue DialogControl::Destroy() {
    if (!window_) return kSuccess;
    // A window that its parent took along is gone already: the stored text stays.
    if (IsWindow(window_)) {
        text_ = CutText(WindowTextOf(window_));
        DestroyWindow(window_);
    }
    window_ = nullptr;
    return kSuccess;
}

void DialogControl::Show(bool visible) {
    visible_ = visible;
    if (window_) ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}

void DialogControl::SetText(std::string text) {
    text_ = std::move(text);
    if (window_) SetWindowTextA(window_, text_.c_str());
}

std::string DialogControl::GetText() const { return window_ ? CutText(WindowTextOf(window_)) : text_; }

std::string DialogControl::CutText(std::string text) const {
    return wholeText_ ? text : std::string(CutAtCharacter(text, kMaxControlTextBytes));
}

void DialogControl::SetRect(const Rect& rect) {
    rect_ = rect;
    const Rect r = ScaleToDpi(rect, dpi_);
    if (window_) MoveWindow(window_, r.left, r.top, r.Width(), r.Height(), TRUE);
}

void DialogControl::Enable(bool enabled) {
    enabled_ = enabled;
    if (window_) EnableWindow(window_, enabled ? TRUE : FALSE);
}

// --- CheckBoxControl

ErrorValue CheckBoxControl::Create(HWND parent, int id) {
    const ErrorValue error = DialogControl::Create(parent, id);
    if (error == kSuccess) SendMessageA(Window(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
    return error;
}

ErrorValue CheckBoxControl::Destroy() {
    if (Window()) checked_ = IsChecked();
    return DialogControl::Destroy();
}

bool CheckBoxControl::IsChecked() const {
    return Window() ? SendMessageA(Window(), BM_GETCHECK, 0, 0) == BST_CHECKED : checked_;
}

void CheckBoxControl::SetChecked(bool checked) {
    checked_ = checked;
    if (Window()) SendMessageA(Window(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// --- ComboControl

ErrorValue ComboControl::Create(HWND parent, int id) {
    const ErrorValue error = DialogControl::Create(parent, id);
    if (error != kSuccess) return error;
    for (const std::string& item : items_)
        SendMessageA(Window(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageA(Window(), CB_SETCURSEL, static_cast<WPARAM>(selected_), 0);
    return kSuccess;
}

ErrorValue ComboControl::Destroy() {
    if (Window()) {
        items_ = Items();
        selected_ = Selection();
    }
    return DialogControl::Destroy();
}

void ComboControl::SetItems(std::vector<std::string> items) {
    items_ = std::move(items);
    if (!Window()) return;
    selected_ = Selection();
    SendMessageA(Window(), CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items_)
        SendMessageA(Window(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageA(Window(), CB_SETCURSEL, static_cast<WPARAM>(selected_), 0);
}

void ComboControl::SetItemsFromText(std::string_view text) { SetItems(SplitItems(text)); }

std::vector<std::string> ComboControl::Items() const {
    if (!Window()) return items_;
    std::vector<std::string> items;
    const LRESULT count = SendMessageA(Window(), CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageA(Window(), CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::string item(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, '\0');
        const LRESULT copied =
            SendMessageA(Window(), CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
        item.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, std::max<LRESULT>(length, 0))));
        items.push_back(std::move(item));
    }
    return items;
}

int ComboControl::Selection() const {
    if (!Window()) return selected_;
    const LRESULT selected = SendMessageA(Window(), CB_GETCURSEL, 0, 0);
    return selected < 0 ? 0 : static_cast<int>(selected);
}

void ComboControl::Select(int index) {
    const size_t count =
        Window() ? static_cast<size_t>(std::max<LRESULT>(SendMessageA(Window(), CB_GETCOUNT, 0, 0), 0)) : items_.size();
    selected_ = NormalizeSelection(index, count);
    if (Window()) SendMessageA(Window(), CB_SETCURSEL, static_cast<WPARAM>(selected_), 0);
}

// --- TabControl

namespace {

void InsertTabs(HWND window, const std::vector<std::string>& labels) {
    for (size_t i = 0; i < labels.size(); ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(labels[i].c_str());
        SendMessageA(window, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
}

}  // namespace

ErrorValue TabControl::Create(HWND parent, int id) {
    EnsureCommonControls();
    const ErrorValue error = DialogControl::Create(parent, id);
    if (error != kSuccess) return error;
    InsertTabs(Window(), labels_);
    SendMessageA(Window(), TCM_SETCURSEL, static_cast<WPARAM>(selected_), 0);
    return kSuccess;
}

ErrorValue TabControl::Destroy() {
    if (Window()) {
        labels_ = Items();
        selected_ = Selection();
    }
    return DialogControl::Destroy();
}

void TabControl::SetItems(std::vector<std::string> labels) {
    labels_ = std::move(labels);
    if (!Window()) return;
    selected_ = Selection();
    SendMessageA(Window(), TCM_DELETEALLITEMS, 0, 0);
    InsertTabs(Window(), labels_);
    SendMessageA(Window(), TCM_SETCURSEL, static_cast<WPARAM>(selected_), 0);
}

std::vector<std::string> TabControl::Items() const {
    if (!Window()) return labels_;
    std::vector<std::string> labels;
    const LRESULT count = SendMessageA(Window(), TCM_GETITEMCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char buffer[kMaxControlTextBytes + 1] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        if (!SendMessageA(Window(), TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item))) return {};
        labels.push_back(std::string(CutAtCharacter(item.pszText, kMaxControlTextBytes)));
    }
    return labels;
}

int TabControl::Selection() const {
    if (!Window()) return selected_;
    const LRESULT selected = SendMessageA(Window(), TCM_GETCURSEL, 0, 0);
    return selected < 0 ? 0 : static_cast<int>(selected);
}

void TabControl::Select(int index) {
    const size_t count = Window()
                             ? static_cast<size_t>(std::max<LRESULT>(SendMessageA(Window(), TCM_GETITEMCOUNT, 0, 0), 0))
                             : labels_.size();
    selected_ = NormalizeSelection(index, count);
    if (Window()) SendMessageA(Window(), TCM_SETCURSEL, static_cast<WPARAM>(selected_), 0);
}

// --- SpinEditControl

SpinEditControl::~SpinEditControl() {
    if (spinner_ && IsWindow(spinner_)) DestroyWindow(spinner_);
}

ErrorValue SpinEditControl::Create(HWND parent, int id) {
    const ErrorValue error = DialogControl::Create(parent, id);
    if (error != kSuccess) return error;
    // The spinner follows the edit's visibility and state, so that a spin edit made on a
    // hidden page does not show its arrows there.
    const DWORD style = WS_CHILD | WS_BORDER | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS |
                        (IsVisible() ? WS_VISIBLE : 0) | (IsEnabled() ? 0 : WS_DISABLED);
    // Without the common controls the edit stays, without its arrows.
    const auto createUpDown = CommonControlsOnce().createUpDown;
    if (!createUpDown) return 1;
    spinner_ =
        createUpDown(style, 0, 0, 0, 0, parent, SpinnerIdOf(id), InstanceOf(parent), Window(), upper_, lower_, value_);
    return spinner_ ? kSuccess : 1;
}

ErrorValue SpinEditControl::Destroy() {
    if (spinner_) {
        if (IsWindow(spinner_)) {
            value_ = Value();
            const auto range = static_cast<uint32_t>(SendMessageA(spinner_, UDM_GETRANGE, 0, 0));
            upper_ = SignedSpinnerWord(range);        // the low word holds the maximum
            lower_ = SignedSpinnerWord(range >> 16);  // the high word the minimum
            DestroyWindow(spinner_);
        }
        spinner_ = nullptr;
    }
    return DialogControl::Destroy();
}

void SpinEditControl::Show(bool visible) {
    DialogControl::Show(visible);
    if (spinner_) ShowWindow(spinner_, visible ? SW_SHOW : SW_HIDE);
}

DWORD SpinEditControl::KindStyle() const {
    return DialogControl::KindStyle() | ES_AUTOHSCROLL | (lower_ >= 0 ? ES_NUMBER : 0);
}

int SpinEditControl::Value() const {
    if (!spinner_ || !Window()) return value_;
    // The spinner ignores a typed number outside its range and keeps its old position,
    // which would put another number in the typed one's place: the text decides.
    return SpinTextValue(WindowTextOf(Window()), lower_, upper_);
}

void SpinEditControl::ShowValueTaken(HWND dialog, HWND edit) {
    HWND spinner = GetDlgItem(dialog, SpinnerIdOf(GetDlgCtrlID(edit)));
    if (!spinner || reinterpret_cast<HWND>(SendMessageA(spinner, UDM_GETBUDDY, 0, 0)) != edit) return;
    INT lower = 0, upper = 0;
    SendMessageA(spinner, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
    const std::string text = WindowTextOf(edit);
    const int value = SpinTextValue(text, std::min(lower, upper), std::max(lower, upper));
    if (text == std::to_string(value)) return;
    SendMessageA(spinner, UDM_SETPOS32, 0, value);
    SetWindowTextA(edit, std::to_string(value).c_str());
}

void SpinEditControl::SetValue(int value) {
    value_ = value;
    if (spinner_) SendMessageA(spinner_, UDM_SETPOS, 0, MAKELPARAM(SpinnerWord(value), 0));
}

void SpinEditControl::SetBounds(int lower, int upper) {
    lower_ = lower;
    upper_ = upper;
    if (spinner_) SendMessageA(spinner_, UDM_SETRANGE, 0, MAKELPARAM(SpinnerWord(upper), SpinnerWord(lower)));
}

// --- ColorSwatch

ColorSwatch::~ColorSwatch() { ColorSwatch::Destroy(); }

ErrorValue ColorSwatch::Create(HWND parent, int id) {
    const ErrorValue error = DialogControl::Create(parent, id);
    if (error == kSuccess) {
        // The user data names this wrapper before its procedure takes the window's messages.
        SetWindowLongPtrA(Window(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        replaced_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(Window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
        InvalidateRect(Window(), nullptr, TRUE);
    }
    return error;
}

ErrorValue ColorSwatch::Destroy() {
    if (Window() && IsWindow(Window()) && replaced_) {
        SetWindowLongPtrA(Window(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(replaced_));
        SetWindowLongPtrA(Window(), GWLP_USERDATA, 0);
    }
    replaced_ = nullptr;
    return DialogControl::Destroy();
}

void ColorSwatch::SetColor(PixelColor color) {
    color_ = color;
    if (!Window()) return;
    InvalidateRect(Window(), nullptr, TRUE);
    UpdateWindow(Window());
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, Window(), OBJID_CLIENT, CHILDID_SELF);
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, Window(), OBJID_CLIENT, CHILDID_SELF);
}

std::string ColorSwatch::AccessibleName() const {
    const std::string row = DialogControl::AccessibleName();
    return row.empty() ? row : row + ResolveText(": \tja:：") + ColorWords(color_);
}

LRESULT CALLBACK ColorSwatch::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const ColorSwatch* swatch = reinterpret_cast<const ColorSwatch*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!swatch || !swatch->replaced_) return DefWindowProcA(window, message, wParam, lParam);
    const LRESULT result = CallWindowProcA(swatch->replaced_, window, message, wParam, lParam);
    if (message == WM_PAINT) swatch->Paint(window);
    return result;
}

void ColorSwatch::Paint(HWND window) const {
    RECT client;
    GetClientRect(window, &client);
    HDC device = GetDC(window);
    if (!device) return;
    HBRUSH brush = CreateSolidBrush(RGB(color_.red, color_.green, color_.blue));
    HGDIOBJ oldBrush = SelectObject(device, brush);
    HGDIOBJ oldPen = SelectObject(device, GetStockObject(NULL_PEN));
    // Without a pen the rectangle leaves its right and bottom edges out: one pixel more
    // each way fills the whole client area.
    Rectangle(device, client.left, client.top, client.right + 1, client.bottom + 1);
    SelectObject(device, oldPen);
    SelectObject(device, oldBrush);
    DeleteObject(brush);
    ReleaseDC(window, device);
}

// --- Placing controls from layout tables

ErrorValue PlaceControl(DialogControl& control, const ControlSpec& spec, HWND dialog) {
    control.SetText(spec.Text());
    control.SetRect(spec.rect);
    return control.Create(dialog, spec.id);
}

ErrorValue PlaceControl(SpinEditControl& control, const ControlSpec& spec, HWND dialog) {
    control.SetBounds(spec.lower, spec.upper);
    return PlaceControl(static_cast<DialogControl&>(control), spec, dialog);
}

}  // namespace tavoli
