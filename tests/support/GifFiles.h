// GIF files built in code with giflib's encoder: one frame of colour indices at an offset on a
// logical screen, after a control extension naming its transparent index (or none); and a frame
// bomb written byte by byte.
#pragma once

#include <gif_lib.h>

#include <cstdint>
#include <vector>

namespace plexon::test {

struct GifPicture {
    int screenWidth = 1, screenHeight = 1, left = 0, top = 0, width = 1, height = 1;
    bool interlaced = false;
    int transparent = NO_TRANSPARENT_COLOR;
    std::vector<GifColorType> colours{{0, 0, 0}, {255, 255, 255}};  // a power of two of them
    std::vector<GifPixelType> indices{0};                           // top row first
};

inline int AppendGifBytes(GifFileType* gif, const GifByteType* data, int count) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + count);
    return count;
}

inline std::vector<std::uint8_t> MakeGif(const GifPicture& p) {
    std::vector<std::uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, AppendGifBytes, &error);
    ColorMapObject* map = GifMakeMapObject(int(p.colours.size()), p.colours.data());
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, p.screenWidth, p.screenHeight, 8, 0, map);
    const GraphicsControlBlock control{0, false, 0, p.transparent};
    GifByteType block[4];
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(EGifGCBToExtension(&control, block)), block);
    EGifPutImageDesc(gif, p.left, p.top, p.width, p.height, p.interlaced, nullptr);
    // Rows go out as given: interlaced ones pass by pass.
    const int passes[5][2] = {{0, 1}, {0, 8}, {4, 8}, {2, 4}, {1, 2}};
    for (int pass = p.interlaced ? 1 : 0; pass < (p.interlaced ? 5 : 1); ++pass)
        for (int y = passes[pass][0]; y < p.height; y += passes[pass][1])
            EGifPutLine(gif, const_cast<GifPixelType*>(&p.indices[std::size_t(y * p.width)]), p.width);
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

// A 1 x 1 screen with one frame claiming width x height pixels (up to 65535 a side), and dataBytes
// of image data: zeros in full sub-blocks, which a decoder reads as endless runs of index 0.
inline std::vector<std::uint8_t> GifFrameBomb(int width, int height, std::size_t dataBytes) {
    const auto lo = [](int v) { return std::uint8_t(v); };
    const auto hi = [](int v) { return std::uint8_t(v >> 8); };
    std::vector<std::uint8_t> out{'G',  'I', 'F', '8', '9',       'a',       1,          0,          1, 0,
                                  0x80, 0,   0,   0,   0,         0,         255,        255,        255,
                                  0x2C, 0,   0,   0,   0,         lo(width), hi(width), lo(height), hi(height),
                                  0,    2};
    for (std::size_t left = dataBytes; left > 0;) {
        const std::size_t block = left < 255 ? left : 255;
        out.push_back(std::uint8_t(block));
        out.resize(out.size() + block, 0);
        left -= block;
    }
    out.push_back(0);
    out.push_back(0x3B);
    return out;
}

}  // namespace plexon::test
