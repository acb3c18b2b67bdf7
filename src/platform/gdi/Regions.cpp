// Clip regions as lists of disjoint rectangles, and the drawable area every service paints into.
#include "platform/gdi/Regions.h"

#include <algorithm>

#include "platform/gdi/Objects.h"
#include "platform/gdi/Transfer.h"

namespace plexon::gdi {

using detail::IsLive;

ClipRects::ClipRects(const RECT& r) {
    if (!detail::IsEmpty(r)) rects.push_back(r);
}

namespace {

RECT Ordered(int left, int top, int right, int bottom) {
    return RECT{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

int Kind(const ClipRects& area) {
    if (area.rects.empty()) return NULLREGION;
    return area.rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

ClipRects IntersectArea(const ClipRects& area, const RECT& cut) {
    ClipRects result;
    for (const RECT& r : area.rects) {
        const RECT part = detail::Intersect(r, cut);
        if (!detail::IsEmpty(part)) result.rects.push_back(part);
    }
    return result;
}

// Each rectangle minus the cut leaves at most four disjoint pieces: above, below, left and right of it.
ClipRects SubtractArea(const ClipRects& area, const RECT& cut) {
    ClipRects result;
    for (const RECT& r : area.rects) {
        const RECT overlap = detail::Intersect(r, cut);
        if (detail::IsEmpty(overlap)) {
            result.rects.push_back(r);
            continue;
        }
        const RECT pieces[4] = {{r.left, r.top, r.right, overlap.top},
                                {r.left, overlap.bottom, r.right, r.bottom},
                                {r.left, overlap.top, overlap.left, overlap.bottom},
                                {overlap.right, overlap.top, r.right, overlap.bottom}};
        for (const RECT& piece : pieces)
            if (!detail::IsEmpty(piece)) result.rects.push_back(piece);
    }
    return result;
}

RECT BitmapBounds(const GdiDc& dc) {
    return RECT{0, 0, dc.bitmap->surface.width, dc.bitmap->surface.height};
}

}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    auto* region = new GdiRegion;
    region->area = ClipRects(Ordered(left, top, right, bottom));
    detail::Register(region);
    return region;
}

BOOL DeleteObject(HRGN region) {
    if (!IsLive(region)) return 0;
    detail::Unregister(region);
    delete region;
    return 1;
}

int SelectClipRgn(HDC dc, HRGN region) {
    if (!IsLive(dc)) return RGN_ERROR;
    if (region == nullptr) {
        dc->clip.reset();
        return SIMPLEREGION;
    }
    if (!IsLive(region)) return RGN_ERROR;
    dc->clip = region->area;
    return Kind(region->area);
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
    if (!IsLive(dc)) return RGN_ERROR;
    const ClipRects start = dc->clip ? *dc->clip : ClipRects(BitmapBounds(*dc));
    dc->clip = IntersectArea(start, Ordered(left, top, right, bottom));
    return Kind(*dc->clip);
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
    if (!IsLive(dc)) return RGN_ERROR;
    const ClipRects start = dc->clip ? *dc->clip : ClipRects(BitmapBounds(*dc));
    dc->clip = SubtractArea(start, Ordered(left, top, right, bottom));
    return Kind(*dc->clip);
}

int GetClipBox(HDC dc, RECT* box) {
    if (!IsLive(dc) || box == nullptr) return RGN_ERROR;
    const std::vector<RECT> rects = detail::DrawableRects(*dc);
    *box = RECT{};
    if (rects.empty()) return NULLREGION;
    *box = rects.front();
    for (const RECT& r : rects) {
        box->left = std::min(box->left, r.left);
        box->top = std::min(box->top, r.top);
        box->right = std::max(box->right, r.right);
        box->bottom = std::max(box->bottom, r.bottom);
    }
    return rects.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

namespace detail {

std::vector<RECT> DrawableRects(const GdiDc& dc) {
    const RECT bounds = BitmapBounds(dc);
    if (!dc.clip) return IsEmpty(bounds) ? std::vector<RECT>{} : std::vector<RECT>{bounds};
    return IntersectArea(*dc.clip, bounds).rects;
}

bool IsDrawable(const GdiDc& dc, int x, int y) {
    auto inside = [&](const RECT& r) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; };
    if (!inside(BitmapBounds(dc))) return false;
    return !dc.clip || std::any_of(dc.clip->rects.begin(), dc.clip->rects.end(), inside);
}

}  // namespace detail
}  // namespace plexon::gdi
