// The file formats a weld run writes strips in, and which source files it reads as PNG. The main
// window uses the defaults (BMP strips from BMP sources); the batch command may choose others.
#pragma once

#include <optional>
#include <string_view>

namespace plexon {

enum class StripFormat {
    Bmp,      // the strips as the main window writes them, byte for byte
    Png,      // 8-bit RGBA PNG keeping each source's alpha; empty slot area transparent
    BmpAlpha  // 32-bit BMP with a version-5 header and an alpha mask, straight alpha
};

// ".bmp" or ".png".
std::string_view StripExtension(StripFormat format);

// "bmp", "png" or "bmp-alpha", as --format and the settings file spell them.
std::string_view StripFormatName(StripFormat format);
std::optional<StripFormat> StripFormatNamed(std::string_view name);

enum class SourceFormats {
    BmpOnly,   // every source is read as BMP
    BmpAndPng,  // a source whose name ends in ".png" (any case) is read as PNG
    All         // as BmpAndPng, and one ending in ".svg" is rendered as SVG (the batch command)
};

}  // namespace plexon
