#include "shell/accessible_win32.h"

#include <algorithm>
#include <string>

#include "framework/accessibility_win32.h"
#include "shell/main_model.h"
#include "view/accessible_tree.h"

namespace tavoli {

namespace {

HRESULT Text(const std::string& text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = AccessibleText(text);
    return *out ? S_OK : S_FALSE;
}

void SetChild(VARIANT* out, int child) {
    out->vt = VT_I4;
    out->lVal = child;
}

DWORD RoleOf(AccessibleRole role) {
    switch (role) {
    case AccessibleRole::kPushButton: return ROLE_SYSTEM_PUSHBUTTON;
    case AccessibleRole::kStaticText: return ROLE_SYSTEM_STATICTEXT;
    case AccessibleRole::kColumnHeader: return ROLE_SYSTEM_COLUMNHEADER;
    case AccessibleRole::kRowHeader: return ROLE_SYSTEM_ROWHEADER;
    case AccessibleRole::kCell: return ROLE_SYSTEM_CELL;
    case AccessibleRole::kGrouping: return ROLE_SYSTEM_GROUPING;
    }
    return ROLE_SYSTEM_CELL;
}

DWORD StatesOf(uint32_t states) {
    static const struct {
        uint32_t state;
        DWORD system;
    } kStates[] = {{kAccessibleFocusable, STATE_SYSTEM_FOCUSABLE},   {kAccessibleSelectable, STATE_SYSTEM_SELECTABLE},
                   {kAccessibleFocused, STATE_SYSTEM_FOCUSED},       {kAccessibleSelected, STATE_SYSTEM_SELECTED},
                   {kAccessibleHotTracked, STATE_SYSTEM_HOTTRACKED}, {kAccessiblePressed, STATE_SYSTEM_PRESSED}};
    DWORD system = 0;
    for (const auto& s : kStates) system |= (states & s.state) ? s.system : 0;
    return system;
}

}  // namespace

// The client area's object. The items are made afresh from the view at every question
// (a tree without names is a few dozen cells); what concerns the area as a whole (its
// parent, place and states) is the system's own object's answer.
class CalendarAccessible final : public AccessibleObject<CalendarAccessible> {
public:
    CalendarAccessible(HWND window, MainModel& model) : window_(window), model_(&model) {}

    void Disconnect() {
        window_ = nullptr;
        model_ = nullptr;
        if (standard_) standard_->Release();
        standard_ = nullptr;
    }

