// Straight-alpha RGBA pixels in memory, top row first: what PNG files decode to and what strips that
// keep alpha are composed in. Plain storage and copying; no drawing services, no colour management.
#pragma once

#include <cstdint>
#include <vector>

namespace plexon {

struct Rgba {
    std::uint8_t red = 0, green = 0, blue = 0, alpha = 0;
};
inline constexpr Rgba kTransparent{0, 0, 0, 0};
inline constexpr Rgba kOpaqueWhite{255, 255, 255, 255};

class RgbaImage {
  public:
    RgbaImage() = default;
    // Raises EInvalidOperation when the pixels would take more than the raster layer allows.
    RgbaImage(std::int32_t width, std::int32_t height, Rgba fill);

    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    bool IsEmpty() const { return width_ == 0 || height_ == 0; }
    // Four bytes a pixel (red, green, blue, alpha), Width() * 4 bytes a row, no padding.
    std::uint8_t* Row(std::int32_t y) { return pixels_.data() + std::size_t(y) * RowBytes(); }
    const std::uint8_t* Row(std::int32_t y) const { return pixels_.data() + std::size_t(y) * RowBytes(); }
    std::size_t RowBytes() const { return std::size_t(width_) * 4; }
    Rgba Pixel(std::int32_t x, std::int32_t y) const;
    const std::vector<std::uint8_t>& Bytes() const { return pixels_; }

    // Keeps the pixels at the top-left; new area takes the fill.
    void Resize(std::int32_t width, std::int32_t height, Rgba fill);
    // Copies source with its top-left corner at (x, y), alpha included, clipped to this image.
    void CopyFrom(const RgbaImage& source, std::int32_t x, std::int32_t y);
    // Blends every pixel over an opaque background colour (alpha 255 afterwards).
    void Flatten(Rgba background);

  private:
    std::int32_t width_ = 0, height_ = 0;
    std::vector<std::uint8_t> pixels_;
};

bool operator==(const Rgba& a, const Rgba& b);

}  // namespace plexon
