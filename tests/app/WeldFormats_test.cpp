// The batch command with PNG sources and the --format and --strict options, in process: folders
// take PNG files, BMP strips stay as they always were, size warnings, refusals that write nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "app/CommandLine.h"
#include "graphics/Bitmap.h"
#include "graphics/BitmapRgba.h"
#include "graphics/PngFormat.h"
#include "support/BmpFiles.h"
#include "support/PngFiles.h"
#include "support/TempFolder.h"
#include "weld/DerivedStates.h"

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
    EXPECT_EQ(err.str(), "plexon: warning: Save has no Hot and no Disabled image; their slots are blank\n");
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

// WritePng's picture of tag 10 as a 32-bit BMP: a version-5 header with an alpha mask, or 40 bytes
// and no masks.
void WriteAlphaBmp(const std::string& path, std::uint32_t headerSize) {
    std::vector<std::uint8_t> b{'B', 'M'};
    for (std::uint32_t v : {14 + headerSize + 24, 0u, 14 + headerSize, headerSize, 3u, 2u, 0x200001u,
                            headerSize == 40 ? 0u : 3u})
        test::Put32(b, v);  // 0x200001: one plane of 32 bits
    b.resize(14 + 40);
    for (std::uint32_t mask : {0xFF0000u, 0xFF00u, 0xFFu, 0xFF000000u}) test::Put32(b, mask);
    b.resize(14 + headerSize);
    for (std::uint32_t y = 2; y-- > 0;)
        for (std::uint32_t x = 0; x < 3; ++x)
            b.insert(b.end(), {90, std::uint8_t(y * 20), 10, std::uint8_t(255 - 30 * x)});
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

// The model is the same pixels from a PNG: its BMP strip, its PNG strip, and that strip welded again.
TEST_F(WeldFormatsTest, ThirtyTwoBitBmpSourcesKeepTheirAlphaOrAreBlendedOverWhiteAsPngSources) {
    const std::string model = t_.MakeFolder("model");
    WritePng(model + "/A.png", 3, 2, 10);
    const auto strip = [this](const std::string& format, const std::string& from) {
        EXPECT_EQ(Run({"--format", format, from}), 0) << err.str();
        return ReadBytes(out_ + (format == "png" ? "/A.png" : "/A.bmp"));
    };
    const std::vector<std::uint8_t> bmpModel = strip("bmp", model), pngModel = strip("png", model);
    fs::rename(out_ + "/A.png", model + "/A.png");
    const std::vector<std::uint8_t> rereadModel = strip("png", model);
    for (std::uint32_t headerSize : {124u, 40u}) {
        WriteAlphaBmp(icons_ + "/A.bmp", headerSize);
        EXPECT_EQ(strip("bmp", icons_), bmpModel) << headerSize;
        EXPECT_EQ(strip("png", icons_), pngModel) << headerSize;
        // Our own alpha strips read back with their alpha.
        strip("bmp-alpha", icons_);
        fs::rename(out_ + "/A.bmp", icons_ + "/A.bmp");
        EXPECT_EQ(strip("png", icons_), rereadModel) << headerSize;
    }
}

// Normal is not shown, so the run loads it for the states alone; it is shorter than its slot, so the
// states come from it padded as its slot would show it.
TEST_F(WeldFormatsTest, DeriveMakesTheMissingStatesFromNormalAsItSitsInItsSlot) {
    WritePng(icons_ + "/Open.png", 6, 4, 10);
    for (const bool png : {false, true}) {
        ASSERT_EQ(
            Run({"--derive", "--order", "hot,disabled,pressed", "--format", png ? "png" : "bmp", icons_}), 0);
        RgbaImage normal = DecodePng(ReadBytes(icons_ + "/Open.png")), model(18, 6, kTransparent);
        if (!png) normal.Flatten(kOpaqueWhite);
        normal.Resize(6, 6, png ? kTransparent : kOpaqueWhite);
        for (int slot = 0; slot < 3; ++slot)
            model.CopyFrom(DeriveState(ImageState(slot + 1), normal, png), slot * 6, 0);
        TBitmap bmp;
        if (!png) bmp.LoadFile(out_ + "/Open.bmp");
        EXPECT_EQ((png ? DecodePng(ReadBytes(out_ + "/Open.png")) : RgbaFromBitmap(bmp)).Bytes(),
                  model.Bytes())
            << png;
    }
}

TEST_F(WeldFormatsTest, DamagedPngFailsWithItsReasonAndLeavesNoStripOfItsIcon) {
    WritePng(icons_ + "/A.png", 4, 4, 10);
    WritePng(icons_ + "/B.png", 4, 4, 20);
    const std::vector<std::uint8_t> whole = ReadBytes(icons_ + "/B.png");
    fs::resize_file(icons_ + "/B.png", whole.size() - 16);
    EXPECT_EQ(Run({"--format", "png", icons_}), 1);
    EXPECT_TRUE(err.str().ends_with("plexon: " + icons_ + "/B.png: truncated PNG\n")) << err.str();
    EXPECT_EQ(Written(), std::vector<std::string>{"A.png"});
    // A first source whose header claims more than memory allows meets the memory rule's text, not
    // the raster layer's failure to allocate it.
    fs::remove_all(icons_);
    fs::create_directory(icons_);
    std::string header;
    for (const auto& [value, bytes] : std::initializer_list<std::pair<std::uint32_t, int>>{
             {0x4D42, 2}, {54, 4}, {0, 4}, {54, 4}, {40, 4}, {11585, 4}, {11585, 4}, {1, 2}, {24, 2}, {0, 4}})
        test::PutLe(header, value, bytes);
    t_.WriteFile("icons/Huge.bmp", header + std::string(16, '\0'));
    EXPECT_EQ(Run({icons_}), 1);
    EXPECT_EQ(err.str(), "plexon: " + icons_ + "/Huge.bmp: 11585 x 11585 pixels would need 3584 MB; the limit is 512 MB.\n");
}

TEST_F(WeldFormatsTest, UnknownFormatIsAUsageError) {
    WritePng(icons_ + "/A.png", 4, 4, 10);
    EXPECT_EQ(Run({"--format", "gif", icons_}), 2);
    EXPECT_NE(err.str().find("the format must be bmp, png or bmp-alpha, not \"gif\""), std::string::npos);
    EXPECT_TRUE(Written().empty());
}

}  // namespace
}  // namespace plexon
