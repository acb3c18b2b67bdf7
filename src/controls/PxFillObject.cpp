// Filling an area by style. The bitmap styles are kept simple: a list of bitmaps has one bitmap
// here, and the pattern brush is drawn by tiling the bitmap's top-left 8 x 8 pixels.
#include "controls/PxFillObject.h"

#include <algorithm>

#include "framework/ControlDrawing.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/Regions.h"

namespace plexon {

gdi::POINT AlignBox(const gdi::RECT& r, int width, int height, TPxAlignment alignment) {
    const int freeX = r.right - r.left - width, freeY = r.bottom - r.top - height;
    const int column = int(alignment) % 3, row = int(alignment) / 3;
    return {r.left + (column == 0   ? 0
                      : column == 1 ? freeX / 2
                                    : freeX),
            r.top + (row == 0   ? 0
                     : row == 1 ? freeY / 2
                                : freeY)};
}

TPxShapeFill::TPxShapeFill(TPxFillStyle style) : style_(style), bitmap_(std::make_unique<TBitmap>()) {
    gradient_.OnChange = [this] { Changed(); };
    bitmap_->ChangeHandler = [this](TGraphic*) { Changed(); };
}

TPxFillObject::TPxFillObject() : TPxShapeFill(sfNone) {}

void TPxFillObject::Assign(const TPxFillObject& source) {
    BeginUpdate();
    brush_.SetColor(source.brush_.Color());
    brush_.SetStyle(source.brush_.Style());
    options_ = source.options_;
    bitmap_->AssignFrom(source.bitmap_.get());
    gradient_.Assign(source.gradient_);
    style_ = source.style_;
    tileMode_ = source.tileMode_;
    alignment_ = source.alignment_;
    offsetX_ = source.offsetX_;
    offsetY_ = source.offsetY_;
    EndUpdate(true);
}

bool TPxFillObject::Fill(TCanvas& canvas, const gdi::RECT& r, TColor background) {
    switch (style_) {
        case sfNone:
            return false;
        case sfGradient: {
            const unsigned flags = (options_.foGrUseBitmap ? kGradientUseBitmap : 0) |
                                   (gradient_.PaletteRealize() ? kGradientUsePalette : 0);
            PaintGradient(canvas.Handle(), r, gradient_.Style(), flags, gradient_.Palette(),
                          gradient_.Colors());
            return true;
        }
        case sfBrush: {
            canvas.Brush().SetColor(brush_.Color());
            canvas.Brush().SetStyle(brush_.Style());
            canvas.Pen().SetColor(background);
            canvas.FillRect(r);
            return true;
        }
        case sfBrushBitmap: {
            if (bitmap_->IsEmpty()) {
                if (options_.foFillInner) FillSolid(canvas.Handle(), r, background);
                return false;
            }
            const int w = std::min(8, bitmap_->Width()), h = std::min(8, bitmap_->Height());
            const gdi::HDC dc = canvas.Handle();
            gdi::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
            TCanvas& source = bitmap_->Canvas();
            for (int y = r.top; y < r.bottom; y += h)
                for (int x = r.left; x < r.right; x += w)
                    gdi::BitBlt(dc, x, y, w, h, source.Handle(), 0, 0, gdi::SRCCOPY);
            gdi::SelectClipRgn(dc, nullptr);
            return true;
        }
        case sfBitmap:
        case sfBitmapList:
            return FillBitmap(canvas, r, background);
    }
    return false;
}

bool TPxFillObject::FillBitmap(TCanvas& canvas, const gdi::RECT& r, TColor background) {
    const bool placed = tileMode_ == tmNone || tileMode_ == tmCenter;
    if ((placed || bitmap_->IsEmpty()) && options_.foFillInner) FillSolid(canvas.Handle(), r, background);
    if (bitmap_->IsEmpty()) return false;
    const int w = bitmap_->Width(), h = bitmap_->Height();
    const gdi::HDC dc = canvas.Handle();
    gdi::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    switch (tileMode_) {
        case tmNone: {
            const gdi::POINT at = AlignBox(r, w, h, alignment_);
            canvas.DrawGraphic(at.x + offsetX_, at.y + offsetY_, bitmap_.get());
            break;
        }
        case tmCenter: {
            const gdi::POINT at = AlignBox(r, w, h, agCenter);
            canvas.DrawGraphic(at.x, at.y, bitmap_.get());
            break;
        }
        case tmStretch:
            canvas.StretchGraphic(r, bitmap_.get());
            break;
        case tmTile:
            for (int y = r.top; y < r.bottom; y += h)
                for (int x = r.left; x < r.right; x += w) canvas.DrawGraphic(x, y, bitmap_.get());
            break;
    }
    gdi::SelectClipRgn(dc, nullptr);
    return true;
}

}  // namespace plexon
