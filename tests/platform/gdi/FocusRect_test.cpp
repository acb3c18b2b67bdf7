// The dotted focus rectangle: which pixels it inverts, that a second call restores them, clipping
// and degenerate rectangles.
#include <gtest/gtest.h>

#include "GdiTestSupport.h"
#include "platform/gdi/FocusRect.h"
#include "platform/gdi/Regions.h"

namespace plexon::gdi {
namespace {

using test::Canvas;
using test::PatternColor;

bool OnFrame(const RECT& r, int x, int y) {
    const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    return inside && (x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1);
}

COLORREF Inverted(COLORREF c) {
    return RGB(255 - GetRValue(c), 255 - GetGValue(c), 255 - GetBValue(c));
}

// Every pixel of a 24-bit canvas of the given size is inverted exactly where `expected` says.
template <class Expected>
void ExpectInverted(Canvas& canvas, int width, int height, Expected expected) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF original = PatternColor(x, y);
            EXPECT_EQ(GetPixel(canvas.dc(), x, y), expected(x, y) ? Inverted(original) : original)
                << "at " << x << "," << y;
        }
}

TEST(FocusRectDots, InvertEveryOtherPixelOfTheFrameOnACheckerboard) {
    Canvas canvas(test::MakeDib(47, 33, 24));
    test::Paint(canvas.dc(), 47, 33);
    const RECT r{3, 4, 40, 29};
    ASSERT_TRUE(DrawFocusRect(canvas.dc(), &r));
    ExpectInverted(canvas, 47, 33, [&](int x, int y) { return OnFrame(r, x, y) && (x + y) % 2 == 0; });
}

TEST(FocusRectDots, SecondDrawingRestoresThePicture) {
    Canvas canvas(test::MakeDib(7, 3, 32));
    test::Paint(canvas.dc(), 7, 3);
    const RECT r{0, 0, 7, 3};
    ASSERT_TRUE(DrawFocusRect(canvas.dc(), &r));
    ASSERT_TRUE(DrawFocusRect(canvas.dc(), &r));
    ExpectInverted(canvas, 7, 3, [](int, int) { return false; });
}

TEST(FocusRectDots, ThinRectanglesInvertEachPixelOnce) {
    Canvas canvas(test::MakeDib(9, 5, 24));
    test::Paint(canvas.dc(), 9, 5);
    const RECT line{1, 2, 8, 3};    // one pixel high
    const RECT column{4, 0, 5, 5};  // one pixel wide
    ASSERT_TRUE(DrawFocusRect(canvas.dc(), &line));
    ExpectInverted(canvas, 9, 5, [&](int x, int y) { return y == 2 && x >= 1 && x < 8 && (x + y) % 2 == 0; });
    test::Paint(canvas.dc(), 9, 5);
    ASSERT_TRUE(DrawFocusRect(canvas.dc(), &column));
    ExpectInverted(canvas, 9, 5, [&](int x, int y) { return x == 4 && (x + y) % 2 == 0; });
}

TEST(FocusRectDots, OneByOneInvertsItsPixelWhenOnTheCheckerboard) {
    Canvas canvas(test::MakeDib(1, 1, 24));
    test::Paint(canvas.dc(), 1, 1);
    const RECT r{0, 0, 1, 1};
    ASSERT_TRUE(DrawFocusRect(canvas.dc(), &r));
    EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), Inverted(PatternColor(0, 0)));
}

TEST(FocusRectLimits, KeepsToTheClipRegionAndTheBitmap) {
    Canvas canvas(test::MakeDib(20, 10, 24));
    test::Paint(canvas.dc(), 20, 10);
    HRGN clip = CreateRectRgn(0, 0, 10, 10);
    SelectClipRgn(canvas.dc(), clip);
    const RECT r{-4, -2, 30, 8};
    ASSERT_TRUE(DrawFocusRect(canvas.dc(), &r));
    SelectClipRgn(canvas.dc(), nullptr);  // reading is clipped too
    DeleteObject(clip);
    ExpectInverted(canvas, 20, 10, [&](int x, int y) { return x < 10 && OnFrame(r, x, y) && (x + y) % 2 == 0; });
}

TEST(FocusRectLimits, EmptyOrInvertedRectanglesDrawNothing) {
    Canvas canvas(test::MakeDib(7, 3, 24));
    test::Paint(canvas.dc(), 7, 3);
    const RECT empty{2, 1, 2, 3}, upsideDown{5, 3, 1, 0};
    EXPECT_TRUE(DrawFocusRect(canvas.dc(), &empty));
    EXPECT_TRUE(DrawFocusRect(canvas.dc(), &upsideDown));
    ExpectInverted(canvas, 7, 3, [](int, int) { return false; });
}

TEST(FocusRectLimits, RefusesADeadContextOrNoRectangle) {
    Canvas canvas(test::MakeDib(7, 3, 24));
    const RECT r{0, 0, 7, 3};
    EXPECT_FALSE(DrawFocusRect(nullptr, &r));
    EXPECT_FALSE(DrawFocusRect(canvas.dc(), nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}

}  // namespace
}  // namespace plexon::gdi
