// The view's background picture: a .bmp path whose "?" in the file name stand for the
// digits of the shown month, loaded only when the resolved path changes.
#pragma once

#include <string>
#include <string_view>

#include "framework/error.h"
#include "framework/geometry.h"
#include "view/image.h"

namespace tavoli {

constexpr int kMaxBackgroundWidth = 480;
constexpr int kMaxBackgroundHeight = 320;

// Every "?" of the file-name part, left to right, becomes a digit of the month written
// with as many digits as there are "?" (one "?" keeps only the last digit).
std::string ResolveBackgroundPath(std::string_view pattern, int month);

class BackgroundImage {
public:
    // Loads the picture for the month when its resolved path differs from the last one
    // (or when forced). An empty path clears it; a failed load leaves no picture and
    // returns the error. A picture larger than 480 × 320, or than the grid it is to cover
    // where that is larger, is cut to its top-left part and converted to 24 bits.
    ErrorValue Update(std::string_view pattern, int month, bool force = false, Size cover = {});
    void Clear();
    const Image& Picture() const { return image_; }
    const std::string& LoadedPath() const { return loadedPath_; }

private:
    Image image_;
    std::string loadedPath_;
    bool loaded_ = false;
};

}  // namespace tavoli
