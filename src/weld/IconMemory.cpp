// The memory rule of one icon: working images and strip against the limit.
#include "weld/IconMemory.h"

#include <algorithm>
#include <cstdlib>

#include "runtime/Exceptions.h"

namespace plexon {

namespace {

constexpr std::uint64_t kPixelBytes = 4;
constexpr std::uint64_t kMb = std::uint64_t(1) << 20;

}  // namespace

std::uint64_t IconBytes(std::int64_t width, std::int64_t height, std::int32_t slot, int stateCount) {
    // Header sizes are below 2^31 each, so none of these products overflows 64 bits.
    const std::uint64_t slotPixels = std::uint64_t(std::max(slot, 0)) * std::uint64_t(std::max(slot, 0));
    const std::uint64_t imagePixels = std::uint64_t(std::llabs(width)) * std::uint64_t(std::llabs(height));
    const std::uint64_t pixels = 3 * slotPixels + std::max(slotPixels, imagePixels) +
                                 std::uint64_t(std::max(stateCount, 0)) * slotPixels;
    return pixels * kPixelBytes;
}

std::optional<std::string> IconMemoryRefusal(std::int64_t width, std::int64_t height, std::int32_t slot,
                                             int stateCount) {
    const std::uint64_t bytes = IconBytes(width, height, slot, stateCount);
    if (bytes <= kIconMemoryLimitMb * kMb) return std::nullopt;
    return Format(msg::kIconTooLarge,
                  {std::to_string(std::llabs(width)), std::to_string(std::llabs(height)),
                   std::to_string((bytes + kMb - 1) / kMb), std::to_string(kIconMemoryLimitMb)});
}

}  // namespace plexon
