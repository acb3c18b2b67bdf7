// All 256 ternary raster operations against a per-bit formula written out independently here, on
// colour, monochrome and palette targets.
#include <gtest/gtest.h>

#include "GdiTestSupport.h"

namespace plexon::gdi {
namespace {

using test::Canvas;

// Bit (p << 2 | s << 1 | d) of the operation index, for each bit of the three values.
std::uint32_t Expected(std::uint8_t index, std::uint32_t p, std::uint32_t s, std::uint32_t d, int bits) {
    std::uint32_t result = 0;
    for (int b = 0; b < bits; ++b) {
        const int pb = (p >> b) & 1, sb = (s >> b) & 1, db = (d >> b) & 1;
        result |= std::uint32_t((index >> (pb * 4 + sb * 2 + db)) & 1) << b;
    }
    return result;
}

DWORD RopCode(int index) {
    return DWORD(index) << 16;
}

TEST(RasterOperation, AllCodesOnTrueColourPixels) {
    constexpr int w = 7, h = 3;
    const COLORREF brushColor = RGB(0x5A, 0xC3, 0x0F);
    HBRUSH brush = CreateSolidBrush(brushColor);
    Canvas source(test::MakeDib(w, h, 32));
    test::Paint(source.dc(), w, h);
    for (int index = 0; index < 256; ++index) {
        void* memory = nullptr;
        Canvas target(test::MakeDib(w, -h, 32, &memory));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) SetPixel(target.dc(), x, y, test::PatternColor(y + 3, x + 1));
        HBRUSH old = SelectObject(target.dc(), brush);
        ASSERT_TRUE(BitBlt(target.dc(), 1, 0, w - 2, h, source.dc(), 0, 0, RopCode(index)));
        SelectObject(target.dc(), old);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const COLORREF d = test::PatternColor(y + 3, x + 1);
                const COLORREF want = x == 0 || x == w - 1 ? d
                                                           : Expected(std::uint8_t(index), brushColor,
                                                                      test::PatternColor(x - 1, y), d, 24);
                ASSERT_EQ(GetPixel(target.dc(), x, y), want) << "rop " << index << " at " << x << "," << y;
            }
    }
    DeleteObject(brush);
}

TEST(RasterOperation, AllCodesOnMonochromeBitsAtOddOffsets) {
    constexpr int w = 71, h = 2;
    Canvas source(CreateBitmap(w, h, 1, 1, nullptr));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixel(source.dc(), x, y, (x * 7 + y) % 3 ? RGB(255, 255, 255) : 0);
    for (int index = 0; index < 256; ++index) {
        for (HBRUSH brush : {GetStockBrush(WHITE_BRUSH), GetStockBrush(BLACK_BRUSH)}) {
            Canvas target(CreateBitmap(w, h, 1, 1, nullptr));
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) SetPixel(target.dc(), x, y, (x + y) % 2 ? RGB(255, 255, 255) : 0);
            SelectObject(target.dc(), brush);
            BitBlt(target.dc(), 3, 0, w - 5, h, source.dc(), 1, 0, RopCode(index));
            const std::uint32_t p = brush == GetStockBrush(WHITE_BRUSH) ? 1 : 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const std::uint32_t d = (x + y) % 2;
                    const bool inside = x >= 3 && x < w - 2;
                    const std::uint32_t s = ((x - 2) * 7 + y) % 3 ? 1 : 0;
                    const std::uint32_t want = inside ? Expected(std::uint8_t(index), p, s, d, 1) : d;
                    ASSERT_EQ(GetPixel(target.dc(), x, y), want ? RGB(255, 255, 255) : 0)
                        << "rop " << index << " at " << x << "," << y;
                }
            SelectObject(target.dc(), GetStockBrush(WHITE_BRUSH));
        }
    }
}

TEST(RasterOperation, AllCodesOnPaletteIndices) {
    RGBQUAD colors[16];
    for (int i = 0; i < 16; ++i) colors[i] = test::Quad(RGB(i * 16, 255 - i * 16, i * 8));
    constexpr int w = 9, h = 2;
    Canvas source(test::MakeDib(w, h, 4, nullptr, colors, 16));
    for (int index = 0; index < 256; ++index) {
        void* memory = nullptr;
        Canvas target(test::MakeDib(w, -h, 4, &memory, colors, 16));
        HDC sourceDc = source.dc();
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const RGBQUAD& s = colors[(x * 3 + y) % 16];
                SetPixel(sourceDc, x, y, RGB(s.rgbRed, s.rgbGreen, s.rgbBlue));
                const RGBQUAD& d = colors[(x + 5 * y) % 16];
                SetPixel(target.dc(), x, y, RGB(d.rgbRed, d.rgbGreen, d.rgbBlue));
            }
        HBRUSH brush = CreateSolidBrush(RGB(colors[9].rgbRed, colors[9].rgbGreen, colors[9].rgbBlue));
        SelectObject(target.dc(), brush);
        BitBlt(target.dc(), 0, 0, w, h, sourceDc, 0, 0, RopCode(index));
        SelectObject(target.dc(), GetStockBrush(WHITE_BRUSH));
        DeleteObject(brush);
        const auto* bytes = static_cast<const std::uint8_t*>(memory);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const std::uint32_t got = (bytes[y * 8 + x / 2] >> (x % 2 ? 0 : 4)) & 0xF;
                const std::uint32_t want =
                    Expected(std::uint8_t(index), 9, (x * 3 + y) % 16, (x + 5 * y) % 16, 4);
                ASSERT_EQ(got, want) << "rop " << index << " at " << x << "," << y;
            }
    }
}

