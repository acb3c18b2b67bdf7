// 32-bit BMP files with alpha: header fields, and the pixels read back through the ordinary reader.
#include "graphics/AlphaBmp.h"

#include <gtest/gtest.h>

#include "BitmapTestSupport.h"

namespace plexon {
namespace {

using namespace test;

RgbaImage Varied(std::int32_t width, std::int32_t height) {
    RgbaImage image(width, height, kTransparent);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x) {
            std::uint8_t* p = image.Row(y) + 4 * x;
            p[0] = std::uint8_t(x * 13 + y);
            p[1] = std::uint8_t(y * 29);
            p[2] = std::uint8_t(x ^ y);
            p[3] = std::uint8_t((x + y) * 7);
        }
    return image;
}

TEST(AlphaBmp, HeaderHasVersion5MasksAndStraightAlpha) {
    const RgbaImage image = Varied(7, 3);
    const std::vector<std::uint8_t> file = EncodeAlphaBmp(image);
    ASSERT_EQ(file.size(), 14u + 124 + 7 * 3 * 4);
    EXPECT_EQ(U16At(file, 0), 0x4D42);
    EXPECT_EQ(U32At(file, 2), file.size());
    EXPECT_EQ(U32At(file, 10), 138u);
    EXPECT_EQ(U32At(file, 14), 124u);
    EXPECT_EQ(I32At(file, 18), 7);
    EXPECT_EQ(I32At(file, 22), 3);
    EXPECT_EQ(U16At(file, 28), 32);
    EXPECT_EQ(U32At(file, 30), 3u);
    EXPECT_EQ(U32At(file, 34), 7u * 3 * 4);
    EXPECT_EQ(U32At(file, 54), 0x00FF0000u);
    EXPECT_EQ(U32At(file, 58), 0x0000FF00u);
    EXPECT_EQ(U32At(file, 62), 0x000000FFu);
    EXPECT_EQ(U32At(file, 66), 0xFF000000u);
    EXPECT_EQ(U32At(file, 70), 0x73524742u);  // sRGB
    // The first stored row is the bottom one; pixel (0, 2) as a little-endian ARGB word.
    const Rgba p = image.Pixel(0, 2);
    EXPECT_EQ(U32At(file, 138), std::uint32_t(p.alpha) << 24 | p.red << 16 | p.green << 8 | p.blue);
}

TEST(AlphaBmp, OurReaderGetsEveryPixelAndAlphaBack) {
    for (auto [width, height] : {std::pair{47, 33}, {1, 1}, {96, 32}}) {
        const RgbaImage image = Varied(width, height);
        TBitmap bitmap;
        LoadBytes(bitmap, EncodeAlphaBmp(image));
        ASSERT_EQ(bitmap.Width(), width);
        ASSERT_EQ(bitmap.Height(), height);
        RgbaImage read(width, height, kTransparent);
        for (std::int32_t y = 0; y < height; ++y) {
            const auto* row = static_cast<const std::uint8_t*>(bitmap.RowPointer(y));
            for (std::int32_t x = 0; x < width; ++x) {
                const std::uint8_t* s = row + 4 * x;
                std::uint8_t* d = read.Row(y) + 4 * x;
                d[0] = s[2], d[1] = s[1], d[2] = s[0], d[3] = s[3];
            }
        }
        EXPECT_EQ(read.Bytes(), image.Bytes()) << width << " x " << height;
    }
}

}  // namespace
}  // namespace plexon
