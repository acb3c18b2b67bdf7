// Changing what holds a bitmap's pixels: every pixel layout, the handle kind, monochrome and the
// palette, with the pixels that survive each change and the shared palettes they get.
#include <gtest/gtest.h>

#include <vector>

#include "BitmapTestSupport.h"
#include "graphics/Bitmap.h"
#include "graphics/Palettes.h"
#include "platform/gdi/Raster.h"
#include "runtime/Exceptions.h"

namespace plexon {
namespace {

using namespace test;

// Colours every layout but one bit holds exactly: black, white and the primaries.
const TColor kExact[] = {clBlack,  clWhite,          clRed,           clLime, clBlue,
                         clYellow, TColor(0xFF00FF), TColor(0xFFFF00)};

// A w x h device bitmap painted in stripes of the exact colours.
void Paint(TBitmap& bitmap, int width, int height) {
    bitmap.SetHeight(height);
    bitmap.SetWidth(width);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) bitmap.Canvas().SetPixels(x, y, kExact[(x + 2 * y) % 8]);
    }
}

// Colour-table entries as 0xXXRRGGBB values, so that tables compare and print.
std::vector<std::uint32_t> Packed(const gdi::RGBQUAD* entries, int count) {
    std::vector<std::uint32_t> out;
    for (int i = 0; i < count; ++i) {
        const gdi::RGBQUAD& e = entries[i];
        out.push_back(std::uint32_t(e.rgbReserved) << 24 | std::uint32_t(e.rgbRed) << 16 |
                      std::uint32_t(e.rgbGreen) << 8 | e.rgbBlue);
    }
    return out;
}

std::vector<std::uint32_t> ColourTable(TBitmap& bitmap) {
    gdi::RGBQUAD entries[256];
    return Packed(entries, DibColorTable(bitmap.Image().DibHandle, entries));
}

TEST(PixelLayoutWrite, SameLayoutDoesNothing) {
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(7, 3, 24).Bytes());
    const TBitmapImage* record = &bitmap.Image();
    int notified = 0;
    bitmap.ChangeHandler = [&](TGraphic*) { ++notified; };
    bitmap.SetPixelLayout(BitmapPixelLayout::Bits24);
    EXPECT_EQ(&bitmap.Image(), record);
    EXPECT_EQ(notified, 0);
}

TEST(PixelLayoutWrite, DirectLayoutsKeepEveryPixelOfADeviceBitmap) {
    const struct {
        BitmapPixelLayout layout;
        int bits;
    } cases[] = {{BitmapPixelLayout::Bits15, 16},
                 {BitmapPixelLayout::Bits16, 16},
                 {BitmapPixelLayout::Bits24, 24},
                 {BitmapPixelLayout::Bits32, 32}};
    for (const auto& c : cases) {
        for (auto [w, h] : {std::pair{47, 33}, std::pair{1, 1}, std::pair{7, 3}}) {
            SCOPED_TRACE(testing::Message() << c.bits << " bits " << w << "x" << h);
            TBitmap bitmap;
            Paint(bitmap, w, h);
            ASSERT_EQ(bitmap.PixelLayout(), BitmapPixelLayout::Device);
            const std::vector<std::uint32_t> before = RgbPixels(bitmap);
            int notified = 0;
            bitmap.ChangeHandler = [&](TGraphic*) { ++notified; };
            bitmap.SetPixelLayout(c.layout);
            EXPECT_EQ(bitmap.PixelLayout(), c.layout);
            EXPECT_EQ(bitmap.HandleKind(), BitmapHandleKind::DibSection);
            EXPECT_EQ(bitmap.Image().Dib.dsBmih.biBitCount, c.bits);
            EXPECT_GT(bitmap.Image().Dib.dsBmih.biHeight, 0);  // bottom-up
            EXPECT_EQ(RgbPixels(bitmap), before);
            EXPECT_EQ(notified, 1);
        }
    }
}

