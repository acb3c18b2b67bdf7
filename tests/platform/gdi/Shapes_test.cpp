// Rectangles, ellipses, polygons, lines, frames and inversion on the half-open pixel rules.
#include <gtest/gtest.h>

#include <climits>

#include "DrawingTestSupport.h"
#include "platform/gdi/Shapes.h"

namespace plexon::gdi {
namespace {

using test::Canvas;
using test::kBlack;
using test::kWhite;

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

// A canvas with a blue brush and the default black pen.
class ShapeCanvas : public Canvas {
  public:
    ShapeCanvas(int width, int height)
        : Canvas(test::WhiteBitmap(width, height)), brush_(CreateSolidBrush(kBlue)) {
        previousBrush_ = SelectObject(dc(), brush_);
    }
    ~ShapeCanvas() {
        SelectObject(dc(), previousBrush_);
        DeleteObject(brush_);
    }

  private:
    HBRUSH brush_;
    HBRUSH previousBrush_;
};

TEST(RectangleShape, OutlinesWithThePenAndFillsInsideWithTheBrush) {
    ShapeCanvas canvas(9, 7);
    ASSERT_TRUE(Rectangle(canvas.dc(), 1, 1, 8, 6));
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) {
            const bool inside = x >= 1 && x < 8 && y >= 1 && y < 6;
            const bool edge = inside && (x == 1 || x == 7 || y == 1 || y == 5);
            const COLORREF expected = !inside ? kWhite : edge ? kBlack : kBlue;
            ASSERT_EQ(GetPixel(canvas.dc(), x, y), expected) << x << "," << y;
        }
}

TEST(RectangleShape, WithoutAPenCoversOnePixelLessToTheRightAndBottom) {
    ShapeCanvas canvas(7, 3);
    SelectObject(canvas.dc(), GetStockPen(NULL_PEN));
    Rectangle(canvas.dc(), 5, 2, 1, 0);  // corners in any order
    EXPECT_EQ(test::InkBounds(canvas.dc(), 7, 3).left, 1);
    EXPECT_EQ(test::InkBounds(canvas.dc(), 7, 3).right, 4);
    EXPECT_EQ(test::InkBounds(canvas.dc(), 7, 3).bottom, 1);
    EXPECT_EQ(test::CountPixels(canvas.dc(), 7, 3, kBlue), 3);
    SelectObject(canvas.dc(), GetStockPen(BLACK_PEN));
}

TEST(RectangleShape, AWidePenGrowsInwardsAndAHollowBrushLeavesTheInside) {
    ShapeCanvas canvas(10, 10);
    HPEN pen = CreatePen(PS_SOLID, 2, kRed);
    HPEN previous = SelectObject(canvas.dc(), pen);
    SelectObject(canvas.dc(), GetStockBrush(NULL_BRUSH));
    Rectangle(canvas.dc(), 0, 0, 10, 10);
    EXPECT_EQ(GetPixel(canvas.dc(), 1, 5), kRed);
    EXPECT_EQ(GetPixel(canvas.dc(), 8, 5), kRed);
    EXPECT_EQ(GetPixel(canvas.dc(), 2, 2), kWhite);
    EXPECT_EQ(test::CountPixels(canvas.dc(), 10, 10, kRed), 100 - 36);
    EXPECT_FALSE(DeleteObject(pen));  // still selected
    SelectObject(canvas.dc(), previous);
    EXPECT_TRUE(DeleteObject(pen));
}

TEST(EllipseShape, StaysInsideItsBoxTouchesEverySideAndIsSymmetric) {
    ShapeCanvas canvas(47, 33);
    Ellipse(canvas.dc(), 3, 2, 44, 31);
    const RECT ink = test::InkBounds(canvas.dc(), 47, 33);
    EXPECT_EQ(ink.left, 3);
    EXPECT_EQ(ink.top, 2);
    EXPECT_EQ(ink.right, 44);
    EXPECT_EQ(ink.bottom, 31);
    for (int y = 2; y < 31; ++y)
        for (int x = 3; x < 44; ++x) {
            ASSERT_EQ(GetPixel(canvas.dc(), x, y), GetPixel(canvas.dc(), 3 + 43 - x, y)) << x << "," << y;
            ASSERT_EQ(GetPixel(canvas.dc(), x, y), GetPixel(canvas.dc(), x, 2 + 30 - y)) << x << "," << y;
        }
    EXPECT_EQ(GetPixel(canvas.dc(), 23, 16), kBlue);
    EXPECT_EQ(GetPixel(canvas.dc(), 3, 16), kBlack);
    EXPECT_EQ(GetPixel(canvas.dc(), 3, 2), kWhite);  // corners stay outside
}

TEST(EllipseShape, WithoutAPenIsFilledOnePixelSmaller) {
    ShapeCanvas canvas(20, 20);
    SelectObject(canvas.dc(), GetStockPen(NULL_PEN));
    Ellipse(canvas.dc(), 0, 0, 11, 11);
    const RECT ink = test::InkBounds(canvas.dc(), 20, 20);
    EXPECT_EQ(ink.right, 10);
    EXPECT_EQ(ink.bottom, 10);
    EXPECT_EQ(test::CountPixels(canvas.dc(), 20, 20, kBlack), 0);
    SelectObject(canvas.dc(), GetStockPen(BLACK_PEN));
}

TEST(PolygonShape, FillsByPixelCentresAndOutlinesEveryVertex) {
    ShapeCanvas canvas(12, 12);
    SelectObject(canvas.dc(), GetStockPen(NULL_PEN));
    const POINT square[4] = {{2, 2}, {8, 2}, {8, 8}, {2, 8}};
    ASSERT_TRUE(Polygon(canvas.dc(), square, 4));
    EXPECT_EQ(test::CountPixels(canvas.dc(), 12, 12, kBlue), 36);
    SelectObject(canvas.dc(), GetStockPen(BLACK_PEN));
    const POINT triangle[3] = {{0, 11}, {11, 11}, {0, 0}};
    Polygon(canvas.dc(), triangle, 3);
    EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), kBlack);
    EXPECT_EQ(GetPixel(canvas.dc(), 11, 11), kBlack);
    EXPECT_EQ(GetPixel(canvas.dc(), 5, 5), kBlack);  // on the diagonal
    EXPECT_EQ(GetPixel(canvas.dc(), 2, 8), kBlue);
    EXPECT_EQ(GetPixel(canvas.dc(), 9, 2), kWhite);
    EXPECT_FALSE(Polygon(canvas.dc(), triangle, 1));
}

