// 32-bit BMP files that keep alpha: a version-5 header with bit-field masks for red, green, blue
// and alpha, straight (not premultiplied) alpha, rows bottom-up. Writing only; such files read back
// through the ordinary BMP reader.
#pragma once

#include <cstdint>
#include <vector>

#include "graphics/RgbaImage.h"

namespace plexon {

inline constexpr std::uint32_t kV5HeaderSize = 124;

std::vector<std::uint8_t> EncodeAlphaBmp(const RgbaImage& image);

}  // namespace plexon
