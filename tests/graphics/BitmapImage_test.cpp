// The bitmap's image record: sharing through AssignFrom, unsharing on change, FreeDibCopy, handle
// exchange, row access, mask colour and palettes.
#include <gtest/gtest.h>

#include "BitmapTestSupport.h"
#include "graphics/Bitmap.h"
#include "platform/gdi/Raster.h"
#include "runtime/Exceptions.h"

namespace plexon {
namespace {

using namespace test;

TEST(BitmapSharing, AssignFromSharesTheRecordAndCopiesTransparency) {
    TBitmap a;
    LoadBytes(a, MakeImage(5, 4, 8).Bytes());
    a.SetIsTransparent(true);
    a.SetMaskColor(clLime);
    TBitmap b;
    int notified = 0;
    b.ChangeHandler = [&](TGraphic*) { ++notified; };
    b.AssignFrom(&a);
    EXPECT_EQ(&b.Image(), &a.Image());
    EXPECT_EQ(a.Image().RefCount(), 2);
    EXPECT_TRUE(b.IsTransparent());
    EXPECT_EQ(b.MaskColor(), TColor(0x0200FF00));
    EXPECT_EQ(b.TransparencyMode(), BitmapTransparencyMode::Fixed);
    EXPECT_TRUE(b.PaletteChanged);
    EXPECT_EQ(notified, 1);
}

TEST(BitmapSharing, ResizingOneLeavesTheOtherUnchanged) {
    TBitmap a;
    LoadBytes(a, MakeImage(6, 6, 24).Bytes());
    const std::vector<std::uint32_t> before = RgbPixels(a);
    TBitmap b;
    b.AssignFrom(&a);
    b.SetWidth(3);
    EXPECT_EQ(a.Width(), 6);
    EXPECT_EQ(RgbPixels(a), before);
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(a.Image().RefCount(), 1);
}

TEST(BitmapSharing, DrawingOnOneLeavesTheOtherUnchanged) {
    TBitmap a;
    LoadBytes(a, MakeImage(4, 4, 32).Bytes());
    const std::vector<std::uint32_t> before = RgbPixels(a);
    TBitmap b;
    b.AssignFrom(&a);
    b.Canvas().SetPixels(0, 0, clRed);
    EXPECT_EQ(RgbPixels(a), before);
    EXPECT_EQ(RgbAt(b, 0, 0), 0xFF0000u);
    EXPECT_EQ(RgbAt(b, 1, 1), before[5]);
}

TEST(BitmapSharing, PixelsOutliveTheBitmapTheyCameFrom) {
    TBitmap b;
    std::vector<std::uint32_t> before;
    {
        TBitmap a;
        LoadBytes(a, MakeImage(3, 3, 24).Bytes());
        a.Canvas().Handle();
        before = RgbPixels(a);
        b.AssignFrom(&a);
    }
    EXPECT_EQ(RgbPixels(b), before);
    EXPECT_EQ(b.Image().RefCount(), 1);
}

TEST(BitmapSharing, AssignFromNothingEmpties) {
    TBitmap a;
    LoadBytes(a, MakeImage(3, 3, 24).Bytes());
    a.AssignFrom(nullptr);
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.Width(), 0);
}

// A picture of another kind, which has no conversion into a bitmap.
class OtherPicture : public TGraphic {
  public:
    void AssignFrom(const TGraphic*) override {}
    bool IsEmpty() const override { return false; }
    std::int32_t Width() const override { return 1; }
    std::int32_t Height() const override { return 1; }
    void SetWidth(std::int32_t) override {}
    void SetHeight(std::int32_t) override {}
    void LoadStream(TStream&) override {}
    void SaveStream(TStream&) override {}
    void LoadClipboardData(std::uint16_t, gdi::HBITMAP, gdi::HPALETTE) override {}
    void SaveClipboardData(std::uint16_t&, gdi::HBITMAP&, gdi::HPALETTE&) override {}

