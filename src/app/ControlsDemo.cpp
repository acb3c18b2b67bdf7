// The window front end: the main window when the program starts without arguments, the demo form
// (one of each standard control under the caption "Plexon controls"), and the screenshot and demo
// subcommands.
#include "app/ControlsDemo.h"

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <optional>
#include <set>

#include "app/ApplicationIcon.h"
#include "app/OpenPaths.h"
#include "controls/LevelProgressBar.h"
#include "forms/FormAbout.h"
#include "forms/FormMain.h"
#include "forms/FormOptions.h"
#include "forms/MessageDialog.h"
#include "framework/Application.h"
#include "framework/Bevel.h"
#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/MaskEdit.h"
#include "framework/PlaceControl.h"
#include "framework/Shape.h"
#include "graphics/Bitmap.h"
#include "platform/window/HeadlessBackend.h"
#include "platform/window/Window.h"

namespace plexon {

namespace {

template <class Control>
Control* Place(TForm* form, const char* name, int left, int top, int width, int height) {
    return PlaceControl<Control>(form, form, name, left, top, width, height);
}

// A small picture for the image control: a colour ramp made in code.
std::unique_ptr<TBitmap> RampPicture() {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelLayout(BitmapPixelLayout::Bits32);
    bitmap->SetWidth(48);
    bitmap->SetHeight(48);
    for (int y = 0; y < 48; ++y) {
        auto* row = static_cast<std::uint8_t*>(bitmap->RowPointer(y));
        for (int x = 0; x < 48; ++x) {
            row[x * 4 + 0] = std::uint8_t(x * 5);
            row[x * 4 + 1] = std::uint8_t(y * 5);
            row[x * 4 + 2] = std::uint8_t(255 - x * 5);
            row[x * 4 + 3] = 0;
        }
    }
    return bitmap;
}

// The form reports its button clicks on the stream `out` points to.
class TDemoForm : public TForm {
  public:
    explicit TDemoForm(TComponent* owner);
    std::ostream* out = &std::cout;
};

TDemoForm::TDemoForm(TComponent* owner) : TForm(owner) {
    TDemoForm* form = this;
    form->SetName("frmDemo");
    form->SetCaption("Plexon controls");
    form->SetBorderStyle(bsSingle);
    form->SetPosition(poScreenCenter);
    form->SetBounds(0, 0, 413, 353);
    auto* bevel = Place<TBevel>(form, "Bevel1", 0, 290, 413, 5);
    bevel->SetShape(TBevelShape::bsTopLine);
    auto* label = Place<TLabel>(form, "lblInfo", 12, 12, 389, 30);
    label->SetWordWrap(true);
    label->SetCaption("One of each standard control. Tab moves the focus; Enter presses the default button.");
    Place<TLabel>(form, "lblState", 12, 56, 100, 13)->SetCaption("State count:");
    auto* combo = Place<TComboBox>(form, "cbImageState", 120, 52, 145, 21);
    for (const char* item : {"2 state images", "3 state images", "4 state images"}) combo->Items().Add(item);
    combo->SetItemIndex(1);
    Place<TLabel>(form, "lblSuffix", 12, 92, 100, 13)->SetCaption("Hot suffix:");
    auto* edit = Place<TMaskEdit>(form, "txtSuffixHot", 120, 88, 37, 21);
    edit->SetEditMask("_A;1;_");
    edit->SetMaskedText("_h");
    auto* image = Place<TImage>(form, "imgRamp", 12, 130, 48, 48);
    image->SetGraphic(RampPicture(), "TBitmap");
    auto* shape = Place<TShape>(form, "shpBox", 80, 130, 64, 48);
    shape->SetBrushColor(clSkyBlue);
    shape->SetPenColor(clNavy);
    auto* disabled = Place<TButton>(form, "btnDisabled", 160, 140, 90, 25);
    disabled->SetCaption("Disabled");
    disabled->SetEnabled(false);
    auto* hello = Place<TButton>(form, "btnHello", 246, 310, 75, 25);
    hello->SetCaption("&Hello");
    hello->OnClick = [this](TComponent*) { *out << "Hello clicked" << std::endl; };
    auto* close = Place<TButton>(form, "btnClose", 326, 310, 75, 25);
    close->SetCaption("&Close");
    close->SetDefault(true);
    close->OnClick = [this](TComponent*) {
        *out << "Close clicked" << std::endl;
        Close();
    };
    combo->SetTabOrder(0);
}

int Screenshot(std::span<const std::string> args, Console& console) {
    std::string name, output, text, hover;
    std::optional<int> busy;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--window" && i + 1 < args.size()) {
            name = args[++i];
        } else if (args[i] == "--busy" && i + 1 < args.size()) {
            busy = std::atoi(args[++i].c_str());
        } else if (args[i] == "--hover" && i + 1 < args.size()) {
            hover = args[++i];
        } else if (args[i] == "--text" && i + 1 < args.size()) {
            text = args[++i];
        } else if (args[i] == "-o" && i + 1 < args.size()) {
            output = args[++i];
        } else {
            console.err << "plexon screenshot: unexpected argument " << args[i] << "\n";
            return kExitUsage;
        }
    }
    if (name.empty() || output.empty()) {
        console.err
            << "usage: plexon screenshot --window NAME [--text TEXT] [--busy POSITION] [--hover CONTROL] "
               "-o FILE.bmp\n";
        return kExitUsage;
    }
    const std::set<std::string> known = {"demo", "message", "main", "options", "about"};
    if (!known.contains(name)) {
        console.err << "plexon screenshot: unknown window " << name
                    << " (known: demo, message, main, options, about)\n";
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
            console.err << "plexon screenshot: no control " << hover << " on the window\n";
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

// The program's window: the application titled "Tesvo Plexon" runs the main window until it closes.
// Paths given select their files as a drop of them would; a first file that cannot be loaded shows
// the error display, as Browse would.
int MainWindow(std::span<const std::string> paths) {
    Application().Initialize();
    Application().SetTitle("Tesvo Plexon");
    window::TheDesktop().Native().SetApplicationIcon(DrawApplicationIcon(kWindowIconSize));
    Application().CreateForm(frmMain);
    if (!paths.empty()) {
        try {
            frmMain->FilesDropped(FilesToOpen(paths, frmMain->Suffixes()));
        } catch (...) {
            Application().HandleException();
        }
    }
    Application().Run();
    delete frmMain;
    frmMain = nullptr;
    return kExitDone;
}

int Demo(Console& console) {
    Application().Initialize();
    Application().SetTitle("Plexon controls");
    window::TheDesktop().Native().SetApplicationIcon(DrawApplicationIcon(kWindowIconSize));
    TDemoForm* created = nullptr;
    Application().CreateForm(created);
    const std::unique_ptr<TDemoForm> form(created);
    form->out = &console.out;
    Application().Run();
    return kExitDone;
}

}  // namespace

bool IsWindowCommand(std::span<const std::string> args) {
    return args.empty() || args[0] == "screenshot" || args[0] == "demo" || IsOpenCommand(args);
}

// A window the user is to work in needs a display; the in-memory back end serves it only when
// asked for by name (tests), since nobody could ever see or answer it.
bool NoDisplayForInteractiveWindow() {
    return dynamic_cast<window::HeadlessBackend*>(&window::TheDesktop().Native()) != nullptr &&
           std::getenv("PLEXON_BACKEND") == nullptr;
}

int RunWindowCommand(std::span<const std::string> args, Console& console) {
    const std::string command = args.empty() || IsOpenCommand(args) ? std::string() : " " + args[0];
    try {
        const bool open = IsOpenCommand(args);
        if ((args.empty() || open || args[0] == "demo") && NoDisplayForInteractiveWindow()) {
            console.err << "plexon" << command
                        << ": no display to open the window on (plexon weld works without one)\n";
            return kExitFailed;
        }
        if (args.empty() || open) return MainWindow(args);
        return args[0] == "demo" ? Demo(console) : Screenshot(args, console);
    } catch (const std::exception& e) {
        console.err << "plexon" << command << ": " << e.what() << "\n";
        return kExitFailed;
    }
}

}  // namespace plexon
