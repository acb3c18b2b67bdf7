// Starting, ending and reaping one helper process, with a socket pair between us.
#include "platform/shell/HelperProcess.h"

#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "platform/shell/Spawn.h"
#include "runtime/Exceptions.h"
#include "runtime/ScopeExit.h"

namespace plexon {

HelperProcess::HelperProcess(const HelperSetup& setup) {
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0)
        throw EOSError(FileReason("cannot start " + setup.argv.at(0), errno));
    ScopeExit closePair([&] { ::close(pair[0]), ::close(pair[1]); });
    if (!SpawnProgram({.argv = setup.argv, .errorFd = setup.errorFd, .channelFd = pair[1],
                       .environment = setup.environment},
                      pid_))
        throw EOSError(FileReason("cannot start " + setup.argv[0], errno));
    closePair.Release();
    ::close(pair[1]);
    socket_ = pair[0];
    // Without a pidfd (an old kernel) waits fall back to polling waitpid. The C library's own
    // declaration of pidfd_open lacks C linkage in C++, so the system call is made directly.
    pidFd_ = int(::syscall(SYS_pidfd_open, pid_, 0));
}

HelperProcess::~HelperProcess() {
    ::close(socket_);
    if (!reaped_) Finish(2000);
    if (pidFd_ >= 0) ::close(pidFd_);
}

int HelperProcess::Kill() {
    if (!reaped_) ::kill(pid_, SIGKILL);
    return Finish(0);
}

int HelperProcess::Reap() {
    return Finish(1000);
}

int HelperProcess::Finish(int graceMilliseconds) {
    if (reaped_) return status_;
    const auto ended = [this] {
        for (;;) {
            const pid_t got = ::waitpid(pid_, &status_, WNOHANG);
            if (got == pid_ || (got < 0 && errno != EINTR)) return true;
            if (got == 0) return false;
        }
    };
    for (int waited = 0; !ended(); waited += 10) {
        if (waited >= graceMilliseconds) {
            ::kill(pid_, SIGKILL);
            while (::waitpid(pid_, &status_, 0) < 0 && errno == EINTR) {
            }
            break;
        }
        pollfd exit{pidFd_, POLLIN, 0};
        ::poll(&exit, pidFd_ >= 0 ? 1 : 0, 10);
    }
    reaped_ = true;
    return status_;
}

}  // namespace plexon