  protected:
    void Render(TCanvas&, const gdi::RECT&) override {}
};

TEST(BitmapSharing, OtherPictureKindsAreRefusedAndTheImageStays) {
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(3, 3, 24).Bytes());
    const TBitmapImage* record = &bitmap.Image();
    OtherPicture other;
    EXPECT_THROW(bitmap.AssignFrom(&other), EConvertError);
    EXPECT_EQ(&bitmap.Image(), record);
}

TEST(BitmapSharing, MaskColourWriteUnshares) {
    TBitmap a;
    LoadBytes(a, MakeImage(3, 3, 24).Bytes());
    TBitmap b;
    b.AssignFrom(&a);
    b.SetMaskColor(clRed);
    EXPECT_NE(&a.Image(), &b.Image());
    EXPECT_EQ(RgbPixels(a), RgbPixels(b));
}

TEST(FreeDibCopy, FreshlyLoadedFileIsLeftAlone) {
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(5, 5, 24).Bytes());
    const TBitmapImage* record = &bitmap.Image();
    const gdi::HBITMAP handle = record->Handle;
    bitmap.FreeDibCopy();
    EXPECT_EQ(&bitmap.Image(), record);
    EXPECT_EQ(bitmap.Image().Handle, handle);
    EXPECT_EQ(bitmap.Image().DibHandle, handle);
}

TEST(FreeDibCopy, SavedDrawnOnBitmapDropsItsCopyAndKeepsItsPixels) {
    TBitmap bitmap;
    bitmap.SetHeight(6);
    bitmap.SetWidth(5);
    bitmap.Canvas().SetPixels(2, 3, clNavy);
    const std::vector<std::uint8_t> saved = SaveBytes(bitmap);
    ASSERT_NE(bitmap.Image().DibHandle, nullptr);
    EXPECT_NE(bitmap.Image().DibHandle, bitmap.Image().Handle);
    EXPECT_EQ(bitmap.HandleKind(), BitmapHandleKind::DeviceBitmap);
    const std::vector<std::uint32_t> before = RgbPixels(bitmap);
    bitmap.FreeDibCopy();
    EXPECT_EQ(bitmap.Image().DibHandle, nullptr);
    EXPECT_FALSE(bitmap.IsEmpty());
    EXPECT_EQ(bitmap.Width(), 5);
    EXPECT_EQ(RgbPixels(bitmap), before);
    TBitmap target;
    target.SetHeight(6);
    target.SetWidth(5);
    target.Canvas().DrawGraphic(0, 0, &bitmap);
    EXPECT_EQ(RgbPixels(target), before);
    EXPECT_EQ(SaveBytes(bitmap), saved);
}

TEST(FreeDibCopy, SharedRecordBecomesAPrivateCopy) {
    TBitmap a;
    LoadBytes(a, MakeImage(7, 3, 4).Bytes());
    TBitmap b;
    b.AssignFrom(&a);
    b.FreeDibCopy();
    EXPECT_NE(&a.Image(), &b.Image());
    EXPECT_EQ(RgbPixels(b), RgbPixels(a));
    EXPECT_EQ(b.PixelLayout(), BitmapPixelLayout::Bits4);
    EXPECT_EQ(b.Width(), 7);
}

TEST(FreeDibCopy, DrawingDropsTheCopyToo) {
    TBitmap bitmap;
    bitmap.SetHeight(2);
    bitmap.SetWidth(2);
    SaveBytes(bitmap);
    ASSERT_NE(bitmap.Image().DibHandle, nullptr);
    bitmap.Canvas().SetPixels(0, 0, clRed);
    EXPECT_EQ(bitmap.Image().DibHandle, nullptr);
}

TEST(BitmapHandles, HandleWriteTakesOverAForeignBitmap) {
    TBitmap bitmap;
    const gdi::HBITMAP foreign = gdi::CreateCompatibleBitmap(nullptr, 9, 4);
    int notified = 0;
    bitmap.ChangeHandler = [&](TGraphic*) { ++notified; };
    bitmap.SetHandle(foreign);
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(bitmap.Width(), 9);
    EXPECT_EQ(bitmap.Height(), 4);
    EXPECT_EQ(bitmap.HandleKind(), BitmapHandleKind::DeviceBitmap);
    bitmap.SetHandle(foreign);  // the current one: nothing happens
    EXPECT_EQ(notified, 1);
}

