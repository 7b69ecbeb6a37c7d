#include "framework/accessibility_win32.h"

#include "framework/system_library_win32.h"

namespace tavoli {

LRESULT HandOverAccessible(IAccessible* object, WPARAM wParam) {
    const auto handOver = OptionalSystemFunction<decltype(&LresultFromObject)>("oleacc.dll", "LresultFromObject");
    if (!handOver) return 0;
    // The object reaches the reader through COM, in which this thread must take part.
    static thread_local bool comStarted = false;
    if (!comStarted) {
        const auto start = OptionalSystemFunction<decltype(&CoInitializeEx)>("ole32.dll", "CoInitializeEx");
        comStarted = start && SUCCEEDED(start(nullptr, COINIT_APARTMENTTHREADED));
    }
    const LRESULT result = handOver(__uuidof(IAccessible), wParam, object);
    return result > 0 ? result : 0;
}

IAccessible* StandardAccessible(HWND window) {
    const auto create =
        OptionalSystemFunction<decltype(&CreateStdAccessibleObject)>("oleacc.dll", "CreateStdAccessibleObject");
    IAccessible* object = nullptr;
    if (!create || FAILED(create(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&object)))) {
        return nullptr;
    }
    return object;
}

void DisconnectAccessible(IAccessible* object) {
    if (const auto disconnect =
            OptionalSystemFunction<decltype(&CoDisconnectObject)>("ole32.dll", "CoDisconnectObject")) {
        disconnect(object, 0);
    }
}

BSTR AccessibleText(const std::string& text) {
    if (text.empty()) return nullptr;
    const auto allocate = OptionalSystemFunction<decltype(&SysAllocStringLen)>("oleaut32.dll", "SysAllocStringLen");
    if (!allocate) return nullptr;
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return allocate(wide.data(), static_cast<UINT>(wide.size()));
}

}  // namespace tavoli
