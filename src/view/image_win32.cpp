#include "view/image_win32.h"

#include <algorithm>

namespace tavoli {

ErrorValue BlitToWindow(HDC device, const Image& image, Point position, const Rect* clip) {
    if (image.IsEmpty()) return kSuccess;
    Rect destination{position.x, position.y, position.x + image.Width(), position.y + image.Height()};
    if (clip) destination = Intersect(destination, *clip);
    if (destination.Empty()) return kSuccess;
    const int sourceLeft = destination.left - position.x;
    const int sourceBottom = destination.bottom - position.y;  // exclusive, counted from the top
    // Rows are stored bottom-up: the source's first row for the device is counted from
    // the bottom of the image.
    const int result = SetDIBitsToDevice(
        device, destination.left, destination.top, static_cast<DWORD>(destination.right - destination.left),
        static_cast<DWORD>(destination.bottom - destination.top), sourceLeft, image.Height() - sourceBottom, 0,
        static_cast<UINT>(image.Height()), image.Bits(), reinterpret_cast<const BITMAPINFO*>(image.Info()),
        DIB_RGB_COLORS);
    if (result == 0) return ErrorFromSystem(GetLastError() != 0 ? GetLastError() : ERROR_INVALID_PARAMETER);
    return kSuccess;
}

void SetTranslucency(HWND window, int transparency) {
    transparency = std::clamp(transparency, 0, 255);
    using SetLayeredWindowAttributesFunction = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    HMODULE user32 = LoadLibraryA("user32.dll");
    if (!user32) return;
    const auto function = reinterpret_cast<SetLayeredWindowAttributesFunction>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
    if (function) {
        const LONG_PTR style = GetWindowLongPtrA(window, GWL_EXSTYLE);
        if (transparency == 0) {
            SetWindowLongPtrA(window, GWL_EXSTYLE, style & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
        } else {
            SetWindowLongPtrA(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
            function(window, 0, static_cast<BYTE>(255 - transparency), LWA_ALPHA);
        }
    }
    FreeLibrary(user32);
}

}  // namespace tavoli
