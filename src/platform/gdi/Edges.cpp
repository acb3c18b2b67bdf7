// DrawEdge: up to two one-pixel lines per side in the 3D colours, optional middle fill and adjustment.
#include "platform/gdi/Edges.h"

#include "platform/gdi/Objects.h"
#include "platform/gdi/Painter.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/SystemColors.h"
#include "platform/gdi/Transfer.h"

namespace plexon::gdi {

namespace {

struct LineColors {
    COLORREF topLeft, bottomRight;
};

void Fill(detail::Painter& painter, int left, int top, int right, int bottom, COLORREF rgb) {
    if (top < painter.Bounds().top) top = painter.Bounds().top;
    if (bottom > painter.Bounds().bottom) bottom = painter.Bounds().bottom;
    for (int y = top; y < bottom; ++y) painter.Span(y, left, right, rgb);
}

// One ring of lines on the chosen sides of r.
void DrawRing(detail::Painter& painter, const RECT& r, UINT sides, const LineColors& colors) {
    if (sides & BF_TOP) Fill(painter, r.left, r.top, r.right - 1, r.top + 1, colors.topLeft);
    if (sides & BF_LEFT) Fill(painter, r.left, r.top, r.left + 1, r.bottom - 1, colors.topLeft);
    if (sides & BF_RIGHT) Fill(painter, r.right - 1, r.top, r.right, r.bottom, colors.bottomRight);
    if (sides & BF_BOTTOM) Fill(painter, r.left, r.bottom - 1, r.right, r.bottom, colors.bottomRight);
}

RECT Shrink(RECT r, UINT sides, int by) {
    if (sides & BF_LEFT) r.left += by;
    if (sides & BF_TOP) r.top += by;
    if (sides & BF_RIGHT) r.right -= by;
    if (sides & BF_BOTTOM) r.bottom -= by;
    return r;
}

}  // namespace

BOOL DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags) {
    if (!detail::IsLive(dc)) return 0;
    if (rect == nullptr) {
        detail::SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (detail::IsEmpty(*rect)) return 1;
    const UINT sides = flags & BF_RECT;
    const UINT outerKind = edge & BDR_OUTER;
    const UINT innerKind = edge & BDR_INNER;

    LineColors outer{}, inner{};
    if (flags & BF_MONO) {
        outer = {GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME)};
        inner = {GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOW)};
    } else if (flags & BF_FLAT) {
        outer = {GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNSHADOW)};
        inner = {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNFACE)};
    } else {
        // Raised and sunken are mirror images; both bits of a kind at once behave as raised.
        const bool outerRaised = outerKind & BDR_RAISEDOUTER;
        const bool innerRaised = innerKind & BDR_RAISEDINNER;
        // Soft edges give the outer line the top-left colour of the inner line of its kind and back.
        const bool soft = flags & BF_SOFT;
        outer = outerRaised ? LineColors{GetSysColor(soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT),
                                         GetSysColor(COLOR_3DDKSHADOW)}
                            : LineColors{GetSysColor(soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW),
                                         GetSysColor(COLOR_BTNHIGHLIGHT)};
        inner = innerRaised ? LineColors{GetSysColor(soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT),
                                         GetSysColor(COLOR_BTNSHADOW)}
                            : LineColors{GetSysColor(soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW),
                                         GetSysColor(COLOR_3DLIGHT)};
    }

    detail::Painter painter(*dc);
    RECT r = *rect;
    int width = 0;
    if (outerKind) {
        DrawRing(painter, r, sides, outer);
        r = Shrink(r, sides, 1);
        ++width;
    }
    if (innerKind && !detail::IsEmpty(r)) {
        DrawRing(painter, r, sides, inner);
        r = Shrink(r, sides, 1);
        ++width;
    }
    if ((flags & BF_MIDDLE) && !detail::IsEmpty(r))
        Fill(painter, r.left, r.top, r.right, r.bottom,
             GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
    if (flags & BF_ADJUST) *rect = Shrink(*rect, sides, width);
    return 1;
}

}  // namespace plexon::gdi
