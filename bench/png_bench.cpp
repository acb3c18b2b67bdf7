// Benchmarks of PNG strips: encoding one 96 x 32 RGBA strip (three 32 x 32 slots) at zlib level 6,
// smooth and noisy, and decoding it again; the cost per strip behind `plexon weld --format png`.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "graphics/AlphaBmp.h"
#include "graphics/PngEncoder.h"
#include "graphics/PngFormat.h"

namespace plexon {
namespace {

RgbaImage Strip(bool noisy) {
    RgbaImage image(96, 32, kTransparent);
    std::uint32_t state = 7;
    for (std::int32_t y = 0; y < 32; ++y)
        for (std::int32_t x = 0; x < 96; ++x) {
            state = state * 1103515245u + 12345u;
            const std::uint8_t noise = noisy ? std::uint8_t(state >> 24) & 31 : 0;
            std::uint8_t* p = image.Row(y) + 4 * x;
            p[0] = std::uint8_t(x * 2 + noise), p[1] = std::uint8_t(y * 7 + noise), p[2] = 128, p[3] = 255;
        }
    return image;
}

void BM_EncodePngStrip(benchmark::State& state) {
    const RgbaImage image = Strip(state.range(0) != 0);
    PngEncoder encoder(kDefaultPngLevel);
    for (auto _ : state) benchmark::DoNotOptimize(encoder.Encode(image));
}
BENCHMARK(BM_EncodePngStrip)->Arg(0)->Arg(1);

void BM_DecodePngStrip(benchmark::State& state) {
    const std::vector<std::uint8_t> file = EncodePng(Strip(true));
    for (auto _ : state) benchmark::DoNotOptimize(DecodePng(file));
}
BENCHMARK(BM_DecodePngStrip);

void BM_EncodeAlphaBmpStrip(benchmark::State& state) {
    const RgbaImage image = Strip(true);
    for (auto _ : state) benchmark::DoNotOptimize(EncodeAlphaBmp(image));
}
BENCHMARK(BM_EncodeAlphaBmpStrip);

}  // namespace
}  // namespace plexon

BENCHMARK_MAIN();
