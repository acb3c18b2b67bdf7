// Ternary raster operations on packed pixel bits, 64 bits at a time. Knows nothing of colours:
// source and pattern arrive already in the destination's pixel format.
#pragma once

#include <cstddef>
#include <cstdint>

namespace plexon::gdi::detail {

constexpr bool RopUsesSource(std::uint8_t rop) {
    return ((rop >> 2) ^ rop) & 0x33;
}
constexpr bool RopUsesPattern(std::uint8_t rop) {
    return ((rop >> 4) ^ rop) & 0x0F;
}

// Applies the operation to bits [bitStart, bitEnd) of the row `destination` (bit 0 = top bit of byte 0).
// `source` and `pattern` are laid out like the destination row (same byte offsets); either may be null
// when the operation does not use it. Bits outside the range are left as they are.
void ApplyRop(std::uint8_t* destination, const std::uint8_t* source, const std::uint8_t* pattern,
              std::size_t bitStart, std::size_t bitEnd, std::uint8_t rop);

}  // namespace plexon::gdi::detail