TEST(Lines, LeaveOutTheirLastPixelAndMoveTheCurrentPosition) {
    ShapeCanvas canvas(7, 3);
    POINT previous{};
    MoveToEx(canvas.dc(), 0, 1, &previous);
    EXPECT_EQ(previous.x, 0);
    ASSERT_TRUE(LineTo(canvas.dc(), 5, 1));
    for (int x = 0; x < 7; ++x) EXPECT_EQ(GetPixel(canvas.dc(), x, 1), x < 5 ? kBlack : kWhite) << x;
    MoveToEx(canvas.dc(), 0, 0, &previous);
    EXPECT_EQ(previous.x, 5);
    EXPECT_EQ(previous.y, 1);
}

TEST(Lines, DiagonalsStepOnePixelAtATimeInBothDirections) {
    ShapeCanvas canvas(20, 20);
    MoveToEx(canvas.dc(), 2, 3, nullptr);
    LineTo(canvas.dc(), 17, 8);
    EXPECT_EQ(test::CountPixels(canvas.dc(), 20, 20, kBlack), 15);
    EXPECT_EQ(GetPixel(canvas.dc(), 2, 3), kBlack);
    EXPECT_EQ(GetPixel(canvas.dc(), 17, 8), kWhite);
    for (int x = 2; x < 17; ++x) {
        int hits = 0;
        for (int y = 0; y < 20; ++y) hits += GetPixel(canvas.dc(), x, y) == kBlack;
        ASSERT_EQ(hits, 1) << x;
    }
    // The reverse line covers the mirror set: the start pixel is (17, 8) now.
    ShapeCanvas back(20, 20);
    MoveToEx(back.dc(), 17, 8, nullptr);
    LineTo(back.dc(), 2, 3);
    EXPECT_EQ(GetPixel(back.dc(), 17, 8), kBlack);
    EXPECT_EQ(GetPixel(back.dc(), 2, 3), kWhite);
}

