// The batch command with PNG sources and the --format and --strict options, in process: folders
// take PNG files, BMP strips stay as they always were, size warnings, refusals that write nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "app/CommandLine.h"
#include "graphics/PngFormat.h"
#include "support/BmpFiles.h"
#include "support/PngFiles.h"
#include "support/TempFolder.h"

namespace plexon {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempFolder;

// An opaque-ish RGBA PNG of one colour with alpha varying by column.
void WritePng(const std::string& path, std::uint32_t width, std::uint32_t height, std::uint8_t tag) {
    test::PngPicture picture;
    picture.width = width;
    picture.height = height;
    for (std::uint32_t y = 0; y < height; ++y)
        for (std::uint32_t x = 0; x < width; ++x)
            picture.samples.insert(picture.samples.end(),
                                {tag, std::uint16_t(y * 20), 90, std::uint16_t(255 - 30 * x)});
    const std::vector<std::uint8_t> bytes = test::MakePng(picture);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

class WeldFormatsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        icons_ = t_.MakeFolder("icons");
        out_ = t_.MakeFolder("out");
    }

    int Run(std::initializer_list<std::string> args) {
        std::vector<std::string> all{"weld", "-q", "--config", t_ / "none.ini", "-o", out_};
        all.insert(all.end(), args);
        out.str("");
        err.str("");
        Console console{out, err, ProgressDisplay::None};
        return RunCommandLine(all, "test", console);
    }

