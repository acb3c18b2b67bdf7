// Reading BMP files: empty input, signatures, truncation at every structure boundary, refused
// headers with their error classes and texts, short pixel data, and a failed load keeping the
// previous image.
#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <string>
#include <tuple>

#include "BitmapTestSupport.h"
#include "graphics/Bitmap.h"
#include "platform/gdi/Raster.h"
#include "runtime/Exceptions.h"

namespace plexon {
namespace {

using namespace test;

// Loads bytes into a bitmap that already holds a 3 x 2 picture and expects the error; the old
// picture must still be there afterwards.
template <class Error>
void ExpectRefused(const std::vector<std::uint8_t>& bytes, const std::string& message) {
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(3, 2, 24).Bytes());
    const std::vector<std::uint32_t> before = RgbPixels(bitmap);
    const TBitmapImage* record = &bitmap.Image();
    try {
        LoadBytes(bitmap, bytes);
        ADD_FAILURE() << "no error for " << message;
    } catch (const Error& e) {
        EXPECT_EQ(e.Message(), message);
    }
    EXPECT_EQ(&bitmap.Image(), record);
    EXPECT_EQ(RgbPixels(bitmap), before);
}

void ExpectReadError(const std::vector<std::uint8_t>& bytes) {
    ExpectRefused<EReadError>(bytes, "Stream read error");
}
void ExpectInvalid(const std::vector<std::uint8_t>& bytes) {
    ExpectRefused<EInvalidGraphic>(bytes, "Bitmap image is not valid");
}

std::vector<std::uint8_t> Cut(std::vector<std::uint8_t> bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
}

void SetU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
    std::memcpy(&bytes.at(offset + 3) - 3, &value, 4);
}

TEST(BmpReaderEmpty, ZeroLengthStreamGivesAnEmptyBitmap) {
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(3, 2, 24).Bytes());
    int notified = 0;
    bitmap.ChangeHandler = [&](TGraphic*) { ++notified; };
    LoadBytes(bitmap, {});
    EXPECT_TRUE(bitmap.IsEmpty());
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 0);
    EXPECT_EQ(notified, 1);
}

TEST(BmpReaderEmpty, ZeroLengthFileGivesAnEmptyBitmap) {
    TempFolder folder;
    std::ofstream(folder / "empty.bmp").close();
    TBitmap bitmap;
    bitmap.LoadFile(folder / "empty.bmp");
    EXPECT_TRUE(bitmap.IsEmpty());
}

TEST(BmpReaderEmpty, ReadsFromTheCurrentPositionToTheEnd) {
    const std::vector<std::uint8_t> file = MakeImage(4, 3, 8).Bytes();
    TMemoryStream stream;
    stream.WriteBuffer("prefix", 6);
    stream.WriteBuffer(file.data(), std::int64_t(file.size()));
    stream.SetPosition(6);
    TBitmap bitmap;
    bitmap.LoadStream(stream);
    EXPECT_EQ(bitmap.Width(), 4);
    EXPECT_EQ(stream.Position(), std::int64_t(6 + file.size()));
}

TEST(BmpReaderFile, MissingFileRaisesOpenErrorWithThePath) {
    TempFolder folder;
    TBitmap bitmap;
    const std::string path = folder / "Open_h.bmp";
    try {
        bitmap.LoadFile(path);
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file " + path);
    }
}

TEST(BmpReaderRefused, OtherSignatureIsNotValid) {
    std::vector<std::uint8_t> bytes = MakeImage(2, 2, 24).Bytes();
    bytes[0] = 'M';
    bytes[1] = 'B';
    ExpectInvalid(bytes);
    ExpectInvalid(std::vector<std::uint8_t>(100, 0x20));
}

TEST(BmpReaderRefused, PlanesOtherThanOne) {
    BmpFile file = MakeImage(2, 2, 24);
    file.header.biPlanes = 2;
    ExpectInvalid(file.Bytes());
}

TEST(BmpReaderRefused, CompressionsTheDecoderDoesNotKnow) {
    for (std::uint32_t compression : {4u, 5u, 6u, 7u, 0xFFFFFFFFu}) {
        BmpFile file = MakeImage(4, 4, 8);
        file.header.biCompression = compression;
        SCOPED_TRACE(compression);
        ExpectInvalid(file.Bytes());
    }
}

TEST(BmpReaderRefused, RunLengthCodesWithTheWrongBitCount) {
    for (auto [compression, bits] :
         {std::pair{1u, 4}, std::pair{2u, 8}, std::pair{1u, 24}, std::pair{2u, 1}}) {
        BmpFile file = MakeImage(4, 4, bits);
        file.header.biCompression = compression;
        ExpectInvalid(file.Bytes());
    }
}

