// Writing BMP files: the header fields of the common cases, size rules, and round trips of odd
// sizes in every uncompressed depth.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "BitmapTestSupport.h"
#include "graphics/Bitmap.h"
#include "graphics/BmpFormat.h"
#include "runtime/Exceptions.h"

namespace plexon {
namespace {

using namespace test;

struct Written {
    std::uint16_t bitCount;
    std::uint32_t compression;
    std::uint32_t clrUsed;
    std::uint32_t offBits;
};

Written FieldsOf(const std::vector<std::uint8_t>& file) {
    EXPECT_EQ(U16At(file, 0), 0x4D42);
    EXPECT_EQ(U32At(file, 2), file.size());  // bfSize
    EXPECT_EQ(U32At(file, 6), 0u);           // reserved
    EXPECT_EQ(U32At(file, 14), 40u);
    EXPECT_EQ(U16At(file, 26), 1);
    return {U16At(file, 28), U32At(file, 30), U32At(file, 46), U32At(file, 10)};
}

TEST(BmpWriterTable, DrawnOnDeviceBitmapIs32BitsWithoutTable) {
    TBitmap bitmap;
    bitmap.SetHeight(5);
    bitmap.SetWidth(7);
    bitmap.Canvas().SetPixels(1, 1, clRed);
    const std::vector<std::uint8_t> file = SaveBytes(bitmap);
    const Written w = FieldsOf(file);
    EXPECT_EQ(w.bitCount, 32);
    EXPECT_EQ(w.compression, 0u);
    EXPECT_EQ(w.clrUsed, 0u);
    EXPECT_EQ(w.offBits, 54u);
    EXPECT_EQ(file.size(), 54u + 4 * 7 * 5);
    EXPECT_EQ(I32At(file, 22), 5);  // bottom-up
    // Row 1 from the top is the fourth stored row; pixel 1 is blue 0, green 0, red 255.
    // The spare fourth byte is 0 everywhere, drawn on or filled white.
    EXPECT_EQ(U32At(file, 54 + 3 * 28 + 4), 0xFF0000u);
    EXPECT_EQ(U32At(file, 54 + 3 * 28), 0xFFFFFFu);
}

TEST(BmpWriterTable, Loaded24BitKeepsNoTable) {
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(3, 2, 24).Bytes());
    const Written w = FieldsOf(SaveBytes(bitmap));
    EXPECT_EQ(w.bitCount, 24);
    EXPECT_EQ(w.clrUsed, 0u);
    EXPECT_EQ(w.offBits, 54u);
}

TEST(BmpWriterTable, PaletteDepthsWriteTheFullDefaultTable) {
    const struct {
        int bits;
        std::uint32_t clrUsed;
        std::uint32_t offBits;
    } cases[] = {{8, 256, 1078}, {4, 16, 118}, {1, 2, 62}};
    for (const auto& c : cases) {
        BmpFile file = MakeImage(5, 3, c.bits);
        ASSERT_EQ(file.header.biClrUsed, 0u);
        TBitmap bitmap;
        LoadBytes(bitmap, file.Bytes());
        const std::vector<std::uint8_t> saved = SaveBytes(bitmap);
        const Written w = FieldsOf(saved);
        EXPECT_EQ(w.bitCount, c.bits);
        EXPECT_EQ(w.clrUsed, c.clrUsed) << c.bits;
        EXPECT_EQ(w.offBits, c.offBits) << c.bits;
        EXPECT_EQ(bitmap.Image().Dib.dsBmih.biClrUsed, c.clrUsed);
    }
}

TEST(BmpWriterTable, SixteenBitMasksFollowTheHeader) {
    BmpFile file = MakeImage(5, 3, 16);
    file.header.biCompression = 3;
    file.masks = {0xF800, 0x07E0, 0x001F};
    TBitmap bitmap;
    LoadBytes(bitmap, file.Bytes());
    EXPECT_EQ(bitmap.PixelLayout(), BitmapPixelLayout::Bits16);
    const std::vector<std::uint8_t> saved = SaveBytes(bitmap);
    const Written w = FieldsOf(saved);
    EXPECT_EQ(w.bitCount, 16);
    EXPECT_EQ(w.compression, 3u);
    EXPECT_EQ(w.clrUsed, 0u);
    EXPECT_EQ(w.offBits, 66u);
    EXPECT_EQ(U32At(saved, 54), 0xF800u);
    EXPECT_EQ(U32At(saved, 58), 0x07E0u);
    EXPECT_EQ(U32At(saved, 62), 0x001Fu);
}

TEST(BmpWriterTable, ShortTableIsWrittenAsLong) {
    BmpFile file = MakeImage(6, 2, 8);
    file.table.resize(12);
    file.header.biClrUsed = 12;
    for (auto& p : file.pixels) p %= 12;
    TBitmap bitmap;
    LoadBytes(bitmap, file.Bytes());
    const std::vector<std::uint8_t> saved = SaveBytes(bitmap);
    const Written w = FieldsOf(saved);
    EXPECT_EQ(w.clrUsed, 12u);
    EXPECT_EQ(w.offBits, 14u + 40 + 48);
    EXPECT_EQ(std::vector<std::uint8_t>(saved.begin() + 102, saved.end()), file.pixels);
}

TEST(BmpWriterTable, DirectColourTableIsWrittenBackAsOptionalTable) {
    BmpFile file = MakeImage(4, 4, 24);
    file.table = {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}, {10, 11, 12, 0}};
    file.header.biClrUsed = 4;
    TBitmap bitmap;
    LoadBytes(bitmap, file.Bytes());
    const std::vector<std::uint8_t> saved = SaveBytes(bitmap);
    const Written w = FieldsOf(saved);
    EXPECT_EQ(w.clrUsed, 4u);
    EXPECT_EQ(w.offBits, 14u + 40 + 16);
    EXPECT_EQ(std::memcmp(saved.data() + 54, file.table.data(), 16), 0);
    EXPECT_EQ(std::vector<std::uint8_t>(saved.begin() + 70, saved.end()), file.pixels);
}

