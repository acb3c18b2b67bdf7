// A source of a run with sizes, read once and drawn at each size: an SVG parsed once and rendered at
// each, a bitmap decoded once and scaled to each size it is not already.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "graphics/RgbaImage.h"
#include "graphics/SvgImage.h"
#include "weld/WeldRequest.h"

namespace plexon {

class SourceArt {
  public:
    // Reads the file as the request's run loads sources (SourceImage.h); errors name the file.
    SourceArt(const std::string& path, const WeldRequest& request);

    // The source for a size x size slot, alpha straight: an SVG rendered; a bitmap of exactly that
    // size as it is; another bitmap fitted to the square, aspect kept, centred (scaledUp set when it
    // had to grow).
    RgbaImage At(std::int32_t size, bool& scaledUp) const;
    // A bitmap's size; none for an SVG.
    std::optional<std::pair<std::int32_t, std::int32_t>> BitmapSize() const;

  private:
    std::string path_;
    std::optional<SvgImage> svg_;
    RgbaImage bitmap_;
};

}  // namespace plexon
