#include "view/background_image.h"

#include <algorithm>
#include <vector>

#include "framework/lang_text.h"
#include "framework/number_text.h"
#include "view/bitmap_file.h"
#include "view/image_drawing.h"

namespace tavoli {

std::string ResolveBackgroundPath(std::string_view pattern, int month) {
    // The file name starts after the last folder separator (double-byte characters whole).
    const char* const begin = pattern.data();
    const char* const end = begin + pattern.size();
    size_t nameStart = 0;
    for (const char* p = begin; p < end;) {
        const char* at = p;
        if (NextChar(p, end).length == 1 && (*at == '\\' || *at == '/')) nameStart = static_cast<size_t>(p - begin);
    }
    std::vector<size_t> marks;
    for (const char* p = begin + nameStart; p < end;) {
        const char* at = p;
        if (NextChar(p, end).length == 1 && *at == '?') marks.push_back(static_cast<size_t>(at - begin));
    }
    std::string path(pattern);
    if (marks.empty()) return path;
    const std::string digits = FixedDigits(month, static_cast<int>(marks.size()));
    for (size_t i = 0; i < marks.size(); ++i) path[marks[i]] = digits[i];
    return path;
}

void BackgroundImage::Clear() {
    image_.Free();
    loadedPath_.clear();
    loaded_ = false;
}

ErrorValue BackgroundImage::Update(std::string_view pattern, int month, bool force, Size cover) {
    const std::string path = ResolveBackgroundPath(pattern, month);
    if (loaded_ && path == loadedPath_ && !force) return kSuccess;
    image_.Free();
    loadedPath_ = path;
    loaded_ = true;
    if (path.empty()) return kSuccess;
    Image picture;
    const ErrorValue error = LoadBitmapFile(picture, path);
    if (error != kSuccess) return error;
    // A grid larger than the bound is covered whole: its bottom and right margins are the
    // picture's as the others are.
    const int maxWidth = std::max(kMaxBackgroundWidth, cover.width);
    const int maxHeight = std::max(kMaxBackgroundHeight, cover.height);
    if (picture.Width() > maxWidth || picture.Height() > maxHeight) {
        Image cut;
        if (!cut.Create(std::min(picture.Width(), maxWidth), std::min(picture.Height(), maxHeight), false, 24)) {
            return ErrorFromKey("memory_alloc");
        }
        CopyImage(cut, picture, Point{0, 0});
        image_ = std::move(cut);
    } else {
        image_ = std::move(picture);
    }
    return kSuccess;
}

}  // namespace tavoli
