// prctl, setrlimit and a process CPU-time timer, for helper processes.
#include "platform/shell/ProcessLimits.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>

#include "runtime/Exceptions.h"

namespace plexon {

void DieWithParent(pid_t parent) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    // The parent may have gone between our start and the call above; nothing would kill us then.
    if (::getppid() != parent) ::_exit(1);
}

void KeepNoCoreFiles() {
    const rlimit none{0, 0};
    ::setrlimit(RLIMIT_CORE, &none);
}

void LimitAddressSpace(std::uint64_t bytes) {
    const rlimit limit{rlim_t(bytes), rlim_t(bytes)};
    if (::setrlimit(RLIMIT_AS, &limit) != 0) throw EOSError(FileReason("cannot limit memory", errno));
}

CpuTimeAlarm::CpuTimeAlarm() {
    sigevent event{};
    event.sigev_notify = SIGEV_SIGNAL;
    event.sigev_signo = SIGXCPU;
    timer_t timer{};
    if (::timer_create(CLOCK_PROCESS_CPUTIME_ID, &event, &timer) != 0)
        throw EOSError(FileReason("cannot limit CPU time", errno));
    timer_ = timer;
}

CpuTimeAlarm::~CpuTimeAlarm() {
    ::timer_delete(timer_t(timer_));
}

void CpuTimeAlarm::Arm(std::chrono::milliseconds limit) {
    itimerspec when{};
    when.it_value.tv_sec = time_t(limit.count() / 1000);
    when.it_value.tv_nsec = long(limit.count() % 1000) * 1000000;
    if (when.it_value.tv_sec == 0 && when.it_value.tv_nsec == 0) when.it_value.tv_nsec = 1;  // 0 disarms
    ::timer_settime(timer_t(timer_), 0, &when, nullptr);
}

void CpuTimeAlarm::Disarm() {
    const itimerspec never{};
    ::timer_settime(timer_t(timer_), 0, &never, nullptr);
}

}  // namespace plexon