TEST(PixelLayoutWrite, SixteenBitsWithMasksReadsBackAsBits16) {
    TBitmap bitmap;
    Paint(bitmap, 7, 3);
    bitmap.SetPixelLayout(BitmapPixelLayout::Bits16);
    const gdi::DIBSECTION& dib = bitmap.Image().Dib;
    EXPECT_EQ(dib.dsBmih.biCompression, gdi::BI_BITFIELDS);
    EXPECT_EQ(dib.dsBitfields[0], 0xF800u);
    EXPECT_EQ(dib.dsBitfields[1], 0x07E0u);
    EXPECT_EQ(dib.dsBitfields[2], 0x001Fu);
    bitmap.SetPixelLayout(BitmapPixelLayout::Bits15);
    EXPECT_EQ(bitmap.PixelLayout(), BitmapPixelLayout::Bits15);
    EXPECT_EQ(bitmap.Image().Dib.dsBmih.biCompression, gdi::BI_RGB);
}

TEST(PixelLayoutWrite, EightBitsTakeTheHalftoneTable) {
    TBitmap bitmap;
    Paint(bitmap, 47, 33);
    const std::vector<std::uint32_t> before = RgbPixels(bitmap);
    bitmap.SetPixelLayout(BitmapPixelLayout::Bits8);
    EXPECT_EQ(bitmap.PixelLayout(), BitmapPixelLayout::Bits8);
    EXPECT_TRUE(bitmap.PaletteChanged);
    const gdi::HPALETTE halftone = gdi::CreateHalftonePalette(nullptr);
    gdi::RGBQUAD expected[256];
    ASSERT_EQ(ColorTableFromPalette(halftone, expected), 256);
    gdi::DeleteObject(halftone);
    EXPECT_EQ(ColourTable(bitmap), Packed(expected, 256));
    // The halftone table holds the primaries, so nothing changes colour.
    EXPECT_EQ(RgbPixels(bitmap), before);
    EXPECT_NE(bitmap.Palette(), nullptr);
}

TEST(PixelLayoutWrite, FourBitsShareTheStandardSixteenColours) {
    TBitmap bitmap;
    Paint(bitmap, 7, 3);
    const std::vector<std::uint32_t> before = RgbPixels(bitmap);
    bitmap.SetPixelLayout(BitmapPixelLayout::Bits4);
    EXPECT_EQ(bitmap.PixelLayout(), BitmapPixelLayout::Bits4);
    EXPECT_EQ(bitmap.Palette(), Standard16Palette());
    gdi::RGBQUAD standard[16];
    ASSERT_EQ(ColorTableFromPalette(Standard16Palette(), standard), 16);
    EXPECT_EQ(ColourTable(bitmap), Packed(standard, 16));
    EXPECT_EQ(RgbPixels(bitmap), before);
    EXPECT_EQ(standard[7].rgbRed, 0x80);  // grey at 7, silver at 8
    EXPECT_EQ(standard[8].rgbRed, 0xC0);
}

TEST(PixelLayoutWrite, TheStandardPaletteOutlivesItsBitmaps) {
    {
        TBitmap bitmap;
        Paint(bitmap, 2, 2);
        bitmap.SetPixelLayout(BitmapPixelLayout::Bits4);
        TBitmap copy;
        copy.AssignFrom(&bitmap);
        copy.SetWidth(3);  // a rebuilt record shares it too
        EXPECT_EQ(copy.Palette(), Standard16Palette());
    }
    gdi::PALETTEENTRY entries[16];
    EXPECT_EQ(gdi::GetPaletteEntries(Standard16Palette(), 0, 16, entries), 16u);
}

TEST(PixelLayoutWrite, OneBitFromDirectColoursIsBlackAndWhite) {
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(7, 3, 24).Bytes());
    bitmap.SetPixelLayout(BitmapPixelLayout::Bits1);
    EXPECT_EQ(bitmap.PixelLayout(), BitmapPixelLayout::Bits1);
    EXPECT_EQ(ColourTable(bitmap), (std::vector<std::uint32_t>{0, 0xFFFFFF}));
}

TEST(PixelLayoutWrite, OneBitFromAPaletteImageTakesItsFirstEntries) {
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(7, 3, 8).Bytes());
    const std::vector<std::uint32_t> table = ColourTable(bitmap);
    bitmap.SetPixelLayout(BitmapPixelLayout::Bits1);
    EXPECT_EQ(ColourTable(bitmap), std::vector<std::uint32_t>(table.begin(), table.begin() + 2));
}

