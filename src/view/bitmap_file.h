// Uncompressed .bmp files loaded into an Image.
#pragma once

#include <cstdint>
#include <string>

#include "framework/error.h"
#include "view/image.h"

namespace tavoli {

// Loads an uncompressed .bmp: "InvalidData", "UnacceptableVersion", "memory_alloc",
// "taillostdata", "InvalidArgument" or the file read's error; any failure leaves the
// empty image. An empty file gives the empty image and success.
ErrorValue LoadBitmapFile(Image& image, const std::string& path);
ErrorValue LoadBitmapMemory(Image& image, const uint8_t* begin, const uint8_t* end);

}  // namespace tavoli
