// Rectangular clip regions: selecting, narrowing, cutting holes, and every kind of drawing obeying them.
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "DrawingTestSupport.h"
#include "platform/gdi/Regions.h"
#include "platform/gdi/Shapes.h"
#include "platform/gdi/Text.h"

namespace plexon::gdi {
namespace {

using test::Canvas;
using test::kBlack;
using test::kWhite;

bool Inside(const RECT& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

void FillAll(HDC dc, int width, int height) {
    RECT all{0, 0, width, height};
    FillRect(dc, &all, GetStockBrush(BLACK_BRUSH));
}

TEST(ClipRegions, SelectedRegionLimitsFillsToItsRectangle) {
    Canvas canvas(test::WhiteBitmap(47, 33));
    HRGN region = CreateRectRgn(30, 20, 5, 4);  // corners in any order
    EXPECT_EQ(SelectClipRgn(canvas.dc(), region), SIMPLEREGION);
    DeleteObject(region);  // the context keeps its own copy
    FillAll(canvas.dc(), 47, 33);
    for (int y = 0; y < 33; ++y)
        for (int x = 0; x < 47; ++x)
            ASSERT_EQ(GetPixel(canvas.dc(), x, y) == kBlack, Inside({5, 4, 30, 20}, x, y)) << x << "," << y;
    RECT box;
    EXPECT_EQ(GetClipBox(canvas.dc(), &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.bottom, 20);
    EXPECT_EQ(SelectClipRgn(canvas.dc(), nullptr), SIMPLEREGION);
    FillAll(canvas.dc(), 47, 33);
    EXPECT_EQ(test::CountPixels(canvas.dc(), 47, 33, kBlack), 47 * 33);
}

TEST(ClipRegions, ExcludingCutsAHoleThatEveryOperationRespects) {
    const RECT hole{2, 1, 5, 2};
    Canvas canvas(test::WhiteBitmap(7, 3));
    Canvas source(test::WhiteBitmap(7, 3));
    PatBlt(source.dc(), 0, 0, 7, 3, BLACKNESS);
    const std::pair<const char*, std::function<void(HDC)>> operations[] = {
        {"FillRect", [](HDC dc) { FillAll(dc, 7, 3); }},
        {"PatBlt", [](HDC dc) { PatBlt(dc, 0, 0, 7, 3, BLACKNESS); }},
        {"BitBlt", [&](HDC dc) { BitBlt(dc, 0, 0, 7, 3, source.dc(), 0, 0, SRCCOPY); }},
        {"Rectangle",
         [](HDC dc) {
             SelectObject(dc, GetStockBrush(BLACK_BRUSH));
             Rectangle(dc, 0, 0, 7, 3);
             SelectObject(dc, GetStockBrush(WHITE_BRUSH));
         }},
        {"SetPixel", [](HDC dc) {
             for (int y = 0; y < 3; ++y)
                 for (int x = 0; x < 7; ++x) SetPixel(dc, x, y, kBlack);
         }}};
    for (const auto& [what, operation] : operations) {
        PatBlt(canvas.dc(), 0, 0, 7, 3, WHITENESS);
        EXPECT_EQ(ExcludeClipRect(canvas.dc(), hole.left, hole.top, hole.right, hole.bottom), COMPLEXREGION);
        EXPECT_EQ(GetPixel(canvas.dc(), 3, 1), CLR_INVALID) << what;  // the hole cannot be read either
        operation(canvas.dc());
        SelectClipRgn(canvas.dc(), nullptr);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 7; ++x)
                ASSERT_EQ(GetPixel(canvas.dc(), x, y) == kWhite, Inside(hole, x, y))
                    << what << " " << x << "," << y;
    }
}

TEST(ClipRegions, IntersectingNarrowsStepByStepUntilNothingIsLeft) {
    Canvas canvas(test::WhiteBitmap(47, 33));
    EXPECT_EQ(IntersectClipRect(canvas.dc(), -10, -10, 20, 20), SIMPLEREGION);
    EXPECT_EQ(IntersectClipRect(canvas.dc(), 10, 5, 40, 30), SIMPLEREGION);
    RECT box;
    GetClipBox(canvas.dc(), &box);
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.top, 5);
    EXPECT_EQ(box.right, 20);
    EXPECT_EQ(box.bottom, 20);
    EXPECT_EQ(IntersectClipRect(canvas.dc(), 30, 30, 40, 40), NULLREGION);
    FillAll(canvas.dc(), 47, 33);
    EXPECT_EQ(GetClipBox(canvas.dc(), &box), NULLREGION);
    SelectClipRgn(canvas.dc(), nullptr);
    EXPECT_EQ(test::CountPixels(canvas.dc(), 47, 33, kWhite), 47 * 33);
}

TEST(ClipRegions, TextStaysInside) {
    Canvas canvas(test::WhiteBitmap(60, 20));
    IntersectClipRect(canvas.dc(), 0, 0, 10, 20);
    TextOut(canvas.dc(), 2, 2, "WWWWWWWW", 8);
    SelectClipRgn(canvas.dc(), nullptr);
    const RECT ink = test::InkBounds(canvas.dc(), 60, 20);
    EXPECT_FALSE(ink.right == 0);
    EXPECT_LE(ink.right, 10);
}

TEST(ClipRegions, BadHandlesAreRefused) {
    Canvas canvas(test::WhiteBitmap(7, 3));
    HRGN region = CreateRectRgn(0, 0, 1, 1);
    DeleteObject(region);
    EXPECT_EQ(SelectClipRgn(canvas.dc(), region), RGN_ERROR);
    EXPECT_EQ(DeleteObject(region), 0);
    EXPECT_EQ(IntersectClipRect(nullptr, 0, 0, 1, 1), RGN_ERROR);
    HRGN empty = CreateRectRgn(3, 3, 3, 9);
    EXPECT_EQ(SelectClipRgn(canvas.dc(), empty), NULLREGION);
    DeleteObject(empty);
}

}  // namespace
}  // namespace plexon::gdi
