// The file formats a weld run writes strips in, and which source files it reads as PNG. The main
// window uses the defaults (BMP strips from BMP sources); the batch command may choose others.
#pragma once

#include <string_view>

namespace plexon {

enum class StripFormat {
    Bmp,      // the strips as the main window writes them, byte for byte
    Png,      // 8-bit RGBA PNG keeping each source's alpha; empty slot area transparent
    BmpAlpha  // 32-bit BMP with a version-5 header and an alpha mask, straight alpha
};

// ".bmp" or ".png".
std::string_view StripExtension(StripFormat format);

enum class SourceFormats {
    BmpOnly,   // every source is read as BMP
    BmpAndPng  // a source whose name ends in ".png" (any case) is read as PNG
};

}  // namespace plexon
