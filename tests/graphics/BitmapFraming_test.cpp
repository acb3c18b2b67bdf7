// The framings a bitmap travels in besides a file: module resources, the form property "Data",
// the clipboard, the dormant state, and the equality that decides what a form stores.
#include <gtest/gtest.h>

#include <vector>

#include "BitmapTestSupport.h"
#include "graphics/Bitmap.h"
#include "graphics/ModuleResources.h"
#include "platform/gdi/Raster.h"
#include "runtime/Exceptions.h"

namespace plexon {
namespace {

using namespace test;

// The DIB of a file: everything after the 14-byte file header.
std::vector<std::uint8_t> Dib(const std::vector<std::uint8_t>& file) {
    return {file.begin() + 14, file.end()};
}

std::vector<std::uint8_t> DataValue(TBitmap& bitmap) {
    TMemoryStream stream;
    bitmap.WriteDataProperty(stream);
    return {stream.Memory(), stream.Memory() + stream.Size()};
}

void ReadDataValue(TBitmap& bitmap, const std::vector<std::uint8_t>& value) {
    TMemoryStream stream;
    stream.WriteBuffer(value.data(), std::int64_t(value.size()));
    stream.SetPosition(0);
    bitmap.ReadDataProperty(stream);
}

TEST(ModuleResources, NamesFindTheirBytesByTypeWithoutRegardToCase) {
    static const std::uint8_t bytes[] = {1, 2, 3};
    TResourceModule module;
    module.Add("Glyph_Start", ResourceType::Bitmap, bytes);
    ASSERT_TRUE(module.Find("GLYPH_START", ResourceType::Bitmap).has_value());
    EXPECT_EQ(module.Find("glyph_start", ResourceType::Bitmap)->size(), 3u);
    EXPECT_FALSE(module.Find("Glyph_Start", ResourceType::RawData).has_value());
    EXPECT_FALSE(module.Find("Glyph", ResourceType::Bitmap).has_value());
}

const std::vector<std::uint8_t> kRegistered = Dib(MakeImage(7, 3, 8, 5).Bytes());
const ResourceRegistration kRegistration("PLEXON_TEST_GLYPH", ResourceType::Bitmap, kRegistered.data(),
                                         kRegistered.size());

TEST(LoadResource, ReadsARegisteredDibOfTheProgram) {
    TBitmap bitmap;
    bitmap.LoadResource(ProgramResources(), "plexon_test_glyph");
    TBitmap file;
    LoadBytes(file, MakeImage(7, 3, 8, 5).Bytes());
    EXPECT_EQ(RgbPixels(bitmap), RgbPixels(file));
    EXPECT_EQ(bitmap.PixelLayout(), BitmapPixelLayout::Bits8);
}

TEST(LoadResource, CompressedResourceGetsAMadeUpFileHeader) {
    BmpFile plain = MakeImage(4, 2, 8);
    BmpFile packed = plain;
    packed.header.biCompression = gdi::BI_RLE8;
    packed.pixels = {4, 9, 0, 0, 0, 4, 1, 2, 3, 4, 0, 1};
    packed.header.biSizeImage = std::uint32_t(packed.pixels.size());
    const std::vector<std::uint8_t> dib = Dib(packed.Bytes());
    TResourceModule module;
    module.Add("PACKED", ResourceType::Bitmap, dib);
    TBitmap bitmap;
    bitmap.LoadResource(module, "PACKED");
    EXPECT_EQ(RgbAt(bitmap, 0, 1), RgbAt(bitmap, 3, 1));  // the bottom row is one run
    const std::vector<std::uint8_t> saved = SaveBytes(bitmap);
    EXPECT_EQ(saved[0], 'B');
    EXPECT_EQ(saved[1], 'M');
    EXPECT_EQ(U32At(saved, 2), 14u + dib.size());
    EXPECT_EQ(U32At(saved, 10), 14u + 40u + 1024u);
    EXPECT_TRUE(std::equal(dib.begin(), dib.end(), saved.begin() + 14));
}

TEST(LoadResource, MissingNameRaisesResourceNotFound) {
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(2, 2, 24).Bytes());
    try {
        bitmap.LoadResource(TResourceModule(), "NOPE");
        ADD_FAILURE();
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource NOPE not found");
    }
    EXPECT_EQ(bitmap.Width(), 2);
}

TEST(DataProperty, CountThenOneBmpFile) {
    TBitmap bitmap;
    const std::vector<std::uint8_t> file = MakeImage(47, 33, 24).Bytes();
    LoadBytes(bitmap, file);
    const std::vector<std::uint8_t> value = DataValue(bitmap);
    EXPECT_EQ(U32At(value, 0), value.size() - 4);
    EXPECT_EQ(std::vector<std::uint8_t>(value.begin() + 4, value.end()), SaveBytes(bitmap));
    TBitmap back;
    ReadDataValue(back, value);
    EXPECT_EQ(RgbPixels(back), RgbPixels(bitmap));
}

TEST(DataProperty, ReadsExactlyItsCountAndLeavesTheRest) {
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(7, 3, 4).Bytes());
    std::vector<std::uint8_t> value = DataValue(bitmap);
    value.insert(value.end(), {0xAB, 0xCD});
    TMemoryStream stream;
    stream.WriteBuffer(value.data(), std::int64_t(value.size()));
    stream.SetPosition(0);
    TBitmap back;
    back.ReadDataProperty(stream);
    EXPECT_EQ(stream.Position(), std::int64_t(value.size()) - 2);
    EXPECT_EQ(RgbPixels(back), RgbPixels(bitmap));
}

