// Benchmarks of the weld run (200 icons x 3 states, 32 x 32, 24-bit) and of BMP loading and saving at
// 32 x 32 and 256 x 256. The source files are made once in a temporary folder.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "graphics/Bitmap.h"
#include "platform/gdi/Raster.h"
#include "runtime/Exceptions.h"
#include "weld/WeldRun.h"

namespace plexon {
namespace {

namespace fs = std::filesystem;

// A 24-bit DIB section with a pattern that differs per image, saved through TBitmap.
void WritePatternBmp(const std::string& path, int size, int seed) {
    gdi::BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(gdi::BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    gdi::HBITMAP section = gdi::CreateDIBSection(nullptr, &info, gdi::DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section) throw Exception("cannot create a DIB section");
    TBitmap bitmap;
    bitmap.SetHandle(section);
    for (int y = 0; y < size; ++y) {
        auto* row = static_cast<std::uint8_t*>(bitmap.RowPointer(y));
        for (int x = 0; x < 3 * size; ++x) row[x] = static_cast<std::uint8_t>(x * 7 + y * 13 + seed * 31);
    }
    bitmap.SaveFile(path);
}

class Scratch {
  public:
    Scratch() : root_(fs::temp_directory_path() / ("plexon_bench_" + std::to_string(::getpid()))) {
        fs::remove_all(root_);
        fs::create_directories(root_ / "icons");
        fs::create_directories(root_ / "out");
    }
    ~Scratch() { fs::remove_all(root_); }
    std::string Path(const std::string& relative) const { return (root_ / relative).string(); }

  private:
    fs::path root_;
};

Scratch& TheScratch() {
    static Scratch scratch;
    return scratch;
}

WeldRequest IconRequest() {
    constexpr int kIcons = 200, kSize = 32;
    WeldRequest request;
    for (int i = 0; i < kIcons; ++i)
        for (const char* suffix : {"", "_h", "_d"}) {
            std::string path = TheScratch().Path("icons/Icon" + std::to_string(i) + suffix + ".bmp");
            WritePatternBmp(path, kSize, i);
            request.FileList.push_back(path);
        }
    request.ImageSize = kSize;
    request.StateCount = 3;
    request.OutputFolder = TheScratch().Path("out/");
    return request;
}

void BM_WeldRun(benchmark::State& state) {
    static const WeldRequest request = IconRequest();
    for (auto _ : state) {
        WeldRun run(request);
        benchmark::DoNotOptimize(run.Execute({}));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(request.FileList.size()));
}
BENCHMARK(BM_WeldRun)->Unit(benchmark::kMillisecond);

std::string SampleFile(int size) {
    std::string path = TheScratch().Path("sample" + std::to_string(size) + ".bmp");
    if (!fs::exists(path)) WritePatternBmp(path, size, size);
    return path;
}

void BM_LoadBmp(benchmark::State& state) {
    const std::string path = SampleFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TBitmap bitmap;
        bitmap.LoadFile(path);
        benchmark::DoNotOptimize(bitmap.Width());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(path)));
}
BENCHMARK(BM_LoadBmp)->Arg(32)->Arg(256);

void BM_SaveBmp(benchmark::State& state) {
    TBitmap bitmap;
    bitmap.LoadFile(SampleFile(static_cast<int>(state.range(0))));
    const std::string path = TheScratch().Path("out/saved.bmp");
    for (auto _ : state) bitmap.SaveFile(path);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(path)));
}
BENCHMARK(BM_SaveBmp)->Arg(32)->Arg(256);

}  // namespace
}  // namespace plexon

BENCHMARK_MAIN();
