// Benchmarks of the widget framework through the headless desktop: repainting a whole 413 x 353 form
// of standard controls, and making such a form up to its first composed frame.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "framework/Application.h"
#include "framework/Bevel.h"
#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/Label.h"
#include "framework/MaskEdit.h"
#include "framework/Shape.h"
#include "platform/window/Window.h"

namespace {

using namespace plexon;

template <class Control>
Control* Place(TForm* form, int left, int top, int width, int height) {
    auto* control = new Control(form);
    control->SetBounds(left, top, width, height);
    control->SetParent(form);
    return control;
}

TForm* MakeForm() {
    auto* form = new TForm(&Application());
    form->SetBounds(0, 0, 413, 353);
    form->SetCaption("Bench");
    for (int row = 0; row < 4; ++row) {
        const int y = 50 + row * 60;
        Place<TLabel>(form, 12, y + 4, 217, 13)->SetCaption("What type of image would you like to create?");
        auto* combo = Place<TComboBox>(form, 240, y, 145, 21);
        combo->Items().Add("3 state images");
        combo->SetItemIndex(0);
        Place<TMaskEdit>(form, 12, y + 26, 37, 21)->SetEditMask("_A;1;_");
        Place<TButton>(form, 312, y + 26, 75, 25)->SetCaption("&Browse...");
    }
    Place<TShape>(form, 8, 8, 397, 33);
    Place<TBevel>(form, 0, 300, 413, 5)->SetShape(TBevelShape::bsTopLine);
    return form;
}

void InvalidateAll(TWinControl& control) {
    control.Invalidate();
    for (int i = 0; i < control.ControlCount(); ++i)
        if (auto* child = dynamic_cast<TWinControl*>(control.Controls(i))) InvalidateAll(*child);
}

void BM_RepaintWholeForm(benchmark::State& state) {
    window::SelectBackend(window::BackendKind::Headless);
    TForm* form = MakeForm();
    form->Show();
    Application().ProcessMessages();
    for (auto _ : state) {
        InvalidateAll(*form);
        window::TheDesktop().UpdateWindow(form->Handle());
    }
    delete form;
}
BENCHMARK(BM_RepaintWholeForm)->Unit(benchmark::kMillisecond);

void BM_FormToFirstFrame(benchmark::State& state) {
    window::SelectBackend(window::BackendKind::Headless);
    for (auto _ : state) {
        TForm* form = MakeForm();
        form->Show();
        Application().ProcessMessages();
        benchmark::DoNotOptimize(window::TheDesktop().Frame(form->Handle()).pixels);
        state.PauseTiming();
        delete form;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FormToFirstFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
