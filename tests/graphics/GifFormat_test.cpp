// GIF frames: a frame beyond the picture limits is refused before any of its rows is read, and rows
// below the logical screen are never decoded (a file cut short after the shown rows still decodes).
#include "graphics/GifFormat.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "runtime/Exceptions.h"
#include "support/GifFiles.h"

namespace plexon {
namespace {

// 64 x 64 indices of a 16-colour table, varied enough that the data takes many sub-blocks.
test::GifPicture Noise(int screenHeight, int top, bool interlaced) {
    test::GifPicture p{64, screenHeight, 0, top, 64, 64, interlaced, NO_TRANSPARENT_COLOR, {}, {}};
    for (int i = 0; i < 16; ++i)
        p.colours.push_back({std::uint8_t(i * 16), std::uint8_t(255 - i * 16), std::uint8_t(i * 5)});
    std::uint32_t seed = 1;
    for (int i = 0; i < 64 * 64; ++i) {
        seed = seed * 1103515245u + 12345u;
        p.indices.push_back(GifPixelType(seed >> 16 & 15));
    }
    return p;
}

std::vector<std::uint8_t> HalfOf(std::vector<std::uint8_t> bytes) {
    bytes.resize(bytes.size() / 2);
    return bytes;
}

TEST(GifFormat, FramesBeyondTheLimitsAreRefusedBeforeTheirRows) {
    const std::string refused = "GIF image is not valid: frame too large";
    for (const auto& [width, height] : {std::pair{65535, 65535}, {16385, 1}, {4097, 4096}}) {
        std::string message;
        try {
            DecodeGif(test::GifFrameBomb(width, height, 4096));
        } catch (const EInvalidGraphic& e) {
            message = e.Message();
        }
        EXPECT_EQ(message, refused) << width << " x " << height;
    }
}

TEST(GifFormat, RowsBelowTheScreenAreNotDecoded) {
    struct Case {
        int screenHeight, top;
        bool interlaced;
    };
    // A one-row screen shows the frame's first row; a frame below the screen shows nothing.
    for (const Case c : {Case{1, 0, false}, Case{1, 0, true}, Case{1, 1, false}}) {
        const test::GifPicture picture = Noise(c.screenHeight, c.top, c.interlaced);
        RgbaImage model(64, c.screenHeight, kTransparent);
        for (int x = 0; c.top == 0 && x < 64; ++x) {
            const GifColorType& colour = picture.colours[picture.indices[std::size_t(x)]];
            std::uint8_t* p = model.Row(0) + x * 4;
            p[0] = colour.Red, p[1] = colour.Green, p[2] = colour.Blue, p[3] = 255;
        }
        const RgbaImage screen = DecodeGif(HalfOf(test::MakeGif(picture)));
        EXPECT_EQ(screen.Bytes(), model.Bytes()) << c.interlaced << " top " << c.top;
    }
    // The cut is real: where the screen shows every row, the same half file is refused.
    EXPECT_THROW(DecodeGif(HalfOf(test::MakeGif(Noise(64, 0, false)))), EInvalidGraphic);
}

}  // namespace
}  // namespace plexon
