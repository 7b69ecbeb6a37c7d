// What the windows that answer screen readers share: handing an object over for
// WM_GETOBJECT, the system's own object of a window, and texts as readers take them. The
// accessibility and COM libraries are loaded at the first question, quietly, so that a
// start without a screen reader loads none of them.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <string>

namespace tavoli {

// The answer to WM_GETOBJECT that hands the object to the reader; COM is started on
// this thread for it (once, for as long as the thread runs). 0 when it cannot be handed
// over: the system then answers with its own.
LRESULT HandOverAccessible(IAccessible* object, WPARAM wParam);
// The system's own object for a window's client area, a reference the caller releases;
// nullptr when there is none.
IAccessible* StandardAccessible(HWND window);
// Readers in other processes let go of an object that is going away.
void DisconnectAccessible(IAccessible* object);
// A text of the system's code page as a reader takes it; nullptr for an empty one.
BSTR AccessibleText(const std::string& text);

// What every accessible object of the program answers as a COM object: the interfaces it
// has, and its references (one at its making), deleted as the derived class at the last.
template <class Derived>
class AccessibleObject : public IAccessible {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (!object) return E_POINTER;
        if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete static_cast<Derived*>(this);
        return static_cast<ULONG>(left);
    }

private:
    LONG references_ = 1;
};

}  // namespace tavoli