TEST(BmpWriterTable, NeverSizedBitmapWritesNothing) {
    TBitmap bitmap;
    EXPECT_TRUE(SaveBytes(bitmap).empty());
    bitmap.SetHeight(20);  // still without pixels
    EXPECT_TRUE(SaveBytes(bitmap).empty());
}

TEST(BmpWriterFile, NeverSizedBitmapSavesAZeroLengthFile) {
    TempFolder folder;
    TBitmap bitmap;
    bitmap.SaveFile(folder / "empty.bmp");
    EXPECT_EQ(std::filesystem::file_size(folder / "empty.bmp"), 0u);
}

TEST(BmpWriterFile, SaveFileOverwritesAndLoadFileReadsBack) {
    TempFolder folder;
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(47, 33, 24).Bytes());
    const std::string path = folder / "out.bmp";
    std::ofstream(path) << "old contents that are longer than nothing";
    bitmap.SaveFile(path);
    TBitmap back;
    back.LoadFile(path);
    EXPECT_EQ(RgbPixels(back), RgbPixels(bitmap));
    EXPECT_EQ(std::filesystem::file_size(path), 54u + 144 * 33);
}

TEST(BmpWriterFile, UncreatableFileRaisesCreateError) {
    TempFolder folder;
    TBitmap bitmap;
    const std::string path = folder / "missing/out.bmp";
    try {
        bitmap.SaveFile(path);
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file " + path);
    }
}

// A stream that refuses everything after a few bytes.
class ShortStream : public TMemoryStream {
  public:
    std::int64_t Write(const void* buffer, std::int64_t count) override {
        const std::int64_t room = std::max<std::int64_t>(0, 60 - Size());
        return TMemoryStream::Write(buffer, std::min(count, room));
    }
};

