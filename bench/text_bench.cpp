// Speed of the drawing services the windows lean on: a cached 40-character line of 8-point Tahoma,
// a word-wrapped paragraph through DrawText, and a 397 x 25 fill of 64 gradient bands.
#include <benchmark/benchmark.h>

#include <cstring>

#include "platform/gdi/Fonts.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/Text.h"

namespace {

using namespace plexon::gdi;

// A 32-bit display bitmap in a memory context with a font selected, released at the end.
class Surface {
  public:
    Surface(int width, int height, const char* face, int fontHeight)
        : dc_(CreateCompatibleDC(nullptr)), bitmap_(CreateBitmap(width, height, 1, 32, nullptr)) {
        previousBitmap_ = SelectObject(dc_, bitmap_);
        LOGFONT description;
        std::strncpy(description.lfFaceName, face, LF_FACESIZE - 1);
        description.lfHeight = fontHeight;
        font_ = CreateFontIndirect(&description);
        previousFont_ = SelectObject(dc_, font_);
        SetBkMode(dc_, TRANSPARENT);
        PatBlt(dc_, 0, 0, width, height, WHITENESS);
    }
    ~Surface() {
        SelectObject(dc_, previousFont_);
        SelectObject(dc_, previousBitmap_);
        DeleteObject(font_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    HDC dc() const { return dc_; }

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HBITMAP previousBitmap_ = nullptr;
    HFONT font_ = nullptr;
    HFONT previousFont_ = nullptr;
};

void CachedTahomaLine(benchmark::State& state) {
    Surface surface(300, 20, "Tahoma", -11);
    const char* text = "Select the images to join: Open_h.bmp 42";  // 40 characters
    ExtTextOut(surface.dc(), 2, 2, 0, nullptr, text, 40, nullptr);  // fills the glyph cache
    for (auto _ : state)
        benchmark::DoNotOptimize(ExtTextOut(surface.dc(), 2, 2, 0, nullptr, text, 40, nullptr));
    state.SetItemsProcessed(state.iterations() * 40);
}
BENCHMARK(CachedTahomaLine);

void WrappedParagraph(benchmark::State& state) {
    Surface surface(400, 200, "Tahoma", -11);
    const char* text =
        "Tesvo Plexon joins the state images of toolbar icons into one horizontal strip per icon. Pick the "
        "source bitmaps, the number of states and their order, and an output folder, then press Start. The "
        "strips are written as bitmap files named after their icons.";
    for (auto _ : state) {
        RECT r{4, 4, 380, 196};
        benchmark::DoNotOptimize(DrawText(surface.dc(), text, -1, &r, DT_WORDBREAK | DT_EXPANDTABS));
    }
}
BENCHMARK(WrappedParagraph);

// The banded gradient: 64 columns, each a new solid brush filled over the full height.
void GradientBands(benchmark::State& state) {
    Surface surface(397, 25, "Tahoma", -11);
    constexpr int kWidth = 397, kBands = 64;
    for (auto _ : state) {
        for (int i = 0; i < kBands; ++i) {
            const auto level = std::uint8_t(255 * i / (kBands - 1));
            HBRUSH brush = CreateSolidBrush(RGB(level, level, 255));
            const RECT band{MulDiv(i, kWidth, kBands), 0, MulDiv(i + 1, kWidth, kBands), 25};
            FillRect(surface.dc(), &band, brush);
            DeleteObject(brush);
        }
    }
}
BENCHMARK(GradientBands);

// A line in every pixel size from 6 to 300, each through a font made, used and deleted, as a rich
// text with many sizes draws: what the font caches keep after a sweep bounds the program's memory
// (peak RSS of this benchmark alone shows it).
void FontSizeSweep(benchmark::State& state) {
    Surface surface(400, 400, "Tahoma", -11);
    const char* text = "Sweep 0123 \xC3\xB6\xCE\xBB \xE3\x82\xA2\xE3\x82\xA4\xE6\x97\xA5";
    for (auto _ : state) {
        for (int height = 6; height <= 300; ++height) {
            LOGFONT description;
            std::strcpy(description.lfFaceName, height % 2 ? "Tahoma" : "DejaVu Sans");
            description.lfHeight = -height;
            HFONT font = CreateFontIndirect(&description);
            HFONT previous = SelectObject(surface.dc(), font);
            benchmark::DoNotOptimize(TextOut(surface.dc(), 0, 0, text, int(std::strlen(text))));
            SelectObject(surface.dc(), previous);
            DeleteObject(font);
        }
    }
}
BENCHMARK(FontSizeSweep)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
