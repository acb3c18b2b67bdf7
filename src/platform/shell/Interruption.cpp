// The interrupt descriptor, one per process: any thread waiting on a helper may look at it.
#include "platform/shell/Interruption.h"

#include <atomic>

namespace plexon {

namespace {

std::atomic<int> registered{-1};

}  // namespace

int InterruptDescriptor() {
    return registered.load();
}

InterruptScope::InterruptScope(int fd) : previous_(registered.exchange(fd)) {}

InterruptScope::~InterruptScope() {
    registered.store(previous_);
}

}  // namespace plexon
