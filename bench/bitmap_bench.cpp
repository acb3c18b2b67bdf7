// Benchmarks of the bitmap's own work at 256 x 256: loading an 8-bit run-length file and a 24-bit
// file from memory, converting to Bits8, and drawing with a transparent colour. No file system.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "graphics/Bitmap.h"
#include "graphics/BmpFormat.h"
#include "runtime/Stream.h"

namespace plexon {
namespace {

constexpr int kSize = 256;

// A whole BMP file: file header, 40-byte header, colour table and pixel bytes.
std::vector<std::uint8_t> BmpFile(int bits, std::uint32_t compression,
                                  const std::vector<std::uint8_t>& pixels) {
    const std::uint32_t colors = bits <= 8 ? 1u << bits : 0u;
    gdi::BITMAPINFOHEADER h;
    h.biSize = 40;
    h.biWidth = kSize;
    h.biHeight = kSize;
    h.biPlanes = 1;
    h.biBitCount = std::uint16_t(bits);
    h.biCompression = compression;
    h.biSizeImage = std::uint32_t(pixels.size());
    const std::uint32_t offBits = 14 + 40 + 4 * colors;
    const std::uint32_t size = offBits + std::uint32_t(pixels.size());
    std::vector<std::uint8_t> out(size, 0);
    out[0] = 'B';
    out[1] = 'M';
    std::memcpy(&out[2], &size, 4);
    std::memcpy(&out[10], &offBits, 4);
    std::memcpy(&out[14], &h, sizeof h);
    for (std::uint32_t i = 0; i < colors; ++i) {
        const std::uint8_t entry[4] = {std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i * 3), 0};
        std::memcpy(&out[54 + 4 * i], entry, 4);
    }
    std::memcpy(&out[offBits], pixels.data(), pixels.size());
    return out;
}

// An icon-like picture: each row alternates runs of 1 to 16 equal pixels with short literal stretches.
std::vector<std::uint8_t> RunLengthPixels() {
    std::vector<std::uint8_t> out;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize;) {
            const int run = std::min(1 + (x * 7 + y) % 16, kSize - x);
            if (run >= 4) {
                out.insert(out.end(), {std::uint8_t(run), std::uint8_t(x + y)});
            } else {
                const int literal = std::min(4, kSize - x);
                out.insert(out.end(), {0, std::uint8_t(literal)});
                for (int i = 0; i < literal; ++i) out.push_back(std::uint8_t(x * i + y));
                x += literal;
                continue;
            }
            x += run;
        }
        out.insert(out.end(), {0, std::uint8_t(y + 1 == kSize ? 1 : 0)});
    }
    return out;
}

std::vector<std::uint8_t> Pixels24() {
    std::vector<std::uint8_t> out(std::size_t(RowStride(kSize, 24)) * kSize);
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = std::uint8_t(i * 7 + i / 768);
    return out;
}

void LoadFromMemory(benchmark::State& state, const std::vector<std::uint8_t>& file, std::int64_t pixelBytes) {
    TMemoryStream stream;
    stream.WriteBuffer(file.data(), std::int64_t(file.size()));
    TBitmap bitmap;
    for (auto _ : state) {
        stream.SetPosition(0);
        bitmap.LoadStream(stream);
        benchmark::DoNotOptimize(bitmap.Width());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * pixelBytes);
}

void BM_LoadRunLength8(benchmark::State& state) {
    const std::vector<std::uint8_t> pixels = RunLengthPixels();
    LoadFromMemory(state, BmpFile(8, gdi::BI_RLE8, pixels), std::int64_t(pixels.size()));
}
BENCHMARK(BM_LoadRunLength8);

void BM_Load24(benchmark::State& state) {
    const std::vector<std::uint8_t> pixels = Pixels24();
    LoadFromMemory(state, BmpFile(24, gdi::BI_RGB, pixels), std::int64_t(pixels.size()));
}
BENCHMARK(BM_Load24);

// A 256 x 256 device bitmap of the display's depth, loaded from the 24-bit file and converted.
void LoadDevice(TBitmap& bitmap) {
    const std::vector<std::uint8_t> file = BmpFile(24, gdi::BI_RGB, Pixels24());
    TMemoryStream stream;
    stream.WriteBuffer(file.data(), std::int64_t(file.size()));
    stream.SetPosition(0);
    bitmap.LoadStream(stream);
    bitmap.SetPixelLayout(BitmapPixelLayout::Device);
}

void BM_ConvertToBits8(benchmark::State& state) {
    TBitmap source;
    LoadDevice(source);
    for (auto _ : state) {
        TBitmap bitmap;
        bitmap.AssignFrom(&source);
        bitmap.SetPixelLayout(BitmapPixelLayout::Bits8);
        benchmark::DoNotOptimize(bitmap.Image().Handle);
    }
    state.SetItemsProcessed(std::int64_t(state.iterations()) * kSize * kSize);
}
BENCHMARK(BM_ConvertToBits8);

void BM_DrawTransparent(benchmark::State& state) {
    TBitmap picture;
    LoadDevice(picture);
    picture.SetIsTransparent(true);
    TBitmap target;
    target.SetHeight(kSize);
    target.SetWidth(kSize);
    // Mask built on the first draw, as when a glyph is painted again and again.
    const bool rebuild = state.range(0) != 0;
    for (auto _ : state) {
        if (rebuild) picture.Canvas().SetPixels(0, 0, clWhite);
        target.Canvas().DrawGraphic(0, 0, &picture);
    }
    state.SetItemsProcessed(std::int64_t(state.iterations()) * kSize * kSize);
}
BENCHMARK(BM_DrawTransparent)->Arg(0)->Arg(1)->ArgName("rebuild mask");

}  // namespace
}  // namespace plexon

BENCHMARK_MAIN();