TEST(BitmapHandles, HandleWriteOfASectionMakesItTheDib) {
    TBitmap source;
    LoadBytes(source, MakeImage(3, 2, 24).Bytes());
    const std::vector<std::uint32_t> pixels = RgbPixels(source);
    const gdi::HBITMAP section = source.DetachHandle();
    EXPECT_EQ(source.Width(), 3);  // still reports its size
    EXPECT_TRUE(source.IsEmpty());
    TBitmap bitmap;
    bitmap.SetHandle(section);
    EXPECT_EQ(bitmap.HandleKind(), BitmapHandleKind::DibSection);
    EXPECT_EQ(bitmap.PixelLayout(), BitmapPixelLayout::Bits24);
    EXPECT_EQ(RgbPixels(bitmap), pixels);
}

TEST(BitmapHandles, HandleReadMakesOneForASizedBitmap) {
    TBitmap bitmap;
    EXPECT_EQ(bitmap.Handle(), nullptr);
    bitmap.SetHeight(2);
    bitmap.SetWidth(2);
    const gdi::HBITMAP handle = bitmap.Handle();
    ASSERT_NE(handle, nullptr);
    gdi::BITMAP described;
    EXPECT_EQ(gdi::GetObject(handle, sizeof described, &described), gdi::kBitmapObjectSize);
    EXPECT_EQ(described.bmWidth, 2);
}

TEST(BitmapHandles, NullHandleWriteEmpties) {
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(3, 2, 8).Bytes());
    bitmap.SetHandle(nullptr);
    EXPECT_TRUE(bitmap.IsEmpty());
    EXPECT_EQ(bitmap.Width(), 0);
}

TEST(BitmapRows, OutOfRangeRowIsRefused) {
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(3, 2, 24).Bytes());
    for (int row : {-1, 2}) {
        try {
            bitmap.RowPointer(row);
            ADD_FAILURE() << "no error for " << row;
        } catch (const EInvalidGraphicOperation& e) {
            EXPECT_EQ(e.Message(), "Scan line index out of range");
        }
    }
    TBitmap heightOnly;
    heightOnly.SetHeight(5);
    EXPECT_THROW(heightOnly.RowPointer(0), EInvalidGraphicOperation);
}

TEST(BitmapRows, RowZeroIsTheTopForBothStorageOrders) {
    for (int height : {3, -3}) {
        BmpFile file = MakeImage(2, height, 32);
        TBitmap bitmap;
        LoadBytes(bitmap, file.Bytes());
        const auto* top = static_cast<const std::uint8_t*>(bitmap.RowPointer(0));
        const std::size_t storedTop = height > 0 ? 2 * 8 : 0;
        EXPECT_EQ(std::memcmp(top, file.pixels.data() + storedTop, 8), 0) << height;
        const auto* next = static_cast<const std::uint8_t*>(bitmap.RowPointer(1));
        EXPECT_EQ(next - top, height > 0 ? -8 : 8);
    }
}

TEST(BitmapRows, RowsWrittenIntoASizedBitmapAreKeptAndSaved) {
    TBitmap bitmap;
    bitmap.SetHeight(3);
    bitmap.SetWidth(2);
    for (int y = 0; y < 3; ++y) {
        auto* row = static_cast<std::uint32_t*>(bitmap.RowPointer(y));
        row[0] = 0x000010u * std::uint32_t(y + 1);
        row[1] = 0x100000u * std::uint32_t(y + 1);
    }
    EXPECT_EQ(RgbAt(bitmap, 0, 0), 0x000010u);
    EXPECT_EQ(RgbAt(bitmap, 1, 2), 0x300000u);
    TBitmap back;
    LoadBytes(back, SaveBytes(bitmap));
    EXPECT_EQ(RgbPixels(back), RgbPixels(bitmap));
    // Drawing afterwards keeps the rows too.
    bitmap.Canvas().SetPixels(1, 1, clWhite);
    EXPECT_EQ(RgbAt(bitmap, 0, 2), 0x000030u);
}

