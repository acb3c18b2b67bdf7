// Milliseconds since an arbitrary start, as a 32-bit count that wraps about every 49.7 days.
// Only differences of two readings mean anything; the count never goes backwards between wraps.
#pragma once

#include <cstdint>

namespace plexon {

uint32_t GetTickCount();

}  // namespace plexon
