// Points, sizes and rectangles in integer pixels.
#pragma once

#include <vector>

namespace tavoli {

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size& o) const { return width == o.width && height == o.height; }
};

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    bool Empty() const { return right <= left || bottom <= top; }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    // The rectangle moved by (dx, dy), and shrunk by d on every side.
    Rect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    Rect Inset(int d) const { return {left + d, top + d, right - d, bottom - d}; }
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// The common part; the empty rectangle when there is none.
Rect Intersect(const Rect& a, const Rect& b);
// The smallest rectangle holding both (an empty one counts as nothing).
Rect Union(const Rect& a, const Rect& b);
// The parts of a outside b: at most four bands (above, below, left, right), none empty.
std::vector<Rect> Subtract(const Rect& a, const Rect& b);

// Lengths are kept in pixels of a 100 % display (96 DPI) and scaled only where pixels are
// made. A length at `dpi`, rounded half away from zero; a rectangle scales its edges, so
// that rectangles that touch at 96 DPI touch at every scale.
constexpr int kBaseDpi = 96;
// length × numerator / denominator, rounded half away from zero and kept within an int.
int MulDivRounded(int length, int numerator, int denominator);
int ScaleToDpi(int length, int dpi);
Rect ScaleToDpi(const Rect& rect, int dpi);
// A length in pixels at `dpi` back in 96-DPI units, rounded the same way.
int ScaleFromDpi(int length, int dpi);

}  // namespace tavoli
