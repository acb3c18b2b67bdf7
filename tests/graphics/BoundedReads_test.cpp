// A source is read only as far as its decoder goes: a small PNG or run-length BMP followed by a huge
// hole (a sparse file) decodes from a few kilobytes of reads.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "graphics/Bitmap.h"
#include "graphics/BitmapRgba.h"
#include "graphics/PngFormat.h"
#include "runtime/Stream.h"
#include "support/BmpFiles.h"
#include "support/PngFiles.h"
#include "support/TempFolder.h"

namespace plexon {
namespace {

// Far more than any of these images needs; reading it whole would fail the bound at once.
constexpr std::uintmax_t kHole = std::uintmax_t(64) << 20;
constexpr std::int64_t kReadBound = 1 << 20;

// The bytes, then a hole up to kHole.
std::string SparseFile(const test::TempFolder& folder, const std::string& name,
                       const std::vector<std::uint8_t>& bytes) {
    const std::string path = folder / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    std::filesystem::resize_file(path, kHole);
    return path;
}

// A 4 x 2 RLE8 picture: bottom row index 1, top row index 0, with or without its end-of-bitmap mark;
// without it the hole's zeros read as line ends, which leave the image at its top.
std::vector<std::uint8_t> RunLengthBmp(bool endMark) {
    std::vector<std::uint8_t> data = {4, 1, 0, 0, 4, 0};
    if (endMark) data.insert(data.end(), {0, 0, 0, 1});
    std::vector<std::uint8_t> file = {'B', 'M'};
    for (std::uint32_t v : {0u, 0u, 14u + 40u + 8u, 40u, 4u, 2u}) test::Put32(file, v);
    test::Put16(file, 1);
    test::Put16(file, 8);
    // BI_RLE8, no compressed size: the rest of the file is the data.
    for (std::uint32_t v : {1u, 0u, 0u, 0u, 2u, 0u}) test::Put32(file, v);
    for (std::uint32_t colour : {0xFF0000u, 0x00FF00u}) test::Put32(file, colour);
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

TEST(BoundedReads, SparseSourcesDecodeFromTheirFirstBytes) {
    test::TempFolder folder;
    test::PngPicture picture;
    picture.width = 2;
    picture.samples = {10, 20, 30, 255, 40, 50, 60, 128};
    // How far the decoder read is where it left the stream.
    TFileStream png(SparseFile(folder, "big.png", test::MakePng(picture)), FileMode::OpenRead);
    EXPECT_EQ(DecodePng(png).Pixel(1, 0).alpha, 128);
    EXPECT_LT(png.Position(), kReadBound);
    for (bool endMark : {true, false}) {
        TFileStream stream(SparseFile(folder, "big.bmp", RunLengthBmp(endMark)), FileMode::OpenRead);
        TBitmap bitmap;
        bitmap.LoadStream(stream);
        EXPECT_LT(stream.Position(), kReadBound) << endMark;
        const RgbaImage image = RgbaFromBitmap(bitmap);
        ASSERT_EQ(image.Width(), 4) << endMark;
        // Bottom row green (index 1), top row red (index 0).
        EXPECT_EQ(image.Pixel(3, 1).green, 255) << endMark;
        EXPECT_EQ(image.Pixel(0, 0).red, 255) << endMark;
    }
}

}  // namespace
}  // namespace plexon
