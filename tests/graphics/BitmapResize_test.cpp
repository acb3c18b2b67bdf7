// Creating and resizing bitmaps: empty states, no-op resizes, kept top-left pixels, white fill,
// notifications and handle kinds.
#include <gtest/gtest.h>

#include "BitmapTestSupport.h"
#include "graphics/Bitmap.h"
#include "runtime/Exceptions.h"

namespace plexon {
namespace {

using namespace test;

constexpr std::uint32_t kWhite = 0xFFFFFF;

TEST(BitmapCreate, NewBitmapIsEmptyDeviceDependent) {
    TBitmap bitmap;
    EXPECT_TRUE(bitmap.IsEmpty());
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 0);
    EXPECT_EQ(bitmap.HandleKind(), BitmapHandleKind::DeviceBitmap);
    EXPECT_EQ(bitmap.PixelLayout(), BitmapPixelLayout::Device);
    EXPECT_FALSE(bitmap.IsMonochrome());
    EXPECT_FALSE(bitmap.IsTransparent());
    EXPECT_EQ(bitmap.TransparencyMode(), BitmapTransparencyMode::Auto);
}

TEST(BitmapCreate, HeightThenWidthGivesWhiteDeviceBitmap) {
    TBitmap bitmap;
    bitmap.SetHeight(32);
    EXPECT_TRUE(bitmap.IsEmpty());
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 32);
    bitmap.SetWidth(96);
    EXPECT_FALSE(bitmap.IsEmpty());
    EXPECT_EQ(bitmap.Width(), 96);
    EXPECT_EQ(bitmap.Height(), 32);
    EXPECT_EQ(bitmap.HandleKind(), BitmapHandleKind::DeviceBitmap);
    for (std::uint32_t p : RgbPixels(bitmap)) ASSERT_EQ(p, kWhite);
}

TEST(BitmapCreate, WhiteAlsoWhenTheCanvasExists) {
    TBitmap bitmap;
    bitmap.Canvas();
    bitmap.SetHeight(5);
    bitmap.SetWidth(7);
    for (std::uint32_t p : RgbPixels(bitmap)) ASSERT_EQ(p, kWhite);
}

TEST(BitmapCreate, NewAreaTakesTheCanvasBrush) {
    TBitmap bitmap;
    bitmap.Canvas().Brush().SetColor(clRed);
    bitmap.SetHeight(3);
    bitmap.SetWidth(4);
    EXPECT_EQ(RgbAt(bitmap, 3, 2), 0xFF0000u);
}

TEST(BitmapCreate, ResizingToZeroEmptiesButRemembersTheOtherSide) {
    TBitmap bitmap;
    bitmap.SetHeight(8);
    bitmap.SetWidth(8);
    bitmap.SetWidth(0);
    EXPECT_TRUE(bitmap.IsEmpty());
    EXPECT_EQ(bitmap.Height(), 8);
}

TEST(BitmapResize, SameValueChangesNothingAndDoesNotNotify) {
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(32, 32, 24).Bytes());
    const std::vector<std::uint8_t> before = SaveBytes(bitmap);
    const TBitmapImage* record = &bitmap.Image();
    int notified = 0;
    bitmap.ChangeHandler = [&](TGraphic*) { ++notified; };
    bitmap.SetHeight(32);
    bitmap.SetWidth(32);
    EXPECT_EQ(notified, 0);
    EXPECT_EQ(&bitmap.Image(), record);
    EXPECT_EQ(SaveBytes(bitmap), before);
}

TEST(BitmapResize, ChangeNotifiesOnce) {
    TBitmap bitmap;
    int notified = 0;
    bitmap.ChangeHandler = [&](TGraphic* sender) {
        EXPECT_EQ(sender, &bitmap);
        ++notified;
    };
    bitmap.SetHeight(4);
    EXPECT_EQ(notified, 1);
    EXPECT_TRUE(bitmap.WasModified);
}

TEST(BitmapResize, ShrinkKeepsTheTopLeft) {
    TBitmap source;
    LoadBytes(source, MakeImage(48, 48, 24).Bytes());
    const std::vector<std::uint32_t> before = RgbPixels(source);
    source.SetWidth(32);
    source.SetHeight(32);
    ASSERT_EQ(source.Width(), 32);
    ASSERT_EQ(source.Height(), 32);
    const std::vector<std::uint32_t> after = RgbPixels(source);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) ASSERT_EQ(after[y * 32 + x], before[y * 48 + x]) << x << "," << y;
    }
    // A loaded image keeps its format through a resize.
    EXPECT_EQ(source.PixelLayout(), BitmapPixelLayout::Bits24);
    EXPECT_EQ(source.HandleKind(), BitmapHandleKind::DibSection);
}

TEST(BitmapResize, GrowKeepsTheTopLeftAndFillsWhite) {
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(16, 16, 32).Bytes());
    const std::vector<std::uint32_t> before = RgbPixels(bitmap);
    bitmap.SetHeight(32);
    bitmap.SetWidth(32);
    const std::vector<std::uint32_t> after = RgbPixels(bitmap);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const std::uint32_t expected = x < 16 && y < 16 ? before[y * 16 + x] : kWhite;
            ASSERT_EQ(after[y * 32 + x], expected) << x << "," << y;
        }
    }
}

TEST(BitmapResize, PaletteImageKeepsItsTableWhenGrown) {
    TBitmap bitmap;
    BmpFile file = MakeImage(7, 3, 8);
    LoadBytes(bitmap, file.Bytes());
    bitmap.SetWidth(9);
    EXPECT_EQ(bitmap.PixelLayout(), BitmapPixelLayout::Bits8);
    const std::vector<std::uint8_t> saved = SaveBytes(bitmap);
    ASSERT_GE(saved.size(), 54u + 1024u);
    EXPECT_EQ(std::memcmp(saved.data() + 54, file.table.data(), 1024), 0);
}

TEST(BitmapResize, TopDownImageResizesToBottomUp) {
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(5, -4, 24).Bytes());
    const std::vector<std::uint32_t> before = RgbPixels(bitmap);
    bitmap.SetHeight(3);
    EXPECT_EQ(bitmap.Image().Dib.dsBmih.biHeight, 3);
    const std::vector<std::uint32_t> after = RgbPixels(bitmap);
    EXPECT_TRUE(std::equal(after.begin(), after.end(), before.begin()));
}

TEST(BitmapResize, FailureLeavesThePreviousImage) {
    TBitmap bitmap;
    bitmap.SetHeight(10);
    bitmap.SetWidth(10);
    const TBitmapImage* record = &bitmap.Image();
    EXPECT_THROW(bitmap.SetWidth(2000000000), EOutOfResources);
    EXPECT_EQ(&bitmap.Image(), record);
    EXPECT_EQ(bitmap.Width(), 10);
}

}  // namespace
}  // namespace plexon
