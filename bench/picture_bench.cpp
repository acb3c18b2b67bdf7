// Hostile markup pictures: how long a refusal takes and the most heap it holds on the way, for a GIF
// whose frame claims 65535 x 65535 on a 1 x 1 screen, a frame within the limits on that screen, and
// a 2 GB file behind a FILE:// location. Targets: 100 ms and 64 MB each.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

#include "../tests/support/GifFiles.h"
#include "controls/markup/MarkupPicture.h"
#include "runtime/Stream.h"

namespace {

// Heap in use through operator new, and the most of it since the last reset.
std::atomic<std::size_t> inUse{0}, peak{0};

void* Counted(void* p) {
    if (!p) throw std::bad_alloc();
    const std::size_t now = inUse += malloc_usable_size(p);
    for (std::size_t seen = peak; now > seen && !peak.compare_exchange_weak(seen, now);) {
    }
    return p;
}

}  // namespace

void* operator new(std::size_t size) {
    return Counted(std::malloc(size ? size : 1));
}
void* operator new[](std::size_t size) {
    return Counted(std::malloc(size ? size : 1));
}
void operator delete(void* p) noexcept {
    if (p) inUse -= malloc_usable_size(p);
    std::free(p);
}
void operator delete[](void* p) noexcept {
    operator delete(p);
}
void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    operator delete(p);
}

namespace {

using namespace plexon;

std::string WriteFile(const std::string& name, const std::vector<std::uint8_t>& bytes, std::int64_t size) {
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                std::streamsize(bytes.size()));
    if (::truncate(path.c_str(), size) != 0) std::abort();
    return path;
}

// Loads the file as a FILE:// picture of the markup does, once an iteration, reporting the peak heap.
void Load(benchmark::State& state, const std::string& path) {
    std::size_t most = 0;
    for (auto _ : state) {
        const std::size_t before = inUse;
        peak = before;
        TMarkupPicture picture;
        try {
            picture.LoadFile(path);
        } catch (const EMarkupPictureError&) {
        }
        most = std::max(most, peak - before);
    }
    state.counters["peak_MB"] = double(most) / double(1 << 20);
    std::filesystem::remove(path);
}

void GifFrameBomb(benchmark::State& state) {
    const std::vector<std::uint8_t> gif = test::GifFrameBomb(65535, 65535, 3 << 19);
    Load(state, WriteFile("plexon-bench-bomb.gif", gif, std::int64_t(gif.size())));
}

// 4096 x 4096 pixels claimed, within the limits; one row on the screen.
void GifFrameOffScreen(benchmark::State& state) {
    test::GifPicture picture{1, 1, 0, 0, 4096, 4096, false, NO_TRANSPARENT_COLOR, {{0, 0, 0}, {9, 9, 9}}, {}};
    picture.indices.resize(std::size_t(4096) * 4096);
    for (std::size_t i = 0; i < picture.indices.size(); ++i) picture.indices[i] = GifPixelType(i / 7 % 2);
    const std::vector<std::uint8_t> gif = test::MakeGif(picture);
    Load(state, WriteFile("plexon-bench-tall.gif", gif, std::int64_t(gif.size())));
}

void TwoGigabyteFile(benchmark::State& state) {
    Load(state, WriteFile("plexon-bench-huge.bmp", {'B', 'M'}, std::int64_t(2) << 30));
}

BENCHMARK(GifFrameBomb)->Unit(benchmark::kMillisecond);
BENCHMARK(GifFrameOffScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(TwoGigabyteFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
