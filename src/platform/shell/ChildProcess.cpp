// Child processes through posix_spawn with a pipe for their output. Ending one is polite first
// (SIGTERM to its group) and certain after a grace period (SIGKILL).
#include "platform/shell/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <thread>

#include "platform/shell/Spawn.h"

namespace plexon {

namespace {

constexpr int kPollMilliseconds = 20;
constexpr int kGraceMilliseconds = 2000;

class Fd {
  public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return fd_; }
    void Close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

  private:
    int fd_;
};

// Waits for the child without blocking; true once it has ended (status filled in).
bool Reaped(pid_t pid, int& status) {
    for (;;) {
        const pid_t r = ::waitpid(pid, &status, WNOHANG);
        if (r == pid) return true;
        if (r == 0) return false;
        if (errno != EINTR) return true;  // not our child any more: nothing left to wait for
    }
}

void Stop(pid_t pid, int& status) {
    ::kill(-pid, SIGTERM);
    for (int waited = 0; waited < kGraceMilliseconds; waited += kPollMilliseconds) {
        if (Reaped(pid, status)) {
            ::kill(-pid, SIGKILL);  // stragglers of its group
            return;
        }
        ::poll(nullptr, 0, kPollMilliseconds);
    }
    ::kill(-pid, SIGKILL);
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace

ChildResult RunChildProcess(const ChildProcessOptions& options) {
    ChildResult result;
    if (options.argv.empty() || options.argv[0].empty()) return result;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return result;
    Fd readEnd(fds[0]), writeEnd(fds[1]);
    pid_t pid = 0;
    if (!SpawnProgram({.argv = options.argv, .outputFd = writeEnd.Get()}, pid)) return result;
    writeEnd.Close();

    int status = 0;
    bool stopped = false;
    std::vector<char> chunk(std::size_t(1) << 16);
    char* const buffer = chunk.data();
    // Reads what is waiting (up to `wait` ms for the first bytes); false once the pipe is closed.
    auto readSome = [&](int wait) {
        pollfd p{readEnd.Get(), POLLIN, 0};
        if (::poll(&p, 1, wait) <= 0) return true;
        const ssize_t n = ::read(readEnd.Get(), buffer, chunk.size());
        if (n > 0) {
            result.output.append(buffer, std::size_t(n));
            return true;
        }
        return n < 0 && (errno == EINTR || errno == EAGAIN);
    };
    bool open = true;
    for (;;) {
        if (open) {
            open = readSome(kPollMilliseconds);
        } else {
            ::poll(nullptr, 0, kPollMilliseconds);
        }
        if (result.output.size() > options.outputLimit || (options.keepWaiting && !options.keepWaiting())) {
            Stop(pid, status);
            stopped = true;
            break;
        }
        if (Reaped(pid, status)) {
            // Take what is still in the pipe; a helper it left behind may hold the pipe open, so
            // its group goes now instead of being waited for.
            while (open && result.output.size() <= options.outputLimit) {
                pollfd p{readEnd.Get(), POLLIN, 0};
                if (::poll(&p, 1, 0) <= 0) break;
                open = readSome(0);
            }
            if (open) ::kill(-pid, SIGKILL);
            if (result.output.size() > options.outputLimit) stopped = true;
            break;
        }
    }
    if (stopped) {
        result.outcome = ChildOutcome::Stopped;
    } else if (WIFEXITED(status)) {
        // posix_spawnp reports a missing program through the child's exit status 127.
        result.outcome = WEXITSTATUS(status) == 127 ? ChildOutcome::FailedToStart : ChildOutcome::Exited;
        result.exitCode = WEXITSTATUS(status);
    } else {
        result.outcome = ChildOutcome::Signalled;
    }
    return result;
}

bool StartChildProcess(const std::vector<std::string>& argv) {
    if (argv.empty() || argv[0].empty()) return false;
    pid_t pid = 0;
    if (!SpawnProgram({.argv = argv}, pid)) return false;
    // Nobody waits for the program's answer; a thread of its own collects its exit status so that it
    // leaves no zombie behind.
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

std::string FindProgram(std::string_view name) {
    if (name.empty() || name.find('/') != std::string_view::npos) return {};
    const char* path = std::getenv("PATH");
    const std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = folders.find(':', start);
        std::string folder =
            folders.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (folder.empty()) folder = ".";
        const std::string candidate = folder + "/" + std::string(name);
        struct stat info {};
        if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (end == std::string::npos) return {};
        start = end + 1;
    }
}

}  // namespace plexon
