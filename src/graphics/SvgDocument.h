// One SVG document parsed by librsvg in this process, and drawn at any size. Only the SVG helper
// process holds these (SvgHelperMain.h); the program itself uses SvgImage.h.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "graphics/CairoObjects.h"
#include "graphics/SvgImage.h"

namespace plexon {

class SvgDocument {
  public:
    // Parses the open file (a regular file the caller has checked, read from its start, at most
    // kMaxSvgFileBytes); references resolve against path, and librsvg loads only files in its folder
    // or below. Errors name path: EInvalidGraphic "cannot render SVG: " and librsvg's reason.
    SvgDocument(const std::string& path, int fd);
    ~SvgDocument();
    SvgDocument(const SvgDocument&) = delete;
    SvgDocument& operator=(const SvgDocument&) = delete;

    // The width and height at 96 dots per inch; none without an absolute size.
    std::optional<SvgSize> Size() const;
    // The document fitted into a size x size square, aspect kept, centred, on a new surface.
    std::unique_ptr<CairoSurface> Render(std::int32_t size) const;

  private:
    std::string path_;
    const SvgFunctions& svg_;
    RsvgHandle* handle_ = nullptr;
};

}  // namespace plexon
