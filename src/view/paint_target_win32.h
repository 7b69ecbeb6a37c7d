// The painter's target on a device context: one SetDIBitsToDevice per cell.
#pragma once

#include <windows.h>

#include "view/painter.h"

namespace tavoli {

class DeviceTarget : public PaintTarget {
public:
    explicit DeviceTarget(HDC device) : device_(device) {}
    // A failed copy is not repeated: painting goes on with the next cell.
    void PutImage(const Image& image, Point position, const Rect* clip) override;
    void Fill(const Rect& rect, PixelColor color) override;

private:
    HDC device_;
};

}  // namespace tavoli