TEST(BmpWriterFile, FullStreamRaisesWriteError) {
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(8, 8, 24).Bytes());
    ShortStream stream;
    try {
        bitmap.SaveStream(stream);
        FAIL() << "no error";
    } catch (const EWriteError& e) {
        EXPECT_EQ(e.Message(), "Stream write error");
    }
}

TEST(BmpSizes, RowStrideRoundsUpToFourBytes) {
    EXPECT_EQ(RowStride(1, 1), 4);
    EXPECT_EQ(RowStride(33, 1), 8);
    EXPECT_EQ(RowStride(7, 4), 4);
    EXPECT_EQ(RowStride(9, 4), 8);
    EXPECT_EQ(RowStride(47, 8), 48);
    EXPECT_EQ(RowStride(47, 24), 144);
    EXPECT_EQ(RowStride(3, 16), 8);
    EXPECT_EQ(RowStride(100000, 32), 400000);
    EXPECT_EQ(RowStride(2000000000, 32), 8000000000);  // no overflow
}

TEST(BmpSizes, DefaultColorCounts) {
    EXPECT_EQ(DefaultColorCount(1), 2);
    EXPECT_EQ(DefaultColorCount(4), 16);
    EXPECT_EQ(DefaultColorCount(8), 256);
    EXPECT_EQ(DefaultColorCount(16), 0);
    EXPECT_EQ(DefaultColorCount(24), 0);
    EXPECT_EQ(DefaultColorCount(32), 0);
}

TEST(BmpSizes, DefaultMasksByBitCount) {
    gdi::DIBSECTION dib;
    dib.dsBmih.biBitCount = 16;
    DefaultMasks(dib);
    EXPECT_EQ(dib.dsBitfields[0], 0xF800u);
    EXPECT_EQ(dib.dsBitfields[1], 0x07E0u);
    EXPECT_EQ(dib.dsBitfields[2], 0x001Fu);
    dib.dsBmih.biBitCount = 32;
    DefaultMasks(dib);
    EXPECT_EQ(dib.dsBitfields[0], 0xFF0000u);
    EXPECT_EQ(dib.dsBitfields[1], 0x00FF00u);
    EXPECT_EQ(dib.dsBitfields[2], 0x0000FFu);
}

TEST(BmpSizes, HeaderAndTotalSizes) {
    gdi::DIBSECTION dib;
    dib.dsBmih.biWidth = 16;
    dib.dsBmih.biHeight = 16;
    dib.dsBmih.biBitCount = 8;
    dib.dsBmih.biSizeImage = 256;
    DibSizeInfo sizes = DibSizes(dib, false);
    EXPECT_EQ(sizes.headerSize, 40u + 1024);
    EXPECT_EQ(sizes.imageSize, 256u);
    EXPECT_EQ(sizes.totalSize, 14u + 40 + 1024 + 256);
    dib.dsBmih.biClrUsed = 10;
    EXPECT_EQ(DibSizes(dib, false).headerSize, 80u);
    dib.dsBmih.biBitCount = 4;
    dib.dsBmih.biSizeImage = 128;
    EXPECT_EQ(DibSizes(dib, true).headerSize, 12u + 48);
    EXPECT_EQ(DibSizes(dib, true).totalSize, 202u);
    dib.dsBmih.biBitCount = 16;
    dib.dsBmih.biSizeImage = 0;
    EXPECT_EQ(DibSizes(dib, false).headerSize, 40u);
    EXPECT_EQ(DibSizes(dib, false).imageSize, 512u);  // taken from the row stride when missing
    dib.dsBmih.biCompression = 3;
    EXPECT_EQ(DibSizes(dib, false).headerSize, 52u);
    dib.dsBmih.biBitCount = 32;
    EXPECT_EQ(DibSizes(dib, true).headerSize, 12u);
}

