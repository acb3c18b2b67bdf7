// The window program: no arguments or paths open the main window; `screenshot` renders a form
// headless (app/Screenshot.h); `demo` opens the demo form (app/DemoForm.h).
#pragma once

#include <span>
#include <string>

#include "app/CommandLine.h"

namespace plexon {

// True for the arguments this front end handles.
bool IsWindowCommand(std::span<const std::string> args);
int RunWindowCommand(std::span<const std::string> args, Console& console);

}  // namespace plexon
