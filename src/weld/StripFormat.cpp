// File name extensions and names of the strip formats.
#include "weld/StripFormat.h"

#include <array>

namespace plexon {

namespace {

constexpr std::array<std::string_view, 3> kNames = {"bmp", "png", "bmp-alpha"};

}  // namespace

std::string_view StripExtension(StripFormat format) {
    return format == StripFormat::Png ? ".png" : ".bmp";
}

std::string_view StripFormatName(StripFormat format) {
    return kNames[static_cast<std::size_t>(format)];
}

std::optional<StripFormat> StripFormatNamed(std::string_view name) {
    for (std::size_t i = 0; i < kNames.size(); ++i)
        if (kNames[i] == name) return StripFormat(i);
    return std::nullopt;
}

}  // namespace plexon
