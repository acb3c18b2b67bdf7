// How a long wait learns that the user wants the program to stop: a process-wide descriptor that
// becomes readable then (the watch's signalfd), and the exception the wait unwinds with. Nothing here
// reads the descriptor; its owner takes what arrives on it.
#pragma once

#include <exception>

namespace plexon {

// Not a plexon::Exception, so that nothing that skips a source which failed takes it for one.
class Interrupted : public std::exception {
  public:
    const char* what() const noexcept override { return "interrupted"; }
};

// The registered descriptor; -1 when there is none (the signals then end the process as usual).
int InterruptDescriptor();

// Registers fd for its own lifetime, restoring the one before afterwards.
class InterruptScope {
  public:
    explicit InterruptScope(int fd);
    ~InterruptScope();
    InterruptScope(const InterruptScope&) = delete;
    InterruptScope& operator=(const InterruptScope&) = delete;

  private:
    int previous_;
};

}  // namespace plexon
