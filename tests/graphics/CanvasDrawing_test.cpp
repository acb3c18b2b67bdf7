// Canvas text and shapes: Font, Pen and Brush selected into the context, text colours and
// backgrounds, extents, shapes on the pixel rules, and objects changed while selected.
#include <gtest/gtest.h>

#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "platform/gdi/Fonts.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/Text.h"

namespace plexon {
namespace {

constexpr gdi::COLORREF kWhite = 0xFFFFFF, kBlack = 0, kRed = 0x0000FF, kBlue = 0xFF0000;

void MakeWhite(TBitmap& bitmap, int width, int height) {
    bitmap.SetHeight(height);
    bitmap.SetWidth(width);
}

int Count(TCanvas& canvas, int width, int height, gdi::COLORREF color) {
    int count = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) count += canvas.Pixels(x, y) == color;
    return count;
}

TEST(CanvasText, DrawsInTheFontColourOverTheBrushColour) {
    TBitmap bitmap;
    MakeWhite(bitmap, 80, 30);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font().SetColor(clRed);
    canvas.Font().SetStyle({TFontStyle::Bold});
    canvas.Font().SetSize(14);
    canvas.Brush().SetColor(clYellow);
    canvas.TextOut(2, 2, "HEH");
    const gdi::SIZE size = canvas.TextExtent("HEH");
    EXPECT_GT(Count(canvas, 80, 30, kRed), 10);
    EXPECT_GT(Count(canvas, 80, 30, 0x00FFFF), size.cx * size.cy / 3);  // the opaque cell
    EXPECT_EQ(canvas.Pixels(2 + size.cx, 2), kWhite);
    EXPECT_EQ(canvas.PenPos().x, 2 + size.cx);
}

TEST(CanvasText, AClearBrushLeavesTheBackground) {
    TBitmap bitmap;
    MakeWhite(bitmap, 80, 30);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(clYellow);
    canvas.Brush().SetStyle(TBrushStyle::Clear);
    canvas.TextOut(2, 2, "Clear");
    EXPECT_EQ(Count(canvas, 80, 30, 0x00FFFF), 0);
    EXPECT_LT(Count(canvas, 80, 30, kWhite), 80 * 30);
}

TEST(CanvasText, ExtentFollowsTheFontAndMatchesThePlatform) {
    TBitmap bitmap;
    MakeWhite(bitmap, 4, 4);
    TCanvas& canvas = bitmap.Canvas();
    const gdi::SIZE small = canvas.TextExtent("Weld");
    gdi::SIZE platform;
    gdi::GetTextExtentPoint32(canvas.Handle(), "Weld", 4, &platform);
    EXPECT_EQ(small.cx, platform.cx);
    EXPECT_EQ(small.cy, 13);  // 8-point Tahoma
    canvas.Font().SetSize(16);
    EXPECT_GT(canvas.TextWidth("Weld"), small.cx);
    EXPECT_GT(canvas.TextHeight("Weld"), small.cy);
    EXPECT_EQ(canvas.TextWidth(""), 0);
}

TEST(CanvasObjects, HandleHasTheCanvasFontSelectedAndChangesReachIt) {
    TBitmap bitmap;
    MakeWhite(bitmap, 60, 20);
    TCanvas& canvas = bitmap.Canvas();
    const gdi::HDC dc = canvas.Handle();
    EXPECT_EQ(gdi::GetCurrentFont(dc), canvas.Font().Handle());
    const gdi::HFONT before = canvas.Font().Handle();
    canvas.Font().SetName("Verdana");  // the selected font is let go and deleted
    EXPECT_EQ(gdi::GetObject(before, 0, nullptr), 0);
    EXPECT_EQ(gdi::GetCurrentFont(canvas.Handle()), canvas.Font().Handle());
    canvas.Font().SetColor(clBlue);
    EXPECT_EQ(gdi::GetTextColor(canvas.Handle()), kBlue);
    canvas.Brush().SetColor(clLime);
    EXPECT_EQ(gdi::GetBkColor(canvas.Handle()), 0x00FF00u);
    EXPECT_EQ(gdi::GetBkMode(canvas.Handle()), gdi::OPAQUE);
    canvas.Brush().SetStyle(TBrushStyle::Clear);
    EXPECT_EQ(gdi::GetBkMode(canvas.Handle()), gdi::TRANSPARENT);
}

TEST(CanvasShapes, RectangleUsesPenOutlineAndBrushInside) {
    TBitmap bitmap;
    MakeWhite(bitmap, 7, 5);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen().SetColor(clRed);
    canvas.Brush().SetColor(clBlue);
    canvas.Rectangle(1, 1, 6, 4);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) {
            const bool inside = x >= 1 && x < 6 && y >= 1 && y < 4;
            const bool edge = inside && (x == 1 || x == 5 || y == 1 || y == 3);
            ASSERT_EQ(canvas.Pixels(x, y), !inside ? kWhite : edge ? kRed : kBlue) << x << "," << y;
        }
    canvas.Pen().SetStyle(TPenStyle::Clear);
    canvas.Brush().SetColor(clBlack);
    canvas.Rectangle(0, 0, 3, 3);  // without a pen: 2 x 2
    EXPECT_EQ(Count(canvas, 7, 5, kBlack), 4);
}

TEST(CanvasShapes, EllipsePolygonAndLines) {
    TBitmap bitmap;
    MakeWhite(bitmap, 47, 33);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Pen().SetStyle(TPenStyle::Clear);
    canvas.Brush().SetColor(clRed);
    canvas.Ellipse(0, 0, 21, 21);
    EXPECT_EQ(canvas.Pixels(10, 10), kRed);
    EXPECT_EQ(canvas.Pixels(0, 0), kWhite);
    EXPECT_EQ(canvas.Pixels(20, 10), kWhite);  // one pixel less without a pen
    canvas.Brush().SetColor(clBlue);
    canvas.Polygon({{30, 0}, {40, 0}, {40, 10}, {30, 10}});
    EXPECT_EQ(Count(canvas, 47, 33, kBlue), 100);
    canvas.Polygon({{1, 1}});  // too few points: nothing
    canvas.Pen().SetStyle(TPenStyle::Solid);
    canvas.Pen().SetColor(clBlack);
    canvas.MoveTo(0, 30);
    canvas.LineTo(46, 30);
    EXPECT_EQ(canvas.Pixels(45, 30), kBlack);
    EXPECT_EQ(canvas.Pixels(46, 30), kWhite);
    EXPECT_EQ(canvas.PenPos().x, 46);
}

TEST(CanvasShapes, FillAndFrameWithTheBrush) {
    TBitmap bitmap;
    MakeWhite(bitmap, 7, 3);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(clRed);
    canvas.FillRect({1, 0, 3, 3});
    EXPECT_EQ(Count(canvas, 7, 3, kRed), 6);
    canvas.Brush().SetColor(clBlue);
    canvas.FrameRect({3, 0, 7, 3});
    EXPECT_EQ(Count(canvas, 7, 3, kBlue), 10);
    EXPECT_EQ(canvas.Pixels(5, 1), kWhite);
}

TEST(CanvasShapes, NotifyTheBitmapOfChanges) {
    TBitmap bitmap;
    MakeWhite(bitmap, 7, 3);
    int changes = 0;
    bitmap.ChangeHandler = [&](TGraphic*) { ++changes; };
    bitmap.Canvas().Rectangle(0, 0, 3, 3);
    bitmap.Canvas().TextOut(0, 0, "a");
    EXPECT_EQ(changes, 2);
    bitmap.Canvas().TextExtent("a");
    EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace plexon