TEST(DataProperty, EmptyBitmapIsACountOfZero) {
    TBitmap empty;
    EXPECT_EQ(DataValue(empty), std::vector<std::uint8_t>(4, 0));
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(2, 2, 24).Bytes());
    ReadDataValue(bitmap, std::vector<std::uint8_t>(4, 0));
    EXPECT_TRUE(bitmap.IsEmpty());
}

TEST(DataProperty, CountPastTheStreamIsAReadError) {
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(2, 2, 24).Bytes());
    std::vector<std::uint8_t> value = DataValue(bitmap);
    value.resize(value.size() - 1);
    TBitmap back;
    EXPECT_THROW(ReadDataValue(back, value), EReadError);
}

TEST(SameImage, EqualWhenBothEmptyOrTheirValuesMatch) {
    TBitmap a, b;
    EXPECT_TRUE(a.SameImage(&b));
    LoadBytes(a, MakeImage(7, 3, 24).Bytes());
    EXPECT_FALSE(a.SameImage(&b));
    EXPECT_FALSE(b.SameImage(&a));
    LoadBytes(b, MakeImage(7, 3, 24).Bytes());
    EXPECT_TRUE(a.SameImage(&b));
    b.Canvas().SetPixels(0, 0, clRed);
    EXPECT_FALSE(a.SameImage(&b));
    EXPECT_FALSE(a.SameImage(nullptr));
}

TEST(SameImage, DecidesWhetherAFormStoresTheValue) {
    TBitmap picture, ancestor;
    EXPECT_FALSE(picture.DataPropertyDiffers(nullptr));  // empty, no ancestor
    LoadBytes(picture, MakeImage(7, 3, 24).Bytes());
    EXPECT_TRUE(picture.DataPropertyDiffers(nullptr));
    LoadBytes(ancestor, MakeImage(7, 3, 24).Bytes());
    EXPECT_FALSE(picture.DataPropertyDiffers(&ancestor));
    LoadBytes(ancestor, MakeImage(7, 3, 24, 9).Bytes());
    EXPECT_TRUE(picture.DataPropertyDiffers(&ancestor));
}

