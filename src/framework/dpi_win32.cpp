#include "framework/dpi_win32.h"

namespace tavoli {

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using AdjustForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using MetricForDpiFunction = int(WINAPI*)(int, UINT);

template <class Function>
Function User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

}  // namespace

int WindowDpi(HWND window) {
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0) return static_cast<int>(dpi);
    }
    // Windows 8.1 knows each monitor's scale, but only through the shell's library.
    static const auto getDpiForMonitor = [] {
        if (getDpiForWindow) return GetDpiForMonitorFunction{};
        HMODULE shcore = LoadLibraryA("shcore.dll");
        return shcore ? reinterpret_cast<GetDpiForMonitorFunction>(
                            reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                      : nullptr;
    }();
    if (getDpiForMonitor && window) {
        UINT x = 0, y = 0;
        if (SUCCEEDED(getDpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), 0, &x, &y)) && y != 0) {
            return static_cast<int>(y);
        }
    }
    int dpi = 96;
    if (HDC screen = GetDC(nullptr)) {
        dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : 96;
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD extendedStyle, int dpi) {
    static const auto adjustForDpi = User32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
    if (adjustForDpi && adjustForDpi(&rect, style, FALSE, extendedStyle, static_cast<UINT>(dpi))) return;
    AdjustWindowRectEx(&rect, style, FALSE, extendedStyle);
}

int SystemMetricForDpi(int index, int dpi) {
    static const auto metricForDpi = User32Function<MetricForDpiFunction>("GetSystemMetricsForDpi");
    if (metricForDpi) return metricForDpi(index, static_cast<UINT>(dpi));
    const int systemDpi = WindowDpi(nullptr);
    return MulDiv(GetSystemMetrics(index), dpi, systemDpi > 0 ? systemDpi : 96);
}

}  // namespace tavoli
