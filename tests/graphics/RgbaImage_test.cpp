// RGBA storage: resizing keeps the top-left, copies clip at every edge, flattening blends over a colour.
#include "graphics/RgbaImage.h"

#include <gtest/gtest.h>

#include <cstring>

#include "runtime/Exceptions.h"

namespace plexon {
namespace {

// Pixel (x, y) of a numbered image: red x, green y, blue a tag, alpha 200.
RgbaImage Numbered(std::int32_t width, std::int32_t height, std::uint8_t tag) {
    RgbaImage image(width, height, kTransparent);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x) {
            std::uint8_t* p = image.Row(y) + 4 * x;
            p[0] = std::uint8_t(x), p[1] = std::uint8_t(y), p[2] = tag, p[3] = 200;
        }
    return image;
}

TEST(RgbaImage, CopyFromClipsAtEveryEdge) {
    const RgbaImage source = Numbered(4, 3, 9);
    for (auto [x, y] : {std::pair{0, 0}, {-2, -1}, {5, 1}, {6, 4}, {-4, 0}, {2, -3}}) {
        RgbaImage target(7, 4, kOpaqueWhite);
        target.CopyFrom(source, x, y);
        for (std::int32_t ty = 0; ty < 4; ++ty)
            for (std::int32_t tx = 0; tx < 7; ++tx) {
                const bool inside = tx >= x && tx < x + 4 && ty >= y && ty < y + 3;
                const Rgba expected = inside ? source.Pixel(tx - x, ty - y) : kOpaqueWhite;
                ASSERT_EQ(target.Pixel(tx, ty), expected)
                    << "at " << x << "," << y << " pixel " << tx << "," << ty;
            }
    }
}

TEST(RgbaImage, ResizeKeepsTopLeftAndFillsTheRest) {
    RgbaImage image = Numbered(3, 2, 1);
    image.Resize(5, 4, kTransparent);
    RgbaImage model(5, 4, kTransparent);
    model.CopyFrom(Numbered(3, 2, 1), 0, 0);
    EXPECT_EQ(image.Bytes(), model.Bytes());
    image.Resize(2, 1, kOpaqueWhite);
    EXPECT_EQ(image.Bytes(), Numbered(2, 1, 1).Bytes());
    EXPECT_THROW(image.Resize(1 << 16, 1 << 16, kTransparent), EInvalidOperation);
}

TEST(RgbaImage, FlattenBlendsOverTheBackground) {
    RgbaImage image(4, 1, kTransparent);
    const Rgba pixels[] = {{10, 20, 30, 0}, {10, 20, 30, 255}, {0, 100, 255, 128}, {255, 0, 0, 1}};
    for (int i = 0; i < 4; ++i) std::memcpy(image.Row(0) + 4 * i, &pixels[i], 4);
    image.Flatten(kOpaqueWhite);
    const Rgba expected[] = {
        {255, 255, 255, 255}, {10, 20, 30, 255}, {127, 177, 255, 255}, {255, 254, 254, 255}};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(image.Pixel(i, 0), expected[i]) << i;
}

}  // namespace
}  // namespace plexon
