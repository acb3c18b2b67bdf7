// How much memory one icon of a run takes, and the limit on it. A run holds a working image per state
// and the strip, all with 32-bit pixels; a header can claim any size, so the run is refused before
// anything of that size is allocated.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plexon {

inline constexpr std::uint64_t kIconMemoryLimitMb = 512;

namespace msg {
inline constexpr std::string_view kIconTooLarge = "%s x %s pixels would need %s MB; the limit is %s MB";
}  // namespace msg

// Bytes for one icon: four slot-sized working images, one of them width x height when a source of that
// size is larger, and the strip of stateCount slots.
std::uint64_t IconBytes(std::int64_t width, std::int64_t height, std::int32_t slot, int stateCount);

// The refusal text (kIconTooLarge) when an image of width x height would take the icon past the limit;
// none when it fits. The slot's own check is width = height = slot.
std::optional<std::string> IconMemoryRefusal(std::int64_t width, std::int64_t height, std::int32_t slot,
                                             int stateCount);

// The refusal text (kIconTooLarge, with the strip's own size) when a strip of width x height would
// need more than the limit to be cut into its slots, counted as the weld of its slots counts it: a
// slot is as high as the strip. None when it fits.
std::optional<std::string> StripMemoryRefusal(std::int64_t width, std::int64_t height);

}  // namespace plexon
