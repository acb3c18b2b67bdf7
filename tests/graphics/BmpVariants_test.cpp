// The less common BMP forms: core headers read and written back, run-length data kept byte for byte
// and decoded, colour masks, short and optional colour tables, top-down rows and short headers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "BitmapTestSupport.h"
#include "graphics/Bitmap.h"
#include "runtime/Exceptions.h"

namespace plexon {
namespace {

using namespace test;

// A core-header file of the picture: 12-byte header, three-byte table entries.
std::vector<std::uint8_t> CoreBytes(const BmpFile& file) {
    const auto& h = file.header;
    std::vector<std::uint8_t> out = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 12, 0, 0, 0};
    const std::uint16_t fields[4] = {std::uint16_t(h.biWidth), std::uint16_t(h.biHeight), 1, h.biBitCount};
    BmpFile::Append(out, fields, sizeof fields);
    for (const gdi::RGBQUAD& c : file.table) out.insert(out.end(), {c.rgbBlue, c.rgbGreen, c.rgbRed});
    BmpFile::Append(out, file.pixels.data(), file.pixels.size());
    return out;
}

// Run-length encodes the rows of an uncompressed 8- or 4-bit picture: repeated pixels as encoded
// runs, others as absolute runs, end of line after each row and end of bitmap at the end.
std::vector<std::uint8_t> Encode(const BmpFile& file) {
    const int width = file.header.biWidth;
    const int rows = file.header.biHeight;
    const bool four = file.header.biBitCount == 4;
    const std::size_t stride = std::size_t(RowStride(width, file.header.biBitCount));
    std::vector<std::uint8_t> out;
    for (int y = 0; y < rows; ++y) {
        const std::uint8_t* row = file.pixels.data() + std::size_t(y) * stride;
        auto at = [&](int x) { return four ? (row[x / 2] >> ((x & 1) ? 0 : 4)) & 0xF : row[x]; };
        for (int x = 0; x < width;) {
            int same = 1;
            while (x + same < width && same < 255 && at(x + same) == at(x)) ++same;
            if (same >= 2 || width - x < 3) {
                out.insert(out.end(), {std::uint8_t(same), std::uint8_t(four ? at(x) * 17 : at(x))});
                x += same;
                continue;
            }
            int literal = 0;
            while (x + literal < width && literal < 254 &&
                   (x + literal + 1 >= width || at(x + literal) != at(x + literal + 1))) {
                ++literal;
            }
            literal = std::max(literal, 3);
            literal = std::min(literal, width - x);
            out.insert(out.end(), {0, std::uint8_t(literal)});
            std::vector<std::uint8_t> bytes;
            for (int i = 0; i < literal; ++i) {
                if (!four) {
                    bytes.push_back(std::uint8_t(at(x + i)));
                } else if (i % 2 == 0) {
                    bytes.push_back(std::uint8_t(at(x + i) << 4));
                } else {
                    bytes.back() = std::uint8_t(bytes.back() | at(x + i));
                }
            }
            if (bytes.size() % 2) bytes.push_back(0);
            out.insert(out.end(), bytes.begin(), bytes.end());
            x += literal;
        }
        out.insert(out.end(), {0, std::uint8_t(y + 1 == rows ? 1 : 0)});
    }
    return out;
}

BmpFile Compressed(const BmpFile& plain) {
    BmpFile file = plain;
    file.header.biCompression = plain.header.biBitCount == 8 ? gdi::BI_RLE8 : gdi::BI_RLE4;
    file.pixels = Encode(plain);
    file.header.biSizeImage = std::uint32_t(file.pixels.size());
    return file;
}

// Loads the uncompressed picture for its expected pixels.
std::vector<std::uint32_t> PixelsOf(const BmpFile& file) {
    TBitmap bitmap;
    LoadBytes(bitmap, file.Bytes());
    return RgbPixels(bitmap);
}

TEST(BmpCoreHeader, FourBitSixteenSquareLoadsAndSavesInCoreForm) {
    const BmpFile plain = MakeImage(16, 16, 4);
    TBitmap bitmap;
    LoadBytes(bitmap, CoreBytes(plain));
    EXPECT_TRUE(bitmap.Image().CoreFormat);
    EXPECT_EQ(bitmap.Image().Dib.dsBmih.biClrUsed, 16u);
    EXPECT_EQ(RgbPixels(bitmap), PixelsOf(plain));
    const std::vector<std::uint8_t> saved = SaveBytes(bitmap);
    ASSERT_EQ(saved.size(), 202u);
    EXPECT_EQ(U32At(saved, 2), 202u);
    EXPECT_EQ(U32At(saved, 10), 74u);
    EXPECT_EQ(U32At(saved, 14), 12u);
    EXPECT_EQ(U16At(saved, 18), 16);
    EXPECT_EQ(U16At(saved, 20), 16);
    EXPECT_EQ(U16At(saved, 22), 1);
    EXPECT_EQ(U16At(saved, 24), 4);
    const std::vector<std::uint8_t> input = CoreBytes(plain);
    EXPECT_TRUE(std::equal(input.begin() + 14, input.end(), saved.begin() + 14));
}

TEST(BmpCoreHeader, OddSizesOfEveryDepthRoundTrip) {
    for (int bits : {1, 4, 8, 24}) {
        for (auto [w, h] : {std::pair{47, 33}, std::pair{1, 1}, std::pair{7, 3}}) {
            SCOPED_TRACE(testing::Message() << bits << " bits " << w << "x" << h);
            const BmpFile plain = MakeImage(w, h, bits, std::uint32_t(w + bits));
            TBitmap bitmap;
            LoadBytes(bitmap, CoreBytes(plain));
            EXPECT_EQ(RgbPixels(bitmap), PixelsOf(plain));
            const std::vector<std::uint8_t> saved = SaveBytes(bitmap);
            EXPECT_EQ(saved.size(), 14 + 12 + (bits <= 8 ? 3u << bits : 0u) + plain.pixels.size());
            TBitmap back;
            LoadBytes(back, saved);
            EXPECT_TRUE(back.Image().CoreFormat);
            EXPECT_EQ(RgbPixels(back), RgbPixels(bitmap));
        }
    }
}

TEST(BmpCoreHeader, SizesAreUnsignedSixteenBitNumbers) {
    BmpFile plain = MakeImage(1, 1, 24);
    std::vector<std::uint8_t> bytes = CoreBytes(plain);
    bytes[20] = 0xFF;  // height 0xFF01: far more rows than the file holds, all read as zero
    bytes[21] = 0xFF;
    bytes[18] = 0x01;
    bytes[19] = 0x80;  // width 0x8001
    TBitmap bitmap;
    EXPECT_THROW(LoadBytes(bitmap, bytes), EInvalidGraphic);  // 0x8001 x 0xFFFF x 3 bytes: too large
    bytes[19] = 0;
    bytes[21] = 0;  // 1 x 255
    LoadBytes(bitmap, bytes);
    EXPECT_EQ(bitmap.Width(), 1);
    EXPECT_EQ(bitmap.Height(), 255);
}

TEST(BmpCoreHeader, PlanesOtherThanOneAndTruncatedTablesAreRefused) {
    const BmpFile plain = MakeImage(3, 3, 8);
    std::vector<std::uint8_t> bytes = CoreBytes(plain);
    bytes[22] = 2;
    TBitmap bitmap;
    EXPECT_THROW(LoadBytes(bitmap, bytes), EInvalidGraphic);
    bytes[22] = 1;
    bytes.resize(26 + 3 * 255);
    EXPECT_THROW(LoadBytes(bitmap, bytes), EReadError);
    bytes.resize(20);
    EXPECT_THROW(LoadBytes(bitmap, bytes), EReadError);
    EXPECT_TRUE(bitmap.IsEmpty());
}

TEST(BmpRunLength, EightAndFourBitFilesDecodeToTheirPixels) {
    for (int bits : {8, 4}) {
        for (auto [w, h] : {std::pair{47, 33}, std::pair{1, 1}, std::pair{7, 3}}) {
            SCOPED_TRACE(testing::Message() << bits << " bits " << w << "x" << h);
            BmpFile plain = MakeImage(w, h, bits, std::uint32_t(h));
            // Long runs as well as literal stretches.
            for (std::size_t i = 0; i < plain.pixels.size() / 3; ++i) plain.pixels[i] = 0x55;
            TBitmap bitmap;
            LoadBytes(bitmap, Compressed(plain).Bytes());
            EXPECT_EQ(bitmap.HandleKind(), BitmapHandleKind::DeviceBitmap);
            EXPECT_EQ(bitmap.PixelLayout(), BitmapPixelLayout::Device);
            EXPECT_EQ(bitmap.Width(), w);
            EXPECT_EQ(bitmap.Height(), h);
            EXPECT_EQ(RgbPixels(bitmap), PixelsOf(plain));
            EXPECT_NE(bitmap.Palette(), nullptr);
        }
    }
}

TEST(BmpRunLength, SavedByteForByteUntilDrawnOn) {
    const BmpFile file = Compressed(MakeImage(47, 33, 8));
    const std::vector<std::uint8_t> bytes = file.Bytes();
    TBitmap bitmap;
    LoadBytes(bitmap, bytes);
    EXPECT_EQ(SaveBytes(bitmap), bytes);
    EXPECT_EQ(SaveBytes(bitmap), bytes);  // saving does not use the bytes up

    const std::vector<std::uint32_t> before = RgbPixels(bitmap);
    bitmap.Canvas().SetPixels(0, 0, clRed);
    const std::vector<std::uint8_t> saved = SaveBytes(bitmap);
    EXPECT_EQ(U16At(saved, 28), 32);  // the display's depth, uncompressed
    EXPECT_EQ(U32At(saved, 30), 0u);
    // The palette made from the file's table goes along as an optional table.
    EXPECT_EQ(U32At(saved, 46), 256u);
    EXPECT_EQ(U32At(saved, 10), 54u + 1024u);
    TBitmap back;
    LoadBytes(back, saved);
    std::vector<std::uint32_t> expected = before;
    expected[0] = 0xFF0000;
    EXPECT_EQ(RgbPixels(back), expected);
}

TEST(BmpRunLength, ZeroSizeFieldReadsAllTheRestEvenPastTheUncompressedSize) {
    BmpFile file = Compressed(MakeImage(7, 3, 8));
    file.header.biSizeImage = 0;
    TBitmap bitmap;
    LoadBytes(bitmap, file.Bytes());
    EXPECT_EQ(RgbPixels(bitmap), PixelsOf(MakeImage(7, 3, 8)));
}

TEST(BmpRunLength, DataCutShortLeavesTheRestBlack) {
    BmpFile file = Compressed(MakeImage(7, 3, 8));
    file.pixels.resize(file.pixels.size() / 2);
    TBitmap bitmap;
    LoadBytes(bitmap, file.Bytes());
    const std::vector<std::uint32_t> pixels = RgbPixels(bitmap);
    EXPECT_EQ(pixels.front(), 0u);  // the top row comes last in the data
    EXPECT_EQ(pixels.back(), PixelsOf(MakeImage(7, 3, 8)).back());
}

TEST(BmpRunLength, EndingInsideTheHeaderOrTheTableIsAReadError) {
    const std::vector<std::uint8_t> bytes = Compressed(MakeImage(7, 3, 8)).Bytes();
    for (std::size_t size : {40u, 54u, 55u, 1000u, 1077u}) {
        SCOPED_TRACE(size);
        TBitmap bitmap;
        EXPECT_THROW(
            LoadBytes(bitmap, std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + std::ptrdiff_t(size))),
            EReadError);
        EXPECT_TRUE(bitmap.IsEmpty());
    }
}

