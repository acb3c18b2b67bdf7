// SVG documents, parsed once and rendered at any size, and bitmaps scaled to a square: both drawn by
// librsvg and cairo, loaded at run time (SvgLibrary.h). The only place that knows about SVG.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "graphics/RgbaImage.h"

namespace plexon {

// True when the file name ends in ".svg" in any letter case.
bool IsSvgFileName(std::string_view name);

struct SvgSize {
    double width = 0, height = 0;
};

class SvgImage {
  public:
    // Reads and parses the file (a regular file of at most kMaxSvgFileBytes). References to other
    // files resolve against the file's own folder, and librsvg loads only those in that folder or
    // below. Errors name the file: EInvalidGraphic with "cannot render SVG: " and librsvg's reason.
    explicit SvgImage(const std::string& path);
    ~SvgImage();
    SvgImage(SvgImage&& other) noexcept;
    SvgImage& operator=(SvgImage&& other) noexcept;

    // The document's width and height in pixels at 96 dots per inch; none when it gives no absolute
    // size (no width or height, or percentages).
    std::optional<SvgSize> Size() const;
    // The document fitted into a size x size square, its aspect kept, centred; transparent around.
    // Alpha is straight.
    RgbaImage Render(std::int32_t size) const;

  private:
    std::string path_;
    void* handle_ = nullptr;  // the parsed document
};

inline constexpr std::int64_t kMaxSvgFileBytes = 64 << 20;

// The image fitted into a size x size square with cairo's good filter, aspect kept, centred on whole
// pixels; transparent around. `path` names the image in errors.
RgbaImage ScaleToSquare(const RgbaImage& image, std::int32_t size, const std::string& path);

}  // namespace plexon
