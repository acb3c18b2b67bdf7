// The BMP conformance suite in tests/data/bmpsuite: good files load and weld with their reference pixels,
// unusual files do what we decided for each, bad files are refused with a documented error or load
// harmlessly.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>

#include "BitmapTestSupport.h"
#include "graphics/Bitmap.h"
#include "runtime/Exceptions.h"

namespace plexon {
namespace {

namespace fs = std::filesystem;

const fs::path kSuite = fs::path(PLEXON_TESTDATA) / "bmpsuite";

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

std::vector<fs::path> SuiteFiles(const char* folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(kSuite / folder)) {
        if (entry.path().extension() == ".bmp") files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The reference picture of a file: its own, or the one of the same picture where the suite's notes
// name it as the expected result.
std::optional<Pam> Reference(const fs::path& file) {
    const std::string name = file.filename().string();
    fs::path reference = file.string() + ".pam";
    if (name == "pal4rle.bmp") reference = kSuite / "g" / "pal4.bmp.pam";
    if (name == "pal8os2v2.bmp" || name == "pal8os2v2-sz.bmp") reference = kSuite / "g" / "pal8.bmp.pam";
    if (name == "rgb32fakealpha.bmp") reference = kSuite / "g" / "rgb24.bmp.pam";
    if (!fs::exists(reference)) return std::nullopt;
    return ReadPam(reference);
}

std::uint32_t Expand(std::uint32_t pixel, std::uint32_t mask) {
    const int shift = std::countr_zero(mask);
    const std::uint32_t max = mask >> shift;
    return ((pixel & mask) >> shift) * 255u + max / 2u;
}

// The 16-bit files have no reference: their pixels are worked out from the stored bits, each
// channel scaled to 0..255 and rounded, as the suite's own pictures are.
std::vector<std::uint32_t> SixteenBitPixels(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::uint32_t offBits = test::U32At(bytes, 10);
    const std::int32_t width = test::I32At(bytes, 18);
    const std::int32_t height = test::I32At(bytes, 22);
    std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
    if (test::U32At(bytes, 30) == 3) {
        for (int i = 0; i < 3; ++i) masks[i] = test::U32At(bytes, 54 + 4 * std::size_t(i));
    }
    const std::size_t stride = std::size_t(RowStride(width, 16));
    std::vector<std::uint32_t> out;
    for (std::int32_t y = 0; y < height; ++y) {
        const std::size_t row = offBits + std::size_t(height - 1 - y) * stride;
        for (std::int32_t x = 0; x < width; ++x) {
            const std::uint32_t pixel = test::U16At(bytes, row + 2 * std::size_t(x));
            std::uint32_t rgb = 0;
            for (std::uint32_t mask : masks) {
                const std::uint32_t max = mask >> std::countr_zero(mask);
                rgb = rgb << 8 | Expand(pixel, mask) / max;
            }
            out.push_back(rgb);
        }
    }
    return out;
}

// Composes the picture as the weld does: drawn at an offset into a fresh strip, saved, read back.
std::vector<std::uint32_t> WeldedPixels(TBitmap& picture) {
    TBitmap strip;
    strip.SetHeight(picture.Height());
    strip.SetWidth(picture.Width() * 2);
    strip.Canvas().DrawGraphic(picture.Width(), 0, &picture);
    TBitmap back;
    test::LoadBytes(back, test::SaveBytes(strip));
    const std::vector<std::uint32_t> all = test::RgbPixels(back);
    std::vector<std::uint32_t> right;
    for (int y = 0; y < picture.Height(); ++y) {
        const auto row = all.begin() + std::ptrdiff_t(y) * back.Width() + picture.Width();
        right.insert(right.end(), row, row + picture.Width());
    }
    return right;
}

std::string Name(const fs::path& file) {
    return file.parent_path().filename().string() + "/" + file.filename().string();
}

TEST(BmpSuiteGood, EveryFileLoadsAndWeldsWithItsReferencePixels) {
    int compared = 0;
    for (const fs::path& file : SuiteFiles("g")) {
        SCOPED_TRACE(Name(file));
        TBitmap bitmap;
        ASSERT_NO_THROW(bitmap.LoadFile(file.string()));
        std::vector<std::uint32_t> expected;
        if (const auto pam = Reference(file)) {
            ASSERT_EQ(bitmap.Width(), pam->width);
            ASSERT_EQ(bitmap.Height(), pam->height);
            expected = pam->rgb;
        } else {
            ASSERT_EQ(bitmap.Image().Dib.dsBm.bmBitsPixel, 16);
            expected = SixteenBitPixels(file);
        }
        EXPECT_EQ(test::RgbPixels(bitmap), expected);
        EXPECT_EQ(WeldedPixels(bitmap), expected);
        ++compared;
    }
    EXPECT_EQ(compared, 27);
}

TEST(BmpSuiteGood, FilesKeepTheirPixelsThroughASave) {
    for (const fs::path& file : SuiteFiles("g")) {
        SCOPED_TRACE(Name(file));
        TBitmap bitmap;
        bitmap.LoadFile(file.string());
        TBitmap back;
        test::LoadBytes(back, test::SaveBytes(bitmap));
        EXPECT_EQ(test::RgbPixels(back), test::RgbPixels(bitmap));
        EXPECT_EQ(back.PixelLayout(), bitmap.PixelLayout());
    }
}

TEST(BmpSuiteGood, CompressedFilesAreSavedByteForByte) {
    for (const char* name : {"pal4rle.bmp", "pal8rle.bmp"}) {
        SCOPED_TRACE(name);
        TBitmap bitmap;
        bitmap.LoadFile((kSuite / "g" / name).string());
        std::ifstream in(kSuite / "g" / name, std::ios::binary);
        const std::vector<std::uint8_t> original((std::istreambuf_iterator<char>(in)),
                                                 std::istreambuf_iterator<char>());
        EXPECT_EQ(test::SaveBytes(bitmap), original);
        EXPECT_EQ(bitmap.HandleKind(), BitmapHandleKind::DeviceBitmap);
    }
}

TEST(BmpSuiteGood, PixelLayoutsAreRecognised) {
    const struct {
        const char* name;
        BitmapPixelLayout layout;
    } cases[] = {{"rgb16.bmp", BitmapPixelLayout::Bits15},      {"rgb16-565.bmp", BitmapPixelLayout::Bits16},
                 {"rgb16bfdef.bmp", BitmapPixelLayout::Custom}, {"rgb32.bmp", BitmapPixelLayout::Bits32},
                 {"rgb32bf.bmp", BitmapPixelLayout::Custom},    {"pal8rle.bmp", BitmapPixelLayout::Device},
                 {"pal8os2.bmp", BitmapPixelLayout::Bits8}};
    for (const auto& c : cases) {
        TBitmap bitmap;
        bitmap.LoadFile((kSuite / "g" / c.name).string());
        EXPECT_EQ(bitmap.PixelLayout(), c.layout) << c.name;
    }
}

// What the unusual files do. Files read with the reference pixels say so; the others load with
// pixels of their own (no agreed reference) or are refused with the usual message.
enum class Expect { Reference, Loads, Refused };

TEST(BmpSuiteQuestionable, EachFileDoesWhatWeDecided) {
    const std::map<std::string, Expect> decided = {{"pal1huffmsb.bmp", Expect::Refused},
                                                   {"pal1p1.bmp", Expect::Reference},
                                                   {"pal2.bmp", Expect::Refused},
                                                   {"pal2color.bmp", Expect::Refused},
                                                   {"pal4rlecut.bmp", Expect::Loads},
                                                   {"pal4rletrns.bmp", Expect::Loads},
                                                   {"pal8offs.bmp", Expect::Loads},
                                                   {"pal8os2-hs.bmp", Expect::Reference},
                                                   {"pal8os2-sz.bmp", Expect::Reference},
                                                   {"pal8os2sp.bmp", Expect::Loads},
                                                   {"pal8os2v2-16.bmp", Expect::Reference},
                                                   {"pal8os2v2-40sz.bmp", Expect::Reference},
                                                   {"pal8os2v2-sz.bmp", Expect::Reference},
                                                   {"pal8os2v2.bmp", Expect::Reference},
                                                   {"pal8oversizepal.bmp", Expect::Refused},
                                                   {"pal8rlecut.bmp", Expect::Loads},
                                                   {"pal8rletrns.bmp", Expect::Loads},
                                                   {"rgb16-231.bmp", Expect::Loads},
                                                   {"rgb16-3103.bmp", Expect::Loads},
                                                   {"rgb16faketrns.bmp", Expect::Loads},
                                                   {"rgb24jpeg.bmp", Expect::Refused},
                                                   {"rgb24largepal.bmp", Expect::Refused},
                                                   {"rgb24lprof.bmp", Expect::Reference},
                                                   {"rgb24png.bmp", Expect::Refused},
                                                   {"rgb24rle24.bmp", Expect::Refused},
                                                   {"rgb32-111110.bmp", Expect::Loads},
                                                   {"rgb32-7187.bmp", Expect::Loads},
                                                   {"rgb32-xbgr.bmp", Expect::Reference},
                                                   {"rgb32fakealpha.bmp", Expect::Reference},
                                                   {"rgb32h52.bmp", Expect::Reference},
                                                   {"rgba16-1924.bmp", Expect::Loads},
                                                   {"rgba16-4444.bmp", Expect::Loads},
                                                   {"rgba16-5551.bmp", Expect::Loads},
                                                   {"rgba32-1.bmp", Expect::Reference},
                                                   {"rgba32-1010102.bmp", Expect::Loads},
                                                   {"rgba32-2.bmp", Expect::Reference},
                                                   {"rgba32-61754.bmp", Expect::Loads},
                                                   {"rgba32-81284.bmp", Expect::Loads},
                                                   {"rgba32abf.bmp", Expect::Refused},
                                                   {"rgba32h56.bmp", Expect::Reference},
                                                   {"rgba64.bmp", Expect::Refused}};
    int seen = 0;
    for (const fs::path& file : SuiteFiles("q")) {
        const std::string name = file.filename().string();
        SCOPED_TRACE(name);
        ASSERT_EQ(decided.count(name), 1u);
        ++seen;
        TBitmap bitmap;
        if (decided.at(name) == Expect::Refused) {
            EXPECT_THROW(bitmap.LoadFile(file.string()), EInvalidGraphic);
            EXPECT_TRUE(bitmap.IsEmpty());
            continue;
        }
        ASSERT_NO_THROW(bitmap.LoadFile(file.string()));
        EXPECT_EQ(bitmap.Width(), 127);
        EXPECT_EQ(bitmap.Height(), 64);
        if (decided.at(name) == Expect::Reference) {
            const auto pam = Reference(file);
            ASSERT_TRUE(pam.has_value());
            EXPECT_EQ(test::RgbPixels(bitmap), pam->rgb);
        }
        EXPECT_EQ(WeldedPixels(bitmap), test::RgbPixels(bitmap));
    }
    EXPECT_EQ(seen, int(decided.size()));
}

TEST(BmpSuiteQuestionable, SkippedRunLengthPixelsAreBlack) {
    TBitmap bitmap;
    bitmap.LoadFile((kSuite / "q" / "pal8rletrns.bmp").string());
    const std::vector<std::uint32_t> pixels = test::RgbPixels(bitmap);
    // The reference of the same picture without skips: every pixel differs only where it is black.
    const Pam full = ReadPam(kSuite / "g" / "pal8.bmp.pam");
    int skipped = 0;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        if (pixels[i] != full.rgb[i]) {
            EXPECT_EQ(pixels[i], 0u);
            ++skipped;
        }
    }
    EXPECT_GT(skipped, 100);
}

TEST(BmpSuiteBad, EveryFileIsRefusedWithADocumentedErrorOrLoadsHarmlessly) {
    int refused = 0;
    for (const fs::path& file : SuiteFiles("b")) {
        SCOPED_TRACE(Name(file));
        TBitmap bitmap;
        try {
            bitmap.LoadFile(file.string());
            // Whatever loaded must also draw, weld and save.
            EXPECT_GT(bitmap.Width(), 0);
            EXPECT_EQ(WeldedPixels(bitmap), test::RgbPixels(bitmap));
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message(), "Bitmap image is not valid");
            EXPECT_TRUE(bitmap.IsEmpty());
            ++refused;
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message(), "Stream read error");
            EXPECT_TRUE(bitmap.IsEmpty());
            ++refused;
        }
    }
    EXPECT_GE(refused, 7);
}

TEST(BmpSuiteBad, TheBitmapArrayContainerIsNotABmp) {
    TBitmap bitmap;
    EXPECT_THROW(bitmap.LoadFile((kSuite / "x" / "ba-bm.bmp").string()), EInvalidGraphic);
}

}  // namespace
}  // namespace plexon
