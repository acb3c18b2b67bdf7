// Speed of the markup renderer as the labels use it: one paint of the main window's footer, one hit
// test per mouse move over it, one paint of the About window's largest label; and a text of growing
// length, whose time must grow linearly.
#include <benchmark/benchmark.h>

#include <string>

#include "../tests/controls/markup/AboutTexts.h"
#include "controls/markup/RenderMarkup.h"
#include "graphics/Bitmap.h"

namespace {

using namespace plexon;

struct Sheet {
    TBitmap bitmap;
    Sheet(int width, int height) {
        bitmap.SetWidth(width);
        bitmap.SetHeight(height);
        bitmap.Canvas().Font().SetName("Tahoma");
        bitmap.Canvas().Font().SetHeight(-11);
    }
};

void Render(benchmark::State& state, const char* text, int width, int height, TMarkupMode mode, int x,
            int y) {
    Sheet sheet(width, height);
    TMarkupInput input;
    input.Text = text;
    input.Frame = {0, 0, width, height};
    input.Mode = mode;
    input.CursorX = x;
    input.CursorY = y;
    for (auto _ : state) benchmark::DoNotOptimize(RenderMarkup(sheet.bitmap.Canvas(), input));
}

void FooterPaint(benchmark::State& state) {
    Render(state, test::kFooterText, 361, 17, TMarkupMode::Draw, -1, -1);
}
void FooterHitTest(benchmark::State& state) {
    Render(state, test::kFooterText, 361, 17, TMarkupMode::MeasureOnly, 321, 8);
}
void AboutTermsPaint(benchmark::State& state) {
    Render(state, test::kAboutTermsText, 265, 205, TMarkupMode::Draw, -1, -1);
}

// Words, tags and entities repeated to the given length, measured in a frame tall enough for all.
void LongText(benchmark::State& state) {
    std::string text;
    while (text.size() < std::size_t(state.range(0)))
        text += "word <b>bold</b> &amp; <font size=\"9\">x</font> ";
    Sheet sheet(200, 20);
    TMarkupInput input;
    input.Text = text;
    input.Frame = {0, 0, 200, 1 << 30};
    input.Mode = TMarkupMode::MeasureOnly;
    for (auto _ : state) benchmark::DoNotOptimize(RenderMarkup(sheet.bitmap.Canvas(), input));
    state.SetComplexityN(state.range(0));
}

BENCHMARK(FooterPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(FooterHitTest)->Unit(benchmark::kMicrosecond);
BENCHMARK(AboutTermsPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(LongText)->RangeMultiplier(4)->Range(1 << 12, 1 << 20)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace

BENCHMARK_MAIN();
