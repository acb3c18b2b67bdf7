// The tick count from the monotonic clock, so that setting the wall clock never disturbs a timing.
#include "platform/shell/TickCount.h"

#include <chrono>

namespace plexon {

uint32_t GetTickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    // Keeping the low 32 bits is the wrap callers expect; they subtract in 32-bit arithmetic.
    return static_cast<uint32_t>(static_cast<uint64_t>(ms));
}

}  // namespace plexon