    std::vector<std::string> Written() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(out_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempFolder t_;
    std::string icons_, out_;
    std::ostringstream out, err;
};

TEST_F(WeldFormatsTest, FoldersTakePngFilesGroupedWithBmpFilesOfTheSameIcon) {
    WritePng(icons_ + "/Open.png", 6, 6, 10);
    test::WriteSolidBmp24(icons_ + "/Open_h.bmp", 6, 6, {1, 2, 3});
    WritePng(icons_ + "/Open_d.PNG", 6, 6, 30);
    WritePng(icons_ + "/Save.png", 6, 6, 40);
    t_.WriteFile("icons/notes.txt", "not a source");
    ASSERT_EQ(Run({"--format", "png", icons_}), 0) << err.str();
    EXPECT_EQ(Written(), (std::vector<std::string>{"Open.png", "Save.png"}));
    EXPECT_EQ(err.str(), "");
    const RgbaImage open = DecodePng(ReadBytes(out_ + "/Open.png"));
    EXPECT_EQ(open.Width(), 18);
    EXPECT_EQ(open.Pixel(0, 1), (Rgba{10, 20, 90, 255}));
    EXPECT_EQ(open.Pixel(7, 0), (Rgba{1, 2, 3, 255}));  // the BMP source, opaque
    EXPECT_EQ(open.Pixel(13, 2), (Rgba{30, 40, 90, 225}));
}

TEST_F(WeldFormatsTest, BmpStripsAreTheSameBytesWithOrWithoutTheFormatOption) {
    test::WriteBmp24(icons_ + "/Go.bmp", 3, 3, [](int x, int y) {
        return test::Rgb{std::uint8_t(x), std::uint8_t(y), 7};
    });
    test::WriteSolidBmp24(icons_ + "/Go_h.bmp", 3, 3, {200, 100, 50});
    ASSERT_EQ(Run({icons_}), 0) << err.str();
    const std::vector<std::uint8_t> plain = ReadBytes(out_ + "/Go.bmp");
    ASSERT_EQ(Run({"--format=bmp", icons_}), 0) << err.str();
    EXPECT_EQ(ReadBytes(out_ + "/Go.bmp"), plain);
    // The strip as the program has always written it: 32 bits, no table, the spare byte zero, white
    // where no file was.
    std::vector<std::uint8_t> model{'B', 'M'};
    for (std::uint32_t v : {54u + 9 * 3 * 4, 0u, 54u, 40u, 9u, 3u}) test::Put32(model, v);
    test::Put16(model, 1);
    test::Put16(model, 32);
    for (std::uint32_t v : {0u, 9u * 3 * 4, 0u, 0u, 0u, 0u}) test::Put32(model, v);
    for (int y = 2; y >= 0; --y) {
        for (int x = 0; x < 3; ++x) model.insert(model.end(), {7, std::uint8_t(y), std::uint8_t(x), 0});
        for (int x = 0; x < 3; ++x) model.insert(model.end(), {50, 100, 200, 0});
        for (int x = 0; x < 3; ++x) model.insert(model.end(), {255, 255, 255, 0});
    }
    EXPECT_EQ(plain, model);
}

TEST_F(WeldFormatsTest, SourcesOfAnotherSizeAreWarnedAboutOrRefusedWithStrict) {
    WritePng(icons_ + "/Open.png", 6, 6, 10);
    WritePng(icons_ + "/Open_h.png", 8, 4, 20);
    test::WriteSolidBmp24(icons_ + "/Open_d.bmp", 4, 4, {1, 2, 3});
    test::WriteSolidBmp24(icons_ + "/Open_p.bmp", 2, 2, {1, 2, 3});  // not used with three states
    ASSERT_EQ(Run({"--format", "bmp-alpha", icons_}), 0);
    EXPECT_EQ(
        err.str(),
        "plexon: " + icons_ +
            "/Open_h.png: warning: the image is 8 x 4, the slots are 6 x 6; it is cut and padded to fit\n"
            "plexon: " +
            icons_ + "/Open_d.bmp: warning: the image is 4 x 4, the slots are 6 x 6; it is padded to fit\n");
    EXPECT_EQ(Written(), std::vector<std::string>{"Open.bmp"});

    fs::remove(out_ + "/Open.bmp");
    EXPECT_EQ(Run({"--strict", "--format", "png", icons_}), 1);
    EXPECT_EQ(err.str(), "plexon: " + icons_ +
                             "/Open_h.png: the image is 8 x 4, the slots are 6 x 6\n"
                             "plexon: " +
                             icons_ +
                             "/Open_d.bmp: the image is 4 x 4, the slots are 6 x 6\n"
                             "plexon: --strict: 2 sources are not of the slot size; nothing was written\n");
    EXPECT_TRUE(Written().empty());
}

// Pixel (x, y) of a 3 x 2 picture whose alpha runs 0 to 255.
Rgba AlphaPixel(int x, int y) {
    return {std::uint8_t(90 * x), std::uint8_t(100 * y + 30), 200, std::uint8_t((x + 3 * y) * 51)};
}

// The picture as a 32-bit BMP: a 124-byte header with an alpha mask, or 40 bytes and no masks.
void WriteAlphaBmp(const std::string& path, std::uint32_t headerSize) {
    std::vector<std::uint8_t> b{'B', 'M'};
    for (std::uint32_t v : {14 + headerSize + 24, 0u, 14 + headerSize, headerSize, 3u, 2u}) test::Put32(b, v);
    test::Put16(b, 1);
    test::Put16(b, 32);
    test::Put32(b, headerSize == 40 ? 0 : 3);
    b.resize(14 + 40);
    if (headerSize > 40)
        for (std::uint32_t mask : {0xFF0000u, 0xFF00u, 0xFFu, 0xFF000000u}) test::Put32(b, mask);
    b.resize(14 + headerSize);
    for (int y = 1; y >= 0; --y)
        for (int x = 0; x < 3; ++x)
            b.insert(b.end(), {AlphaPixel(x, y).blue, AlphaPixel(x, y).green, AlphaPixel(x, y).red,
                               AlphaPixel(x, y).alpha});
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

TEST_F(WeldFormatsTest, ThirtyTwoBitBmpSourcesKeepTheirAlphaOrAreBlendedOverWhiteAsPngSources) {
    const std::string model = t_.MakeFolder("model");
    test::PngPicture picture;
    picture.width = 3;
    picture.height = 2;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const Rgba c = AlphaPixel(x, y);
            picture.samples.insert(picture.samples.end(), {c.red, c.green, c.blue, c.alpha});
        }
    const std::vector<std::uint8_t> png = test::MakePng(picture);
    std::ofstream(model + "/A.png", std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    const auto expectAlphaKept = [this](std::uint32_t headerSize) {
        ASSERT_EQ(Run({"--format", "png", icons_}), 0) << err.str();
        const RgbaImage strip = DecodePng(ReadBytes(out_ + "/A.png"));
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) EXPECT_EQ(strip.Pixel(x, y), AlphaPixel(x, y)) << headerSize;
    };
    for (std::uint32_t headerSize : {124u, 40u}) {
        WriteAlphaBmp(icons_ + "/A.bmp", headerSize);
        expectAlphaKept(headerSize);
        // Our own alpha strips read back with their alpha.
        ASSERT_EQ(Run({"--format", "bmp-alpha", icons_}), 0) << err.str();
        fs::rename(out_ + "/A.bmp", icons_ + "/A.bmp");
        expectAlphaKept(headerSize);
        // A BMP strip blends it over white exactly as it blends the same pixels from a PNG.
        WriteAlphaBmp(icons_ + "/A.bmp", headerSize);
        ASSERT_EQ(Run({model}), 0) << err.str();
        const std::vector<std::uint8_t> fromPng = ReadBytes(out_ + "/A.bmp");
        ASSERT_EQ(Run({icons_}), 0) << err.str();
        EXPECT_EQ(ReadBytes(out_ + "/A.bmp"), fromPng) << headerSize;
    }
}

TEST_F(WeldFormatsTest, DamagedPngFailsWithItsReasonAndLeavesNoStripOfItsIcon) {
    WritePng(icons_ + "/A.png", 4, 4, 10);
    WritePng(icons_ + "/B.png", 4, 4, 20);
    const std::vector<std::uint8_t> whole = ReadBytes(icons_ + "/B.png");
    fs::resize_file(icons_ + "/B.png", whole.size() - 16);
    EXPECT_EQ(Run({"--format", "png", icons_}), 1);
    EXPECT_TRUE(err.str().starts_with("plexon: " + icons_ + "/B.png: PNG image is not valid: ")) << err.str();
    EXPECT_EQ(Written(), std::vector<std::string>{"A.png"});
}

TEST_F(WeldFormatsTest, UnknownFormatIsAUsageError) {
    WritePng(icons_ + "/A.png", 4, 4, 10);
    EXPECT_EQ(Run({"--format", "gif", icons_}), 2);
    EXPECT_NE(err.str().find("the format must be bmp, png or bmp-alpha, not \"gif\""), std::string::npos);
    EXPECT_TRUE(Written().empty());
}

}  // namespace
}  // namespace plexon
