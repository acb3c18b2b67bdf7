// Canvas drawing: DrawGraphic placement and clipping, stretching, copy modes, pixels, brushes,
// system colours, and the lifetime of bitmap canvas device contexts.
#include "graphics/Canvas.h"

#include <gtest/gtest.h>

#include "BitmapTestSupport.h"
#include "graphics/Bitmap.h"
#include "graphics/BitmapCanvas.h"
#include "platform/gdi/Raster.h"
#include "runtime/Exceptions.h"

namespace plexon {
namespace {

using namespace test;

void MakeWhite(TBitmap& bitmap, int width, int height) {
    bitmap.SetHeight(height);
    bitmap.SetWidth(width);
}

TEST(DrawGraphic, DrawsAtItsOwnSizeClippedByTheTarget) {
    TBitmap source;
    LoadBytes(source, MakeImage(48, 48, 24).Bytes());
    TBitmap target;
    MakeWhite(target, 64, 32);
    target.Canvas().DrawGraphic(32, 0, &source);
    EXPECT_EQ(target.Width(), 64);
    EXPECT_EQ(target.Height(), 32);
    const std::vector<std::uint32_t> from = RgbPixels(source);
    const std::vector<std::uint32_t> to = RgbPixels(target);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 64; ++x) {
            const std::uint32_t expected = x < 32 ? 0xFFFFFFu : from[std::size_t(y * 48 + x - 32)];
            ASSERT_EQ(to[std::size_t(y * 64 + x)], expected) << x << "," << y;
        }
    }
}

TEST(DrawGraphic, PaletteSourceDrawsItsColours) {
    TBitmap source;
    LoadBytes(source, MakeImage(7, 3, 4).Bytes());
    TBitmap target;
    MakeWhite(target, 7, 3);
    target.Canvas().DrawGraphic(0, 0, &source);
    EXPECT_EQ(RgbPixels(target), RgbPixels(source));
}

TEST(DrawGraphic, MissingOrEmptyPictureDrawsNothing) {
    TBitmap target;
    MakeWhite(target, 4, 4);
    int notified = 0;
    target.ChangeHandler = [&](TGraphic*) { ++notified; };
    TBitmap empty;
    target.Canvas().DrawGraphic(0, 0, nullptr);
    target.Canvas().DrawGraphic(0, 0, &empty);
    EXPECT_EQ(notified, 0);
}

TEST(DrawGraphic, NotifiesTheTargetOnce) {
    TBitmap source;
    LoadBytes(source, MakeImage(2, 2, 24).Bytes());
    TBitmap target;
    MakeWhite(target, 4, 4);
    int notified = 0;
    target.ChangeHandler = [&](TGraphic*) { ++notified; };
    target.Canvas().DrawGraphic(1, 1, &source);
    EXPECT_EQ(notified, 1);
}

TEST(DrawGraphic, CanvasWithoutContextRefusesDrawing) {
    TBitmap source;
    LoadBytes(source, MakeImage(2, 2, 24).Bytes());
    TCanvas canvas;
    try {
        canvas.DrawGraphic(0, 0, &source);
        FAIL() << "no error";
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), "Canvas does not allow drawing");
    }
}

TEST(DrawGraphic, CopyModeIsUsed) {
    TBitmap source;
    LoadBytes(source, MakeImage(3, 3, 24).Bytes());
    TBitmap target;
    MakeWhite(target, 3, 3);
    EXPECT_EQ(target.Canvas().CopyMode(), gdi::SRCCOPY);
    target.Canvas().SetCopyMode(gdi::NOTSRCCOPY);
    target.Canvas().DrawGraphic(0, 0, &source);
    const std::vector<std::uint32_t> from = RgbPixels(source);
    const std::vector<std::uint32_t> to = RgbPixels(target);
    for (std::size_t i = 0; i < from.size(); ++i) EXPECT_EQ(to[i], ~from[i] & 0xFFFFFF);
}

TEST(StretchGraphic, StretchesIntoTheRectangle) {
    TBitmap source;
    MakeWhite(source, 2, 1);
    source.Canvas().SetPixels(0, 0, clRed);
    TBitmap target;
    MakeWhite(target, 4, 2);
    target.Canvas().StretchGraphic({0, 0, 4, 2}, &source);
    EXPECT_EQ(RgbAt(target, 1, 1), 0xFF0000u);
    EXPECT_EQ(RgbAt(target, 2, 0), 0xFFFFFFu);
}