TEST(BmpRunLength, TopDownCompressedImagesAreRefused) {
    BmpFile file = Compressed(MakeImage(7, 3, 8));
    file.header.biHeight = -3;
    TBitmap bitmap;
    EXPECT_THROW(LoadBytes(bitmap, file.Bytes()), EInvalidGraphic);
    EXPECT_TRUE(bitmap.IsEmpty());
}

TEST(BmpRunLength, AFailedLoadKeepsThePreviousKeptBytes) {
    const std::vector<std::uint8_t> bytes = Compressed(MakeImage(7, 3, 4)).Bytes();
    TBitmap bitmap;
    LoadBytes(bitmap, bytes);
    BmpFile bad = Compressed(MakeImage(7, 3, 8));
    bad.header.biCompression = 5;
    EXPECT_THROW(LoadBytes(bitmap, bad.Bytes()), EInvalidGraphic);
    EXPECT_EQ(SaveBytes(bitmap), bytes);
}

TEST(BmpRunLength, ResizingDropsTheKeptBytes) {
    TBitmap bitmap;
    LoadBytes(bitmap, Compressed(MakeImage(7, 3, 8)).Bytes());
    const std::vector<std::uint32_t> before = RgbPixels(bitmap);
    bitmap.SetWidth(8);
    EXPECT_EQ(bitmap.Image().KeptData, nullptr);
    EXPECT_EQ(RgbAt(bitmap, 6, 2), before[2 * 7 + 6]);
    EXPECT_EQ(RgbAt(bitmap, 7, 0), 0xFFFFFFu);
}

