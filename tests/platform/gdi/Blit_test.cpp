// Block and stretched transfers between device bitmaps and DIB sections: copies, conversions,
// monochrome rules, clipping, stretching and mirroring.
#include <gtest/gtest.h>

#include "GdiTestSupport.h"
#include "platform/gdi/Objects.h"

namespace plexon::gdi {
namespace {

using test::Canvas;
using test::PatternColor;

constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

TEST(BlockCopy, PreservesEveryPixelBetweenTrueColourFormats) {
    for (int sourceBits : {24, 32}) {
        for (int targetBits : {0, 24, 32}) {  // 0: device bitmap
            for (auto [w, h] : {std::pair{47, 33}, {1, 1}, {7, 3}}) {
                Canvas source(test::MakeDib(w, sourceBits == 24 ? h : -h, sourceBits));
                test::Paint(source.dc(), w, h);
                Canvas target(targetBits ? test::MakeDib(w, h, targetBits)
                                         : CreateBitmap(w, h, 1, 32, nullptr));
                ASSERT_TRUE(BitBlt(target.dc(), 0, 0, w, h, source.dc(), 0, 0, SRCCOPY));
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x)
                        ASSERT_EQ(GetPixel(target.dc(), x, y), PatternColor(x, y))
                            << sourceBits << "->" << targetBits << " at " << x << "," << y;
            }
        }
    }
}

TEST(BlockCopy, DrawsPaletteImagesThroughTheirColourTable) {
    const RGBQUAD colors[4] = {test::Quad(RGB(10, 20, 30)), test::Quad(RGB(200, 0, 0)),
                               test::Quad(RGB(0, 200, 0)), test::Quad(RGB(1, 2, 3))};
    for (int bits : {1, 4, 8}) {
        const int count = bits == 1 ? 2 : 4;
        Canvas source(test::MakeDib(7, 3, bits, nullptr, colors, count));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 7; ++x) {
                const RGBQUAD& c = colors[(x + y) % count];
                SetPixel(source.dc(), x, y, RGB(c.rgbRed, c.rgbGreen, c.rgbBlue));
            }
        Canvas target(CreateBitmap(7, 3, 1, 32, nullptr));
        BitBlt(target.dc(), 0, 0, 7, 3, source.dc(), 0, 0, SRCCOPY);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 7; ++x) {
                const RGBQUAD& c = colors[(x + y) % count];
                ASSERT_EQ(GetPixel(target.dc(), x, y), RGB(c.rgbRed, c.rgbGreen, c.rgbBlue)) << bits;
            }
    }
}

