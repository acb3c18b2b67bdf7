// Copying part of a bitmap onto a canvas with one colour keyed out: painted with the brush, or
// left see-through when the brush is clear. Kept apart from the canvas's other drawing.
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/GdiSupport.h"
#include "graphics/Masks.h"
#include "platform/gdi/Raster.h"

namespace plexon {

namespace {

// 0xE2: the brush where the (white) mask is set, the destination elsewhere.
constexpr gdi::DWORD kPaintBrushWhereMaskIsSet = 0x00E20746;

}  // namespace

void TCanvas::ColorKeyCopy(const gdi::RECT& r, TBitmap* bitmap, const gdi::RECT& source, TColor color) {
    if (!bitmap) return;
    {
        const TCanvasLock locked(*this);
        Changing();
        const gdi::HDC dc = Handle();
        const gdi::HBRUSH brush = brush_.Handle();
        TCanvas& bitmapCanvas = bitmap->Canvas();
        const TCanvasLock bitmapLocked(bitmapCanvas);

        // The bitmap's own mask serves when it is of this colour; otherwise a shared copy of the
        // image becomes the mask.
        TBitmap keyed;
        gdi::HBITMAP mask;
        if (color == bitmap->MaskColor()) {
            mask = bitmap->MaskHandle();
        } else {
            keyed.AssignFrom(bitmap);
            keyed.MakeMask(color);
            mask = keyed.Handle();
        }
        ScopedMemoryDc maskDc;
        maskDc.Select(mask);
        const gdi::HDC from = bitmapCanvas.Handle();
        const int width = r.right - r.left, height = r.bottom - r.top;
        const int sourceWidth = source.right - source.left, sourceHeight = source.bottom - source.top;
        if (brush_.Style() == TBrushStyle::Clear) {
            MaskedStretchCopy(dc, r, from, source, maskDc.Get(), {source.left, source.top});
        } else {
            gdi::StretchBlt(dc, r.left, r.top, width, height, from, source.left, source.top, sourceWidth,
                            sourceHeight, gdi::SRCCOPY);
            const gdi::COLORREF oldText = gdi::SetTextColor(dc, gdi::RGB(0, 0, 0));
            const gdi::COLORREF oldBack = gdi::SetBkColor(dc, gdi::RGB(255, 255, 255));
            {
                const ScopedSelection<gdi::HBRUSH> selected(dc, brush);
                gdi::StretchBlt(dc, r.left, r.top, width, height, maskDc.Get(), source.left, source.top,
                                sourceWidth, sourceHeight, kPaintBrushWhereMaskIsSet);
            }
            gdi::SetTextColor(dc, oldText);
            gdi::SetBkColor(dc, oldBack);
        }
    }
    Changed();
}

}  // namespace plexon
