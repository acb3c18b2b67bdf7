// A helper program we talk to over one socket, its descriptor 3: started through SpawnProgram (no
// other descriptor of ours, default signals, a process group of its own), ended and reaped by us.
// What is said over the socket is the caller's business.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace plexon {

struct HelperSetup {
    std::vector<std::string> argv;
    std::vector<std::string> environment{};  // empty: ours
    int errorFd = -1;                        // its standard error; /dev/null for -1
};

class HelperProcess {
  public:
    // Raises EOSError naming the program when it cannot be started.
    explicit HelperProcess(const HelperSetup& setup);
    // Closes the socket, which tells the helper to end, and reaps it; one that has not ended within
    // two seconds is killed.
    ~HelperProcess();
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;

    int Socket() const { return socket_; }
    pid_t Id() const { return pid_; }
    // Ends it now (SIGKILL) and reaps it; gives its wait status.
    int Kill();
    // Reaps a helper whose socket has closed, killing it if it is still there after a moment; gives
    // its wait status.
    int Reap();

  private:
    int Finish(int graceMilliseconds);

    pid_t pid_ = -1;
    int socket_ = -1;
    int pidFd_ = -1;  // readable once the helper has ended
    bool reaped_ = false;
    int status_ = 0;
};

}  // namespace plexon
