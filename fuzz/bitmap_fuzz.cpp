// .bmp loading from arbitrary bytes: no read outside the input, no crash, and a loaded
// picture whose every pixel can be read.
#include <cstdint>
#include <cstdlib>

#include "view/bitmap_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tavoli::Image image;
    const tavoli::ErrorValue error = tavoli::LoadBitmapMemory(image, data, data + size);
    if (error == tavoli::kSuccess && !image.IsEmpty()) {
        uint32_t sum = 0;
        for (int y = 0; y < image.Height(); y += 7) {
            for (int x = 0; x < image.Width(); x += 7) sum += image.ReadPixel(x, y).Word();
        }
        // Never true (the picture is not empty); keeps the reads from being optimised away.
        if (image.Width() == 0 && sum != 0) std::abort();
    } else if (error != tavoli::kSuccess && !image.IsEmpty()) {
        std::abort();  // a failure must leave the empty image
    }
    return 0;
}
