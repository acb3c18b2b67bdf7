// The tick count never goes backwards between two readings (apart from its 32-bit wrap).
#include "platform/shell/TickCount.h"

#include <gtest/gtest.h>

namespace plexon {
namespace {

TEST(TickCount, NeverGoesBackwards) {
    const uint32_t first = GetTickCount();
    const uint32_t second = GetTickCount();
    // Differences in 32-bit arithmetic stay small across a wrap too.
    EXPECT_LT(static_cast<uint32_t>(second - first), 60'000u);
}

}  // namespace
}  // namespace plexon