    // IDispatch: readers call the interface directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        IAccessible* standard = Standard();
        return standard ? standard->get_accParent(parent) : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (!count) return E_POINTER;
        if (!window_) return RPC_E_DISCONNECTED;
        CalendarView* view = model_->View();
        *count = view ? AccessibleTree(*view).ChildCount() : 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;  // the items are plain children of this object
        int number = 0;
        return ItemOf(child, number) && number != 0 ? S_FALSE : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!name) return E_POINTER;
        *name = nullptr;
        return Ask(
            child, [&](const AccessibleTree& tree, int n) { return Text(tree.NameOf(n), name); },
            [&](IAccessible* standard) {
                // The whole is named after the month it shows.
                CalendarView* view = model_->View();
                return view ? Text(AccessibleTree(*view).Name(), name) : standard->get_accName(child, name);
            });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!value) return E_POINTER;
        *value = nullptr;
        return Ask(
            child, [](const AccessibleTree&, int) { return DISP_E_MEMBERNOTFOUND; },
            [&](IAccessible* standard) { return standard->get_accValue(child, value); });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        if (!description) return E_POINTER;
        *description = nullptr;
        return Ask(
            child, [&](const AccessibleTree& tree, int n) { return Text(tree.DescriptionOf(n), description); },
            [&](IAccessible* standard) { return standard->get_accDescription(child, description); });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!role) return E_POINTER;
        Empty(role);
        return Ask(
            child,
            [&](const AccessibleTree& tree, int n) {
                role->vt = VT_I4;
                role->lVal = static_cast<LONG>(RoleOf(tree.Child(n)->role));
                return S_OK;
            },
            [&](IAccessible*) {
                // Days in rows under named columns.
                role->vt = VT_I4;
                role->lVal = ROLE_SYSTEM_TABLE;
                return S_OK;
            });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (!state) return E_POINTER;
        Empty(state);
        return Ask(
            child,
            [&](const AccessibleTree& tree, int n) {
                state->vt = VT_I4;
                state->lVal = static_cast<LONG>(StatesOf(tree.Child(n)->states));
                // The cursor's day has the focus only while the window has it, as
                // get_accFocus and the focus event say.
                if (GetFocus() != window_) state->lVal &= ~static_cast<LONG>(STATE_SYSTEM_FOCUSED);
                return S_OK;
            },
            [&](IAccessible* standard) { return standard->get_accState(child, state); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override {
        if (help) *help = nullptr;
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
        if (file) *file = nullptr;
        if (topic) *topic = 0;
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        if (!shortcut) return E_POINTER;
        *shortcut = nullptr;
        return Ask(
            child, [](const AccessibleTree&, int) { return DISP_E_MEMBERNOTFOUND; },
            [&](IAccessible* standard) { return standard->get_accKeyboardShortcut(child, shortcut); });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (!focus) return E_POINTER;
        Empty(focus);
        if (!window_) return RPC_E_DISCONNECTED;
        CalendarView* view = model_->View();
        if (!view || GetFocus() != window_) return S_FALSE;
        SetChild(focus, AccessibleTree(*view).CursorChild());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (!selection) return E_POINTER;
        Empty(selection);
        if (!window_) return RPC_E_DISCONNECTED;
        CalendarView* view = model_->View();
        const int cursor = view ? AccessibleTree(*view).CursorChild() : 0;
        if (cursor == 0) return S_FALSE;
        SetChild(selection, cursor);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!action) return E_POINTER;
        *action = nullptr;
        return Ask(
            child, [&](const AccessibleTree& tree, int n) { return Text(tree.DefaultActionOf(n), action); },
            [&](IAccessible* standard) { return standard->get_accDefaultAction(child, action); });
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        int number = 0;
        if (!ItemOf(child, number) || number == 0) return window_ ? E_INVALIDARG : RPC_E_DISCONNECTED;
        if (!(flags & (SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION))) return S_FALSE;
        return model_->OnAccessibleSelect(number) ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        *left = *top = *width = *height = 0;
        return Ask(
            child,
            [&](const AccessibleTree& tree, int n) {
                const Rect& r = tree.Child(n)->rect;
                POINT corner{r.left, r.top};
                ClientToScreen(window_, &corner);
                *left = corner.x;
                *top = corner.y;
                *width = r.Width();
                *height = r.Height();
                return S_OK;
            },
            [&](IAccessible* standard) { return standard->accLocation(left, top, width, height, child); });
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        if (!end) return E_POINTER;
        Empty(end);
        int from = 0;
        if (!ItemOf(start, from)) return window_ ? E_INVALIDARG : RPC_E_DISCONNECTED;
        const bool intoChildren = direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD;
        if (from == 0 && !intoChildren) {
            // The area's own neighbours are the window's business.
            IAccessible* standard = Standard();
            return standard ? standard->accNavigate(direction, start, end) : S_FALSE;
        }
        CalendarView* view = model_->View();
        if (!view) return S_FALSE;
        const AccessibleTree tree(*view);
        int to = 0;
        if (from == 0) {
            to = direction == NAVDIR_FIRSTCHILD ? std::min(1, tree.ChildCount()) : tree.ChildCount();
        } else {
            // In reading order, or to the item beside this one on the screen.
            const Rect& r = tree.Child(from)->rect;
            const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
            switch (direction) {
            case NAVDIR_NEXT: to = from < tree.ChildCount() ? from + 1 : 0; break;
            case NAVDIR_PREVIOUS: to = from - 1; break;
            case NAVDIR_LEFT: to = tree.ChildAt({r.left - 1, y}); break;
            case NAVDIR_RIGHT: to = tree.ChildAt({r.right, y}); break;
            case NAVDIR_UP: to = tree.ChildAt({x, r.top - 1}); break;
            case NAVDIR_DOWN: to = tree.ChildAt({x, r.bottom}); break;
            default: return E_INVALIDARG;
            }
        }
        if (to == 0) return S_FALSE;
        SetChild(end, to);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
        if (!hit) return E_POINTER;
        Empty(hit);
        if (!window_) return RPC_E_DISCONNECTED;
        POINT point{x, y};
        RECT client{};
        ScreenToClient(window_, &point);
        GetClientRect(window_, &client);
        if (!PtInRect(&client, point)) return S_FALSE;
        CalendarView* view = model_->View();
        SetChild(hit, view ? AccessibleTree(*view).ChildAt({point.x, point.y}) : CHILDID_SELF);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        int number = 0;
        if (!ItemOf(child, number)) return window_ ? E_INVALIDARG : RPC_E_DISCONNECTED;
        return number != 0 && model_->OnAccessibleAction(number) ? S_OK : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    friend class AccessibleObject<CalendarAccessible>;
    ~CalendarAccessible() { Disconnect(); }

    // An [out] VARIANT holds nothing yet: it is written, never freed.
    static void Empty(VARIANT* v) { v->vt = VT_EMPTY; }

    // The item a VARIANT names: true with its number (0 for the whole) when it exists.
    bool ItemOf(const VARIANT& child, int& number) const {
        if (!window_ || child.vt != VT_I4) return false;
        number = child.lVal;
        if (number == CHILDID_SELF) return true;
        CalendarView* view = model_->View();
        return view && number > 0 && number <= AccessibleTree(*view).ChildCount();
    }

    // Answers a question about an item from the tree, and one about the whole from the
    // system's own object.
    template <class AboutItem, class AboutWhole>
    HRESULT Ask(const VARIANT& child, AboutItem item, AboutWhole whole) {
        int number = 0;
        if (!ItemOf(child, number)) return window_ ? E_INVALIDARG : RPC_E_DISCONNECTED;
        if (number != 0) return item(AccessibleTree(*model_->View()), number);
        IAccessible* standard = Standard();
        return standard ? whole(standard) : E_FAIL;
    }

    IAccessible* Standard() {
        if (window_ && !standard_) standard_ = StandardAccessible(window_);
        return standard_;
    }

    HWND window_;
    MainModel* model_;
    IAccessible* standard_ = nullptr;
};

LRESULT AccessibleCalendar::Answer(HWND window, MainModel& model, WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT)) return 0;
    if (!object_) object_ = new CalendarAccessible(window, model);
    return HandOverAccessible(object_, wParam);
}

void AccessibleCalendar::Disconnect() {
    if (!object_) return;
    object_->Disconnect();
    DisconnectAccessible(object_);
    object_->Release();
    object_ = nullptr;
}

void AccessibleCalendar::RaiseFocus(HWND window, int child) {
    // A window in the background has no focus to give; readers follow the one that has.
    if (GetFocus() == window) NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, child);
}

void AccessibleCalendar::RaiseNameChange(HWND window, int child) {
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, child);
}

}  // namespace tavoli
