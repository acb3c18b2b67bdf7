// Reading a source once for every size of a run.
#include "weld/SourceArt.h"

#include "graphics/ScaleToSquare.h"
#include "weld/SourceImage.h"

namespace plexon {

SourceArt::SourceArt(const std::string& path, const WeldRequest& request) : path_(path) {
    // Both name the file in their errors.
    if (ReadsAsSvg(path, request.Sources))
        svg_.emplace(path);
    else
        bitmap_ = LoadSourceRgba(path, request);
}

RgbaImage SourceArt::At(std::int32_t size, bool& scaledUp) const {
    scaledUp = false;
    if (svg_) return svg_->Render(size);
    if (bitmap_.Width() == size && bitmap_.Height() == size) return bitmap_;
    scaledUp = bitmap_.Width() < size && bitmap_.Height() < size;
    return ScaleToSquare(bitmap_, size, path_);
}

std::optional<std::pair<std::int32_t, std::int32_t>> SourceArt::BitmapSize() const {
    if (svg_) return std::nullopt;
    return std::pair(bitmap_.Width(), bitmap_.Height());
}

}  // namespace plexon
