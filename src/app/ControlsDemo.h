// The window front end: no arguments open the main window; `screenshot --window NAME -o FILE.bmp`
// renders a form headless and writes its client area as a 32-bit BMP; `demo` opens the demo form.
#pragma once

#include <span>
#include <string>

#include "app/CommandLine.h"

namespace plexon {

// True for the arguments this front end handles.
bool IsWindowCommand(std::span<const std::string> args);
int RunWindowCommand(std::span<const std::string> args, Console& console);

}  // namespace plexon