TEST(PixelLayoutWrite, CustomIsRefusedAndDeviceMakesADeviceBitmap) {
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(7, 3, 24).Bytes());
    try {
        bitmap.SetPixelLayout(BitmapPixelLayout::Custom);
        ADD_FAILURE();
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Invalid pixel format");
    }
    const std::vector<std::uint32_t> before = RgbPixels(bitmap);
    bitmap.SetPixelLayout(BitmapPixelLayout::Device);
    EXPECT_EQ(bitmap.PixelLayout(), BitmapPixelLayout::Device);
    EXPECT_EQ(RgbPixels(bitmap), before);
}

TEST(PixelLayoutWrite, EmptyBitmapRemembersTheLayoutForItsSize) {
    TBitmap bitmap;
    bitmap.SetPixelLayout(BitmapPixelLayout::Bits24);
    EXPECT_TRUE(bitmap.IsEmpty());
    bitmap.SetHeight(3);
    bitmap.SetWidth(7);
    EXPECT_EQ(bitmap.PixelLayout(), BitmapPixelLayout::Bits24);
}

TEST(PixelLayoutWrite, SharedRecordIsLeftToTheOtherBitmap) {
    TBitmap a;
    LoadBytes(a, MakeImage(7, 3, 24).Bytes());
    TBitmap b;
    b.AssignFrom(&a);
    b.SetPixelLayout(BitmapPixelLayout::Bits8);
    EXPECT_EQ(a.PixelLayout(), BitmapPixelLayout::Bits24);
    EXPECT_EQ(b.PixelLayout(), BitmapPixelLayout::Bits8);
}

TEST(HandleKindWrite, WithoutPixelsOnlyTheNextSizingChanges) {
    TBitmap bitmap;
    int notified = 0;
    bitmap.ChangeHandler = [&](TGraphic*) { ++notified; };
    bitmap.SetHandleKind(BitmapHandleKind::DibSection);
    EXPECT_EQ(notified, 0);
    EXPECT_TRUE(bitmap.IsEmpty());
    bitmap.SetHeight(3);
    bitmap.SetWidth(7);
    EXPECT_EQ(bitmap.HandleKind(), BitmapHandleKind::DibSection);
    EXPECT_EQ(bitmap.Image().Dib.dsBmih.biBitCount, 32);
}

TEST(HandleKindWrite, SectionToDeviceKeepsTheSectionBeside) {
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(47, 33, 8).Bytes());
    const std::vector<std::uint32_t> before = RgbPixels(bitmap);
    const TBitmapImage* record = &bitmap.Image();
    const gdi::HBITMAP section = record->DibHandle;
    int notified = 0;
    bitmap.ChangeHandler = [&](TGraphic*) { ++notified; };
    bitmap.SetHandleKind(BitmapHandleKind::DeviceBitmap);
    EXPECT_EQ(bitmap.HandleKind(), BitmapHandleKind::DeviceBitmap);
    EXPECT_EQ(&bitmap.Image(), record);
    EXPECT_EQ(record->DibHandle, section);
    EXPECT_NE(record->Handle, section);
    EXPECT_EQ(RgbPixels(bitmap), before);
    EXPECT_EQ(notified, 1);
}

TEST(HandleKindWrite, DeviceToSectionAndBackInASharedRecord) {
    TBitmap a;
    Paint(a, 7, 3);
    const std::vector<std::uint32_t> before = RgbPixels(a);
    TBitmap b;
    b.AssignFrom(&a);
    b.SetHandleKind(BitmapHandleKind::DibSection);
    EXPECT_EQ(b.HandleKind(), BitmapHandleKind::DibSection);
    EXPECT_EQ(a.HandleKind(), BitmapHandleKind::DeviceBitmap);
    EXPECT_EQ(RgbPixels(b), before);
    b.AssignFrom(&a);
    a.SetHandleKind(BitmapHandleKind::DibSection);
    b.SetHandleKind(BitmapHandleKind::DibSection);
    TBitmap c;
    c.AssignFrom(&b);
    c.SetHandleKind(BitmapHandleKind::DeviceBitmap);
    EXPECT_EQ(b.HandleKind(), BitmapHandleKind::DibSection);
    EXPECT_EQ(c.HandleKind(), BitmapHandleKind::DeviceBitmap);
    EXPECT_EQ(RgbPixels(c), before);
}

