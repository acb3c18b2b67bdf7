// GIF files as RGBA images: the first frame only, placed on the file's logical screen. giflib does
// the decompression; it reports failures as codes, never by jumping, so nothing here needs a guard
// beyond a reader that cannot throw.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "graphics/RgbaImage.h"

namespace plexon {

namespace msg {
inline constexpr std::string_view kInvalidGif = "GIF image is not valid: %s";
}  // namespace msg

// True when the bytes start with "GIF87a" or "GIF89a".
bool IsGifSignature(std::span<const std::uint8_t> bytes);

struct GifSize {
    std::int32_t width = 0, height = 0;
};
// The logical screen's size from the header, without decoding; EInvalidGraphic when the bytes do not
// start a GIF file.
GifSize ReadGifSize(std::span<const std::uint8_t> file);

// The logical screen with the first frame at its offset; the rest of the screen, and the frame's
// transparent colour when its control extension names one, have alpha 0. Rows below the screen are
// not decoded. EInvalidGraphic "GIF image is not valid: WHY" for what giflib refuses, a file without
// a frame, and a screen or frame beyond the picture limits (graphics/PictureLimits.h), refused
// before its pixels are allocated or read.
RgbaImage DecodeGif(std::span<const std::uint8_t> file);

}  // namespace plexon
