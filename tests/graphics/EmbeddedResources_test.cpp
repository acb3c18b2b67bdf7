// The build's embedding of resources/: every file there reaches the program byte for byte under its
// name, and the command glyphs load as the bitmaps the buttons expect.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "BitmapTestSupport.h"
#include "graphics/Bitmap.h"
#include "graphics/ModuleResources.h"

namespace plexon {
namespace {

namespace fs = std::filesystem;

const fs::path kFolder = fs::path(PLEXON_TESTDATA).parent_path().parent_path() / "resources";

TEST(EmbeddedResources, EveryFileOfTheFolderIsRawDataUnderItsName) {
    std::set<std::string> onDisk;
    for (const auto& entry : fs::recursive_directory_iterator(kFolder)) {
        if (!entry.is_regular_file()) continue;
        const std::string name = fs::relative(entry.path(), kFolder).generic_string();
        onDisk.insert(name);
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        const auto found = ProgramResources().Find(name, ResourceType::RawData);
        ASSERT_TRUE(found.has_value()) << name;
        EXPECT_EQ(std::vector<std::uint8_t>(found->begin(), found->end()), bytes) << name;
    }
    std::set<std::string> embedded;
    for (const EmbeddedFile& file : EmbeddedFiles()) embedded.insert(std::string(file.name));
    EXPECT_EQ(embedded, onDisk);
}

TEST(EmbeddedResources, CommandGlyphsAre24By24With8BitsOnMagenta) {
    for (const char* name : {"glyph_start.bmp", "glyph_options.bmp", "glyph_about.bmp", "GLYPH_EXIT.BMP"}) {
        TBitmap glyph;
        glyph.LoadResource(ProgramResources(), name);
        EXPECT_EQ(glyph.Width(), 24) << name;
        EXPECT_EQ(glyph.Height(), 24) << name;
        EXPECT_EQ(glyph.PixelLayout(), BitmapPixelLayout::Bits8) << name;
        EXPECT_EQ(test::RgbAt(glyph, 0, 23), 0xFF00FFu) << name;  // the colour key the buttons read
        const std::vector<std::uint32_t> pixels = test::RgbPixels(glyph);
        EXPECT_GT(std::count_if(pixels.begin(), pixels.end(), [](std::uint32_t p) { return p != 0xFF00FFu; }),
                  24 * 24 / 5)
            << name;
    }
}

}  // namespace
}  // namespace plexon
