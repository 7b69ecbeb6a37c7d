#include "view/paint_target_win32.h"

#include "view/image_win32.h"

namespace tavoli {

void DeviceTarget::PutImage(const Image& image, Point position, const Rect* clip) {
    BlitToWindow(device_, image, position, clip);
}

void DeviceTarget::Fill(const Rect& rect, PixelColor color) {
    if (rect.Empty()) return;
    HBRUSH brush = CreateSolidBrush(RGB(color.red, color.green, color.blue));
    if (!brush) return;
    const RECT r{rect.left, rect.top, rect.right, rect.bottom};
    FillRect(device_, &r, brush);
    DeleteObject(brush);
}

}  // namespace tavoli
