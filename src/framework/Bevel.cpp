// The bevel. Lines are two pixels: shadow then highlight when lowered, the other way when raised.
#include "framework/Bevel.h"

#include "framework/ControlDrawing.h"
#include "platform/gdi/Edges.h"

namespace plexon {

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape shape) {
    shape_ = shape;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle style) {
    style_ = style;
    Invalidate();
}

void TBevel::Paint() {
    const gdi::HDC dc = Canvas().Handle();
    const bool lowered = style_ == TBevelStyle::bsLowered;
    const TColor first = lowered ? clBtnShadow : clBtnHighlight;
    const TColor second = lowered ? clBtnHighlight : clBtnShadow;
    const int w = Width(), h = Height();
    switch (shape_) {
        case TBevelShape::bsBox: {
            gdi::RECT r = ClientRect();
            gdi::DrawEdge(dc, &r, lowered ? gdi::BDR_SUNKENOUTER : gdi::BDR_RAISEDOUTER, gdi::BF_RECT);
            break;
        }
        case TBevelShape::bsFrame: {
            gdi::RECT r = ClientRect();
            gdi::DrawEdge(dc, &r, lowered ? gdi::EDGE_ETCHED : gdi::EDGE_BUMP, gdi::BF_RECT);
            break;
        }
        case TBevelShape::bsTopLine:
            FillSolid(dc, {0, 0, w, 1}, first);
            FillSolid(dc, {0, 1, w, 2}, second);
            break;
        case TBevelShape::bsBottomLine:
            FillSolid(dc, {0, h - 2, w, h - 1}, first);
            FillSolid(dc, {0, h - 1, w, h}, second);
            break;
        case TBevelShape::bsLeftLine:
            FillSolid(dc, {0, 0, 1, h}, first);
            FillSolid(dc, {1, 0, 2, h}, second);
            break;
        case TBevelShape::bsRightLine:
            FillSolid(dc, {w - 2, 0, w - 1, h}, first);
            FillSolid(dc, {w - 1, 0, w, h}, second);
            break;
    }
}

}  // namespace plexon
