// Benchmark of the About window through the headless desktop: from creating the window (its
// picture read from the embedded form value) to its first frame painted, the picture decoded on the way.
#include <benchmark/benchmark.h>

#include "forms/FormAbout.h"
#include "framework/Application.h"
#include "platform/window/HeadlessBackend.h"
#include "platform/window/Window.h"

namespace {

using namespace plexon;

void BM_AboutWindowToFirstFrame(benchmark::State& state) {
    window::SelectBackend(window::BackendKind::Headless);
    for (auto _ : state) {
        auto* form = new TfrmAbout(&Application());
        form->Show();
        Application().ProcessMessages();  // paints every pending window: the first frame
        state.PauseTiming();
        delete form;
        Application().ProcessMessages();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AboutWindowToFirstFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
