// Drawing into an Image: filled and framed rectangles, lines, and images put into
// images with or without their transparency.
#pragma once

#include "view/image.h"

namespace tavoli {

// Stores the colour in every pixel of the rectangle cut to the image and the clip.
void StoreRect(Image& image, const Rect& rect, PixelColor color, const Rect* clip = nullptr);
// Blends the colour over the rectangle cut to the image and the clip.
void FillRect(Image& image, const Rect& rect, PixelColor color, const Rect* clip = nullptr);
// A one-pixel outline: top row, left and right columns without the corners, bottom row.
void FrameRect(Image& image, const Rect& rect, PixelColor color, const Rect* clip = nullptr);
// Plain stores along the line, stepping the longer axis with a 16.16 accumulator.
void DrawLine(Image& image, Point from, Point to, const Rect* clip, PixelColor color);
// The source with its top-left corner at the offset, honouring its transparency.
void DrawImage(Image& destination, const Image& source, Point offset, const Rect* clip = nullptr);
// The source's pixels converted to the destination's depth, without blending.
void CopyImage(Image& destination, const Image& source, Point offset, const Rect* clip = nullptr);
// The source scaled by numerator / denominator (sides rounded to the nearest pixel), each
// pixel taking the source pixel under its centre: whole factors repeat pixels exactly,
// and nothing is blurred. 32 bits stay
// 32 bits, every other depth becomes 24. Empty when the size would be too large or memory
// runs out.
Image ScaleImage(const Image& source, int numerator, int denominator);

}  // namespace tavoli