TEST(BmpReaderRefused, ColourTableLongerThan256Entries) {
    BmpFile file = MakeImage(2, 2, 8);
    file.header.biClrUsed = 300;
    file.table.resize(300);
    ExpectInvalid(file.Bytes());
    BmpFile huge = MakeImage(2, 2, 8);
    huge.header.biClrUsed = 305402420;
    ExpectInvalid(huge.Bytes());
}

TEST(BmpReaderRefused, NegativeWidth) {
    BmpFile file = MakeImage(2, 2, 1);
    file.header.biWidth = -127;
    ExpectInvalid(file.Bytes());
}

TEST(BmpReaderRefused, ImpossibleBitCount) {
    BmpFile file = MakeImage(2, 2, 24);
    file.header.biBitCount = 30000;
    ExpectInvalid(file.Bytes());
    file.header.biBitCount = 2;
    ExpectInvalid(file.Bytes());
}

TEST(BmpReaderRefused, AbsurdSizesAreRefusedWithoutAllocating) {
    // Far beyond any pixel memory: refused before the section is asked for.
    for (auto [w, h, bits] : {std::tuple{100000, 100000, 32}, std::tuple{0x7FFFFFFF, 1, 32},
                              std::tuple{0x7FFFFFFF, 0x7FFFFFFF, 24}, std::tuple{3000000, 2000000, 24}}) {
        BmpFile file = MakeImage(1, 1, bits);
        file.header.biWidth = w;
        file.header.biHeight = h;
        file.header.biSizeImage = 0;
        ExpectInvalid(file.Bytes());
    }
    BmpFile minHeight = MakeImage(1, 1, 24);
    minHeight.header.biHeight = std::numeric_limits<std::int32_t>::min();
    ExpectInvalid(minHeight.Bytes());
}

TEST(BmpReaderRefused, SectionRefusedWithACodeRaisesTheSystemError) {
    // Large enough for the platform to refuse the memory, small enough to be asked for.
    BmpFile file = MakeImage(1, 1, 24);
    file.header.biWidth = 12000;
    file.header.biHeight = 12000;
    file.header.biSizeImage = 0;
    const std::string expected =
        "System Error.  Code: 8.\n" + gdi::SystemErrorText(gdi::ERROR_NOT_ENOUGH_MEMORY);
    ExpectRefused<EOSError>(file.Bytes(), expected);
}

TEST(BmpReaderTruncated, EveryBoundaryBeforeThePixelsIsAReadError) {
    BmpFile file = MakeImage(3, 2, 8);
    const std::vector<std::uint8_t> bytes = file.Bytes();
    // Inside the file header, the header size, the info header and the colour table.
    for (std::size_t size : {1u, 2u, 13u, 14u, 15u, 17u, 18u, 30u, 53u, 54u, 55u, 57u, 58u, 1000u, 1077u}) {
        SCOPED_TRACE(size);
        ExpectReadError(Cut(bytes, size));
    }
}

TEST(BmpReaderTruncated, InsideTheMasks) {
    BmpFile file = MakeImage(3, 2, 16);
    file.header.biCompression = 3;
    file.masks = {0xF800, 0x07E0, 0x001F};
    const std::vector<std::uint8_t> bytes = file.Bytes();
    for (std::size_t size : {54u, 58u, 65u}) {
        SCOPED_TRACE(size);
        ExpectReadError(Cut(bytes, size));
    }
}

TEST(BmpReaderRefused, HeaderSizesThatCannotHoldTheBitCount) {
    for (std::uint32_t headerSize : {0u, 4u, 11u, 13u, 15u}) {
        std::vector<std::uint8_t> bytes = MakeImage(2, 2, 24).Bytes();
        SetU32(bytes, 14, headerSize);
        SCOPED_TRACE(headerSize);
        ExpectInvalid(bytes);
    }
}

TEST(BmpReaderTruncated, HeaderSizeLargerThanTheFileIsAReadError) {
    std::vector<std::uint8_t> bytes = MakeImage(2, 2, 24).Bytes();
    SetU32(bytes, 14, 0xFFFFFFF0u);
    ExpectReadError(bytes);
}

TEST(BmpReaderShortPixels, MissingBottomUpRowsAreTheTopAndStayZero) {
    BmpFile file = MakeImage(4, 4, 24);
    std::vector<std::uint8_t> bytes = file.Bytes();
    bytes.resize(bytes.size() - 2 * 12 - 5);  // two and a bit rows missing
    TBitmap bitmap;
    LoadBytes(bitmap, bytes);
    ASSERT_EQ(bitmap.Width(), 4);
    ASSERT_EQ(bitmap.Height(), 4);
    const std::vector<std::uint32_t> pixels = RgbPixels(bitmap);
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(pixels[std::size_t(x)], 0u);      // top row: never read
        EXPECT_EQ(pixels[std::size_t(4 + x)], 0u);  // second row: never read
    }
    // The bottom row came from the file.
    const auto* row = &file.pixels[0];
    EXPECT_EQ(pixels[12], std::uint32_t(row[0] | row[1] << 8 | row[2] << 16));
}