TEST(Lines, NullPenMovesWithoutDrawingAndHugeCoordinatesFinishAtOnce) {
    ShapeCanvas canvas(7, 3);
    SelectObject(canvas.dc(), GetStockPen(NULL_PEN));
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    LineTo(canvas.dc(), 6, 2);
    EXPECT_EQ(test::CountPixels(canvas.dc(), 7, 3, kWhite), 21);
    SelectObject(canvas.dc(), GetStockPen(BLACK_PEN));
    MoveToEx(canvas.dc(), INT_MIN, 1, nullptr);
    LineTo(canvas.dc(), INT_MAX, 1);
    EXPECT_EQ(test::CountPixels(canvas.dc(), 7, 3, kBlack), 7);
    EXPECT_TRUE(Rectangle(canvas.dc(), INT_MIN, INT_MIN, INT_MAX, INT_MAX));
    EXPECT_TRUE(Ellipse(canvas.dc(), INT_MIN, INT_MIN, INT_MAX, INT_MAX));
}

TEST(FrameAndInvert, FrameIsOnePixelInsideAndInvertFlipsEveryBit) {
    ShapeCanvas canvas(7, 5);
    HBRUSH red = CreateSolidBrush(kRed);
    RECT frame{1, 1, 6, 4};
    ASSERT_TRUE(FrameRect(canvas.dc(), &frame, red));
    EXPECT_EQ(test::CountPixels(canvas.dc(), 7, 5, kRed), 12);
    EXPECT_EQ(GetPixel(canvas.dc(), 3, 2), kWhite);
    RECT all{-5, -5, 100, 100};
    ASSERT_TRUE(InvertRect(canvas.dc(), &all));
    EXPECT_EQ(GetPixel(canvas.dc(), 3, 2), kBlack);
    EXPECT_EQ(GetPixel(canvas.dc(), 1, 1), RGB(0, 255, 255));
    RECT empty{4, 4, 2, 2};
    EXPECT_TRUE(FrameRect(canvas.dc(), &empty, red));
    EXPECT_TRUE(InvertRect(canvas.dc(), &empty));
    EXPECT_FALSE(FrameRect(canvas.dc(), nullptr, red));
    DeleteObject(red);
}

TEST(Pens, StockPensSurviveDeletionAndUnknownStylesAreRefused) {
    EXPECT_TRUE(DeleteObject(GetStockPen(BLACK_PEN)));
    EXPECT_NE(GetStockPen(BLACK_PEN), nullptr);
    EXPECT_EQ(GetStockPen(WHITE_BRUSH), nullptr);
    EXPECT_EQ(CreatePen(3, 1, 0), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(ShapesOnPalettes, TakeTheNearestEntry) {
    const RGBQUAD colors[2] = {test::Quad(kBlack), test::Quad(kWhite)};
    Canvas mono(test::MakeDib(7, 3, 1, nullptr, colors, 2));
    PatBlt(mono.dc(), 0, 0, 7, 3, WHITENESS);
    SelectObject(mono.dc(), GetStockBrush(BLACK_BRUSH));
    SelectObject(mono.dc(), GetStockPen(NULL_PEN));
    Rectangle(mono.dc(), 1, 0, 4, 3);
    EXPECT_EQ(test::CountPixels(mono.dc(), 7, 3, kBlack), 4);
    SelectObject(mono.dc(), GetStockPen(BLACK_PEN));
    SelectObject(mono.dc(), GetStockBrush(WHITE_BRUSH));
}

}  // namespace
}  // namespace plexon::gdi
