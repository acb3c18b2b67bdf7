// Raw BMP bytes for tests, independent of the program's own codec: writes 24-bit pictures from a
// pixel rule and reads back the uncompressed 24- and 32-bit files that strips are saved as.
#pragma once

#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace plexon::test {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "rgb(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
}

// Each channel taken modulo 256.
constexpr Rgb MakeRgb(int r, int g, int b) {
    return {static_cast<std::uint8_t>(r & 0xFF), static_cast<std::uint8_t>(g & 0xFF),
            static_cast<std::uint8_t>(b & 0xFF)};
}

constexpr Rgb kWhite = {255, 255, 255};

struct Picture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<Rgb> pixels;  // top row first

    Rgb At(std::int32_t x, std::int32_t y) const {
        return pixels.at(static_cast<std::size_t>(y) * width + x);
    }
};

inline void PutLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i) & 0xFF);
}

inline std::uint32_t GetLe(const std::string& in, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(in[at + i])) << (8 * i);
    return value;
}

inline void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(std::uint8_t(value));
    out.push_back(std::uint8_t(value >> 8));
}

inline void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// A bottom-up 24-bit BMP file of the given size whose pixel (x, y), y = 0 at the top, is pixel(x, y).
inline void WriteBmp24(const std::string& path, std::int32_t width, std::int32_t height,
                       const std::function<Rgb(std::int32_t, std::int32_t)>& pixel) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(height);
    std::string bytes = "BM";
    for (std::uint32_t v : {54 + imageSize, 0u, 54u, 40u, static_cast<std::uint32_t>(width),
                            static_cast<std::uint32_t>(height)})
        PutLe(bytes, v, 4);
    PutLe(bytes, 1, 2);
    PutLe(bytes, 24, 2);
    for (std::uint32_t v : {0u, imageSize, 2835u, 2835u, 0u, 0u}) PutLe(bytes, v, 4);
    for (std::int32_t y = height - 1; y >= 0; --y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const Rgb c = pixel(x, y);
            bytes += {static_cast<char>(c.b), static_cast<char>(c.g), static_cast<char>(c.r)};
        }
        bytes.append(stride - static_cast<std::uint32_t>(width) * 3, '\0');
    }
    std::ofstream(path, std::ios::binary) << bytes;
}

inline void WriteSolidBmp24(const std::string& path, std::int32_t width, std::int32_t height, Rgb color) {
    WriteBmp24(path, width, height, [color](std::int32_t, std::int32_t) { return color; });
}

inline std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The picture of an uncompressed (or standard-mask) 24- or 32-bit BMP file; none for anything else.
inline std::optional<Picture> ReadBmp(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0) return std::nullopt;
    const std::uint32_t offset = GetLe(bytes, 10, 4);
    const auto width = static_cast<std::int32_t>(GetLe(bytes, 18, 4));
    const auto rawHeight = static_cast<std::int32_t>(GetLe(bytes, 22, 4));
    const std::uint32_t bitCount = GetLe(bytes, 28, 2);
    const std::uint32_t compression = GetLe(bytes, 30, 4);
    if ((bitCount != 24 && bitCount != 32) || (compression != 0 && compression != 3) || width < 0)
        return std::nullopt;
    const std::int32_t height = rawHeight < 0 ? -rawHeight : rawHeight;
    const std::uint32_t bytesPerPixel = bitCount / 8;
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * bytesPerPixel + 3) & ~3u;
    if (bytes.size() < offset + static_cast<std::size_t>(stride) * height) return std::nullopt;
    Picture picture{width, height, std::vector<Rgb>(static_cast<std::size_t>(width) * height)};
    for (std::int32_t row = 0; row < height; ++row) {
        const std::int32_t y = rawHeight < 0 ? row : height - 1 - row;
        for (std::int32_t x = 0; x < width; ++x) {
            const std::size_t at = offset + static_cast<std::size_t>(row) * stride + x * bytesPerPixel;
            picture.pixels[static_cast<std::size_t>(y) * width + x] =
                MakeRgb(static_cast<unsigned char>(bytes[at + 2]), static_cast<unsigned char>(bytes[at + 1]),
                        static_cast<unsigned char>(bytes[at]));
        }
    }
    return picture;
}

}  // namespace plexon::test
