// Bitmaps fitted into a square slot with cairo's good filter, in this process: runs with sizes scale
// their bitmap sources so. SVG documents are drawn at each size instead (SvgImage.h).
#pragma once

#include <cstdint>
#include <string>

#include "graphics/RgbaImage.h"

namespace plexon {

// The image fitted into a size x size square with cairo's good filter, aspect kept, centred on whole
// pixels; transparent around. `path` names the image in errors.
RgbaImage ScaleToSquare(const RgbaImage& image, std::int32_t size, const std::string& path);

}  // namespace plexon
