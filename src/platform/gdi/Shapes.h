// Pens and the shape services: rectangles, ellipses, polygons, lines, frames and inverted areas.
// Shapes are drawn with the selected pen (outline) and brush (inside); there are no raster operations
// other than the plain copy, and no styled (dashed) pens.
#pragma once

#include "platform/gdi/Types.h"

namespace plexon::gdi {

constexpr int PS_SOLID = 0, PS_NULL = 5;

// A width below 1 draws one pixel wide. Colours are plain or palette colours, resolved when drawing.
HPEN CreatePen(int style, int width, COLORREF color);
HPEN GetStockPen(StockObject which);  // WHITE_PEN, BLACK_PEN or NULL_PEN; never deleted
BOOL DeleteObject(HPEN pen);          // fails (ERROR_BUSY) while the pen is selected
HPEN SelectObject(HDC dc, HPEN pen);

// The shape (left, top, right, bottom) covers left <= x < right and top <= y < bottom with a pen;
// without a pen (PS_NULL) only the brush paints, one pixel less to the right and bottom. A pen wider
// than one pixel grows inwards from the edge, so the shape never spreads past its rectangle.
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);
// Alternate filling of the inside; the outline joins every point to the next and the last to the first.
BOOL Polygon(HDC dc, const POINT* points, int count);
// Lines start at the current position and leave out their last pixel.
BOOL MoveToEx(HDC dc, int x, int y, POINT* previous);
BOOL LineTo(HDC dc, int x, int y);
// A one-pixel frame just inside the rectangle in the brush colour.
int FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
// Every bit of every pixel in the rectangle flipped (white becomes black).
BOOL InvertRect(HDC dc, const RECT* rect);

}  // namespace plexon::gdi
