// What a picture's header may claim before anything of that size is allocated. Headers can claim any
// size, so every reader of untrusted pictures asks here first; the byte count of pixels is computed
// one way for all (four bytes a pixel, as the raster layer holds them), so limits stay comparable.
#pragma once

#include <cstdint>

namespace plexon {

inline constexpr std::uint64_t kMb = std::uint64_t(1) << 20;
inline constexpr std::uint64_t kPixelBytes = 4;
// A picture shown in a window: no side longer than this, no more pixel bytes than this.
inline constexpr std::int64_t kMaxPictureSide = 16384;
inline constexpr std::uint64_t kMaxPictureBytes = 64 * kMb;
// A picture file longer than this is refused before any of it is read: a picture within the limits
// above needs far fewer bytes, and reading it whole would take as much memory.
inline constexpr std::uint64_t kMaxPictureFileBytes = 256 * kMb;

// A side as a header gives it: bottom-up headers give negative heights.
constexpr std::uint64_t SideLength(std::int64_t side) {
    return std::uint64_t(side < 0 ? -side : side);
}

// Bytes of width x height pixels. Sides below 2^31 each cannot overflow the product.
constexpr std::uint64_t PixelBytes(std::int64_t width, std::int64_t height) {
    return SideLength(width) * SideLength(height) * kPixelBytes;
}

// Whether a picture claiming width x height pixels may be decoded for display.
constexpr bool PictureClaimFits(std::int64_t width, std::int64_t height) {
    return SideLength(width) <= kMaxPictureSide && SideLength(height) <= kMaxPictureSide &&
           PixelBytes(width, height) <= kMaxPictureBytes;
}

}  // namespace plexon
