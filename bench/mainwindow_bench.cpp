// Benchmarks of the main window through the headless desktop: a full repaint, a Position change of
// the work bar (397 x 25, 44 blocks at 100 per cent) painted through at once and on its own, and a
// 10,000-file weld started from the window against the same weld without one.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "controls/EllipsisLabel.h"
#include "controls/LevelProgressBar.h"
#include "controls/PxPanelFill.h"
#include "controls/PxSpeedButton.h"
#include "forms/FormMain.h"
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/Label.h"
#include "graphics/Bitmap.h"
#include "platform/window/HeadlessBackend.h"
#include "platform/window/Window.h"
#include "weld/WeldRun.h"

namespace {

using namespace plexon;

void InvalidateAll(TWinControl& control) {
    control.Invalidate();
    for (int i = 0; i < control.ControlCount(); ++i)
        if (auto* child = dynamic_cast<TWinControl*>(control.Controls(i))) InvalidateAll(*child);
}

TfrmMain* ShownMainWindow(bool busy) {
    window::SelectBackend(window::BackendKind::Headless);
    auto* form = new TfrmMain(&Application());
    if (busy) form->ShowBusy(true);
    form->Show();
    Application().ProcessMessages();
    return form;
}

// Every window of the form paints again; the command bar copies its background, built once.
void BM_RepaintMainWindow(benchmark::State& state) {
    TfrmMain* form = ShownMainWindow(false);
    const int builds = form->PxPanelFill1->BackgroundBuilds();
    for (auto _ : state) {
        InvalidateAll(*form);
        window::TheDesktop().UpdateWindow(form->Handle());
    }
    state.counters["background_builds"] = form->PxPanelFill1->BackgroundBuilds() - builds;
    delete form;
}
BENCHMARK(BM_RepaintMainWindow)->Unit(benchmark::kMicrosecond);

// The mouse moves onto Start and off it again (to the bar's empty right end): each move turns the
// face hot or idle and repaints that button alone; the frame is composed before the next move.
void BM_HoverStartButton(benchmark::State& state) {
    TfrmMain* form = ShownMainWindow(false);
    window::Desktop& desk = window::TheDesktop();
    const int builds = form->PxPanelFill1->BackgroundBuilds();
    const int own = form->btnStart->OwnRepaints();
    bool over = false;
    for (auto _ : state) {
        over = !over;
        desk.InputMouseMove(form->Handle(), over ? gdi::POINT{40, 20} : gdi::POINT{380, 20},
                            window::Shift::None);
        window::Message message;
        while (desk.GetMessage(message, window::Wait::No)) desk.DispatchMessage(message);
    }
    state.counters["own_repaints"] =
        benchmark::Counter(form->btnStart->OwnRepaints() - own, benchmark::Counter::kAvgIterations);
    state.counters["background_builds"] = form->PxPanelFill1->BackgroundBuilds() - builds;
    delete form;
}
BENCHMARK(BM_HoverStartButton)->Unit(benchmark::kMicrosecond);

// Building the command bar's gradient background for a new size (what a resize costs once).
void BM_CommandBarBackground(benchmark::State& state) {
    TfrmMain* form = ShownMainWindow(false);
    int width = 413;
    for (auto _ : state) {
        width = width == 413 ? 412 : 413;
        form->PxPanelFill1->SetWidth(width);
        form->PxPanelFill1->KeepsBackground();
    }
    delete form;
}
BENCHMARK(BM_CommandBarBackground)->Unit(benchmark::kMicrosecond);

// Alternates 99 and 100 per cent so that every change paints about 44 blocks.
void BM_WorkBarPositionChange(benchmark::State& state) {
    TfrmMain* form = ShownMainWindow(true);
    int position = 99;
    for (auto _ : state) {
        form->pbWork->SetPosition(position);
        position = position == 99 ? 100 : 99;
    }
    delete form;
}
BENCHMARK(BM_WorkBarPositionChange)->Unit(benchmark::kMicrosecond);

// The bar's own painting into its off-screen bitmap, without the window's composition.
void BM_WorkBarDrawOnly(benchmark::State& state) {
    TProgressBarParams params;
    params.CompletionSmooth = false;
    params.Position = 100;
    TBitmap buffer;
    buffer.SetWidth(397);
    buffer.SetHeight(25);
    for (auto _ : state) DrawProgressBar(buffer.Canvas(), {0, 0, 397, 25}, 100, params);
}
BENCHMARK(BM_WorkBarDrawOnly)->Unit(benchmark::kMicrosecond);

// 2,500 icons in four 16 x 16 states: 10,000 files.
struct IconFolder {
    std::filesystem::path source, output;
    std::vector<std::string> files;
    IconFolder() {
        const auto root =
            std::filesystem::temp_directory_path() / ("plexon_mainwin_bench_" + std::to_string(::getpid()));
        source = root / "src";
        output = root / "out";
        std::filesystem::create_directories(source);
        std::filesystem::create_directories(output);
        TBitmap bitmap;
        bitmap.SetPixelLayout(BitmapPixelLayout::Bits24);
        bitmap.SetWidth(16);
        bitmap.SetHeight(16);
        for (int icon = 0; icon < 2500; ++icon)
            for (const char* suffix : {"", "_h", "_d", "_p"}) {
                const std::string path =
                    (source / ("Icon" + std::to_string(icon) + suffix + ".bmp")).string();
                bitmap.SaveFile(path);
                files.push_back(path);
            }
    }
    ~IconFolder() { std::filesystem::remove_all(source.parent_path()); }
};

// The Start command on the window, its completion message answered at once.
void BM_Weld10000FilesFromWindow(benchmark::State& state) {
    static IconFolder icons;
    TfrmMain* form = ShownMainWindow(false);
    form->FilesDropped(icons.files);
    form->lblOutputPath->SetCaption(icons.output.string() + "/");
    form->cbImageState->SetItemIndex(2);
    for (auto _ : state) {
        window::Headless().WhenIdle([] {
            window::TheDesktop().InputKey(window::vk::kReturn, true, window::Shift::None);
            window::TheDesktop().InputKey(window::vk::kReturn, false, window::Shift::None);
        });
        form->btnStartClick(form->btnStart);
    }
    delete form;
}
BENCHMARK(BM_Weld10000FilesFromWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same weld without a window: the difference is the window's share.
void BM_Weld10000FilesAlone(benchmark::State& state) {
    static IconFolder icons;
    for (auto _ : state) {
        WeldRequest request;
        request.FileList = icons.files;
        request.ImageSize = 16;
        request.StateCount = 4;
        request.OutputFolder = icons.output.string() + "/";
        WeldRun(request).Execute({});
    }
}
BENCHMARK(BM_Weld10000FilesAlone)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
