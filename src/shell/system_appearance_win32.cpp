#include "shell/system_appearance_win32.h"

#include "framework/system_library_win32.h"

namespace tavoli {

namespace {

constexpr const char* kPersonalizeKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
// The area WM_SETTINGCHANGE names when the apps' light or dark mode changed.
constexpr const char* kImmersiveColorSet = "ImmersiveColorSet";

// The window manager's dark title bar: attribute 20 since Windows 10 20H1, 19 on the
// builds from 1809 before it.
constexpr DWORD kDarkModeAttribute = 20;
constexpr DWORD kDarkModeAttributeBefore20H1 = 19;
using DwmSetWindowAttributeFunction = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);

// AppsUseLightTheme 0 asks for dark apps; a missing value, or one of another type, is light.
bool AppsAreDark() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kPersonalizeKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    DWORD value = 1, type = 0, size = sizeof value;
    const LONG result =
        RegQueryValueExA(key, "AppsUseLightTheme", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && type == REG_DWORD && size == sizeof value && value == 0;
}

PixelColor SystemColor(int index) { return PixelColor::FromColorRef(GetSysColor(index)); }

}  // namespace

SystemAppearance ReadSystemAppearance() {
    SystemAppearance appearance;
    appearance.darkApps = AppsAreDark();
    HIGHCONTRASTA highContrast{};
    highContrast.cbSize = sizeof highContrast;
    appearance.highContrast = SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof highContrast, &highContrast, 0) &&
                              (highContrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    appearance.colors.window = SystemColor(COLOR_WINDOW);
    appearance.colors.windowText = SystemColor(COLOR_WINDOWTEXT);
    appearance.colors.highlight = SystemColor(COLOR_HIGHLIGHT);
    appearance.colors.highlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
    appearance.colors.grayText = SystemColor(COLOR_GRAYTEXT);
    appearance.colors.hotLight = SystemColor(COLOR_HOTLIGHT);
    return appearance;
}

bool ChangesAppearance(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SYSCOLORCHANGE) return true;
    if (message != WM_SETTINGCHANGE) return false;
    if (wParam == SPI_SETHIGHCONTRAST) return true;
    const auto* area = reinterpret_cast<const char*>(lParam);
    return area && lstrcmpiA(area, kImmersiveColorSet) == 0;
}

void SetDarkTitleBar(HWND window, bool dark) {
    static const auto setAttribute =
        OptionalSystemFunction<DwmSetWindowAttributeFunction>("dwmapi.dll", "DwmSetWindowAttribute");
    if (!setAttribute || !window) return;
    const BOOL value = dark ? TRUE : FALSE;
    if (FAILED(setAttribute(window, kDarkModeAttribute, &value, sizeof value))) {
        setAttribute(window, kDarkModeAttributeBefore20H1, &value, sizeof value);
    }
    // The frame is drawn anew only when told so.
    if (IsWindowVisible(window)) {
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace tavoli