TEST(BlockCopy, MonochromeSourceTakesTargetTextAndBackgroundColours) {
    Canvas mono(CreateBitmap(7, 3, 1, 1, nullptr));
    PatBlt(mono.dc(), 0, 0, 7, 3, BLACKNESS);
    SetPixel(mono.dc(), 2, 1, kWhite);
    Canvas target(CreateBitmap(7, 3, 1, 32, nullptr));
    SetTextColor(target.dc(), RGB(255, 0, 0));
    SetBkColor(target.dc(), RGB(0, 0, 255));
    SetTextColor(mono.dc(), RGB(1, 1, 1));  // the source context's colours play no part
    BitBlt(target.dc(), 0, 0, 7, 3, mono.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(GetPixel(target.dc(), 2, 1), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(target.dc(), 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(target.dc(), 6, 2), RGB(255, 0, 0));
}

TEST(BlockCopy, ColourSourceBecomesOneWhereItEqualsTheSourceBackground) {
    Canvas source(CreateBitmap(7, 3, 1, 32, nullptr));
    test::Paint(source.dc(), 7, 3);
    SetPixel(source.dc(), 4, 2, RGB(255, 0, 255));
    SetPixel(source.dc(), 0, 0, RGB(255, 0, 255));
    SetBkColor(source.dc(), RGB(255, 0, 255));
    Canvas mask(CreateBitmap(7, 3, 1, 1, nullptr));
    SetBkColor(mask.dc(), RGB(0, 255, 0));  // the target's background does not matter
    BitBlt(mask.dc(), 0, 0, 7, 3, source.dc(), 0, 0, SRCCOPY);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) {
            const bool magenta = (x == 4 && y == 2) || (x == 0 && y == 0);
            EXPECT_EQ(GetPixel(mask.dc(), x, y), magenta ? kWhite : kBlack) << x << "," << y;
        }
}

TEST(BlockCopy, MonochromeToMonochromeCopiesBits) {
    Canvas source(CreateBitmap(47, 3, 1, 1, nullptr));
    for (int x = 0; x < 47; ++x) SetPixel(source.dc(), x, 1, x % 3 ? kWhite : kBlack);
    Canvas target(CreateBitmap(47, 3, 1, 1, nullptr));
    SetTextColor(target.dc(), RGB(255, 0, 0));
    BitBlt(target.dc(), 1, 0, 46, 3, source.dc(), 0, 0, SRCCOPY);
    for (int x = 1; x < 47; ++x) ASSERT_EQ(GetPixel(target.dc(), x, 1), (x - 1) % 3 ? kWhite : kBlack) << x;
}

TEST(BlockCopy, ColourToPaletteTargetPicksNearestEntry) {
    const RGBQUAD colors[3] = {test::Quad(kBlack), test::Quad(RGB(250, 0, 0)), test::Quad(kWhite)};
    void* memory = nullptr;
    Canvas target(test::MakeDib(3, -1, 8, &memory, colors, 3));
    Canvas source(CreateBitmap(3, 1, 1, 32, nullptr));
    SetPixel(source.dc(), 0, 0, RGB(200, 30, 30));
    SetPixel(source.dc(), 1, 0, RGB(230, 230, 230));
    SetPixel(source.dc(), 2, 0, RGB(20, 20, 20));
    BitBlt(target.dc(), 0, 0, 3, 1, source.dc(), 0, 0, SRCCOPY);
    const auto* indices = static_cast<const std::uint8_t*>(memory);
    EXPECT_EQ(indices[0], 1);
    EXPECT_EQ(indices[1], 2);
    EXPECT_EQ(indices[2], 0);
}

TEST(Clipping, KeepsTransfersInsideTheTargetAtEveryEdge) {
    struct Case {
        int x, y;
    };
    for (Case c :
         {Case{-3, 0}, Case{0, -2}, Case{5, 0}, Case{0, 2}, Case{-6, -2}, Case{6, 2}, Case{-100, 0}}) {
        Canvas source(CreateBitmap(7, 3, 1, 32, nullptr));
        test::Paint(source.dc(), 7, 3);
        Canvas target(test::MakeDib(7, 3, 24));
        PatBlt(target.dc(), 0, 0, 7, 3, WHITENESS);
        BitBlt(target.dc(), c.x, c.y, 7, 3, source.dc(), 0, 0, SRCCOPY);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 7; ++x) {
                const int sx = x - c.x, sy = y - c.y;
                const bool covered = sx >= 0 && sx < 7 && sy >= 0 && sy < 3;
                ASSERT_EQ(GetPixel(target.dc(), x, y), covered ? PatternColor(sx, sy) : kWhite)
                    << c.x << "," << c.y << " at " << x << "," << y;
            }
    }
}

TEST(Clipping, SourceRectangleOutsideTheSourceLeavesThoseTargetPixelsAlone) {
    Canvas source(CreateBitmap(7, 3, 1, 32, nullptr));
    test::Paint(source.dc(), 7, 3);
    Canvas target(CreateBitmap(7, 3, 1, 32, nullptr));
    PatBlt(target.dc(), 0, 0, 7, 3, WHITENESS);
    BitBlt(target.dc(), 0, 0, 7, 3, source.dc(), 4, -1, SRCCOPY);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) {
            const int sx = x + 4, sy = y - 1;
            const bool inside = sx < 7 && sy >= 0;
            ASSERT_EQ(GetPixel(target.dc(), x, y), inside ? PatternColor(sx, sy) : kWhite) << x << "," << y;
        }
}

TEST(Clipping, CopyWithinOneBitmapUsesTheOriginalPixels) {
    Canvas canvas(test::MakeDib(7, 3, 32));
    test::Paint(canvas.dc(), 7, 3);
    BitBlt(canvas.dc(), 1, 1, 6, 2, canvas.dc(), 0, 0, SRCCOPY);
    for (int y = 1; y < 3; ++y)
        for (int x = 1; x < 7; ++x) ASSERT_EQ(GetPixel(canvas.dc(), x, y), PatternColor(x - 1, y - 1));
}

