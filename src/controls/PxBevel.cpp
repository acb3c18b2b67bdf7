// Border widths and drawing for every bevel mode. Standard styles are one or two platform edges;
// custom bevels are drawn pixel line by pixel line so that wide bevels meet on the diagonals.
#include "controls/PxBevel.h"

#include <algorithm>

#include "framework/ControlDrawing.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/Raster.h"

namespace plexon {

using enum TPxBevelStyle;

namespace {

using namespace gdi;

void Line(HDC dc, int x1, int y1, int x2, int y2, TColor color) {
    // Inclusive pixel ranges, one row or one column.
    FillSolid(dc, {x1, y1, x2 + 1, y2 + 1}, color);
}

// One-pixel frames in the plain border colour, each shrinking the rectangle by 1.
RECT PlainFrames(HDC dc, RECT r, int count, TColor color, bool transparent) {
    for (int i = 0; i < count; ++i) {
        if (!transparent) FrameSolid(dc, r, color);
        r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
    return r;
}

RECT Edge(HDC dc, RECT r, UINT edge, UINT flags) {
    DrawEdge(dc, &r, edge, flags);
    return r;
}

RECT DrawStandard(HDC dc, RECT r, TPxBorderStyle style) {
    constexpr UINT adjust = BF_ADJUST;
    switch (style) {
        case lsNone:
            return r;
        case lsSingle:
            r = Edge(dc, r, BDR_SUNKENOUTER, BF_TOPLEFT | BF_SOFT | adjust);
            Edge(dc, r, BDR_RAISEDOUTER, BF_BOTTOMRIGHT);
            return r;
        case lsLowered:
            return Edge(dc, r, EDGE_SUNKEN, BF_RECT | BF_SOFT | adjust);
        case lsRaised:
            return Edge(dc, r, EDGE_RAISED, BF_RECT | BF_SOFT | adjust);
        case lsRaisedspb:
            r = Edge(dc, r, BDR_RAISEDOUTER, BF_RECT | BF_SOFT | adjust);
            return Edge(dc, r, BDR_RAISEDINNER, BF_BOTTOMRIGHT | adjust);
        case lsLoweredspb:
            r = Edge(dc, r, BDR_SUNKENOUTER, BF_RECT | adjust);
            return Edge(dc, r, BDR_SUNKENINNER, BF_TOPLEFT | adjust);
        case lsRaisedExt:
            r = Edge(dc, r, BDR_RAISEDOUTER, BF_RECT | BF_SOFT | adjust);
            r = Edge(dc, r, BDR_RAISEDINNER, BF_BOTTOMRIGHT | adjust);
            return {r.left + 1, r.top + 1, r.right, r.bottom};
        case lsLoweredExt:
            r = Edge(dc, r, BDR_SUNKENOUTER, BF_RECT | adjust);
            r = Edge(dc, r, BDR_SUNKENINNER, BF_TOPLEFT | adjust);
            return {r.left, r.top, r.right - 1, r.bottom - 1};
        case lsFrameInset:
            return Edge(dc, r, EDGE_ETCHED, BF_RECT | adjust);
        case lsFrameOffset:
            r = Edge(dc, r, BDR_RAISEDINNER, BF_RECT | adjust);
            return Edge(dc, r, BDR_SUNKENOUTER, BF_RECT | adjust);
        case lsWindowBorder:
            r = Edge(dc, r, BDR_RAISEDOUTER, BF_BOTTOMRIGHT | adjust);
            return Edge(dc, {r.left + 1, r.top + 1, r.right, r.bottom}, BDR_RAISEDINNER, BF_RECT | adjust);
        case lsSingleRaised:
            return Edge(dc, r, BDR_RAISEDINNER, BF_RECT | adjust);
        case lsSingleLowered:
            return Edge(dc, r, BDR_SUNKENOUTER, BF_RECT | adjust);
        case lsDoubleRaised:
            r = Edge(dc, r, BDR_RAISEDINNER, BF_RECT | adjust);
            return Edge(dc, r, BDR_RAISEDINNER, BF_RECT | adjust);
        case lsDoubleLowered:
            r = Edge(dc, r, BDR_SUNKENOUTER, BF_RECT | adjust);
            return Edge(dc, r, BDR_SUNKENOUTER, BF_RECT | adjust);
    }
    return r;
}

UINT EdgeKind(TPxEdgeStyle style) {
    switch (style) {
        case etRaisedInner:
            return BDR_RAISEDINNER;
        case etRaisedOuter:
            return BDR_RAISEDOUTER;
        case etSunkenInner:
            return BDR_SUNKENINNER;
        case etSunkenOuter:
            return BDR_SUNKENOUTER;
        case etBump:
            return EDGE_BUMP;
        case etEtched:
            return EDGE_ETCHED;
        case etRaised:
            return EDGE_RAISED;
        case etSunken:
            return EDGE_SUNKEN;
    }
    return EDGE_ETCHED;
}

// Each side of the edge mode takes 2 pixels, drawn or not; undrawn ones get the context's brush.
RECT DrawEdgeMode(HDC dc, RECT r, TPxEdgeStyle style, TPxFrameSides sides, bool transparent) {
    if (sides == TPxFrameSides::None) return r;
    UINT flags = 0;
    if (Has(sides, fsLeft)) flags |= BF_LEFT;
    if (Has(sides, fsTop)) flags |= BF_TOP;
    if (Has(sides, fsRight)) flags |= BF_RIGHT;
    if (Has(sides, fsBottom)) flags |= BF_BOTTOM;
    RECT edge = r;
    DrawEdge(dc, &edge, EdgeKind(style), flags);
    if (!transparent) {
        // The context's current brush: selecting another one hands it back.
        const HBRUSH brush = SelectObject(dc, GetStockBrush(NULL_BRUSH));
        SelectObject(dc, brush);
        const RECT strips[] = {{r.left, r.top, r.left + 2, r.bottom},
                               {r.left, r.top, r.right, r.top + 2},
                               {r.right - 2, r.top, r.right, r.bottom},
                               {r.left, r.bottom - 2, r.right, r.bottom}};
        const TPxFrameSides order[] = {fsLeft, fsTop, fsRight, fsBottom};
        for (int i = 0; i < 4; ++i)
            if (!Has(sides, order[i])) FillRect(dc, &strips[i], brush);
    }
    return {r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
}

}  // namespace

int StandardStyleWidth(TPxBorderStyle style) {
    switch (style) {
        case lsNone:
            return 0;
        case lsSingle:
        case lsSingleRaised:
        case lsSingleLowered:
            return 1;
        default:
            return 2;
    }
}

void TPxBevel::SetWidthOuter(int value) {
    Set(widthOuter_, std::clamp(value, 0, kMaxBevelWidth));
}
void TPxBevel::SetWidthInner(int value) {
    Set(widthInner_, std::clamp(value, 0, kMaxBevelWidth));
}
void TPxBevel::SetBorderWidth(int value) {
    Set(borderWidth_, std::clamp(value, 0, kMaxBorderWidth));
}
void TPxBevel::SetBorderInnerWidth(int value) {
    Set(borderInnerWidth_, std::clamp(value, 0, kMaxBorderWidth));
}

void TPxBevel::Assign(const TPxBevel& source) {
    BeginUpdate();
    mode_ = source.mode_;
    standardStyle_ = source.standardStyle_;
    styleOuter_ = source.styleOuter_;
    styleInner_ = source.styleInner_;
    widthOuter_ = source.widthOuter_;
    widthInner_ = source.widthInner_;
    borderWidth_ = source.borderWidth_;
    borderInnerWidth_ = source.borderInnerWidth_;
    borderColor_ = source.borderColor_;
    lightColor_ = source.lightColor_;
    shadowColor_ = source.shadowColor_;
    edgeStyle_ = source.edgeStyle_;
    borderSides_ = source.borderSides_;
    Recompute();
    EndUpdate(true);
}

void TPxBevel::Recompute() {
    switch (mode_) {
        case bmCustom: {
            width_ = borderWidth_ + borderInnerWidth_;
            for (auto [style, width] :
                 {std::pair{styleOuter_, widthOuter_}, std::pair{styleInner_, widthInner_}}) {
                if (style == bvNone) continue;
                width_ += width + (style == bvFrameLowered || style == bvFrameRaised ? 1 : 0);
            }
            break;
        }
        case bmStandard:
            width_ = StandardStyleWidth(standardStyle_) + borderInnerWidth_;
            break;
        case bmEdge:
            width_ = (borderSides_ != TPxFrameSides::None ? 2 : 0) + borderInnerWidth_;
            break;
        case bmWindows:
            // No platform theme draws the frame here, so the frame takes its 2 pixels.
            width_ = 2 + borderInnerWidth_;
            break;
    }
}

// A drop shadow (our choice for bvShadow): the bottom and right bands in the shadow colour, the
// top and left ones left as they are; the same width on every side.
gdi::RECT TPxBevel::DrawCustom(gdi::HDC dc, gdi::RECT r, TPxBevelStyle style, int width) const {
    if (style == bvNone || width == 0) return r;
    const bool raised = style == bvRaised || style == bvFrameRaised;
    const TColor topLeft = style == bvNormal ? clBlack : raised ? lightColor_ : shadowColor_;
    const TColor bottomRight = style == bvNormal ? clBlack : raised ? shadowColor_ : lightColor_;
    if (style == bvFrameRaised || style == bvFrameLowered) {
        for (int k = 0; k < width; ++k) {
            FrameSolid(dc, {r.left + k + 1, r.top + k + 1, r.right, r.bottom}, bottomRight);
            FrameSolid(dc, {r.left, r.top, r.right - k - 1, r.bottom - k - 1}, topLeft);
        }
        return {r.left + width + 1, r.top + width + 1, r.right - width - 1, r.bottom - width - 1};
    }
    for (int k = 0; k < width && r.left < r.right && r.top < r.bottom; ++k) {
        const int l = r.left, t = r.top, right = r.right - 1, b = r.bottom - 1;
        if (style != bvShadow) {
            Line(dc, l, t + 1, l, b, topLeft);
            Line(dc, l, t, right - 1, t, topLeft);
        }
        Line(dc, right, t, right, b - 1, style == bvShadow ? shadowColor_ : bottomRight);
        Line(dc, l + 1, b, right, b, style == bvShadow ? shadowColor_ : bottomRight);
        r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
    return r;
}

gdi::RECT TPxBevel::Draw(gdi::HDC dc, gdi::RECT r, bool transparent) const {
    if (width_ == 0) return r;
    switch (mode_) {
        case bmStandard:
            r = DrawStandard(dc, r, standardStyle_);
            break;
        case bmWindows:
            r = DrawStandard(dc, r, lsLoweredExt);
            break;
        case bmEdge:
            r = DrawEdgeMode(dc, r, edgeStyle_, borderSides_, transparent);
            break;
        case bmCustom:
            r = DrawCustom(dc, r, styleOuter_, widthOuter_);
            r = PlainFrames(dc, r, borderWidth_, borderColor_, transparent);
            r = DrawCustom(dc, r, styleInner_, widthInner_);
            break;
    }
    return PlainFrames(dc, r, borderInnerWidth_, borderColor_, transparent);
}

}  // namespace plexon