TEST(BmpMasks, FortyByteHeaderReadsTheMasksAfterIt) {
    BmpFile file = MakeImage(7, 3, 16);
    file.header.biCompression = gdi::BI_BITFIELDS;
    file.masks = {0xF800, 0x07E0, 0x001F};
    TBitmap bitmap;
    LoadBytes(bitmap, file.Bytes());
    EXPECT_EQ(bitmap.PixelLayout(), BitmapPixelLayout::Bits16);
    file.masks = {0x7C00, 0x03E0, 0x001F};
    LoadBytes(bitmap, file.Bytes());
    EXPECT_EQ(bitmap.PixelLayout(), BitmapPixelLayout::Custom);
    const std::uint16_t first = U16At(file.pixels, 0);
    const std::uint32_t red = ((first >> 10) & 31) * 255 / 31;
    EXPECT_NEAR(double(RgbAt(bitmap, 0, 2) >> 16), double(red), 1.0);
}

TEST(BmpMasks, LongerHeadersCarryTheirOwnMasks) {
    BmpFile file = MakeImage(7, 3, 32);
    file.header.biCompression = gdi::BI_BITFIELDS;
    file.extraHeader.resize(16);
    const std::uint32_t masks[4] = {0x0000FF00, 0x00FF0000, 0xFF000000, 0};
    std::memcpy(file.extraHeader.data(), masks, 16);
    TBitmap bitmap;
    LoadBytes(bitmap, file.Bytes());
    const std::uint8_t* p = file.pixels.data() + 2 * RowStride(7, 32);  // top row
    EXPECT_EQ(RgbAt(bitmap, 0, 0), std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3]);
}

