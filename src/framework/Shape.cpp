// The shape control.
#include "framework/Shape.h"

#include "platform/gdi/Raster.h"
#include "platform/gdi/Shapes.h"

namespace plexon {

TShape::TShape(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 65, 65);
}

void TShape::SetShape(TShapeType shape) {
    shape_ = shape;
    Invalidate();
}

void TShape::SetPenColor(TColor color) {
    penColor_ = color;
    Invalidate();
}

void TShape::SetPenWidth(int width) {
    penWidth_ = width;
    Invalidate();
}

void TShape::SetBrushColor(TColor color) {
    brushColor_ = color;
    Invalidate();
}

void TShape::Paint() {
    const gdi::HDC dc = Canvas().Handle();
    gdi::HPEN pen = gdi::CreatePen(gdi::PS_SOLID, penWidth_, ResolveColor(penColor_));
    gdi::HBRUSH brush = gdi::CreateSolidBrush(ResolveColor(brushColor_));
    gdi::HPEN oldPen = gdi::SelectObject(dc, pen);
    gdi::HBRUSH oldBrush = gdi::SelectObject(dc, brush);
    if (shape_ == stEllipse) {
        gdi::Ellipse(dc, 0, 0, Width(), Height());
    } else {
        gdi::Rectangle(dc, 0, 0, Width(), Height());
    }
    gdi::SelectObject(dc, oldPen);
    gdi::SelectObject(dc, oldBrush);
    gdi::DeleteObject(pen);
    gdi::DeleteObject(brush);
}

}  // namespace plexon