TEST(Stretch, NearestNeighbourDoublesAndMirrors) {
    Canvas source(CreateBitmap(7, 3, 1, 32, nullptr));
    test::Paint(source.dc(), 7, 3);
    Canvas target(CreateBitmap(14, 6, 1, 32, nullptr));
    SetStretchBltMode(target.dc(), COLORONCOLOR);
    StretchBlt(target.dc(), 0, 0, 14, 6, source.dc(), 0, 0, 7, 3, SRCCOPY);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 14; ++x) ASSERT_EQ(GetPixel(target.dc(), x, y), PatternColor(x / 2, y / 2));
    StretchBlt(target.dc(), 13, 0, -14, 6, source.dc(), 0, 0, 7, 3, SRCCOPY);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 14; ++x) ASSERT_EQ(GetPixel(target.dc(), x, y), PatternColor(6 - x / 2, y / 2));
    StretchBlt(target.dc(), 0, 0, 7, 3, source.dc(), 0, 2, 7, -3, SRCCOPY);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) ASSERT_EQ(GetPixel(target.dc(), x, y), PatternColor(x, 2 - y));
}

TEST(Stretch, HalftoneAveragesTheSourceArea) {
    Canvas source(test::MakeDib(4, 2, 24));
    for (int x = 0; x < 4; ++x) {
        SetPixel(source.dc(), x, 0, x % 2 ? kWhite : kBlack);
        SetPixel(source.dc(), x, 1, RGB(100, 0, 200));
    }
    Canvas target(test::MakeDib(2, 1, 32));
    SetStretchBltMode(target.dc(), HALFTONE);
    StretchBlt(target.dc(), 0, 0, 2, 1, source.dc(), 0, 0, 4, 2, SRCCOPY);
    // Each target pixel covers one black, one white and two (100, 0, 200) pixels.
    EXPECT_EQ(GetPixel(target.dc(), 0, 0), RGB(114, 64, 164));
    EXPECT_EQ(GetPixel(target.dc(), 1, 0), RGB(114, 64, 164));
}

TEST(Fill, PatBltWhitenessSetsAllBits) {
    void* memory = nullptr;
    const RGBQUAD colors[16] = {test::Quad(kBlack)};
    Canvas palette(test::MakeDib(7, 3, 4, &memory, colors, 16));
    PatBlt(palette.dc(), 0, 0, 7, 3, WHITENESS);
    const auto* bytes = static_cast<const std::uint8_t*>(memory);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[3], 0xF0);                              // the padding of the row keeps its zero
    EXPECT_EQ(GetPixel(palette.dc(), 6, 2), RGB(0, 0, 0));  // entry 15 of this table is black
    Canvas colour(CreateBitmap(7, 3, 1, 32, nullptr));
    PatBlt(colour.dc(), 0, 0, 7, 3, WHITENESS);
    EXPECT_EQ(GetPixel(colour.dc(), 6, 2), kWhite);
    PatBlt(colour.dc(), 1, 1, 2, 1, BLACKNESS);
    EXPECT_EQ(GetPixel(colour.dc(), 1, 1), kBlack);
    EXPECT_EQ(GetPixel(colour.dc(), 3, 1), kWhite);
    PatBlt(colour.dc(), 0, 0, 7, 3, DSTINVERT);
    EXPECT_EQ(GetPixel(colour.dc(), 1, 1), kWhite);
    EXPECT_EQ(GetPixel(colour.dc(), 0, 0), kBlack);
}

