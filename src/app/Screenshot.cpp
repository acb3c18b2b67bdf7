// The screenshot command: renders one of the program's forms headless and writes its frame as a
// 32-bit BMP. It never needs a display and never opens an interactive window.
#include "app/Screenshot.h"

#include <charconv>
#include <cstring>
#include <memory>
#include <optional>
#include <set>
#include <string_view>

#include "app/DemoForm.h"
#include "app/Options.h"
#include "controls/LevelProgressBar.h"
#include "forms/FormAbout.h"
#include "forms/FormMain.h"
#include "forms/FormOptions.h"
#include "forms/MessageDialog.h"
#include "framework/Application.h"
#include "graphics/Bitmap.h"
#include "platform/window/Window.h"

namespace plexon {

namespace {

constexpr OptionSpec kOptions[] = {
    {0, "window", Takes::Value}, {0, "busy", Takes::Value},     {0, "hover", Takes::Value},
    {0, "text", Takes::Value},   {'o', "output", Takes::Value},
};

// The work bar's position: a whole number from 0 to 100.
int ParseBusyPosition(std::string_view text) {
    int value = -1;
    const auto [rest, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || rest != text.data() + text.size() || value < 0 || value > 100)
        throw UsageError(Format("the work bar's position must be 0 to 100, not \"%s\"", {text}));
    return value;
}

}  // namespace

int RunScreenshot(std::span<const std::string> args, Console& console) {
    std::string name, output, text, hover;
    std::optional<int> busy;
    try {
        ParseOptions(
            args.subspan(1), kOptions,
            [&](const OptionSpec& option, std::optional<std::string_view> value) {
                const std::string given(*value);
                if (option.longName == "window")
                    name = given;
                else if (option.longName == "busy")
                    busy = ParseBusyPosition(given);
                else if (option.longName == "hover")
                    hover = given;
                else if (option.longName == "text")
                    text = given;
                else
                    output = given;
            },
            [](const std::string& arg) { throw UsageError(Format("unexpected argument \"%s\"", {arg})); });
        if (name.empty() || output.empty())
            throw UsageError("the window or the output file is missing (--window NAME -o FILE.bmp)");
        const std::set<std::string> known = {"demo", "message", "main", "options", "about"};
        if (!known.contains(name))
            throw UsageError(
                Format("unknown window \"%s\" (known: demo, message, main, options, about)", {name}));
    } catch (const UsageError& e) {
        ReportUsageError(console, "screenshot", e);
        return kExitUsage;
    }
    window::SelectBackend(window::BackendKind::Headless);
    // Owned here, so that a failed save or a bad control name frees the form on the way out.
    std::unique_ptr<TForm> form;
    if (name == "message") {
        // The dialog as Start shows its messages.
        form.reset(BuildMessageDialog(text, mtInformation, {mbOK}));
    } else if (name == "main") {
        auto main = std::make_unique<TfrmMain>(&Application());
        if (busy) {
            main->ShowBusy(true);
            main->pbWork->SetPosition(*busy);
        }
        form = std::move(main);
    } else if (name == "options") {
        form = std::make_unique<TfrmOptions>(&Application());
    } else if (name == "about") {
        form = std::make_unique<TfrmAbout>(&Application());
    } else {
        auto demo = std::make_unique<TDemoForm>(&Application());
        demo->out = &console.out;
        form = std::move(demo);
    }
    form->Show();
    Application().ProcessMessages();
    if (!hover.empty()) {
        // The mouse rests on the middle of the control, as a hot face needs.
        auto* control = dynamic_cast<TControl*>(form->FindComponent(hover));
        if (!control) {
            ReportUsageError(console, "screenshot",
                             UsageError(Format("no control \"%s\" on the window", {hover})));
            return kExitUsage;
        }
        const gdi::POINT p = control->ClientToScreen({control->Width() / 2, control->Height() / 2});
        window::TheDesktop().InputMouseMove(form->Handle(), {p.x - form->Left(), p.y - form->Top()},
                                            window::Shift::None);
        Application().ProcessMessages();
    }
    const window::FrameView frame = window::TheDesktop().Frame(form->Handle());
    TBitmap shot;
    shot.SetPixelLayout(BitmapPixelLayout::Bits32);
    shot.SetWidth(frame.width);
    shot.SetHeight(frame.height);
    for (int y = 0; y < frame.height; ++y)
        std::memcpy(shot.RowPointer(y), frame.pixels + std::size_t(y) * frame.stride,
                    std::size_t(frame.width) * 4);
    shot.SaveFile(output);
    return kExitDone;
}

}  // namespace plexon
