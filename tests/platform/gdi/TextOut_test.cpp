// Measuring and drawing runs of text: extents, where ink lands, colours and backgrounds, blending
// by target depth, and rotated text. Nothing here depends on the exact shapes of glyphs.
#include <gtest/gtest.h>

#include <set>

#include "DrawingTestSupport.h"
#include "platform/gdi/Text.h"

namespace plexon::gdi {
namespace {

using test::Canvas;
using test::Description;
using test::kBlack;
using test::kWhite;
using test::SelectedFont;

SIZE Extent(HDC dc, const char* text) {
    SIZE size{-1, -1};
    EXPECT_TRUE(GetTextExtentPoint32(dc, text, int(std::strlen(text)), &size));
    return size;
}

TEST(TextExtent, GrowsWithTheStringAndKeepsTheCellHeight) {
    Canvas canvas(test::WhiteBitmap(1, 1));
    SelectedFont font(canvas.dc(), Description("Tahoma", -11));
    TEXTMETRIC metrics;
    GetTextMetrics(canvas.dc(), &metrics);
    int previous = 0;
    for (const char* text : {"W", "We", "Wel", "Weld", "Weld strips"}) {
        const SIZE size = Extent(canvas.dc(), text);
        EXPECT_GT(size.cx, previous) << text;
        EXPECT_EQ(size.cy, metrics.tmHeight) << text;
        previous = size.cx;
    }
    EXPECT_EQ(Extent(canvas.dc(), "ab").cx, Extent(canvas.dc(), "a").cx + Extent(canvas.dc(), "b").cx);
    const SIZE empty = Extent(canvas.dc(), "");
    EXPECT_EQ(empty.cx, 0);
    EXPECT_EQ(empty.cy, metrics.tmHeight);
    SIZE size;
    EXPECT_FALSE(GetTextExtentPoint32(canvas.dc(), "abc", -1, &size));
    EXPECT_FALSE(GetTextExtentPoint32(canvas.dc(), "abc", 3, nullptr));
}

TEST(TextExtent, BoldIsWiderAndARotatedFontMeasuresUnrotated) {
    Canvas canvas(test::WhiteBitmap(1, 1));
    SIZE regular, bold, turned;
    {
        SelectedFont font(canvas.dc(), Description("Verdana", -13));
        regular = Extent(canvas.dc(), "45% done");
    }
    {
        SelectedFont font(canvas.dc(), Description("Verdana", -13, FW_BOLD));
        bold = Extent(canvas.dc(), "45% done");
    }
    {
        SelectedFont font(canvas.dc(), Description("Verdana", -13, FW_NORMAL, 900));
        turned = Extent(canvas.dc(), "45% done");
    }
    EXPECT_GT(bold.cx, regular.cx);
    EXPECT_EQ(turned.cx, regular.cx);
    EXPECT_EQ(turned.cy, regular.cy);
}

TEST(TextOutput, InkStaysInTheCellFromTheReferencePointInTheTextColour) {
    Canvas canvas(test::WhiteBitmap(120, 40));
    SelectedFont font(canvas.dc(), Description("Tahoma", -11));
    SetBkMode(canvas.dc(), TRANSPARENT);
    ASSERT_TRUE(TextOut(canvas.dc(), 10, 7, "Hello, World", 12));
    const SIZE size = Extent(canvas.dc(), "Hello, World");
    const RECT ink = test::InkBounds(canvas.dc(), 120, 40);
    EXPECT_GE(ink.left, 10);
    EXPECT_GE(ink.top, 7);
    EXPECT_LE(ink.right, 10 + size.cx);
    EXPECT_LE(ink.bottom, 7 + size.cy);
    EXPECT_GT(ink.right - ink.left, size.cx / 2);
}

TEST(TextOutput, FullyCoveredPixelsTakeTheTextColour) {
    Canvas canvas(test::WhiteBitmap(120, 40));
    SelectedFont font(canvas.dc(), Description("Tahoma", -24, FW_BOLD));
    SetTextColor(canvas.dc(), RGB(0, 0, 255));
    SetBkMode(canvas.dc(), TRANSPARENT);
    TextOut(canvas.dc(), 2, 2, "HIM", 3);
    EXPECT_GT(test::CountPixels(canvas.dc(), 120, 40, RGB(0, 0, 255)), 30);
}

TEST(TextOutput, OpaqueModeFillsTheCellTransparentModeLeavesIt) {
    const COLORREF yellow = RGB(255, 255, 0);
    for (int mode : {OPAQUE, TRANSPARENT}) {
        Canvas canvas(test::WhiteBitmap(80, 30));
        SelectedFont font(canvas.dc(), Description("Tahoma", -11));
        SetBkMode(canvas.dc(), mode);
        SetBkColor(canvas.dc(), yellow);
        SetTextColor(canvas.dc(), RGB(0, 0, 255));
        TextOut(canvas.dc(), 5, 5, "Fill", 4);
        const RECT cell{5, 5, 5 + Extent(canvas.dc(), "Fill").cx, 5 + Extent(canvas.dc(), "Fill").cy};
        const SIZE size = Extent(canvas.dc(), "Fill");
        const int yellowPixels = test::CountPixels(canvas.dc(), 80, 30, yellow);
        if (mode == OPAQUE) {
            EXPECT_EQ(test::InkBounds(canvas.dc(), 80, 30).left, 5);
            EXPECT_EQ(test::InkBounds(canvas.dc(), 80, 30).bottom, 5 + size.cy);
            EXPECT_GT(yellowPixels, size.cx * size.cy / 2);
            EXPECT_EQ(GetPixel(canvas.dc(), 5 + size.cx, 5), kWhite);
        } else {
            EXPECT_EQ(yellowPixels, 0);
        }
        // Blends of blue over the background: the glyphs are there in both modes.
        int blueish = 0;
        for (int y = cell.top; y < cell.bottom; ++y)
            for (int x = cell.left; x < cell.right; ++x) {
                const COLORREF c = GetPixel(canvas.dc(), x, y);
                blueish += GetBValue(c) > GetRValue(c) + 60;
            }
        EXPECT_GT(blueish, 5) << mode;
    }
}

TEST(TextOutput, OpaqueRectangleAndClippingOptions) {
    Canvas canvas(test::WhiteBitmap(80, 30));
    SetBkColor(canvas.dc(), RGB(0, 255, 0));
    SetBkMode(canvas.dc(), TRANSPARENT);
    const RECT box{2, 2, 20, 12};
    ASSERT_TRUE(ExtTextOut(canvas.dc(), 4, 4, ETO_OPAQUE | ETO_CLIPPED, &box, "WWWWWWWW", 8, nullptr));
    EXPECT_EQ(test::InkBounds(canvas.dc(), 80, 30).left, 2);
    EXPECT_EQ(test::InkBounds(canvas.dc(), 80, 30).right, 20);
    EXPECT_EQ(test::InkBounds(canvas.dc(), 80, 30).bottom, 12);
    EXPECT_TRUE(ExtTextOut(canvas.dc(), 4, 4, 0, nullptr, "", 0, nullptr));
    EXPECT_FALSE(ExtTextOut(canvas.dc(), 4, 4, 0, nullptr, nullptr, 3, nullptr));
}

TEST(TextOutput, GivenWidthsPlaceTheCharacters) {
    Canvas canvas(test::WhiteBitmap(200, 20));
    SetBkMode(canvas.dc(), TRANSPARENT);
    const int widths[3] = {60, 60, 60};
    ExtTextOut(canvas.dc(), 0, 0, 0, nullptr, "lll", 3, widths);
    EXPECT_GE(test::InkBounds(canvas.dc(), 200, 20).right, 121);
}

// The colours text leaves on a white target: blends on true-colour targets, table entries on palettes.
std::set<COLORREF> TextColours(HBITMAP bitmap, int width, int height) {
    Canvas canvas(bitmap);
    const RECT all{0, 0, width, height};
    FillRect(canvas.dc(), &all, GetStockBrush(WHITE_BRUSH));
    SelectedFont font(canvas.dc(), Description("Verdana", -13));
    SetBkMode(canvas.dc(), TRANSPARENT);
    TextOut(canvas.dc(), 1, 1, "Smooth oval glyphs", 18);
    std::set<COLORREF> colours;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) colours.insert(GetPixel(canvas.dc(), x, y));
    return colours;
}

TEST(TextBlending, AntialiasesOnTrueColourAndStaysSolidOnPalettes) {
    for (int bits : {16, 24, 32}) {
        const std::set<COLORREF> colours = TextColours(test::MakeDib(150, 20, bits), 150, 20);
        EXPECT_GT(colours.size(), 3u) << bits;
        EXPECT_TRUE(colours.count(kBlack)) << bits;
    }
    const RGBQUAD colors[4] = {test::Quad(kBlack), test::Quad(RGB(128, 128, 128)),
                               test::Quad(RGB(192, 192, 192)), test::Quad(kWhite)};
    const std::set<COLORREF> palette = TextColours(test::MakeDib(150, 20, 8, nullptr, colors, 4), 150, 20);
    EXPECT_EQ(palette, (std::set<COLORREF>{kBlack, kWhite}));
    const std::set<COLORREF> mono = TextColours(CreateBitmap(150, 20, 1, 1, nullptr), 150, 20);
    EXPECT_EQ(mono, (std::set<COLORREF>{kBlack, kWhite}));
}

TEST(RotatedText, NinetyDegreesRunsUpwardsFromTheReferencePoint) {
    Canvas canvas(test::WhiteBitmap(40, 200));
    SelectedFont font(canvas.dc(), Description("Verdana", -13, FW_NORMAL, 900));
    SetBkMode(canvas.dc(), TRANSPARENT);
    const SIZE size = Extent(canvas.dc(), "----");
    TextOut(canvas.dc(), 10, 150, "----", 4);
    const RECT short_ = test::InkBounds(canvas.dc(), 40, 200);
    EXPECT_GE(short_.left, 10);
    EXPECT_LE(short_.right, 10 + size.cy + 1);
    EXPECT_LE(short_.bottom, 151);
    EXPECT_GE(short_.top, 150 - size.cx - 1);
    EXPECT_GT(short_.bottom - short_.top, short_.right - short_.left);  // taller than wide
    TextOut(canvas.dc(), 10, 150, "--------", 8);
    const RECT long_ = test::InkBounds(canvas.dc(), 40, 200);
    EXPECT_LT(long_.top, short_.top - size.cx / 2);  // more text reaches further up
    EXPECT_EQ(long_.bottom, short_.bottom);
}

TEST(RotatedText, HalfATurnRunsLeftwardsAboveTheReferencePoint) {
    Canvas canvas(test::WhiteBitmap(200, 40));
    SelectedFont font(canvas.dc(), Description("Tahoma", -11, FW_NORMAL, 1800));
    SetBkMode(canvas.dc(), TRANSPARENT);
    TextOut(canvas.dc(), 150, 30, "Upside down", 11);
    const RECT ink = test::InkBounds(canvas.dc(), 200, 40);
    EXPECT_LE(ink.right, 151);
    EXPECT_LE(ink.bottom, 31);
    EXPECT_GT(ink.right - ink.left, 30);
}

TEST(RotatedText, OpaqueBackgroundTurnsWithTheText) {
    Canvas canvas(test::WhiteBitmap(40, 120));
    SelectedFont font(canvas.dc(), Description("Tahoma", -11, FW_NORMAL, 900));
    SetBkColor(canvas.dc(), RGB(255, 0, 0));
    TextOut(canvas.dc(), 10, 100, "Cell", 4);
    const SIZE size = Extent(canvas.dc(), "Cell");
    const RECT ink = test::InkBounds(canvas.dc(), 40, 120);
    EXPECT_EQ(ink.left, 10);
    EXPECT_EQ(ink.right, 10 + size.cy);
    EXPECT_EQ(ink.bottom, 100);
    EXPECT_EQ(ink.top, 100 - size.cx);
}

}  // namespace
}  // namespace plexon::gdi