TEST(Fill, RasterOperationsKeepTheSpareByteOfTheDisplayFormatZero) {
    void* memory = nullptr;
    Canvas dib(test::MakeDib(7, 3, 32, &memory, nullptr, 0));
    const auto* bytes = static_cast<const std::uint8_t*>(memory);
    for (DWORD rop : {WHITENESS, DSTINVERT, PATINVERT}) {
        PatBlt(dib.dc(), 0, 0, 7, 3, rop);
        for (int i = 0; i < 7 * 3; ++i) ASSERT_EQ(bytes[4 * i + 3], 0) << "rop " << rop << " pixel " << i;
    }
    Canvas device(CreateBitmap(7, 3, 1, 32, nullptr));
    PatBlt(device.dc(), 0, 0, 7, 3, WHITENESS);
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{40, 7, 3, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::uint8_t read[7 * 3 * 4];
    ASSERT_EQ(GetDIBits(device.dc(), GetCurrentBitmap(device.dc()), 0, 3, read, &info, DIB_RGB_COLORS), 3);
    for (int i = 0; i < 7 * 3; ++i) ASSERT_EQ(read[4 * i + 3], 0) << "pixel " << i;
}

TEST(Fill, FillRectCoversLeftToRightExclusive) {
    Canvas canvas(test::MakeDib(7, 3, 8, nullptr, nullptr, 0));
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
    Canvas colour(CreateBitmap(7, 3, 1, 32, nullptr));
    const RECT r{1, 1, 4, 2};
    EXPECT_TRUE(FillRect(colour.dc(), &r, brush));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(GetPixel(colour.dc(), x, y), (x >= 1 && x < 4 && y == 1) ? RGB(0, 0, 255) : kBlack);
    EXPECT_TRUE(FillRect(colour.dc(), &r, GetStockBrush(NULL_BRUSH)));
    EXPECT_EQ(GetPixel(colour.dc(), 1, 1), RGB(0, 0, 255));
    EXPECT_TRUE(DeleteObject(brush));
}

TEST(Pixels, OutsideTheBitmapReadAndWriteNothing) {
    Canvas canvas(CreateBitmap(7, 3, 1, 32, nullptr));
    EXPECT_EQ(GetPixel(canvas.dc(), 7, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(canvas.dc(), 0, -1), CLR_INVALID);
    EXPECT_EQ(SetPixel(canvas.dc(), -1, 0, kWhite), CLR_INVALID);
    EXPECT_EQ(SetPixel(canvas.dc(), 6, 2, RGB(1, 2, 3)), RGB(1, 2, 3));
}

TEST(Pixels, PaletteColoursResolveThroughTheSelectedPalette) {
    Canvas canvas(CreateBitmap(2, 1, 1, 32, nullptr));
    LOGPALETTE logical;
    logical.palNumEntries = 2;
    logical.palPalEntry[1] = {10, 20, 30, 0};
    HPALETTE palette = CreatePalette(&logical);
    HPALETTE old = SelectPalette(canvas.dc(), palette, 1);
    EXPECT_EQ(SetPixel(canvas.dc(), 0, 0, PALETTEINDEX(1)), RGB(10, 20, 30));
    EXPECT_EQ(SetPixel(canvas.dc(), 1, 0, 0x02000000u | RGB(5, 6, 7)), RGB(5, 6, 7));
    EXPECT_FALSE(DeleteObject(palette));
    SelectPalette(canvas.dc(), old, 1);
    EXPECT_TRUE(DeleteObject(palette));
}

}  // namespace
}  // namespace plexon::gdi

