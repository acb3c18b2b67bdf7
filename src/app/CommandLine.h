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

// "plexon: PATH: MESSAGE", the message as the error display shows it; without a path when there is
// none to name.
std::string ErrorLine(const std::string& path, std::string_view message);

// Inside a catch block of a batch command: reports the error in flight (a usage error as such, a file
// error with its own file and the system's reason, any other naming `path`) and gives the exit status.
int ReportCurrentError(Console& console, const std::string& path);

// args are the arguments after the program name.
int RunCommandLine(std::span<const std::string> args, std::string_view version, Console& console);

}  // namespace plexon
