// Benchmarks of the JPEG picture: loading the About picture (header read) and decoding it to 24 and
// 8 bits, and encoding a picture of its size at quality 90. No file system.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "graphics/Bitmap.h"
#include "graphics/Jpeg.h"
#include "graphics/ModuleResources.h"
#include "runtime/Stream.h"

namespace plexon {
namespace {

// A picture with gradients and hard edges, like the About picture's.
std::unique_ptr<TBitmap> Picture() {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelLayout(BitmapPixelLayout::Bits24);
    bitmap->SetWidth(250);
    bitmap->SetHeight(200);
    for (int y = 0; y < 200; ++y) {
        auto* row = static_cast<std::uint8_t*>(bitmap->RowPointer(y));
        for (int x = 0; x < 250; ++x) {
            const bool tile = (x / 25 + y / 25) % 2 == 0;
            row[3 * x] = std::uint8_t(tile ? 200 : x);
            row[3 * x + 1] = std::uint8_t(tile ? 80 : y);
            row[3 * x + 2] = std::uint8_t((x ^ y) & 0xFF);
        }
    }
    return bitmap;
}

void BM_DecodeAboutPicture(benchmark::State& state) {
    // The embedded form value: class name, byte count, then the JPEG file.
    const auto value = ProgramResources().Find("about_picture.data", ResourceType::RawData);
    if (!value || value->size() < 15) return state.SkipWithError("no About picture embedded");
    TMemoryStream stream;
    stream.WriteBuffer(value->data() + 15, std::int64_t(value->size() - 15));
    for (auto _ : state) {
        TJPEGImage jpeg;
        jpeg.Settings.OutputDepth = state.range(0) ? TJPEGPixelFormat::Depth8 : TJPEGPixelFormat::Depth24;
        stream.SetPosition(0);
        jpeg.LoadStream(stream);
        benchmark::DoNotOptimize(jpeg.EnsureDecoded().RowPointer(0));
    }
}
BENCHMARK(BM_DecodeAboutPicture)->Arg(0)->Arg(1)->ArgName("depth8")->Unit(benchmark::kMillisecond);

void BM_EncodeAboutSized(benchmark::State& state) {
    const auto picture = Picture();
    for (auto _ : state) {
        TJPEGImage jpeg;
        jpeg.AssignFrom(picture.get());
        TMemoryStream stream;
        jpeg.SaveStream(stream);
        benchmark::DoNotOptimize(stream.Size());
    }
}
BENCHMARK(BM_EncodeAboutSized)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace plexon

BENCHMARK_MAIN();