TEST(CanvasPixels, WriteAndReadBack) {
    TBitmap bitmap;
    MakeWhite(bitmap, 3, 3);
    bitmap.Canvas().SetPixels(2, 1, 0x123456);
    EXPECT_EQ(bitmap.Canvas().Pixels(2, 1), 0x123456u);
    EXPECT_EQ(RgbAt(bitmap, 2, 1), 0x563412u);
    EXPECT_EQ(bitmap.Canvas().Pixels(0, 0), 0xFFFFFFu);
}

TEST(CanvasPixels, SystemColoursAreResolved) {
    TBitmap bitmap;
    MakeWhite(bitmap, 1, 1);
    bitmap.Canvas().SetPixels(0, 0, clBtnShadow);
    EXPECT_EQ(bitmap.Canvas().Pixels(0, 0), gdi::GetSysColor(16));
}

TEST(CanvasColors, ResolveColor) {
    EXPECT_EQ(ResolveColor(clRed), 0x0000FFu);
    EXPECT_EQ(ResolveColor(clNone), 0x1FFFFFFFu);
    EXPECT_EQ(ResolveColor(clDefault), 0x20000000u);
    EXPECT_EQ(ResolveColor(clBtnFace), gdi::GetSysColor(15));
    EXPECT_EQ(ResolveColor(clWindowText), gdi::GetSysColor(8));
    EXPECT_EQ(clBtnFace, TColor(0x8000000F));
}

TEST(CanvasBrush, StartsSolidWhiteAndRemakesItsHandle) {
    TBitmap bitmap;
    TBrush& brush = bitmap.Canvas().Brush();
    EXPECT_EQ(brush.Color(), clWhite);
    EXPECT_EQ(brush.Style(), TBrushStyle::Solid);
    const gdi::HBRUSH white = brush.Handle();
    EXPECT_EQ(brush.Handle(), white);
    brush.SetStyle(TBrushStyle::Clear);
    EXPECT_EQ(brush.Handle(), gdi::GetStockBrush(gdi::NULL_BRUSH));
    brush.SetStyle(TBrushStyle::Solid);
    brush.SetColor(clBlue);
    EXPECT_NE(brush.Handle(), gdi::GetStockBrush(gdi::NULL_BRUSH));
}

TEST(CanvasContexts, MadeOnDemandAndReleasedWhenIdle) {
    ReleaseIdleBitmapDcs();
    const int before = BitmapCanvasCount();
    TBitmap bitmap;
    MakeWhite(bitmap, 2, 2);
    bitmap.Canvas().SetPixels(0, 0, clRed);
    EXPECT_TRUE(bitmap.Canvas().HandleAllocated());
    EXPECT_EQ(BitmapCanvasCount(), before + 1);
    ReleaseIdleBitmapDcs();
    EXPECT_FALSE(bitmap.Canvas().HandleAllocated());
    EXPECT_EQ(BitmapCanvasCount(), before);
    // Drawing again makes a new one transparently, and the pixels are still there.
    EXPECT_EQ(bitmap.Canvas().Pixels(0, 0), 0x0000FFu);
}

TEST(CanvasContexts, LockedCanvasKeepsItsContext) {
    TBitmap bitmap;
    MakeWhite(bitmap, 2, 2);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Lock();
    canvas.Handle();
    EXPECT_EQ(canvas.LockCount(), 1);
    ReleaseIdleBitmapDcs();
    EXPECT_TRUE(canvas.HandleAllocated());
    canvas.Unlock();
    EXPECT_EQ(canvas.LockCount(), 0);
    ReleaseIdleBitmapDcs();
    EXPECT_FALSE(canvas.HandleAllocated());
}

TEST(CanvasContexts, TryLockFailsWhileHeld) {
    TCanvas canvas;
    canvas.Lock();
    EXPECT_FALSE(canvas.TryLock());
    canvas.Unlock();
    EXPECT_TRUE(canvas.TryLock());
    EXPECT_EQ(canvas.LockCount(), 1);
    canvas.Unlock();
}

TEST(CanvasContexts, SharedHandleMovesBetweenCanvases) {
    TBitmap a;
    LoadBytes(a, MakeImage(3, 3, 24).Bytes());
    TBitmap b;
    b.AssignFrom(&a);
    a.Canvas().Handle();
    ASSERT_TRUE(a.Canvas().HandleAllocated());
    // Reading through b's canvas needs the same handle, which can live in one context only.
    const std::uint32_t rgb = RgbAt(a, 1, 1);
    EXPECT_EQ(b.Canvas().Pixels(1, 1), (rgb >> 16) | (rgb & 0xFF00) | (rgb & 0xFF) << 16);
    EXPECT_TRUE(b.Canvas().HandleAllocated());
    EXPECT_FALSE(a.Canvas().HandleAllocated());
}

}  // namespace
}  // namespace plexon