TEST(Clipboard, SavedCopyIsTheCallersAndLoadsBack) {
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(47, 33, 8).Bytes());
    std::uint16_t format = 0;
    gdi::HBITMAP data = nullptr;
    gdi::HPALETTE palette = nullptr;
    bitmap.SaveClipboardData(format, data, palette);
    EXPECT_EQ(format, 2);
    ASSERT_NE(data, nullptr);
    EXPECT_NE(palette, nullptr);
    EXPECT_NE(palette, bitmap.Palette());
    EXPECT_NE(data, bitmap.Image().Handle);

    TBitmap pasted;
    pasted.LoadClipboardData(format, data, palette);
    EXPECT_EQ(pasted.HandleKind(), BitmapHandleKind::DeviceBitmap);
    EXPECT_EQ(RgbPixels(pasted), RgbPixels(bitmap));
    EXPECT_TRUE(pasted.PaletteChanged);
    EXPECT_NE(pasted.Image().Handle, data);
    // The clipboard's objects are still the clipboard's to delete.
    EXPECT_TRUE(gdi::DeleteObject(data));
    EXPECT_TRUE(gdi::DeleteObject(palette));
    EXPECT_EQ(RgbPixels(pasted), RgbPixels(bitmap));
}

TEST(Clipboard, SectionIsCopiedAsASectionAndCoreFormIsDropped) {
    TBitmap core;
    std::vector<std::uint8_t> bytes = MakeImage(3, 2, 24).Bytes();
    TBitmap source;
    LoadBytes(source, bytes);
    TBitmap pasted;
    pasted.LoadClipboardData(2, source.Image().Handle, nullptr);
    EXPECT_EQ(pasted.PixelLayout(), BitmapPixelLayout::Bits24);
    EXPECT_FALSE(pasted.Image().CoreFormat);
    EXPECT_EQ(RgbPixels(pasted), RgbPixels(source));
}

TEST(Clipboard, OtherFormatsOrNoDataAreRefused) {
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(3, 2, 24).Bytes());
    for (auto [format, data] : {std::pair<std::uint16_t, gdi::HBITMAP>{8, bitmap.Image().Handle},
                                std::pair<std::uint16_t, gdi::HBITMAP>{2, nullptr}}) {
        TBitmap target;
        try {
            target.LoadClipboardData(format, data, nullptr);
            ADD_FAILURE();
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message(), "Unsupported clipboard format");
        }
    }
}

TEST(MakeDormant, KeepsOnlyTheBytesAndSavesThemUnchanged) {
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        SCOPED_TRACE(bits);
        TBitmap bitmap;
        LoadBytes(bitmap, MakeImage(47, 33, bits).Bytes());
        bitmap.Canvas().Brush().SetColor(clRed);
        const std::vector<std::uint8_t> before = SaveBytes(bitmap);
        const std::vector<std::uint32_t> pixels = RgbPixels(bitmap);
        bitmap.MakeDormant();
        EXPECT_EQ(bitmap.Image().Handle, nullptr);
        EXPECT_EQ(bitmap.Image().DibHandle, nullptr);
        EXPECT_FALSE(bitmap.IsEmpty());
        EXPECT_EQ(bitmap.Width(), 47);
        EXPECT_EQ(bitmap.Height(), 33);
        EXPECT_EQ(SaveBytes(bitmap), before);
        // The canvas is new, with the default brush.
        EXPECT_EQ(bitmap.Canvas().Brush().Color(), clWhite);
        EXPECT_EQ(RgbPixels(bitmap), pixels);
    }
}

TEST(MakeDormant, DrawnOnBitmapWakesOnDemand) {
    TBitmap bitmap;
    bitmap.SetHeight(3);
    bitmap.SetWidth(7);
    bitmap.Canvas().SetPixels(2, 1, clBlue);
    bitmap.MakeDormant();
    int notified = 0;
    bitmap.ChangeHandler = [&](TGraphic*) { ++notified; };
    bitmap.SetWidth(8);  // needs the pixels: read back from the kept bytes
    EXPECT_EQ(RgbAt(bitmap, 2, 1), 0x0000FFu);
    EXPECT_EQ(notified, 1);
    TBitmap empty;
    empty.MakeDormant();
    EXPECT_TRUE(empty.IsEmpty());
}

}  // namespace
}  // namespace plexon
