// The run-length decoder into an index image, for callers that want the indices themselves.
#include "platform/gdi/RunLength.h"

namespace plexon::gdi::detail {

IndexImage DecodeRunLength(RunLengthKind kind, const std::uint8_t* data, std::size_t size, int width,
                           int height) {
    IndexImage image;
    image.width = width;
    image.height = height;
    image.indices.assign(std::size_t(width) * std::size_t(height), IndexImage::kSkipped);
    DecodeRunLength(kind, data, size, width, height, [&](int x, int y, int index) {
        image.indices[std::size_t(height - 1 - y) * std::size_t(width) + std::size_t(x)] =
            std::int16_t(index);
    });
    return image;
}

}  // namespace plexon::gdi::detail
