// The two costs of painting a cell that the image code decides: blending a colour
// over a whole cell, and loading a full-size background picture.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "view/bitmap_file.h"
#include "view/image.h"
#include "view/image_drawing.h"

namespace tavoli {
namespace {

void BM_BlendCellAt127(benchmark::State& state) {
    Image cell;
    cell.Create(48, 36, false, 24);
    const PixelColor half = PixelColor::Rgb(160, 160, 224, 127);
    for (auto _ : state) {
        FillRect(cell, {0, 0, 48, 36}, half);
        benchmark::DoNotOptimize(cell.Bits());
    }
    state.SetItemsProcessed(state.iterations() * 48 * 36);
}
BENCHMARK(BM_BlendCellAt127);

void BM_FillCellOpaque(benchmark::State& state) {
    Image cell;
    cell.Create(48, 36, false, 24);
    for (auto _ : state) {
        FillRect(cell, {0, 0, 48, 36}, PixelColor::Rgb(1, 2, 3));
        benchmark::DoNotOptimize(cell.Bits());
    }
}
BENCHMARK(BM_FillCellOpaque);

std::string WriteBackground() {
    Image picture;
    picture.Create(480, 320, false, 24);
    const std::string path = "/tmp/tavoli-bench-background.bmp";
    const uint32_t pixelBytes = static_cast<uint32_t>(picture.Stride() * 320);
    unsigned char header[54] = {'B', 'M'};
    auto put32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i) header[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    put32(2, 54 + pixelBytes);
    put32(10, 54);
    put32(14, 40);
    put32(18, 480);
    put32(22, 320);
    header[26] = 1;
    header[28] = 24;
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(header, 1, sizeof header, file);
    std::fwrite(picture.Bits(), 1, pixelBytes, file);
    std::fclose(file);
    return path;
}

void BM_LoadBackground480x320(benchmark::State& state) {
    const std::string path = WriteBackground();
    Image image;
    for (auto _ : state) {
        LoadBitmapFile(image, path);
        benchmark::DoNotOptimize(image.Bits());
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_LoadBackground480x320)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavoli
