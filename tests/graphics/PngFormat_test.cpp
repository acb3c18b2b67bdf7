// Reading PNG files of every colour type, bit depth and interlacing against a model of the RGBA they
// mean; writing and reading back; refusals of damaged files.
#include "graphics/PngFormat.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>

#include "graphics/PngEncoder.h"
#include "runtime/Exceptions.h"
#include "support/PngFiles.h"

namespace plexon {
namespace {

using test::PngPicture;

struct Case {
    int colorType;
    int depth;
    bool interlaced;
    bool transparency;  // tRNS: a key colour, or partial alpha for a palette
    std::uint32_t width, height;
};

std::uint8_t Scale(std::uint32_t v, int depth) {
    if (depth == 16) return std::uint8_t((v * 255 + 32767) / 65535);
    return std::uint8_t(v * 255 / ((1u << depth) - 1));
}

// The picture of a case with varied samples, and the RGBA it should read as.
std::pair<PngPicture, RgbaImage> Build(const Case& c) {
    PngPicture picture;
    picture.colorType = c.colorType;
    picture.depth = c.depth;
    picture.interlaced = c.interlaced;
    picture.width = c.width;
    picture.height = c.height;
    const int channels = test::ChannelsOf(c.colorType);
    const std::uint32_t top = (1u << c.depth) - 1;
    std::uint32_t state = std::uint32_t(c.colorType * 131 + c.depth * 7 + c.width);
    for (std::size_t i = 0; i < std::size_t(c.width) * c.height * std::size_t(channels); ++i) {
        state = state * 1103515245u + 12345u;
        picture.samples.push_back(std::uint16_t((state >> 8) % (top + 1)));
    }
    if (c.colorType == PNG_COLOR_TYPE_PALETTE) {
        for (std::uint32_t i = 0; i <= top; ++i)
            picture.palette.push_back({std::uint8_t(i * 37), std::uint8_t(255 - i), std::uint8_t(i * 11 + 3)});
        // Fewer alpha entries than colours: the rest are opaque.
        if (c.transparency)
            for (std::uint32_t i = 0; i < (top + 1) / 2; ++i)
                picture.paletteAlpha.push_back(std::uint8_t(i * 50));
    } else if (c.transparency) {
        // The first pixel's colour is the key, so at least one pixel is transparent.
        png_color_16 key{};
        key.gray = key.red = picture.samples[0];
        if (channels == 3) {
            key.green = picture.samples[1];
            key.blue = picture.samples[2];
        }
        picture.transparent = key;
    }

    RgbaImage model(std::int32_t(c.width), std::int32_t(c.height), kTransparent);
    for (std::uint32_t y = 0; y < c.height; ++y) {
        for (std::uint32_t x = 0; x < c.width; ++x) {
            const std::uint16_t* s = &picture.samples[(std::size_t(y) * c.width + x) * std::size_t(channels)];
            Rgba p;
            if (c.colorType == PNG_COLOR_TYPE_PALETTE) {
                const png_color& colour = picture.palette[s[0]];
                p = {colour.red, colour.green, colour.blue,
                     s[0] < picture.paletteAlpha.size() ? picture.paletteAlpha[s[0]] : std::uint8_t(255)};
            } else if (channels <= 2) {
                const std::uint8_t grey = Scale(s[0], c.depth);
                const bool keyed = picture.transparent && s[0] == picture.transparent->gray;
                p = {grey, grey, grey, channels == 2 ? Scale(s[1], c.depth) : std::uint8_t(keyed ? 0 : 255)};
            } else {
                const bool keyed = picture.transparent && s[0] == picture.transparent->red &&
                                   s[1] == picture.transparent->green && s[2] == picture.transparent->blue;
                p = {Scale(s[0], c.depth), Scale(s[1], c.depth), Scale(s[2], c.depth),
                     channels == 4 ? Scale(s[3], c.depth) : std::uint8_t(keyed ? 0 : 255)};
            }
            std::memcpy(model.Row(std::int32_t(y)) + 4 * x, &p, 4);
        }
    }
    return {picture, model};
}

constexpr int kGrey = PNG_COLOR_TYPE_GRAY, kGreyAlpha = PNG_COLOR_TYPE_GRAY_ALPHA, kRgb = PNG_COLOR_TYPE_RGB,
              kRgba = PNG_COLOR_TYPE_RGB_ALPHA, kPalette = PNG_COLOR_TYPE_PALETTE;

TEST(PngRead, EveryColourTypeAndDepthMatchesTheModel) {
    const Case cases[] = {
        {kGrey, 1, false, false, 7, 5},       {kGrey, 2, true, false, 13, 9},
        {kGrey, 4, false, true, 7, 5},        {kGrey, 8, false, false, 7, 5},
        {kGrey, 16, true, true, 13, 9},       {kGreyAlpha, 8, false, false, 7, 5},
        {kGreyAlpha, 16, true, false, 13, 9}, {kRgb, 8, true, true, 13, 9},
        {kRgb, 16, false, true, 7, 5},        {kRgba, 8, false, false, 47, 33},
        {kRgba, 16, true, false, 13, 9},      {kRgba, 8, true, false, 1, 1},
        {kPalette, 1, false, false, 7, 5},    {kPalette, 2, false, true, 7, 5},
        {kPalette, 4, true, true, 13, 9},     {kPalette, 8, false, true, 7, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.colorType << " depth " << c.depth << " interlaced "
                                        << c.interlaced << " tRNS " << c.transparency);
        auto [picture, model] = Build(c);
        const std::vector<std::uint8_t> file = test::MakePng(picture);
        const RgbaImage read = DecodePng(file);
        ASSERT_EQ(read.Width(), model.Width());
        ASSERT_EQ(read.Height(), model.Height());
        EXPECT_EQ(read.Bytes(), model.Bytes());
        const PngSize size = ReadPngSize(file);
        EXPECT_EQ(size.width, model.Width());
        EXPECT_EQ(size.height, model.Height());
    }
}

TEST(PngWrite, RgbaReadsBackPixelForPixel) {
    PngEncoder encoder(kDefaultPngLevel);  // one encoder for several images, as a run uses it
    for (auto [width, height] : {std::pair{47u, 33u}, {1u, 1u}, {1u, 6u}, {9u, 1u}}) {
        auto [picture, model] = Build({kRgba, 8, false, false, width, height});
        EXPECT_EQ(DecodePng(encoder.Encode(model)).Bytes(), model.Bytes()) << width << " x " << height;
        for (int level : {0, 12}) EXPECT_EQ(DecodePng(EncodePng(model, level)).Bytes(), model.Bytes());
    }
    EXPECT_THROW(EncodePng(RgbaImage()), EInvalidOperation);
}

// Sets the header chunk's size fields and mends its checksum, so only the sizes are wrong.
std::vector<std::uint8_t> WithSize(std::vector<std::uint8_t> file, std::uint32_t width,
                                   std::uint32_t height) {
    for (int i = 0; i < 4; ++i) {
        file[16 + i] = std::uint8_t(width >> (24 - 8 * i));
        file[20 + i] = std::uint8_t(height >> (24 - 8 * i));
    }
    const std::uint32_t crc = std::uint32_t(crc32(0, file.data() + 12, 17));
    for (int i = 0; i < 4; ++i) file[29 + i] = std::uint8_t(crc >> (24 - 8 * i));
    return file;
}

TEST(PngRead, DamagedFilesAreRefusedWithTheReason) {
    auto [picture, model] = Build({kRgba, 8, true, false, 13, 9});
    const std::vector<std::uint8_t> good = test::MakePng(picture);
    std::vector<std::uint8_t> flipped = good;
    flipped[good.size() - 20] ^= 0x40;  // inside the image data: its checksum no longer matches
    const std::vector<std::uint8_t> noSignature(good.begin() + 1, good.end());
    const struct {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* reason;
    } cases[] = {
        {"empty", {}, "no PNG signature"},
        {"signature only", {good.begin(), good.begin() + 8}, "the file ends early"},
        {"cut in the header", {good.begin(), good.begin() + 20}, "the file ends early"},
        {"cut in the data", {good.begin(), good.end() - 30}, ""},
        {"cut before the end chunk", {good.begin(), good.end() - 12}, "the file ends early"},
        {"flipped data byte", flipped, ""},
        {"no signature", noSignature, "no PNG signature"},
        {"zero width", WithSize(good, 0, 9), ""},
        {"too large for memory", WithSize(good, 100000, 100000), "image too large"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            DecodePng(c.bytes);
            ADD_FAILURE() << "no error";
        } catch (const EInvalidGraphic& e) {
            EXPECT_TRUE(e.Message().starts_with("PNG image is not valid: ")) << e.Message();
            EXPECT_NE(e.Message().find(c.reason), std::string::npos) << e.Message();
        }
    }
    EXPECT_THROW(ReadPngSize(WithSize(good, 0, 9)), EInvalidGraphic);
    EXPECT_THROW(ReadPngSize({good.begin(), good.begin() + 20}), EInvalidGraphic);
}

}  // namespace
}  // namespace plexon
