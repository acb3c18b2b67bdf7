// The command line front end: dispatches to help, version or the batch weld and turns the outcome
// into an exit status. The window front end is not reached from here.
#pragma once

#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "app/Options.h"

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

// How every command reports a usage error: "plexon COMMAND: why", then where to read more. `command`
// is empty for the batch commands, which have always been reported as plain "plexon".
void ReportUsageError(Console& console, std::string_view command, const UsageError& error);

// args are the arguments after the program name.
int RunCommandLine(std::span<const std::string> args, std::string_view version, Console& console);

}  // namespace plexon
