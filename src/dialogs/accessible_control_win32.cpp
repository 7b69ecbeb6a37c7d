#include "dialogs/accessible_control_win32.h"

#include "framework/accessibility_win32.h"

namespace tavoli {

namespace {

const char* const kTextProperty = "TavoliAccessibleText";
const char* const kProcedureProperty = "TavoliAccessibleProcedure";

// The system's object for the control, with the three texts replaced. Made afresh for
// each question; it finds the texts through the window while that exists.
class ControlAccessible final : public AccessibleObject<ControlAccessible> {
public:
    ControlAccessible(HWND control, IAccessible* standard) : control_(control), standard_(standard) {}

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override {
        return standard_->GetIDsOfNames(id, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argument) override {
        return standard_->Invoke(member, id, locale, flags, parameters, result, exception, argument);
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return Replaced(child, name, &AccessibleControlText::AccessibleName, &IAccessible::get_accName);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return Replaced(child, value, &AccessibleControlText::AccessibleValue, &IAccessible::get_accValue);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return Replaced(child, shortcut, &AccessibleControlText::AccessibleShortcut,
                        &IAccessible::get_accKeyboardShortcut);
    }

    // The rest is the system's.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override { return standard_->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return standard_->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override { return standard_->get_accFocus(focus); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return standard_->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return standard_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
        return standard_->accHitTest(x, y, hit);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

private:
    friend class AccessibleObject<ControlAccessible>;
    ~ControlAccessible() { standard_->Release(); }

    // The control's own text where it gives one, else the system's answer (also for the
    // parts of a list, which are the control's children).
    HRESULT Replaced(VARIANT child, BSTR* out, std::string (AccessibleControlText::*ask)() const,
                     HRESULT (STDMETHODCALLTYPE IAccessible::*system)(VARIANT, BSTR*)) {
        if (!out) return E_POINTER;
        const auto* text = IsWindow(control_)
                               ? reinterpret_cast<const AccessibleControlText*>(GetPropA(control_, kTextProperty))
                               : nullptr;
        if (text && child.vt == VT_I4 && child.lVal == CHILDID_SELF) {
            if (BSTR answer = AccessibleText((text->*ask)())) {
                *out = answer;
                return S_OK;
            }
        }
        return (standard_->*system)(child, out);
    }

    HWND control_;
    IAccessible* standard_;
};

LRESULT CALLBACK AnsweringProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto previous = reinterpret_cast<WNDPROC>(GetPropA(window, kProcedureProperty));
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT)) {
        if (IAccessible* standard = StandardAccessible(window)) {
            auto* object = new ControlAccessible(window, standard);
            const LRESULT answer = HandOverAccessible(object, wParam);
            object->Release();
            if (answer) return answer;
        }
    }
    if (message == WM_NCDESTROY) {
        RemovePropA(window, kTextProperty);
        RemovePropA(window, kProcedureProperty);
        if (previous) SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    }
    return previous ? CallWindowProcA(previous, window, message, wParam, lParam)
                    : DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void AnswerScreenReaders(HWND control, const AccessibleControlText& text) {
    if (!control) return;
    SetPropA(control, kTextProperty, const_cast<AccessibleControlText*>(&text));
    if (GetPropA(control, kProcedureProperty)) return;  // answering already
    SetPropA(control, kProcedureProperty, reinterpret_cast<HANDLE>(GetWindowLongPtrA(control, GWLP_WNDPROC)));
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AnsweringProcedure));
}

}  // namespace tavoli
