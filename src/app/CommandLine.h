// The command line front end: dispatches to help, version or the batch weld and turns the outcome
// into an exit status. The window front end is not reached from here.
#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace plexon {

// Exit statuses of the program.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;  // a refusal or an error
inline constexpr int kExitUsage = 2;

enum class ProgressDisplay { Bar, None };

// Where the command writes: results on out, progress, warnings and errors on err.
struct Console {
    std::ostream& out;
    std::ostream& err;
    ProgressDisplay progress = ProgressDisplay::None;  // Bar only when err is a terminal
};

// args are the arguments after the program name.
int RunCommandLine(std::span<const std::string> args, std::string_view version, Console& console);

}  // namespace plexon
