// `plexon screenshot --window NAME [--text T] [--busy N] [--hover CONTROL] -o FILE.bmp`: renders a
// form headless and saves it. Parsing and rendering only; the dispatch lives in the window program.
#pragma once

#include <span>
#include <string>

#include "app/CommandLine.h"

namespace plexon {

// args[0] is "screenshot".
int RunScreenshot(std::span<const std::string> args, Console& console);

}  // namespace plexon
