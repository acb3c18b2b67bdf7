// The memory rule of one icon: working images and strip against the limit.
#include "weld/IconMemory.h"

#include <algorithm>

#include "graphics/PictureLimits.h"
#include "runtime/Exceptions.h"

namespace plexon {

std::uint64_t IconBytes(std::int64_t width, std::int64_t height, std::int32_t slot, int stateCount) {
    // Header sizes are below 2^31 each, so none of these sums overflows 64 bits.
    const std::uint64_t slotBytes = PixelBytes(std::max(slot, 0), std::max(slot, 0));
    return 3 * slotBytes + std::max(slotBytes, PixelBytes(width, height)) +
           std::uint64_t(std::max(stateCount, 0)) * slotBytes;
}

namespace {

std::optional<std::string> Refusal(std::uint64_t bytes, std::int64_t width, std::int64_t height) {
    if (bytes <= kIconMemoryLimitMb * kMb) return std::nullopt;
    return Format(msg::kIconTooLarge,
                  {std::to_string(SideLength(width)), std::to_string(SideLength(height)),
                   std::to_string((bytes + kMb - 1) / kMb), std::to_string(kIconMemoryLimitMb)});
}

}  // namespace

std::optional<std::string> IconMemoryRefusal(std::int64_t width, std::int64_t height, std::int32_t slot,
                                             int stateCount) {
    return Refusal(IconBytes(width, height, slot, stateCount), width, height);
}

std::optional<std::string> StripMemoryRefusal(std::int64_t width, std::int64_t height) {
    // Four slot-sized working images and the strip itself; a tall strip's slot can be huge, so the
    // sums saturate instead of wrapping.
    const std::uint64_t side = SideLength(height);
    std::uint64_t slotBytes = 0, bytes = 0;
    if (__builtin_mul_overflow(side * side, kPixelBytes, &slotBytes) ||
        __builtin_mul_overflow(slotBytes, std::uint64_t(4), &bytes) ||
        __builtin_add_overflow(bytes, PixelBytes(width, height), &bytes))
        bytes = UINT64_MAX;
    return Refusal(bytes, width, height);
}

}  // namespace plexon
