// Program entry: hands the command line to the window front end (no arguments, paths, screenshot,
// demo) or to the batch front end (help, version, weld).
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/WindowProgram.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    plexon::Console console{
        std::cout, std::cerr,
        ::isatty(STDERR_FILENO) ? plexon::ProgressDisplay::Bar : plexon::ProgressDisplay::None};
    if (plexon::IsWindowCommand(args)) return plexon::RunWindowCommand(args, console);
    return plexon::RunCommandLine(args, PLEXON_VERSION, console);
}