namespace plexon::gdi {
namespace {

TEST(Stretch, MonochromeShrinkKeepsBlackOrWhiteByMode) {
    test::Canvas source(CreateBitmap(4, 2, 1, 1, nullptr));
    PatBlt(source.dc(), 0, 0, 4, 2, WHITENESS);
    SetPixel(source.dc(), 1, 1, 0);  // one black pixel in the left half
    SetPixel(source.dc(), 2, 0, 0);
    SetPixel(source.dc(), 3, 0, 0);
    SetPixel(source.dc(), 2, 1, 0);
    SetPixel(source.dc(), 3, 1, 0);  // the right half all black
    const struct {
        int mode;
        COLORREF left, right;
    } cases[] = {{BLACKONWHITE, 0, 0}, {WHITEONBLACK, RGB(255, 255, 255), 0}};
    for (const auto& c : cases) {
        test::Canvas target(CreateBitmap(2, 1, 1, 1, nullptr));
        SetStretchBltMode(target.dc(), c.mode);
        StretchBlt(target.dc(), 0, 0, 2, 1, source.dc(), 0, 0, 4, 2, SRCCOPY);
        EXPECT_EQ(GetPixel(target.dc(), 0, 0), c.left) << c.mode;
        EXPECT_EQ(GetPixel(target.dc(), 1, 0), c.right) << c.mode;
    }
}

TEST(Stretch, ClipsToTheSourceConsistently) {
    test::Canvas source(CreateBitmap(7, 3, 1, 32, nullptr));
    test::Paint(source.dc(), 7, 3);
    for (int mode : {COLORONCOLOR, HALFTONE}) {
        test::Canvas target(CreateBitmap(14, 6, 1, 32, nullptr));
        PatBlt(target.dc(), 0, 0, 14, 6, WHITENESS);
        SetStretchBltMode(target.dc(), mode);
        // The source rectangle starts 2 columns left of the source: the first 4 target columns stay white.
        StretchBlt(target.dc(), 0, 0, 14, 6, source.dc(), -2, 0, 7, 3, SRCCOPY);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 14; ++x)
                ASSERT_EQ(GetPixel(target.dc(), x, y),
                          x < 4 ? RGB(255, 255, 255) : test::PatternColor(x / 2 - 2, y / 2))
                    << mode << " at " << x << "," << y;
    }
}

TEST(Stretch, HalftoneOntoPaletteTargetPicksNearestOfTheAverage) {
    test::Canvas source(test::MakeDib(2, 1, 24));
    SetPixel(source.dc(), 0, 0, RGB(255, 0, 0));
    SetPixel(source.dc(), 1, 0, RGB(0, 0, 255));
    const RGBQUAD colors[3] = {test::Quad(RGB(255, 0, 0)), test::Quad(RGB(128, 0, 128)),
                               test::Quad(RGB(0, 0, 255))};
    void* memory = nullptr;
    test::Canvas target(test::MakeDib(1, 1, 8, &memory, colors, 3));
    SetStretchBltMode(target.dc(), HALFTONE);
    StretchBlt(target.dc(), 0, 0, 1, 1, source.dc(), 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(static_cast<std::uint8_t*>(memory)[0], 1);
}

TEST(Clipping, ContextClipRectangleLimitsEveryDrawingOperation) {
    test::Canvas canvas(CreateBitmap(7, 3, 1, 32, nullptr));
    canvas.dc()->clip = RECT{2, 1, 5, 2};
    PatBlt(canvas.dc(), 0, 0, 7, 3, WHITENESS);
    EXPECT_EQ(SetPixel(canvas.dc(), 0, 0, RGB(255, 0, 0)), CLR_INVALID);
    EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), CLR_INVALID);
    canvas.dc()->clip.reset();
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(GetPixel(canvas.dc(), x, y), (x >= 2 && x < 5 && y == 1) ? RGB(255, 255, 255) : 0);
}

}  // namespace
}  // namespace plexon::gdi

namespace plexon::gdi {
namespace {

TEST(Clipping, HugeOrExtremeRectanglesAreSafe) {
    test::Canvas source(CreateBitmap(7, 3, 1, 32, nullptr));
    test::Paint(source.dc(), 7, 3);
    test::Canvas target(CreateBitmap(7, 3, 1, 32, nullptr));
    EXPECT_TRUE(
        StretchBlt(target.dc(), -1000000, -1000000, 1 << 30, 1 << 30, source.dc(), 0, 0, 7, 3, SRCCOPY));
    EXPECT_TRUE(StretchBlt(target.dc(), 0, 0, 7, 3, source.dc(), -(1 << 29), 0, 1 << 30, 3, SRCCOPY));
    EXPECT_FALSE(StretchBlt(target.dc(), 0, 0, INT32_MIN, 3, source.dc(), 0, 0, 7, 3, SRCCOPY));
    EXPECT_FALSE(BitBlt(target.dc(), INT32_MAX, 0, 7, 3, source.dc(), 0, 0, SRCCOPY));
    EXPECT_FALSE(PatBlt(target.dc(), INT32_MIN, 0, -7, 3, WHITENESS));
    EXPECT_TRUE(PatBlt(target.dc(), INT32_MIN + 7, 0, -7, 3, WHITENESS));
    EXPECT_TRUE(BitBlt(target.dc(), 2, 1, -2, -1, source.dc(), 5, 2, SRCCOPY));
    EXPECT_EQ(GetPixel(target.dc(), 0, 0), test::PatternColor(3, 1));
    EXPECT_EQ(GetPixel(target.dc(), 1, 0), test::PatternColor(4, 1));
}

}  // namespace
}  // namespace plexon::gdi
