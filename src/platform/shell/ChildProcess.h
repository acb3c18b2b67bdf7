// Running a helper program from an argument vector, never through a shell, and collecting what it
// prints on standard output. The caller's poll decides how long to wait; nothing here blocks for good.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace plexon {

struct ChildProcessOptions {
    // argv[0] names the program: a path with "/", or a name looked up on PATH.
    std::vector<std::string> argv{};
    // More output than this ends the program early; its answer counts as garbage.
    std::size_t outputLimit = std::size_t(1) << 20;
    // Asked every few milliseconds while the program runs; false ends it.
    std::function<bool()> keepWaiting{};
};

enum class ChildOutcome {
    Exited,        // ran to its end by itself; exitCode holds its status
    Signalled,     // ended by a signal it did not get from us
    Stopped,       // ended by us: keepWaiting said no, or it printed too much
    FailedToStart  // no such program, or it could not be started
};

struct ChildResult {
    ChildOutcome outcome = ChildOutcome::FailedToStart;
    int exitCode = -1;
    std::string output;  // standard output, byte for byte
};

// Runs the program with standard input and error on /dev/null, in a process group of its own so
// that whatever it starts ends with it.
ChildResult RunChildProcess(const ChildProcessOptions& options);

// Starts the program and returns at once: its output goes nowhere and nobody waits for it. False when
// it cannot be started (a program missing from PATH may only fail once it has started).
bool StartChildProcess(const std::vector<std::string>& argv);

// The full path of an executable file called name in a folder of PATH; empty when there is none.
std::string FindProgram(std::string_view name);

}  // namespace plexon