TEST(HandleKindWrite, UnsharedDeviceToSectionMovesTheSectionOver) {
    TBitmap bitmap;
    Paint(bitmap, 7, 3);
    const std::vector<std::uint32_t> before = RgbPixels(bitmap);
    bitmap.SetHandleKind(BitmapHandleKind::DibSection);
    EXPECT_EQ(bitmap.Image().Handle, bitmap.Image().DibHandle);
    EXPECT_EQ(bitmap.PixelLayout(), BitmapPixelLayout::Bits32);
    EXPECT_EQ(RgbPixels(bitmap), before);
    bitmap.Canvas().SetPixels(0, 0, clBlue);  // the section is the image now
    EXPECT_EQ(RgbAt(bitmap, 0, 0), 0x0000FFu);
}

TEST(MonochromeWrite, BrushColouredPixelsBecomeWhiteAndTheRestBlack) {
    TBitmap bitmap;
    Paint(bitmap, 7, 3);
    const std::vector<std::uint32_t> before = RgbPixels(bitmap);
    bitmap.SetIsMonochrome(true);
    EXPECT_TRUE(bitmap.IsMonochrome());
    EXPECT_EQ(bitmap.HandleKind(), BitmapHandleKind::DeviceBitmap);
    std::vector<std::uint32_t> expected;
    for (std::uint32_t p : before) expected.push_back(p == 0xFFFFFF ? 0xFFFFFF : 0);
    EXPECT_EQ(RgbPixels(bitmap), expected);

    TBitmap red;
    Paint(red, 7, 3);
    red.Canvas().Brush().SetColor(clRed);
    red.SetIsMonochrome(true);
    expected.clear();
    for (std::uint32_t p : before) expected.push_back(p == 0xFF0000 ? 0xFFFFFF : 0);
    EXPECT_EQ(RgbPixels(red), expected);
}

TEST(MonochromeWrite, BackToColourAtTheDisplaysDepth) {
    TBitmap bitmap;
    Paint(bitmap, 7, 3);
    bitmap.SetIsMonochrome(true);
    const std::vector<std::uint32_t> mono = RgbPixels(bitmap);
    bitmap.SetIsMonochrome(false);
    EXPECT_FALSE(bitmap.IsMonochrome());
    EXPECT_EQ(bitmap.Image().Dib.dsBm.bmBitsPixel, 32);
    EXPECT_EQ(RgbPixels(bitmap), mono);
}

TEST(PaletteWrite, PixelsAreMappedOntoTheNewPalette) {
    TBitmap bitmap;
    Paint(bitmap, 7, 3);
    bitmap.SetPixelLayout(BitmapPixelLayout::Bits8);
    const gdi::RGBQUAD two[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    const gdi::HPALETTE palette = PaletteFromColorTable(two, 2);
    bitmap.PaletteChanged = false;
    bitmap.SetPalette(palette);
    EXPECT_EQ(bitmap.Palette(), palette);
    EXPECT_TRUE(bitmap.PaletteChanged);
    EXPECT_EQ(ColourTable(bitmap), Packed(two, 2));
    for (std::uint32_t p : RgbPixels(bitmap)) EXPECT_TRUE(p == 0 || p == 0xFFFFFF);
    EXPECT_EQ(RgbAt(bitmap, 1, 0), 0xFFFFFFu);  // white stays white
}

TEST(PaletteWrite, NoneOnAnUnsharedRecordOnlyDropsThePalette) {
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(7, 3, 8).Bytes());
    ASSERT_NE(bitmap.Palette(), nullptr);
    const TBitmapImage* record = &bitmap.Image();
    int notified = 0;
    bitmap.ChangeHandler = [&](TGraphic*) { ++notified; };
    bitmap.SetPalette(nullptr);
    EXPECT_EQ(&bitmap.Image(), record);
    EXPECT_EQ(record->PaletteHandle, nullptr);
    EXPECT_EQ(notified, 0);
}

}  // namespace
}  // namespace plexon