TEST(BmpReaderShortPixels, PaletteImageGetsIndexZero) {
    BmpFile file = MakeImage(4, 2, 8);
    std::vector<std::uint8_t> bytes = file.Bytes();
    bytes.resize(bytes.size() - 4);
    TBitmap bitmap;
    LoadBytes(bitmap, bytes);
    const std::uint32_t indexZero =
        std::uint32_t(file.table[0].rgbBlue | file.table[0].rgbGreen << 8 | file.table[0].rgbRed << 16);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(RgbPixels(bitmap)[std::size_t(x)], indexZero);
}

TEST(BmpReaderShortPixels, NoPixelsAtAllLoadsABlackImage) {
    BmpFile file = MakeImage(3, 3, 32);
    TBitmap bitmap;
    LoadBytes(bitmap, Cut(file.Bytes(), 54));
    EXPECT_EQ(bitmap.Width(), 3);
    for (std::uint32_t p : RgbPixels(bitmap)) EXPECT_EQ(p, 0u);
}

TEST(BmpReaderSizeField, SmallerSizeFieldReadsOnlyThatMuch) {
    BmpFile file = MakeImage(2, 2, 32);
    file.header.biSizeImage = 8;  // the bottom row only
    TBitmap bitmap;
    LoadBytes(bitmap, file.Bytes());
    const std::vector<std::uint32_t> pixels = RgbPixels(bitmap);
    EXPECT_EQ(pixels[0], 0u);
    EXPECT_NE(pixels[2] | pixels[3], 0u);
}

TEST(BmpReaderSizeField, LargerSizeFieldWithTrailingBytesStaysInsideTheImage) {
    BmpFile file = MakeImage(3, 2, 24);
    file.header.biSizeImage = 0x7FFFFFF0;
    file.pixels.resize(file.pixels.size() + 4096, 0xAB);  // more bytes than the image holds
    TBitmap bitmap;
    LoadBytes(bitmap, file.Bytes());  // the sanitizer catches any write past the section
    EXPECT_EQ(bitmap.Width(), 3);
}

TEST(BmpReaderLoad, ReplacesSizeAndFormatButNotTransparency) {
    TBitmap bitmap;
    bitmap.SetIsTransparent(true);
    bitmap.SetMaskColor(clRed);
    LoadBytes(bitmap, MakeImage(7, 3, 4).Bytes());
    EXPECT_EQ(bitmap.Width(), 7);
    EXPECT_EQ(bitmap.Height(), 3);
    EXPECT_EQ(bitmap.PixelLayout(), BitmapPixelLayout::Bits4);
    EXPECT_EQ(bitmap.HandleKind(), BitmapHandleKind::DibSection);
    EXPECT_TRUE(bitmap.IsTransparent());
    EXPECT_EQ(bitmap.TransparencyMode(), BitmapTransparencyMode::Fixed);
    EXPECT_TRUE(bitmap.PaletteChanged);
    LoadBytes(bitmap, MakeImage(2, 2, 24).Bytes());
    EXPECT_FALSE(bitmap.PaletteChanged);
}

TEST(BmpReaderLoad, KeepsResolutionAndImportantColours) {
    BmpFile file = MakeImage(2, 2, 8);
    file.header.biXPelsPerMeter = 3780;
    file.header.biYPelsPerMeter = 1890;
    file.header.biClrImportant = 7;
    TBitmap bitmap;
    LoadBytes(bitmap, file.Bytes());
    const std::vector<std::uint8_t> saved = SaveBytes(bitmap);
    EXPECT_EQ(I32At(saved, 38), 3780);
    EXPECT_EQ(I32At(saved, 42), 1890);
    EXPECT_EQ(U32At(saved, 50), 7u);
}

TEST(BmpReaderLoad, LongerHeadersAreReadWhole) {
    BmpFile file = MakeImage(5, 3, 8);
    file.extraHeader.assign(124 - 40, 0x11);
    TBitmap bitmap;
    LoadBytes(bitmap, file.Bytes());
    EXPECT_EQ(bitmap.Width(), 5);
    const std::vector<std::uint8_t> saved = SaveBytes(bitmap);
    EXPECT_EQ(U32At(saved, 14), 40u);
    EXPECT_TRUE(std::equal(file.pixels.begin(), file.pixels.end(), saved.begin() + 1078));
}

}  // namespace
}  // namespace plexon
