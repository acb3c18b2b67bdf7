// Rectangular clip regions: made from rectangles, selected into a context, narrowed and cut.
// Every drawing service honours the selected region; there are no polygonal or elliptic regions.
#pragma once

#include "platform/gdi/Types.h"

namespace plexon::gdi {

// Region kinds the region services return.
constexpr int RGN_ERROR = 0, NULLREGION = 1, SIMPLEREGION = 2, COMPLEXREGION = 3;

// The corners may come in any order; the region covers left <= x < right, top <= y < bottom.
HRGN CreateRectRgn(int left, int top, int right, int bottom);
BOOL DeleteObject(HRGN region);
// Copies the region into the context (later changes to the region do not reach it); null removes
// the clip so that the whole bitmap may be drawn on again.
int SelectClipRgn(HDC dc, HRGN region);
// Narrows the clip to the rectangle / cuts the rectangle out of it. Without a clip region the
// starting area is the selected bitmap.
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
// The smallest rectangle around the area drawing may change.
int GetClipBox(HDC dc, RECT* box);

}  // namespace plexon::gdi
