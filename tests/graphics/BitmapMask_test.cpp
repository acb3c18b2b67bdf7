// Transparency masks and transparent drawing: masks of a colour, the automatic colour from the
// bottom-left pixel, rebuilding after changes, both ways of masked drawing, and ColorKeyCopy.
#include <gtest/gtest.h>

#include <vector>

#include "BitmapTestSupport.h"
#include "graphics/Bitmap.h"
#include "graphics/Masks.h"
#include "platform/gdi/Raster.h"

namespace plexon {
namespace {

using namespace test;

constexpr TColor kMagenta = 0xFF00FF;

// A w x h picture with a magenta frame-like pattern: pixel (x, y) is magenta when x + y is a
// multiple of 3, and one of three other colours elsewhere; the bottom-left pixel is magenta for
// heights of the form 3k + 1.
TColor PatternAt(int x, int y) {
    if ((x + y) % 3 == 0) return kMagenta;
    const TColor others[3] = {clRed, clBlue, TColor(0x336699)};
    return others[(x * 7 + y) % 3];
}

void Paint(TBitmap& bitmap, int width, int height) {
    bitmap.SetHeight(height);
    bitmap.SetWidth(width);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) bitmap.Canvas().SetPixels(x, y, PatternAt(x, y));
    }
}

std::uint32_t Rgb(TColor c) {
    return (std::uint32_t(c) & 0xFF) << 16 | (std::uint32_t(c) & 0xFF00) | (std::uint32_t(c) >> 16 & 0xFF);
}

void Fill(TBitmap& bitmap, int width, int height, TColor color) {
    bitmap.Canvas().Brush().SetColor(color);
    bitmap.SetHeight(height);
    bitmap.SetWidth(width);
}

// The 1-bit mask's bits as 0 / 1, top row first.
std::vector<int> MaskBits(gdi::HBITMAP mask, int width, int height) {
    TBitmap view;
    view.SetHandle(mask);
    std::vector<int> bits;
    for (std::uint32_t p : RgbPixels(view)) bits.push_back(p == 0xFFFFFF ? 1 : 0);
    view.DetachHandle();
    EXPECT_EQ(int(bits.size()), width * height);
    return bits;
}

TEST(MakeMaskBitmap, OneWhereThePixelHasTheColour) {
    for (auto [w, h] : {std::pair{47, 33}, std::pair{1, 1}, std::pair{7, 3}}) {
        TBitmap bitmap;
        Paint(bitmap, w, h);
        for (bool section : {false, true}) {
            if (section) bitmap.SetPixelLayout(BitmapPixelLayout::Bits24);
            const gdi::HBITMAP mask = MakeMaskBitmap(bitmap.Handle(), nullptr, gdi::COLORREF(kMagenta));
            const std::vector<int> bits = MaskBits(mask, w, h);
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) EXPECT_EQ(bits[std::size_t(y * w + x)], (x + y) % 3 == 0 ? 1 : 0);
            }
            gdi::DeleteObject(mask);
        }
    }
}

TEST(MakeMaskBitmap, NoneGivesAnEmptyMaskAndNoHandleNoMask) {
    TBitmap bitmap;
    Paint(bitmap, 7, 3);
    const gdi::HBITMAP mask = MakeMaskBitmap(bitmap.Handle(), nullptr, gdi::COLORREF(clNone));
    for (int bit : MaskBits(mask, 7, 3)) EXPECT_EQ(bit, 0);
    gdi::DeleteObject(mask);
    EXPECT_EQ(MakeMaskBitmap(nullptr, nullptr, 0), nullptr);
}

