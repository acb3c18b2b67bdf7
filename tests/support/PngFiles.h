// PNG files of any colour type, bit depth and interlacing built in code with libpng, for tests of
// the reader and of the batch command. Samples are given unpacked, one value a sample.
#pragma once

#include <png.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace plexon::test {

struct PngPicture {
    int colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    int depth = 8;
    bool interlaced = false;
    std::uint32_t width = 1, height = 1;
    // width * channels values a row, top row first; channels: 1 grey or index, 2 grey and alpha,
    // 3 RGB, 4 RGBA.
    std::vector<std::uint16_t> samples;
    std::vector<png_color> palette;
    std::vector<std::uint8_t> paletteAlpha;   // tRNS of a palette image
    std::optional<png_color_16> transparent;  // tRNS of a grey or RGB image
};

inline int ChannelsOf(int colorType) {
    switch (colorType) {
        case PNG_COLOR_TYPE_GRAY_ALPHA:
            return 2;
        case PNG_COLOR_TYPE_RGB:
            return 3;
        case PNG_COLOR_TYPE_RGB_ALPHA:
            return 4;
        default:
            return 1;
    }
}

extern "C" inline void AppendPngBytes(png_structp png, png_bytep data, std::size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}
extern "C" inline void FlushPngBytes(png_structp) {}

// A failing libpng call aborts the test program, which is what a broken test helper should do.
inline std::vector<std::uint8_t> MakePng(const PngPicture& picture) {
    std::vector<std::uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, AppendPngBytes, FlushPngBytes);
    png_set_IHDR(png, info, picture.width, picture.height, picture.depth, picture.colorType,
                 picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!picture.palette.empty()) png_set_PLTE(png, info, picture.palette.data(), int(picture.palette.size()));
    if (!picture.paletteAlpha.empty())
        png_set_tRNS(png, info, picture.paletteAlpha.data(), int(picture.paletteAlpha.size()), nullptr);
    if (picture.transparent) {
        png_color_16 colour = *picture.transparent;
        png_set_tRNS(png, info, nullptr, 0, &colour);
    }
    png_write_info(png, info);

    // Packed rows: big-endian 16-bit samples, sub-byte samples from the high bits down.
    const std::size_t valuesPerRow = std::size_t(picture.width) * std::size_t(ChannelsOf(picture.colorType));
    const std::size_t rowBytes = (valuesPerRow * std::size_t(picture.depth) + 7) / 8;
    std::vector<std::vector<std::uint8_t>> rows(picture.height, std::vector<std::uint8_t>(rowBytes));
    std::vector<png_bytep> pointers;
    for (std::uint32_t y = 0; y < picture.height; ++y) {
        for (std::size_t i = 0; i < valuesPerRow; ++i) {
            const std::uint16_t v = picture.samples.at(y * valuesPerRow + i);
            if (picture.depth == 16) {
                rows[y][2 * i] = std::uint8_t(v >> 8);
                rows[y][2 * i + 1] = std::uint8_t(v);
            } else {
                const std::size_t bit = i * std::size_t(picture.depth);
                rows[y][bit / 8] |= std::uint8_t(v << (8 - picture.depth - int(bit % 8)));
            }
        }
        pointers.push_back(rows[y].data());
    }
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

}  // namespace plexon::test
