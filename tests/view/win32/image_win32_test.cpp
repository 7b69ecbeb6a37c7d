// Images on real device contexts and windows under Wine.
#include "view/image_win32.h"

#include <gtest/gtest.h>

namespace tavoli {
namespace {

// A 32-bit top-down DIB section as the device: its pixels can be read back exactly.
class DibDevice {
public:
    DibDevice(int width, int height) : width_(width) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        for (int i = 0; i < width * height; ++i) bits_[i] = 0x00112233;
    }
    ~DibDevice() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    // 0x00RRGGBB of a pixel.
    uint32_t At(int x, int y) const {
        GdiFlush();
        return bits_[y * width_ + x] & 0xFFFFFF;
    }

private:
    int width_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    uint32_t* bits_ = nullptr;
};

Image Gradient(int width, int height) {
    Image image;
    image.Create(width, height, false, 24);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.WritePixel(x, y, PixelColor::Rgb(x * 10, y * 10, 200));
    }
    return image;
}

uint32_t Rgb(int r, int g, int b) { return static_cast<uint32_t>(r << 16 | g << 8 | b); }

TEST(BlitToWindow, CopiesPixelsUprightAndClips) {
    DibDevice device(20, 10);
    const Image image = Gradient(6, 4);
    ASSERT_EQ(BlitToWindow(device.Dc(), image, {3, 2}), kSuccess);
    EXPECT_EQ(device.At(3, 2), Rgb(0, 0, 200));    // top-left of the image
    EXPECT_EQ(device.At(8, 5), Rgb(50, 30, 200));  // bottom-right: rows come out upright
    EXPECT_EQ(device.At(2, 2), 0x112233u);
    EXPECT_EQ(device.At(9, 2), 0x112233u);

    DibDevice clipped(20, 10);
    const Rect clip{5, 3, 7, 5};
    ASSERT_EQ(BlitToWindow(clipped.Dc(), image, {3, 2}, &clip), kSuccess);
    EXPECT_EQ(clipped.At(5, 3), Rgb(20, 10, 200));
    EXPECT_EQ(clipped.At(6, 4), Rgb(30, 20, 200));
    EXPECT_EQ(clipped.At(4, 3), 0x112233u);  // outside the clip: untouched
    EXPECT_EQ(clipped.At(7, 4), 0x112233u);
    EXPECT_EQ(clipped.At(5, 5), 0x112233u);

    EXPECT_EQ(BlitToWindow(device.Dc(), Image(), {0, 0}), kSuccess);  // nothing to copy
    const Rect outside{100, 100, 200, 200};
    EXPECT_EQ(BlitToWindow(device.Dc(), image, {0, 0}, &outside), kSuccess);
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    return DefWindowProcA(window, message, w, l);
}

HWND MakeWindow(const char* title) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = PlainWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TavoliImageTest";
        RegisterClassA(&windowClass);
        registered = true;
    }
    HWND window = CreateWindowExA(0, "TavoliImageTest", title, WS_OVERLAPPEDWINDOW, 10, 10, 200, 150, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return window;
}

TEST(BlitToWindow, OntoAWindowOnTheDisplay) {
    HWND window = MakeWindow("blit");
    ASSERT_NE(window, nullptr);
    HDC dc = GetDC(window);
    const Image image = Gradient(6, 4);
    ASSERT_EQ(BlitToWindow(dc, image, {10, 10}), kSuccess);
    GdiFlush();
    EXPECT_EQ(GetPixel(dc, 10, 10), RGB(0, 0, 200));
    EXPECT_EQ(GetPixel(dc, 15, 13), RGB(50, 30, 200));
    ReleaseDC(window, dc);
    DestroyWindow(window);
}

TEST(Translucency, LayeredAlpha) {
    HWND window = MakeWindow("translucent");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    SetTranslucency(window, 240);
    EXPECT_NE(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(window, &key, &alpha, &flags));
    EXPECT_EQ(alpha, 15);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
    SetTranslucency(window, 100);
    ASSERT_TRUE(GetLayeredWindowAttributes(window, &key, &alpha, &flags));
    EXPECT_EQ(alpha, 155);
    SetTranslucency(window, 0);  // opaque again: not layered
    EXPECT_EQ(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    DestroyWindow(window);
}

}  // namespace
}  // namespace tavoli