TEST(MakeMask, TurnsTheBitmapIntoItsMask) {
    TBitmap bitmap;
    Paint(bitmap, 7, 3);
    int notified = 0;
    bitmap.ChangeHandler = [&](TGraphic*) { ++notified; };
    bitmap.MakeMask(kMagenta);
    EXPECT_TRUE(bitmap.IsMonochrome());
    EXPECT_EQ(bitmap.Width(), 7);
    EXPECT_EQ(bitmap.Height(), 3);
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(RgbAt(bitmap, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(RgbAt(bitmap, 1, 0), 0u);
}

// The mask's header asks for no particular depth (only its description says 1 bit): resizing it
// makes a bitmap of the display's depth that keeps the mask's pixels and adds white.
TEST(MakeMask, ResizingTheMaskGivesADisplayDepthBitmap) {
    TBitmap bitmap;
    Paint(bitmap, 7, 3);
    bitmap.MakeMask(kMagenta);
    bitmap.SetWidth(9);
    EXPECT_FALSE(bitmap.IsMonochrome());
    EXPECT_EQ(bitmap.Image().Dib.dsBm.bmBitsPixel, 32);
    EXPECT_EQ(RgbAt(bitmap, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(RgbAt(bitmap, 1, 0), 0u);
    EXPECT_EQ(RgbAt(bitmap, 8, 2), 0xFFFFFFu);
}

TEST(MakeMask, ColourTheImageLacksGivesAllZero) {
    TBitmap bitmap;
    LoadBytes(bitmap, MakeImage(47, 33, 4).Bytes());
    bitmap.MakeMask(TColor(0x010203));
    EXPECT_TRUE(bitmap.IsMonochrome());
    EXPECT_EQ(bitmap.Width(), 47);
    for (std::uint32_t p : RgbPixels(bitmap)) EXPECT_EQ(p, 0u);
}

TEST(MaskHandle, FollowsTheBottomLeftPixelAndIsRebuiltAfterAChange) {
    TBitmap bitmap;
    Paint(bitmap, 5, 3);  // bottom-left (0, 2) is 0x336699, not magenta
    std::vector<int> bits = MaskBits(bitmap.MaskHandle(), 5, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(bits[std::size_t(y * 5 + x)], PatternAt(x, y) == PatternAt(0, 2) ? 1 : 0);
        }
    }
    EXPECT_EQ(bitmap.MaskHandle(), bitmap.MaskHandle());  // still valid: not rebuilt
    bitmap.Canvas().SetPixels(0, 2, kMagenta);
    bits = MaskBits(bitmap.MaskHandle(), 5, 3);
    EXPECT_EQ(bits[10], 1);
    EXPECT_EQ(bits[0], 1);
    EXPECT_EQ(bits[1], 0);
}

TEST(MaskHandle, FixedColourAndMonochromeImages) {
    TBitmap bitmap;
    Paint(bitmap, 5, 4);
    bitmap.SetMaskColor(clBlue);
    const std::vector<int> bits = MaskBits(bitmap.MaskHandle(), 5, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(bits[std::size_t(y * 5 + x)], PatternAt(x, y) == clBlue ? 1 : 0);
    }
    bitmap.SetIsMonochrome(true);  // only white remains white: nothing was white
    bitmap.SetMaskColor(clDefault);
    for (int bit : MaskBits(bitmap.MaskHandle(), 5, 4)) EXPECT_EQ(bit, 0);
}

// What transparent drawing of the pattern over a green target must give.
std::vector<std::uint32_t> Expected(const std::vector<std::uint32_t>& target, int targetWidth, int x0, int y0,
                                    int width, int height, int scale) {
    std::vector<std::uint32_t> out = target;
    for (int y = 0; y < height * scale; ++y) {
        for (int x = 0; x < width * scale; ++x) {
            const TColor c = PatternAt(x / scale, y / scale);
            if (c != kMagenta) out[std::size_t((y0 + y) * targetWidth + x0 + x)] = Rgb(c);
        }
    }
    return out;
}

TEST(TransparentDrawing, MagentaBottomLeftDrawsSeeThrough) {
    for (auto [w, h] : {std::pair{47, 34}, std::pair{1, 1}, std::pair{7, 4}}) {
        SCOPED_TRACE(testing::Message() << w << "x" << h);
        TBitmap picture;
        Paint(picture, w, h);
        ASSERT_EQ(PatternAt(0, h - 1), kMagenta);
        picture.SetIsTransparent(true);
        TBitmap target;
        Fill(target, w + 3, h + 2, clLime);
        const std::vector<std::uint32_t> before = RgbPixels(target);
        target.Canvas().DrawGraphic(2, 1, &picture);
        EXPECT_EQ(RgbPixels(target), Expected(before, w + 3, 2, 1, w, h, 1));
    }
}

TEST(TransparentDrawing, MaskIsRebuiltAfterDrawingOnThePicture) {
    TBitmap picture;
    Paint(picture, 7, 4);
    picture.SetIsTransparent(true);
    TBitmap target;
    Fill(target, 7, 4, clLime);
    target.Canvas().DrawGraphic(0, 0, &picture);
    picture.Canvas().SetPixels(1, 0, kMagenta);  // was blue or red: now see-through
    Fill(target, 7, 4, clLime);
    TBitmap fresh;
    Fill(fresh, 7, 4, clLime);
    target.AssignFrom(&fresh);
    target.Canvas().DrawGraphic(0, 0, &picture);
    EXPECT_EQ(RgbAt(target, 1, 0), 0x00FF00u);
    EXPECT_EQ(RgbAt(target, 2, 0), Rgb(PatternAt(2, 0)));
}

TEST(TransparentDrawing, StretchedDrawingGoesThroughTheScratchBitmap) {
    TBitmap picture;
    Paint(picture, 7, 4);
    picture.SetIsTransparent(true);
    TBitmap target;
    Fill(target, 16, 10, clLime);
    const std::vector<std::uint32_t> before = RgbPixels(target);
    target.Canvas().StretchGraphic({1, 1, 15, 9}, &picture);
    EXPECT_EQ(RgbPixels(target), Expected(before, 16, 1, 1, 7, 4, 2));
}

TEST(TransparentDrawing, ATransparentPaletteImageKeepsItsColours) {
    TBitmap picture;
    Paint(picture, 7, 4);
    picture.SetPixelLayout(BitmapPixelLayout::Bits8);
    picture.SetIsTransparent(true);
    TBitmap target;
    Fill(target, 7, 4, clLime);
    const std::vector<std::uint32_t> before = RgbPixels(target);
    target.Canvas().DrawGraphic(0, 0, &picture);
    EXPECT_EQ(RgbPixels(target), Expected(before, 7, 0, 0, 7, 4, 1));
}

TEST(ColorKeyCopy, BrushIsPaintedWhereTheBitmapHasTheColour) {
    TBitmap picture;
    Paint(picture, 7, 4);
    TBitmap target;
    Fill(target, 9, 6, clLime);
    target.Canvas().Brush().SetColor(clYellow);
    target.Canvas().ColorKeyCopy({1, 1, 8, 5}, &picture, {0, 0, 7, 4}, clBlue);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 9; ++x) {
            std::uint32_t expected = 0x00FF00;
            if (x >= 1 && x < 8 && y >= 1 && y < 5) {
                const TColor c = PatternAt(x - 1, y - 1);
                expected = c == clBlue ? Rgb(clYellow) : Rgb(c);
            }
            EXPECT_EQ(RgbAt(target, x, y), expected) << x << "," << y;
        }
    }
}

TEST(ColorKeyCopy, ClearBrushLeavesTheCanvasAndStretches) {
    TBitmap picture;
    Paint(picture, 7, 4);
    TBitmap target;
    Fill(target, 16, 10, clLime);
    const std::vector<std::uint32_t> before = RgbPixels(target);
    target.Canvas().Brush().SetStyle(TBrushStyle::Clear);
    target.Canvas().ColorKeyCopy({1, 1, 15, 9}, &picture, {0, 0, 7, 4}, kMagenta);
    EXPECT_EQ(RgbPixels(target), Expected(before, 16, 1, 1, 7, 4, 2));
}

TEST(ColorKeyCopy, PartOfTheBitmapWithItsOwnMaskColour) {
    TBitmap picture;
    Paint(picture, 7, 4);
    TBitmap target;
    Fill(target, 3, 2, clLime);
    target.Canvas().Brush().SetColor(clBlack);
    // The picture's own mask colour (bottom-left magenta) serves directly.
    target.Canvas().ColorKeyCopy({0, 0, 3, 2}, &picture, {2, 1, 5, 3}, picture.MaskColor());
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            const TColor c = PatternAt(x + 2, y + 1);
            EXPECT_EQ(RgbAt(target, x, y), c == kMagenta ? 0u : Rgb(c)) << x << "," << y;
        }
    }
    EXPECT_EQ(picture.Width(), 7);  // the picture itself is not changed
    EXPECT_FALSE(picture.IsMonochrome());
}

TEST(ColorKeyCopy, MissingBitmapDoesNothing) {
    TBitmap target;
    Fill(target, 3, 2, clLime);
    target.Canvas().ColorKeyCopy({0, 0, 3, 2}, nullptr, {0, 0, 3, 2}, kMagenta);
    EXPECT_EQ(RgbAt(target, 0, 0), 0x00FF00u);
}

}  // namespace
}  // namespace plexon
