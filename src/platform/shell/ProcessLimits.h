// Limits a helper process puts on itself before it takes any work: it dies with its parent, keeps no
// core files, may map only so much memory, and is ended by SIGXCPU once a job has used its CPU time.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>

namespace plexon {

// The process gets SIGKILL when the thread that started it ends; it ends at once if that has
// happened already (its parent is no longer `parent`).
void DieWithParent(pid_t parent);

// No core file for whatever ends the process (a limit, a crash of a library).
void KeepNoCoreFiles();

// RLIMIT_AS: allocations beyond it fail. Raises EOSError when the system refuses.
void LimitAddressSpace(std::uint64_t bytes);

// A CPU-time alarm on the whole process (all its threads): armed for a job, SIGXCPU ends the process
// when the job uses more than its time.
class CpuTimeAlarm {
  public:
    CpuTimeAlarm();  // raises EOSError when the system has no timer for it
    ~CpuTimeAlarm();
    CpuTimeAlarm(const CpuTimeAlarm&) = delete;
    CpuTimeAlarm& operator=(const CpuTimeAlarm&) = delete;

    void Arm(std::chrono::milliseconds limit);
    void Disarm();

  private:
    void* timer_ = nullptr;  // timer_t
};

}  // namespace plexon
