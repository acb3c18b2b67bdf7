// Starting a program with posix_spawn so that nothing of ours reaches it but the descriptors named
// here, with default signal handling, in a process group of its own. Shared by the child processes
// whose output we collect and the helpers we talk to.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace plexon {

struct SpawnSetup {
    // argv[0] names the program: a path with "/", or a name looked up on PATH.
    std::vector<std::string> argv{};
    // Standard output and error; /dev/null for -1. Standard input is always /dev/null.
    int outputFd = -1;
    int errorFd = -1;
    // Handed to the program as descriptor 3 when not -1.
    int channelFd = -1;
    // "NAME=value" entries; empty: our own environment.
    std::vector<std::string> environment{};
};

// False, with the reason in errno, when the program cannot be started (a name missing from PATH may
// only fail once started).
bool SpawnProgram(const SpawnSetup& setup, pid_t& pid);

// Our environment with NAME set to value (added when missing), for SpawnSetup::environment.
std::vector<std::string> EnvironmentWith(const std::string& name, const std::string& value);

}  // namespace plexon