// Loads the file, saves it, loads the result: pixels, table and header must survive.
void ExpectRoundTrip(const BmpFile& file) {
    TBitmap bitmap;
    LoadBytes(bitmap, file.Bytes());
    const std::vector<std::uint8_t> saved = SaveBytes(bitmap);
    const std::uint32_t offBits = U32At(saved, 10);
    ASSERT_EQ(saved.size(), offBits + file.pixels.size());
    EXPECT_EQ(I32At(saved, 18), file.header.biWidth);
    EXPECT_EQ(I32At(saved, 22), file.header.biHeight);
    EXPECT_EQ(U16At(saved, 28), file.header.biBitCount);
    EXPECT_EQ(U32At(saved, 30), file.header.biCompression);
    EXPECT_TRUE(std::equal(file.pixels.begin(), file.pixels.end(), saved.begin() + offBits));
    EXPECT_TRUE(
        std::equal(file.table.begin(), file.table.end(),
                   reinterpret_cast<const gdi::RGBQUAD*>(saved.data() + 54 + 4 * file.masks.size()),
                   [](const gdi::RGBQUAD& a, const gdi::RGBQUAD& b) { return std::memcmp(&a, &b, 4) == 0; }));

    TBitmap back;
    LoadBytes(back, saved);
    EXPECT_EQ(RgbPixels(back), RgbPixels(bitmap));
    EXPECT_EQ(SaveBytes(back), saved);
}

TEST(BmpRoundTrip, OddSizesInEveryUncompressedDepth) {
    const int sizes[][2] = {{47, 33}, {1, 1}, {7, 3}};
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        for (const auto& s : sizes) {
            SCOPED_TRACE(testing::Message() << bits << " bits " << s[0] << "x" << s[1]);
            ExpectRoundTrip(MakeImage(s[0], s[1], bits, std::uint32_t(bits + s[0])));
        }
    }
}

TEST(BmpRoundTrip, MaskedDepths) {
    BmpFile sixteen = MakeImage(47, 33, 16);
    sixteen.header.biCompression = 3;
    sixteen.masks = {0xF800, 0x07E0, 0x001F};
    ExpectRoundTrip(sixteen);
    BmpFile thirtyTwo = MakeImage(7, 3, 32);
    thirtyTwo.header.biCompression = 3;
    thirtyTwo.masks = {0xFF0000, 0x00FF00, 0x0000FF};
    ExpectRoundTrip(thirtyTwo);
}

TEST(BmpRoundTrip, TopDownRowsStayTopDown) {
    for (int bits : {8, 24, 32}) {
        SCOPED_TRACE(bits);
        ExpectRoundTrip(MakeImage(7, -3, bits));
    }
}

TEST(BmpRoundTrip, TopDownAndBottomUpOfOnePictureGiveTheSamePixels) {
    BmpFile bottomUp = MakeImage(5, 4, 24);
    BmpFile topDown = bottomUp;
    topDown.header.biHeight = -4;
    const std::size_t stride = 16;
    for (std::size_t row = 0; row < 4; ++row) {
        std::copy_n(bottomUp.pixels.begin() + std::ptrdiff_t((3 - row) * stride), stride,
                    topDown.pixels.begin() + std::ptrdiff_t(row * stride));
    }
    TBitmap a;
    TBitmap b;
    LoadBytes(a, bottomUp.Bytes());
    LoadBytes(b, topDown.Bytes());
    EXPECT_EQ(RgbPixels(a), RgbPixels(b));
}

TEST(BmpRoundTrip, DrawnOnBitmapReadsBackPixelForPixel) {
    TBitmap bitmap;
    bitmap.SetHeight(33);
    bitmap.SetWidth(47);
    for (int y = 0; y < 33; y += 4) {
        for (int x = 0; x < 47; x += 3)
            bitmap.Canvas().SetPixels(x, y, TColor(x * 5 + (y * 7 << 8) + (x * y << 16)));
    }
    const std::vector<std::uint8_t> saved = SaveBytes(bitmap);
    TBitmap back;
    LoadBytes(back, saved);
    EXPECT_EQ(RgbPixels(back), RgbPixels(bitmap));
    EXPECT_EQ(back.PixelLayout(), BitmapPixelLayout::Bits32);
}

}  // namespace
}  // namespace plexon
