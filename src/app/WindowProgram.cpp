// The window program: no arguments open the main window, `plexon PATH...` opens it with those files
// selected; `screenshot` and `demo` are handed to their own files. Batch commands are not handled here.
#include "app/WindowProgram.h"

#include <cstdlib>
#include <exception>

#include "app/Accessibility.h"
#include "app/ApplicationIcon.h"
#include "app/DemoForm.h"
#include "app/OpenPaths.h"
#include "app/Screenshot.h"
#include "forms/FormMain.h"
#include "framework/Application.h"
#include "platform/window/HeadlessBackend.h"
#include "platform/window/Window.h"

namespace plexon {

namespace {

// The program's window: the application titled "Tesvo Plexon" runs the main window until it closes.
// Paths given select their files as a drop of them would; a first file that cannot be loaded shows
// the error display, as Browse would.
int MainWindow(std::span<const std::string> paths) {
    Application().Initialize();
    Application().SetTitle("Tesvo Plexon");
    window::TheDesktop().Native().SetApplicationIcon(DrawApplicationIcon(kWindowIconSize));
    Application().CreateForm(frmMain);
    StartAccessibility();
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
        return args[0] == "demo" ? RunDemo(console) : RunScreenshot(args, console);
    } catch (const std::exception& e) {
        console.err << "plexon" << command << ": " << e.what() << "\n";
        return kExitFailed;
    }
}

}  // namespace plexon