TEST(BmpMasks, EmptyOrScatteredMasksAreRefused) {
    for (const std::vector<std::uint32_t>& masks : std::vector<std::vector<std::uint32_t>>{
             {0xFF00, 0x00FF, 0}, {0xF0F0, 0x0F00, 0x000F}, {0x10000, 0x0F00, 0x00FF}}) {
        BmpFile file = MakeImage(7, 3, 16);
        file.header.biCompression = gdi::BI_BITFIELDS;
        file.masks = masks;
        TBitmap bitmap;
        EXPECT_THROW(LoadBytes(bitmap, file.Bytes()), EInvalidGraphic);
    }
}

TEST(BmpMasks, OverlappingMasksLoadHarmlessly) {
    BmpFile file = MakeImage(7, 3, 16);
    file.header.biCompression = gdi::BI_BITFIELDS;
    file.masks = {0xFF00, 0x0FF0, 0x00FF};
    TBitmap bitmap;
    LoadBytes(bitmap, file.Bytes());
    const std::uint16_t first = U16At(file.pixels, std::size_t(RowStride(7, 16)));  // second stored row
    EXPECT_EQ(RgbAt(bitmap, 0, 1), std::uint32_t(first >> 8) << 16 | std::uint32_t(first >> 4 & 0xFF) << 8 |
                                       std::uint32_t(first & 0xFF));
}

