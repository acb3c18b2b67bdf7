// RGBA pixel storage: sizing, copying at an offset and flattening over a background.
#include "graphics/RgbaImage.h"

#include <algorithm>
#include <cstring>

#include "runtime/Exceptions.h"

namespace plexon {

namespace {

// The raster layer's own ceiling for pixel memory.
constexpr std::int64_t kMaxPixelBytes = std::int64_t(256) << 20;

void Fill(std::uint8_t* row, std::int32_t count, Rgba colour) {
    for (std::int32_t x = 0; x < count; ++x) {
        row[4 * x] = colour.red;
        row[4 * x + 1] = colour.green;
        row[4 * x + 2] = colour.blue;
        row[4 * x + 3] = colour.alpha;
    }
}

std::uint8_t Over(std::uint8_t value, std::uint8_t back, std::uint8_t alpha) {
    return std::uint8_t((value * alpha + back * (255 - alpha) + 127) / 255);
}

}  // namespace

bool operator==(const Rgba& a, const Rgba& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue && a.alpha == b.alpha;
}

RgbaImage::RgbaImage(std::int32_t width, std::int32_t height, Rgba fill) {
    Resize(width, height, fill);
}

Rgba RgbaImage::Pixel(std::int32_t x, std::int32_t y) const {
    const std::uint8_t* p = Row(y) + 4 * std::size_t(x);
    return {p[0], p[1], p[2], p[3]};
}

void RgbaImage::Resize(std::int32_t width, std::int32_t height, Rgba fill) {
    if (width == width_ && height == height_) return;
    if (width < 0 || height < 0 || std::int64_t(width) * height > kMaxPixelBytes / 4)
        throw EInvalidOperation(std::string(msg::kOutOfResources));
    std::vector<std::uint8_t> pixels(std::size_t(width) * std::size_t(height) * 4);
    const std::int32_t keptWidth = std::min(width, width_), keptHeight = std::min(height, height_);
    for (std::int32_t y = 0; y < height; ++y) {
        std::uint8_t* row = pixels.data() + std::size_t(y) * std::size_t(width) * 4;
        std::int32_t kept = 0;
        if (y < keptHeight) {
            kept = keptWidth;
            std::memcpy(row, Row(y), std::size_t(kept) * 4);
        }
        Fill(row + 4 * std::size_t(kept), width - kept, fill);
    }
    width_ = width;
    height_ = height;
    pixels_ = std::move(pixels);
}

void RgbaImage::CopyFrom(const RgbaImage& source, std::int32_t x, std::int32_t y) {
    const std::int32_t left = std::max(x, 0), top = std::max(y, 0);
    const std::int64_t right = std::min<std::int64_t>(width_, std::int64_t(x) + source.width_);
    const std::int64_t bottom = std::min<std::int64_t>(height_, std::int64_t(y) + source.height_);
    if (right <= left || bottom <= top) return;
    const std::size_t bytes = std::size_t(right - left) * 4;
    for (std::int32_t row = top; row < bottom; ++row)
        std::memcpy(Row(row) + 4 * std::size_t(left), source.Row(row - y) + 4 * std::size_t(left - x), bytes);
}

void RgbaImage::Flatten(Rgba background) {
    for (std::size_t i = 0; i < pixels_.size(); i += 4) {
        const std::uint8_t alpha = pixels_[i + 3];
        pixels_[i] = Over(pixels_[i], background.red, alpha);
        pixels_[i + 1] = Over(pixels_[i + 1], background.green, alpha);
        pixels_[i + 2] = Over(pixels_[i + 2], background.blue, alpha);
        pixels_[i + 3] = 255;
    }
}

}  // namespace plexon
