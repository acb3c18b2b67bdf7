// Program entry: hands the command line to the window front end (no arguments, paths, screenshot,
// demo) or to the batch front end (help, version, weld); a hidden argument makes it an SVG helper.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/WindowProgram.h"
#include "graphics/SvgHelperMain.h"
#include "runtime/Exceptions.h"

int main(int argc, char** argv) {
    // Before anything else: a helper serves the program on its socket and never sees a console.
    if (plexon::IsSvgHelperCommand(argc, argv)) return plexon::RunSvgHelper(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    plexon::Console console{
        std::cout, std::cerr,
        ::isatty(STDERR_FILENO) ? plexon::ProgressDisplay::Bar : plexon::ProgressDisplay::None};
    const int status = plexon::IsWindowCommand(args) ? plexon::RunWindowCommand(args, console)
                                                     : plexon::RunCommandLine(args, PLEXON_VERSION, console);
    // Text that never reached its reader (a full disk, a closed pipe) is a failure, not a success. A
    // write that failed already, on text longer than the buffer, left its reason in errno.
    const int failedBefore = std::ferror(stdout) ? errno : 0;
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        const int reason = errno ? errno : failedBefore ? failedBefore : EIO;
        std::cerr << "plexon: standard output: " << plexon::FileReason("cannot write", reason) << '\n';
        return plexon::kExitFailed;
    }
    return status;
}