TEST(BmpColourTables, ShortTableIsReadAsAnnounced) {
    BmpFile file = MakeImage(7, 3, 4);
    file.table.resize(12);
    file.header.biClrUsed = 12;
    for (auto& byte : file.pixels) byte &= 0x77;  // indices 0..7 only
    TBitmap bitmap;
    LoadBytes(bitmap, file.Bytes());
    EXPECT_EQ(bitmap.Image().Dib.dsBmih.biClrUsed, 12u);
    const std::vector<std::uint8_t> saved = SaveBytes(bitmap);
    EXPECT_EQ(U32At(saved, 10), 14u + 40u + 48u);
    TBitmap back;
    LoadBytes(back, saved);
    EXPECT_EQ(RgbPixels(back), RgbPixels(bitmap));
}

// Tables longer than the depth can index, as other programs open them: the pixels take the first
// entries, and the image keeps those the bits reach.
TEST(BmpColourTables, TableLongerThanTheDepthUsesTheEntriesItsBitsReach) {
    for (const auto& [bits, entries] : {std::pair{4, 20u}, std::pair{1, 256u}, std::pair{8, 256u}}) {
        const BmpFile plain = MakeImage(7, 3, bits);
        BmpFile file = plain;
        for (std::uint32_t i = std::uint32_t(file.table.size()); i < entries; ++i)
            file.table.push_back({std::uint8_t(i), 0x55, 0xAA, 0});
        file.header.biClrUsed = entries;
        TBitmap bitmap;
        LoadBytes(bitmap, file.Bytes());
        EXPECT_EQ(bitmap.Image().Dib.dsBmih.biClrUsed, 1u << bits) << bits;
        EXPECT_EQ(RgbPixels(bitmap), PixelsOf(plain)) << bits;
    }
}

TEST(BmpColourTables, DirectColourImageKeepsAnOptionalTable) {
    BmpFile file = MakeImage(7, 3, 24);
    file.table = {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}, {10, 11, 12, 0}};
    file.header.biClrUsed = 4;
    TBitmap bitmap;
    LoadBytes(bitmap, file.Bytes());
    ASSERT_NE(bitmap.Palette(), nullptr);
    const std::vector<std::uint8_t> saved = SaveBytes(bitmap);
    EXPECT_EQ(U32At(saved, 10), 14u + 40u + 16u);
    EXPECT_EQ(U32At(saved, 46), 4u);
    EXPECT_EQ(saved[54 + 12], 10);
    EXPECT_EQ(RgbPixels(bitmap), PixelsOf(MakeImage(7, 3, 24)));
}

TEST(BmpTopDown, RowsAndNegativeHeightAreKept) {
    BmpFile file = MakeImage(7, -3, 24);
    TBitmap bitmap;
    LoadBytes(bitmap, file.Bytes());
    EXPECT_EQ(bitmap.Height(), 3);
    // The first stored row is the top row.
    const std::uint8_t* p = file.pixels.data();
    EXPECT_EQ(RgbAt(bitmap, 0, 0), std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0]);
    const std::vector<std::uint8_t> saved = SaveBytes(bitmap);
    EXPECT_EQ(I32At(saved, 22), -3);
    EXPECT_TRUE(std::equal(file.pixels.begin(), file.pixels.end(), saved.begin() + 54));
    EXPECT_EQ(std::memcmp(bitmap.RowPointer(0), p, 21), 0);
}

TEST(BmpShortHeaders, SixteenByteHeaderReadsTheRestAsZero) {
    // Size, width, height, planes and bit count, then the table and the pixels.
    const BmpFile plain = MakeImage(7, 3, 8);
    std::vector<std::uint8_t> bytes = plain.Bytes();
    bytes.erase(bytes.begin() + 30, bytes.begin() + 54);
    bytes[14] = 16;
    TBitmap bitmap;
    LoadBytes(bitmap, bytes);
    EXPECT_EQ(RgbPixels(bitmap), PixelsOf(plain));
    EXPECT_EQ(bitmap.Image().Dib.dsBmih.biClrUsed, 256u);
}

TEST(BmpShortHeaders, EndingInsideTheHeaderIsAReadError) {
    std::vector<std::uint8_t> bytes = MakeImage(7, 3, 8).Bytes();
    bytes[14] = 24;
    bytes.resize(30);
    TBitmap bitmap;
    EXPECT_THROW(LoadBytes(bitmap, bytes), EReadError);
}

}  // namespace
}  // namespace plexon
