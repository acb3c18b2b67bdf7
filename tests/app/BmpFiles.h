// Minimal BMP writing and reading for the batch command's tests, independent of the program's own
// codec: 24-bit files in, 24- or 32-bit uncompressed files out.
#pragma once

#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace plexon::testing {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

inline void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
inline void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// A bottom-up 24-bit file whose pixel (x, y), y = 0 at the top, is pixel(x, y).
inline void WriteBmp24(const std::string& path, int width, int height,
                       const std::function<Rgb(int, int)>& pixel) {
    const std::uint32_t stride = (width * 3 + 3) / 4 * 4, imageSize = stride * height;
    std::vector<std::uint8_t> bytes{'B', 'M'};
    Put32(bytes, 54 + imageSize);
    Put32(bytes, 0);
    Put32(bytes, 54);
    for (std::uint32_t v : {40u, std::uint32_t(width), std::uint32_t(height)}) Put32(bytes, v);
    Put16(bytes, 1);
    Put16(bytes, 24);
    for (std::uint32_t v : {0u, imageSize, 2835u, 2835u, 0u, 0u}) Put32(bytes, v);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            Rgb c = pixel(x, y);
            bytes.insert(bytes.end(), {c.b, c.g, c.r});
        }
        bytes.resize(bytes.size() + stride - width * 3);
    }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

inline void WriteSolidBmp24(const std::string& path, int width, int height, Rgb color) {
    WriteBmp24(path, width, height, [color](int, int) { return color; });
}

inline std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Picture {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;  // top row first
    Rgb At(int x, int y) const { return pixels.at(std::size_t(y) * width + x); }
};

inline Picture ReadBmp(const std::string& path) {
    std::vector<std::uint8_t> b = ReadBytes(path);
    auto u32 = [&b](std::size_t at) {
        return std::uint32_t(b.at(at)) | std::uint32_t(b.at(at + 1)) << 8 |
               std::uint32_t(b.at(at + 2)) << 16 | std::uint32_t(b.at(at + 3)) << 24;
    };
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') throw std::runtime_error("not a BMP file: " + path);
    const std::uint32_t offset = u32(10), bits = b.at(28) | b.at(29) << 8;
    const auto width = std::int32_t(u32(18)), height = std::int32_t(u32(22));
    if ((bits != 24 && bits != 32) || u32(30) != 0) throw std::runtime_error("unexpected BMP form: " + path);
    Picture p{width, height < 0 ? -height : height, {}};
    const std::uint32_t bytesPerPixel = bits / 8, stride = (width * bytesPerPixel + 3) / 4 * 4;
    for (int y = 0; y < p.height; ++y) {
        std::size_t row = offset + std::size_t(height < 0 ? y : p.height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            std::size_t at = row + std::size_t(x) * bytesPerPixel;
            p.pixels.push_back({b.at(at + 2), b.at(at + 1), b.at(at)});
        }
    }
    return p;
}

}  // namespace plexon::testing
