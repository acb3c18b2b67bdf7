// Raw BMP bytes for weld tests, independent of the bitmap classes: writes 24-bit pictures from a
// pixel rule and reads back the uncompressed 24- and 32-bit files that strips are saved as.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace plexon::test {

// 0x00RRGGBB.
using Rgb = uint32_t;

constexpr Rgb MakeRgb(int r, int g, int b) {
    return static_cast<Rgb>((r & 0xFF) << 16 | (g & 0xFF) << 8 | (b & 0xFF));
}

constexpr Rgb kWhite = 0xFFFFFF;

struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<Rgb> pixels;  // top row first

    Rgb At(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

inline void PutLe(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
}

inline uint32_t GetLe(const std::string& in, size_t at, int bytes) {
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<uint32_t>(static_cast<unsigned char>(in[at + i])) << (8 * i);
    return value;
}

// A bottom-up 24-bit BMP file of the given size whose pixel (x, y) is pixel(x, y).
inline void WriteBmp24(const std::string& path, int32_t width, int32_t height,
                       const std::function<Rgb(int32_t, int32_t)>& pixel) {
    const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t imageSize = stride * static_cast<uint32_t>(height);
    std::string bytes = "BM";
    PutLe(bytes, 54 + imageSize, 4);
    PutLe(bytes, 0, 4);
    PutLe(bytes, 54, 4);
    PutLe(bytes, 40, 4);
    PutLe(bytes, static_cast<uint32_t>(width), 4);
    PutLe(bytes, static_cast<uint32_t>(height), 4);
    PutLe(bytes, 1, 2);
    PutLe(bytes, 24, 2);
    PutLe(bytes, 0, 4);
    PutLe(bytes, imageSize, 4);
    PutLe(bytes, 2835, 4);
    PutLe(bytes, 2835, 4);
    PutLe(bytes, 0, 4);
    PutLe(bytes, 0, 4);
    for (int32_t y = height - 1; y >= 0; --y) {
        for (int32_t x = 0; x < width; ++x) PutLe(bytes, pixel(x, y), 3);
        bytes.append(stride - static_cast<uint32_t>(width) * 3, '\0');
    }
    std::ofstream(path, std::ios::binary) << bytes;
}

// The picture of an uncompressed (or standard-mask) 24- or 32-bit BMP file; none for anything else.
inline std::optional<Picture> ReadBmp(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0) return std::nullopt;
    const uint32_t offset = GetLe(bytes, 10, 4);
    const int32_t width = static_cast<int32_t>(GetLe(bytes, 18, 4));
    const int32_t rawHeight = static_cast<int32_t>(GetLe(bytes, 22, 4));
    const uint32_t bitCount = GetLe(bytes, 28, 2);
    const uint32_t compression = GetLe(bytes, 30, 4);
    if ((bitCount != 24 && bitCount != 32) || (compression != 0 && compression != 3) || width < 0)
        return std::nullopt;
    const int32_t height = rawHeight < 0 ? -rawHeight : rawHeight;
    const uint32_t bytesPerPixel = bitCount / 8;
    const uint32_t stride = (static_cast<uint32_t>(width) * bytesPerPixel + 3) & ~3u;
    if (bytes.size() < offset + static_cast<size_t>(stride) * height) return std::nullopt;
    Picture picture{width, height, std::vector<Rgb>(static_cast<size_t>(width) * height)};
    for (int32_t row = 0; row < height; ++row) {
        const int32_t y = rawHeight < 0 ? row : height - 1 - row;
        for (int32_t x = 0; x < width; ++x)
            picture.pixels[static_cast<size_t>(y) * width + x] =
                GetLe(bytes, offset + row * stride + x * bytesPerPixel, 3);
    }
    return picture;
}

}  // namespace plexon::test
