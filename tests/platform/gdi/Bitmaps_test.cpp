// Creating, describing, selecting and deleting bitmaps and DIB sections.
#include <gtest/gtest.h>

#include "GdiTestSupport.h"

namespace plexon::gdi {
namespace {

using test::Canvas;
using test::MakeInfo;

TEST(DeviceBitmap, DescribesItselfAsBitmapWithEvenRowBytes) {
    HBITMAP colour = CreateBitmap(47, 33, 1, 32, nullptr);
    HBITMAP mono = CreateBitmap(47, 33, 1, 1, nullptr);
    BITMAP description;
    ASSERT_EQ(GetObject(colour, sizeof description, &description), kBitmapObjectSize);
    EXPECT_EQ(description.bmWidth, 47);
    EXPECT_EQ(description.bmHeight, 33);
    EXPECT_EQ(description.bmWidthBytes, 47 * 4);
    EXPECT_EQ(description.bmBitsPixel, 32);
    EXPECT_EQ(description.bmPlanes, 1);
    EXPECT_EQ(description.bmBits, nullptr);
    ASSERT_EQ(GetObject(mono, sizeof description, &description), kBitmapObjectSize);
    EXPECT_EQ(description.bmWidthBytes, 6);
    EXPECT_EQ(description.bmBitsPixel, 1);
    // A device bitmap has no DIBSECTION to give, however large the buffer.
    DIBSECTION dib;
    EXPECT_EQ(GetObject(colour, sizeof dib, &dib), kBitmapObjectSize);
    EXPECT_EQ(GetObject(colour, 4, &dib), 0);
    DeleteObject(colour);
    DeleteObject(mono);
}

TEST(DeviceBitmap, TakesInitialRowsPaddedTo16Bits) {
    const std::uint8_t rows[2][2] = {{0xA0, 0x00}, {0x50, 0x00}};
    Canvas canvas(CreateBitmap(3, 2, 1, 1, rows));
    EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(canvas.dc(), 1, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(canvas.dc(), 2, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(canvas.dc(), 1, 1), RGB(255, 255, 255));
}

TEST(DeviceBitmap, RefusesBadArguments) {
    EXPECT_EQ(CreateBitmap(0, 5, 1, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(5, -1, 1, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(5, 5, 2, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(5, 5, 1, 24, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(CreateBitmap(100000, 100000, 1, 32, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
}

TEST(CompatibleBitmap, FollowsTheSelectedBitmap) {
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAP description;
    HBITMAP fromDisplay = CreateCompatibleBitmap(nullptr, 7, 3);
    GetObject(fromDisplay, sizeof description, &description);
    EXPECT_EQ(description.bmBitsPixel, 32);
    // A fresh memory context holds a 1 x 1 monochrome bitmap, so its compatible bitmaps are monochrome.
    HBITMAP fromMemory = CreateCompatibleBitmap(dc, 7, 3);
    GetObject(fromMemory, sizeof description, &description);
    EXPECT_EQ(description.bmBitsPixel, 1);
    HBITMAP old = SelectObject(dc, test::MakeDib(5, -5, 8));
    HBITMAP fromDib = CreateCompatibleBitmap(dc, 7, 3);
    DIBSECTION dib;
    ASSERT_EQ(GetObject(fromDib, sizeof dib, &dib), kDibSectionObjectSize);
    EXPECT_EQ(dib.dsBmih.biBitCount, 8);
    EXPECT_EQ(dib.dsBmih.biHeight, -3);
    DeleteObject(SelectObject(dc, old));
    for (HBITMAP b : {fromDisplay, fromMemory, fromDib}) EXPECT_TRUE(DeleteObject(b));
    DeleteDC(dc);
}

TEST(DibSection, AllDepthsDescribeThemselves) {
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        for (int height : {33, -33}) {
            void* memory = nullptr;
            HBITMAP bitmap = test::MakeDib(47, height, bits, &memory);
            ASSERT_NE(bitmap, nullptr) << bits;
            DIBSECTION dib;
            ASSERT_EQ(GetObject(bitmap, sizeof dib, &dib), kDibSectionObjectSize);
            const int stride = ((47 * bits + 31) / 32) * 4;
            EXPECT_EQ(dib.dsBm.bmWidth, 47);
            EXPECT_EQ(dib.dsBm.bmHeight, 33);
            EXPECT_EQ(dib.dsBm.bmWidthBytes, stride);
            EXPECT_EQ(dib.dsBm.bmBitsPixel, bits);
            EXPECT_EQ(dib.dsBm.bmBits, memory);
            EXPECT_EQ(dib.dsBmih.biHeight, height);
            EXPECT_EQ(dib.dsBmih.biSizeImage, std::uint32_t(stride * 33));
            const auto* bytes = static_cast<const std::uint8_t*>(memory);
            for (int i = 0; i < stride * 33; ++i) ASSERT_EQ(bytes[i], 0) << "not zero-filled at " << i;
            BITMAP plain;
            EXPECT_EQ(GetObject(bitmap, sizeof plain, &plain), kBitmapObjectSize);
            EXPECT_EQ(plain.bmBits, memory);
            DeleteObject(bitmap);
        }
    }
}

TEST(DibSection, KeepsBitfieldMasks) {
    BITMAPINFO info = MakeInfo(7, 3, 16, BI_BITFIELDS);
    const std::uint32_t masks[3] = {0xF800, 0x07E0, 0x001F};
    std::memcpy(info.bmiColors, masks, sizeof masks);
    void* memory = nullptr;
    Canvas canvas(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
    DIBSECTION dib;
    GetObject(canvas.bitmap(), sizeof dib, &dib);
    EXPECT_EQ(dib.dsBitfields[0], 0xF800u);
    EXPECT_EQ(dib.dsBitfields[1], 0x07E0u);
    EXPECT_EQ(dib.dsBitfields[2], 0x001Fu);
    SetPixel(canvas.dc(), 0, 2, RGB(255, 0, 0));
    SetPixel(canvas.dc(), 1, 2, RGB(0, 255, 0));
    const auto* row = static_cast<const std::uint16_t*>(memory);  // bottom-up: the last row comes first
    EXPECT_EQ(row[0], 0xF800);
    EXPECT_EQ(row[1], 0x07E0);
}

TEST(DibSection, RefusesInvalidHeadersWithoutError) {
    auto refuse = [](BITMAPINFO info) {
        SetLastError(1234);
        void* memory = reinterpret_cast<void*>(1);
        EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0), nullptr);
        EXPECT_EQ(memory, nullptr);
        EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    };
    refuse(MakeInfo(0, 5, 24));
    refuse(MakeInfo(-3, 5, 24));
    refuse(MakeInfo(5, 0, 24));
    refuse(MakeInfo(5, 5, 2));
    refuse(MakeInfo(5, 5, 12));
    refuse(MakeInfo(5, 5, 8, BI_RLE8));
    refuse(MakeInfo(5, 5, 24, BI_BITFIELDS));
    refuse(MakeInfo(5, 5, 16, BI_BITFIELDS));  // zero masks
    BITMAPINFO planes = MakeInfo(5, 5, 24);
    planes.bmiHeader.biPlanes = 2;
    refuse(planes);
    BITMAPINFO colours = MakeInfo(5, 5, 4);
    colours.bmiHeader.biClrUsed = 17;
    refuse(colours);
    BITMAPINFO shortHeader = MakeInfo(5, 5, 24);
    shortHeader.bmiHeader.biSize = 12;
    refuse(shortHeader);
}

TEST(DibSection, RefusesAbsurdSizesAsOutOfMemory) {
    for (BITMAPINFO info : {MakeInfo(0x7FFFFFFF, 0x7FFFFFFF, 32), MakeInfo(0x7FFFFFFF, -0x7FFFFFFF, 1),
                            MakeInfo(8193, 8192, 32), MakeInfo(1, INT32_MIN + 1, 24)}) {
        SetLastError(0);
        EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr, nullptr, 0), nullptr);
        EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
    }
    BITMAPINFO limit = MakeInfo(8192, 8192, 32);  // exactly 256 MiB is still allowed
    HBITMAP bitmap = CreateDIBSection(nullptr, &limit, DIB_RGB_COLORS, nullptr, nullptr, 0);
    EXPECT_NE(bitmap, nullptr);
    DeleteObject(bitmap);
}

TEST(DibSection, PaletteIndexTableResolvesThroughTheContextPalette) {
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info = MakeInfo(2, 1, 1);
    auto* indices = reinterpret_cast<std::uint16_t*>(info.bmiColors);
    indices[0] = 19;  // white in the default palette
    indices[1] = 13;  // red
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_PAL_COLORS, nullptr, nullptr, 0);
    HBITMAP old = SelectObject(dc, bitmap);
    RGBQUAD colors[2];
    ASSERT_EQ(GetDIBColorTable(dc, 0, 2, colors), 2u);
    EXPECT_EQ(colors[0].rgbRed, 255);
    EXPECT_EQ(colors[0].rgbBlue, 255);
    EXPECT_EQ(colors[1].rgbRed, 255);
    EXPECT_EQ(colors[1].rgbGreen, 0);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST(Selection, BitmapLivesInOneContextAndCannotBeDeletedThere) {
    HDC first = CreateCompatibleDC(nullptr);
    HDC second = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(3, 3, 1, 32, nullptr);
    HBITMAP stock = SelectObject(first, bitmap);
    ASSERT_NE(stock, nullptr);
    EXPECT_EQ(GetCurrentBitmap(first), bitmap);
    EXPECT_EQ(SelectObject(second, bitmap), nullptr);
    EXPECT_FALSE(DeleteObject(bitmap));
    // Deleting the context frees the bitmap for deletion but does not delete it.
    EXPECT_TRUE(DeleteDC(first));
    BITMAP description;
    EXPECT_EQ(GetObject(bitmap, sizeof description, &description), kBitmapObjectSize);
    EXPECT_EQ(SelectObject(second, bitmap), stock);
    EXPECT_EQ(SelectObject(second, stock), bitmap);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_EQ(GetObject(bitmap, sizeof description, &description), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_TRUE(DeleteDC(second));
    EXPECT_FALSE(DeleteDC(second));
}

TEST(Selection, ContextStartsWithDocumentedDefaults) {
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAP description;
    GetObject(GetCurrentBitmap(dc), sizeof description, &description);
    EXPECT_EQ(description.bmWidth, 1);
    EXPECT_EQ(description.bmHeight, 1);
    EXPECT_EQ(description.bmBitsPixel, 1);
    EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetStretchBltMode(dc), BLACKONWHITE);
    POINT origin{5, 5};
    EXPECT_TRUE(GetBrushOrgEx(dc, &origin));
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    EXPECT_EQ(SelectObject(dc, GetStockBrush(BLACK_BRUSH)), GetStockBrush(WHITE_BRUSH));
    DeleteDC(dc);
}

}  // namespace
}  // namespace plexon::gdi

namespace plexon::gdi {
namespace {

TEST(PixelValues, SixteenBitPixelsPackAndExpandChannels) {
    void* memory = nullptr;
    test::Canvas canvas(test::MakeDib(3, -1, 16, &memory));
    EXPECT_EQ(SetPixel(canvas.dc(), 0, 0, RGB(255, 0, 0)), RGB(255, 0, 0));
    EXPECT_EQ(SetPixel(canvas.dc(), 1, 0, RGB(0, 255, 8)), RGB(0, 255, 8));
    EXPECT_EQ(SetPixel(canvas.dc(), 2, 0, RGB(3, 3, 3)), RGB(0, 0, 0));  // below half a step
    const auto* values = static_cast<const std::uint16_t*>(memory);
    EXPECT_EQ(values[0], 0x7C00);
    EXPECT_EQ(values[1], 0x03E1);
    EXPECT_EQ(values[2], 0x0000);
}

TEST(PixelValues, PaletteTargetsStoreTheNearestEntry) {
    HPALETTE halftone = CreateHalftonePalette(nullptr);
    PALETTEENTRY entries[256];
    GetPaletteEntries(halftone, 0, 256, entries);
    DeleteObject(halftone);
    RGBQUAD colors[256];
    for (int i = 0; i < 256; ++i)
        colors[i] = RGBQUAD{entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
    void* memory = nullptr;
    test::Canvas canvas(test::MakeDib(7, 3, 8, &memory, colors, 256));
    EXPECT_EQ(SetPixel(canvas.dc(), 0, 0, RGB(50, 100, 149)), RGB(51, 102, 153));
    // All bits set is the last entry, white in the halftone table.
    PatBlt(canvas.dc(), 0, 0, 7, 3, WHITENESS);
    EXPECT_EQ(static_cast<std::uint8_t*>(memory)[0], 255);
    EXPECT_EQ(GetPixel(canvas.dc(), 3, 1), RGB(255, 255, 255));
}

TEST(PixelValues, MonochromeDeviceBitmapTakesNearestOfBlackAndWhite) {
    test::Canvas canvas(CreateBitmap(2, 1, 1, 1, nullptr));
    EXPECT_EQ(SetPixel(canvas.dc(), 0, 0, RGB(200, 200, 100)), RGB(255, 255, 255));
    EXPECT_EQ(SetPixel(canvas.dc(), 1, 0, RGB(100, 20, 200)), RGB(0, 0, 0));
}

}  // namespace
}  // namespace plexon::gdi