TEST(RasterOperation, MaskPaintsBrushWhereMaskIsSet) {
    // 0x00E20746: the brush where the (monochrome) source is 1, the destination elsewhere.
    Canvas mask(CreateBitmap(3, 1, 1, 1, nullptr));
    SetPixel(mask.dc(), 1, 0, RGB(255, 255, 255));
    Canvas target(test::MakeDib(3, 1, 24));
    test::Paint(target.dc(), 3, 1);
    SetTextColor(target.dc(), 0);
    SetBkColor(target.dc(), RGB(255, 255, 255));
    HBRUSH brush = CreateSolidBrush(RGB(9, 8, 7));
    SelectObject(target.dc(), brush);
    BitBlt(target.dc(), 0, 0, 3, 1, mask.dc(), 0, 0, 0x00E20746);
    EXPECT_EQ(GetPixel(target.dc(), 0, 0), test::PatternColor(0, 0));
    EXPECT_EQ(GetPixel(target.dc(), 1, 0), RGB(9, 8, 7));
    EXPECT_EQ(GetPixel(target.dc(), 2, 0), test::PatternColor(2, 0));
    SelectObject(target.dc(), GetStockBrush(WHITE_BRUSH));
    DeleteObject(brush);
}

TEST(RasterOperation, NullBrushPaintsNothing) {
    Canvas target(CreateBitmap(3, 1, 1, 32, nullptr));
    SelectObject(target.dc(), GetStockBrush(NULL_BRUSH));
    EXPECT_TRUE(PatBlt(target.dc(), 0, 0, 3, 1, PATCOPY));
    EXPECT_EQ(GetPixel(target.dc(), 0, 0), RGB(0, 0, 0));
    EXPECT_FALSE(PatBlt(target.dc(), 0, 0, 3, 1, SRCCOPY));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

}  // namespace
}  // namespace plexon::gdi

namespace plexon::gdi {
namespace {

TEST(MaskedTransfer, KeepsTheTargetWhereTheMaskIsSetAndCopiesElsewhere) {
    test::Canvas source(test::MakeDib(7, 3, 24));
    test::Paint(source.dc(), 7, 3);
    test::Canvas mask(CreateBitmap(9, 4, 1, 1, nullptr));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 9; ++x) SetPixel(mask.dc(), x, y, (x + y) % 3 ? RGB(255, 255, 255) : 0);
    test::Canvas target(CreateBitmap(7, 3, 1, 32, nullptr));
    PatBlt(target.dc(), 0, 0, 7, 3, WHITENESS);
    ASSERT_TRUE(
        MaskBlt(target.dc(), 1, 0, 6, 3, source.dc(), 0, 0, mask.bitmap(), 2, 1, MAKEROP4(DSTCOPY, SRCCOPY)));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) {
            const bool set = x == 0 || (x - 1 + 2 + y + 1) % 3 != 0;
            ASSERT_EQ(GetPixel(target.dc(), x, y), set ? RGB(255, 255, 255) : test::PatternColor(x - 1, y))
                << x << "," << y;
        }
    // The mask has to cover the whole rectangle.
    EXPECT_FALSE(
        MaskBlt(target.dc(), 0, 0, 7, 3, source.dc(), 0, 0, mask.bitmap(), 3, 0, MAKEROP4(DSTCOPY, SRCCOPY)));
    EXPECT_FALSE(MaskBlt(target.dc(), 0, 0, 7, 3, source.dc(), 0, 0, source.bitmap(), 0, 0,
                         MAKEROP4(DSTCOPY, SRCCOPY)));
}

TEST(MaskedTransfer, CombinesTwoOperationsPerPixelOnPaletteIndices) {
    RGBQUAD colors[16];
    for (int i = 0; i < 16; ++i) colors[i] = test::Quad(RGB(i * 17, i * 17, 0));
    void* memory = nullptr;
    test::Canvas target(test::MakeDib(5, -1, 4, &memory, colors, 16));
    auto* bytes = static_cast<std::uint8_t*>(memory);
    bytes[0] = 0x12, bytes[1] = 0x34, bytes[2] = 0x50;
    test::Canvas mask(CreateBitmap(5, 1, 1, 1, nullptr));
    SetPixel(mask.dc(), 1, 0, RGB(255, 255, 255));
    SetPixel(mask.dc(), 4, 0, RGB(255, 255, 255));
    // Foreground inverts, background clears; no source needed.
    ASSERT_TRUE(
        MaskBlt(target.dc(), 0, 0, 5, 1, nullptr, 0, 0, mask.bitmap(), 0, 0, MAKEROP4(DSTINVERT, BLACKNESS)));
    EXPECT_EQ(bytes[0], 0x0D);
    EXPECT_EQ(bytes[1], 0x00);
    EXPECT_EQ(bytes[2], 0xA0);  // pixel 4 is the high nibble; the padding stays
}

}  // namespace
}  // namespace plexon::gdi
