// SVG documents, parsed once and rendered at any size. The parsing and drawing happen in a helper
// process under limits (SvgHelpers.h, SvgLimits.h); this process never loads librsvg for them.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "graphics/RgbaImage.h"

namespace plexon {

class SvgHelper;
struct ParsedSvg;

// True when the file name ends in ".svg" or ".svgz" (gzip-compressed) in any letter case.
bool IsSvgFileName(std::string_view name);

struct SvgSize {
    double width = 0, height = 0;
};

class SvgImage {
  public:
    // Opens the file (a regular file of at most kMaxSvgFileBytes) and has it parsed. References to
    // other files resolve against the file's own folder, and librsvg loads only those in that folder
    // or below. Errors name the file: EInvalidGraphic with "cannot render SVG: " and librsvg's
    // reason, or a limit's reason (SvgLimits.h); opening errors as TFileStream raises them.
    explicit SvgImage(const std::string& path);
    ~SvgImage();
    SvgImage(SvgImage&& other) noexcept;
    SvgImage& operator=(SvgImage&& other) noexcept;

    // The document's width and height in pixels at 96 dots per inch; none when it gives no absolute
    // size (no width or height, or percentages).
    std::optional<SvgSize> Size() const { return size_; }
    // The document fitted into a size x size square, its aspect kept, centred; transparent around.
    // Alpha is straight. Parsed again first only when the helper that held it has been ended.
    RgbaImage Render(std::int32_t size) const;

  private:
    ParsedSvg Parse() const;
    void Release() noexcept;

    std::string path_;
    mutable std::shared_ptr<SvgHelper> helper_;  // where the parsed document lives
    mutable std::uint32_t document_ = 0;
    std::optional<SvgSize> size_;
};

inline constexpr std::int64_t kMaxSvgFileBytes = 64 << 20;

}  // namespace plexon
