// posix_spawn with the descriptors, signals and process group every program we start gets.
#include "platform/shell/Spawn.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

extern char** environ;

namespace plexon {

namespace {

constexpr int kChannelFd = 3;

// Each standard descriptor goes to the one given, or to /dev/null.
void AddStandard(posix_spawn_file_actions_t& actions, int fd, int target, int mode) {
    if (fd >= 0)
        ::posix_spawn_file_actions_adddup2(&actions, fd, target);
    else
        ::posix_spawn_file_actions_addopen(&actions, target, "/dev/null", mode, 0);
}

}  // namespace

bool SpawnProgram(const SpawnSetup& setup, pid_t& pid) {
    if (setup.argv.empty() || setup.argv[0].empty()) return false;
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawnattr_init(&attributes);
    // The channel first: the opens below may take any free number, never one of ours.
    if (setup.channelFd >= 0) ::posix_spawn_file_actions_adddup2(&actions, setup.channelFd, kChannelFd);
    ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    AddStandard(actions, setup.outputFd, STDOUT_FILENO, O_WRONLY);
    AddStandard(actions, setup.errorFd, STDERR_FILENO, O_WRONLY);
    // Nothing else of ours reaches the program: a folder lock, the display connection, open files.
    ::posix_spawn_file_actions_addclosefrom_np(&actions, setup.channelFd >= 0 ? kChannelFd + 1 : kChannelFd);
    ::posix_spawnattr_setpgroup(&attributes, 0);
    // The program starts with default signal handling whatever ours is.
    sigset_t defaults;
    ::sigemptyset(&defaults);
    for (const int signal : {SIGPIPE, SIGINT, SIGTERM, SIGXCPU}) ::sigaddset(&defaults, signal);
    ::posix_spawnattr_setsigdefault(&attributes, &defaults);
    sigset_t none;
    ::sigemptyset(&none);
    ::posix_spawnattr_setsigmask(&attributes, &none);
    ::posix_spawnattr_setflags(&attributes,
                               POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

    std::vector<char*> argv, envp;
    for (const std::string& arg : setup.argv) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    for (const std::string& entry : setup.environment) envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);
    char** const environment = setup.environment.empty() ? environ : envp.data();
    const int spawned = ::posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environment);
    ::posix_spawn_file_actions_destroy(&actions);
    ::posix_spawnattr_destroy(&attributes);
    if (spawned != 0) errno = spawned;
    return spawned == 0;
}

std::vector<std::string> EnvironmentWith(const std::string& name, const std::string& value) {
    std::vector<std::string> entries;
    bool set = false;
    for (char** entry = environ; *entry; ++entry) {
        const bool same = std::strncmp(*entry, name.c_str(), name.size()) == 0 && (*entry)[name.size()] == '=';
        entries.push_back(same ? name + "=" + value : *entry);
        set = set || same;
    }
    if (!set) entries.push_back(name + "=" + value);
    return entries;
}

}  // namespace plexon