TEST(BitmapMaskColor, DefaultIsTheBottomLeftPixel) {
    TBitmap bitmap;
    bitmap.SetHeight(3);
    bitmap.SetWidth(3);
    bitmap.Canvas().SetPixels(0, 2, 0x00FF00FF);
    EXPECT_EQ(bitmap.MaskColor(), TColor(0x02FF00FF));
    EXPECT_EQ(bitmap.TransparencyMode(), BitmapTransparencyMode::Auto);
}

TEST(BitmapMaskColor, MonochromeDefaultIsWhite) {
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(9, 2, 1).Bytes());
    EXPECT_TRUE(bitmap.IsMonochrome());
    EXPECT_EQ(bitmap.MaskColor(), TColor(0x02FFFFFF));
}

TEST(BitmapMaskColor, SetColourIsResolvedAndFixesTheMode) {
    TBitmap bitmap;
    int notified = 0;
    bitmap.ChangeHandler = [&](TGraphic*) { ++notified; };
    bitmap.SetMaskColor(clBtnFace);
    EXPECT_EQ(bitmap.MaskColor(), TColor(gdi::GetSysColor(15) | 0x02000000));
    EXPECT_EQ(bitmap.TransparencyMode(), BitmapTransparencyMode::Fixed);
    bitmap.SetMaskColor(clBtnFace);
    EXPECT_EQ(notified, 1);
    bitmap.SetMaskColor(clDefault);
    EXPECT_EQ(bitmap.TransparencyMode(), BitmapTransparencyMode::Auto);
}

TEST(BitmapTransparency, OnlyARealChangeNotifies) {
    TBitmap bitmap;
    int notified = 0;
    bitmap.ChangeHandler = [&](TGraphic*) { ++notified; };
    bitmap.SetIsTransparent(false);
    EXPECT_EQ(notified, 0);
    bitmap.SetIsTransparent(true);
    EXPECT_EQ(notified, 1);
}

TEST(BitmapPalette, MadeFromTheColourTableOnDemand) {
    BmpFile file = MakeImage(3, 3, 8);
    TBitmap bitmap;
    LoadBytes(bitmap, file.Bytes());
    const gdi::HPALETTE palette = bitmap.Palette();
    ASSERT_NE(palette, nullptr);
    gdi::PALETTEENTRY entries[256];
    ASSERT_EQ(gdi::GetPaletteEntries(palette, 0, 256, entries), 256u);
    EXPECT_EQ(entries[5].peRed, file.table[5].rgbRed);
    EXPECT_EQ(entries[5].peBlue, file.table[5].rgbBlue);
    TBitmap direct;
    LoadBytes(direct, MakeImage(3, 3, 24).Bytes());
    EXPECT_EQ(direct.Palette(), nullptr);
}

TEST(BitmapNotifyChanging, ForgetsTheColourCount) {
    BmpFile file = MakeImage(3, 3, 8);
    file.table.resize(40);
    file.header.biClrUsed = 40;
    for (auto& p : file.pixels) p %= 40;
    TBitmap bitmap;
    LoadBytes(bitmap, file.Bytes());
    EXPECT_EQ(bitmap.Image().Dib.dsBmih.biClrUsed, 40u);
    bitmap.NotifyChanging();
    EXPECT_EQ(bitmap.Image().Dib.dsBmih.biClrUsed, 0u);
    // Saving still writes exactly the table the section holds.
    const std::vector<std::uint8_t> saved = SaveBytes(bitmap);
    EXPECT_EQ(U32At(saved, 10) + file.pixels.size(), saved.size());
}

}  // namespace
}  // namespace plexon
