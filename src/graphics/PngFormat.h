// PNG files to and from RGBA images. Reading takes every colour type and bit depth of the format
// to 8-bit straight-alpha RGBA; writing makes 8-bit RGBA files. No gamma or colour-profile handling:
// the stored values are the pixels, as BMP files have them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/RgbaImage.h"

namespace plexon {

class TStream;

namespace msg {
inline constexpr std::string_view kInvalidPng = "PNG image is not valid: %s";
}  // namespace msg

// The zlib level strips are written with unless told otherwise.
inline constexpr int kDefaultPngLevel = 6;

// True when the bytes start with the eight-byte PNG signature.
bool IsPngSignature(std::span<const std::uint8_t> bytes);

struct PngSize {
    std::int32_t width = 0, height = 0;
};
// The size from the header chunk, without decoding; EInvalidGraphic when the bytes do not start a
// PNG file with a sound header.
PngSize ReadPngSize(std::span<const std::uint8_t> file);

// EInvalidGraphic "PNG image is not valid: WHY" for anything libpng refuses, a file that ends early
// or an image too large for memory.
RgbaImage DecodePng(std::span<const std::uint8_t> file);
// The same from the stream's position, reading no further than the decoder asks: the chunks up to the
// end of the image, in pieces, so a file of any size costs no more memory than its image.
RgbaImage DecodePng(TStream& stream);
// One image; PngEncoder serves a run of them.
std::vector<std::uint8_t> EncodePng(const RgbaImage& image, int level = kDefaultPngLevel);

// The whole file in memory; EFOpenError "Cannot open file %s" when it cannot be opened.
std::vector<std::uint8_t> ReadFileBytes(const std::string& path);
// Replaces the file with the bytes (a new file renamed over it); EFCreateError naming it with the reason.
void WriteFileBytes(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace plexon
