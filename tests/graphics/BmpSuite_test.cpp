// The shared conformance files every reader should handle: uncompressed ones load with exactly the
// reference pixels and survive a save; the forms not read yet are refused cleanly.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "BitmapTestSupport.h"
#include "graphics/Bitmap.h"
#include "runtime/Exceptions.h"

namespace plexon {
namespace {

namespace fs = std::filesystem;

const fs::path kSuite = fs::path(PLEXON_SHARED_TESTDATA) / "bmpsuite" / "g";

struct Pam {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;  // 0x00RRGGBB, top row first
};

Pam ReadPam(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    Pam pam;
    int depth = 0;
    std::string line;
    while (std::getline(in, line) && line != "ENDHDR") {
        std::istringstream fields(line);
        std::string key;
        fields >> key;
        if (key == "WIDTH") fields >> pam.width;
        if (key == "HEIGHT") fields >> pam.height;
        if (key == "DEPTH") fields >> depth;
    }
    std::vector<std::uint8_t> data(std::size_t(pam.width) * std::size_t(pam.height) * std::size_t(depth));
    in.read(reinterpret_cast<char*>(data.data()), std::streamsize(data.size()));
    for (std::size_t i = 0; i + 2 < data.size(); i += std::size_t(depth)) {
        pam.rgb.push_back(std::uint32_t(data[i]) << 16 | std::uint32_t(data[i + 1]) << 8 | data[i + 2]);
    }
    return pam;
}

std::vector<fs::path> SuiteFiles() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(kSuite)) {
        if (entry.path().extension() == ".bmp") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool NotReadYet(const std::string& name) {
    return name == "pal4rle.bmp" || name == "pal8rle.bmp" || name == "pal8os2.bmp";
}

TEST(BmpSuite, UncompressedFilesMatchTheirReferencePixels) {
    int compared = 0;
    for (const fs::path& file : SuiteFiles()) {
        const std::string name = file.filename().string();
        if (NotReadYet(name)) continue;
        SCOPED_TRACE(name);
        TBitmap bitmap;
        ASSERT_NO_THROW(bitmap.LoadFile(file.string()));
        const fs::path reference = file.string() + ".pam";
        if (!fs::exists(reference)) continue;
        const Pam pam = ReadPam(reference);
        ASSERT_EQ(bitmap.Width(), pam.width);
        ASSERT_EQ(bitmap.Height(), pam.height);
        EXPECT_EQ(test::RgbPixels(bitmap), pam.rgb);
        ++compared;
    }
    EXPECT_EQ(compared, 20);  // every reference but the run-length and core-header ones
}

TEST(BmpSuite, UncompressedFilesKeepTheirPixelsThroughASave) {
    for (const fs::path& file : SuiteFiles()) {
        const std::string name = file.filename().string();
        if (NotReadYet(name)) continue;
        SCOPED_TRACE(name);
        TBitmap bitmap;
        bitmap.LoadFile(file.string());
        TBitmap back;
        test::LoadBytes(back, test::SaveBytes(bitmap));
        EXPECT_EQ(test::RgbPixels(back), test::RgbPixels(bitmap));
        EXPECT_EQ(back.PixelLayout(), bitmap.PixelLayout());
    }
}

TEST(BmpSuite, SixteenBitLayoutsAreRecognised) {
    const struct {
        const char* name;
        BitmapPixelLayout layout;
    } cases[] = {{"rgb16.bmp", BitmapPixelLayout::Bits15},
                 {"rgb16-565.bmp", BitmapPixelLayout::Bits16},
                 {"rgb16bfdef.bmp", BitmapPixelLayout::Custom},
                 {"rgb32.bmp", BitmapPixelLayout::Bits32},
                 {"rgb32bf.bmp", BitmapPixelLayout::Custom}};
    for (const auto& c : cases) {
        TBitmap bitmap;
        bitmap.LoadFile((kSuite / c.name).string());
        EXPECT_EQ(bitmap.PixelLayout(), c.layout) << c.name;
    }
}

TEST(BmpSuite, CoreHeaderAndRunLengthFilesAreRefusedCleanly) {
    for (const char* name : {"pal4rle.bmp", "pal8rle.bmp", "pal8os2.bmp"}) {
        TBitmap bitmap;
        EXPECT_THROW(bitmap.LoadFile((kSuite / name).string()), EInvalidGraphic) << name;
        EXPECT_TRUE(bitmap.IsEmpty());
    }
}

}  // namespace
}  // namespace plexon
