// Benchmarks of our own file chooser through the headless desktop: listing a folder of 30,000
// files up to the repainted frame, and the repaint after a wheel step or a Page Down in it.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "forms/ChooserWindow.h"
#include "framework/Application.h"
#include "platform/window/Input.h"
#include "platform/window/Window.h"

namespace {

using namespace plexon;

// A folder of `count` empty .bmp files, made once and removed at exit.
class BigFolder {
  public:
    explicit BigFolder(int count) {
        std::string pattern = (std::filesystem::temp_directory_path() / "plexon-chooser-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
        for (int i = 0; i < count; ++i) std::ofstream(path_ + "/icon" + std::to_string(100000 + i) + ".bmp");
        path_ += "/";
    }
    ~BigFolder() { std::filesystem::remove_all(path_); }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

const BigFolder& Folder30000() {
    static const BigFolder folder(30000);
    return folder;
}

std::unique_ptr<TChooserForm> ShowChooser() {
    window::SelectBackend(window::BackendKind::Headless);
    const ChooserRequest request{.kind = ChooserKind::Files,
                                 .selection = Selection::Multiple,
                                 .filters = {{"Bitmap files (*.bmp)", {"*.bmp"}}},
                                 .initialFolder = Folder30000().Path()};
    auto form = std::make_unique<TChooserForm>(&Application(), request);
    form->Show();
    Application().ProcessMessages();
    return form;
}

void BM_List30000Files(benchmark::State& state) {
    const auto form = ShowChooser();
    for (auto _ : state) {
        form->OpenFolder(Folder30000().Path());
        window::TheDesktop().UpdateWindow(form->Handle());
    }
    state.counters["entries"] = double(form->List().Items().size());
}
BENCHMARK(BM_List30000Files)->Unit(benchmark::kMillisecond);

void BM_WheelStep(benchmark::State& state) {
    const auto form = ShowChooser();
    TChooserList& list = form->List();
    int direction = -1;
    for (auto _ : state) {
        const int before = list.TopIndex();
        list.MouseWheel(Shift::None, direction);
        if (list.TopIndex() == before) direction = -direction;
        window::TheDesktop().UpdateWindow(form->Handle());
    }
}
BENCHMARK(BM_WheelStep)->Unit(benchmark::kMillisecond);

void BM_PageDown(benchmark::State& state) {
    const auto form = ShowChooser();
    TChooserList& list = form->List();
    for (auto _ : state) {
        int key = list.ItemIndex() + 1 >= int(list.Items().size()) ? window::vk::kHome : window::vk::kNext;
        list.KeyDown(key, Shift::None);
        window::TheDesktop().UpdateWindow(form->Handle());
    }
}
BENCHMARK(BM_PageDown)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
