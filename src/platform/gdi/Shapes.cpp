// Rectangles, ellipses, polygons, lines, frames and inversion, painted span by span into the drawable area.
#include "platform/gdi/Shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <vector>

#include "platform/gdi/Objects.h"
#include "platform/gdi/Painter.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/Scanline.h"
#include "platform/gdi/Transfer.h"

namespace plexon::gdi {

using detail::IsLive;

namespace {

std::optional<COLORREF> PenColor(const GdiDc& dc) {
    if (dc.pen->style == PS_NULL) return std::nullopt;
    return detail::ResolveColor(dc, dc.pen->color);
}

std::optional<COLORREF> BrushColor(const GdiDc& dc, const GdiBrush& brush) {
    if (brush.hollow) return std::nullopt;
    return detail::ResolveColor(dc, brush.color);
}

// Fills [left, right) x [top, bottom), computed in 64 bits and cut to what may change.
void FillBox(detail::Painter& painter, std::int64_t left, std::int64_t top, std::int64_t right,
             std::int64_t bottom, COLORREF rgb) {
    const RECT& bounds = painter.Bounds();
    left = std::max<std::int64_t>(left, bounds.left);
    right = std::min<std::int64_t>(right, bounds.right);
    top = std::max<std::int64_t>(top, bounds.top);
    bottom = std::min<std::int64_t>(bottom, bounds.bottom);
    if (left >= right) return;
    for (std::int64_t y = top; y < bottom; ++y) painter.Span(int(y), int(left), int(right), rgb);
}

struct Box {
    std::int64_t left, top, right, bottom;
};

Box Ordered(int left, int top, int right, int bottom) {
    return Box{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

// The pixels [from, to) of a row whose centres lie inside an ellipse; empty outside it.
struct Span {
    std::int64_t from = 0, to = 0;
};
Span EllipseRow(double cx, double cy, double a, double b, std::int64_t y) {
    if (a <= 0 || b <= 0) return {};
    const double dy = (double(y) + 0.5 - cy) / b;
    if (dy * dy > 1) return {};
    const double half = a * std::sqrt(1 - dy * dy);
    return Span{std::int64_t(std::ceil(cx - half - 0.5)), std::int64_t(std::floor(cx + half - 0.5)) + 1};
}

// Square dots of the pen's width along the line, the last pixel left out. Step k along the longer axis
// moves the other coordinate by k * minor / major, rounded; only the steps that can reach the drawable
// area are walked, so lines far outside it cost nothing.
void DrawLine(detail::Painter& painter, POINT from, POINT to, int width, COLORREF rgb) {
    const std::int64_t dx = std::int64_t(to.x) - from.x, dy = std::int64_t(to.y) - from.y;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t major = xMajor ? std::llabs(dx) : std::llabs(dy);
    const std::int64_t minor = xMajor ? dy : dx;
    const int majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const std::int64_t majorStart = xMajor ? from.x : from.y;
    const RECT& bounds = painter.Bounds();
    const std::int64_t low = (xMajor ? bounds.left : bounds.top) - std::int64_t(width);
    const std::int64_t high = (xMajor ? bounds.right : bounds.bottom) + std::int64_t(width);
    // Steps k whose major coordinate majorStart + majorSign * k lies in [low, high).
    std::int64_t first = 0, last = major;
    if (majorSign > 0) {
        first = std::max<std::int64_t>(first, low - majorStart);
        last = std::min<std::int64_t>(last, high - majorStart);
    } else {
        first = std::max<std::int64_t>(first, majorStart - high + 1);
        last = std::min<std::int64_t>(last, majorStart - low + 1);
    }
    const int before = (width - 1) / 2;
    for (std::int64_t k = first; k < last; ++k) {
        const std::int64_t along = majorStart + majorSign * k;
        const std::int64_t twice = 2 * k * minor;
        const std::int64_t offset =
            twice >= 0 ? (twice + major) / (2 * major) : -((-twice + major) / (2 * major));
        const std::int64_t across = (xMajor ? from.y : from.x) + offset;
        const std::int64_t x = xMajor ? along : across, y = xMajor ? across : along;
        FillBox(painter, x - before, y - before, x - before + width, y - before + width, rgb);
    }
}

}  // namespace

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
    if (!IsLive(dc)) return 0;
    detail::Painter painter(*dc);
    const Box box = Ordered(left, top, right, bottom);
    const std::optional<COLORREF> pen = PenColor(*dc), brush = BrushColor(*dc, *dc->brush);
    if (!pen) {
        if (brush) FillBox(painter, box.left, box.top, box.right - 1, box.bottom - 1, *brush);
        return 1;
    }
    const std::int64_t w = dc->pen->width;
    if (brush) FillBox(painter, box.left + w, box.top + w, box.right - w, box.bottom - w, *brush);
    FillBox(painter, box.left, box.top, box.right, std::min(box.top + w, box.bottom), *pen);
    FillBox(painter, box.left, std::max(box.bottom - w, box.top), box.right, box.bottom, *pen);
    FillBox(painter, box.left, box.top + w, std::min(box.left + w, box.right), box.bottom - w, *pen);
    FillBox(painter, std::max(box.right - w, box.left), box.top + w, box.right, box.bottom - w, *pen);
    return 1;
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
    if (!IsLive(dc)) return 0;
    detail::Painter painter(*dc);
    Box box = Ordered(left, top, right, bottom);
    const std::optional<COLORREF> pen = PenColor(*dc), brush = BrushColor(*dc, *dc->brush);
    if (!pen) {
        --box.right;
        --box.bottom;
    }
    if (box.right <= box.left || box.bottom <= box.top) return 1;
    const double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
    const double a = (box.right - box.left) / 2.0, b = (box.bottom - box.top) / 2.0;
    const double w = pen ? dc->pen->width : 0;
    const std::int64_t first = std::max<std::int64_t>(box.top, painter.Bounds().top);
    const std::int64_t last = std::min<std::int64_t>(box.bottom, painter.Bounds().bottom);
    for (std::int64_t y = first; y < last; ++y) {
        const Span outer = EllipseRow(cx, cy, a, b, y);
        const Span inner = pen ? EllipseRow(cx, cy, a - w, b - w, y) : outer;
        if (brush && inner.from < inner.to) FillBox(painter, inner.from, y, inner.to, y + 1, *brush);
        if (!pen) continue;
        if (inner.from < inner.to) {
            FillBox(painter, outer.from, y, inner.from, y + 1, *pen);
            FillBox(painter, inner.to, y, outer.to, y + 1, *pen);
        } else {
            FillBox(painter, outer.from, y, outer.to, y + 1, *pen);
        }
    }
    return 1;
}

BOOL Polygon(HDC dc, const POINT* points, int count) {
    if (!IsLive(dc)) return 0;
    if (points == nullptr || count < 2) {
        detail::SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    detail::Painter painter(*dc);
    if (const std::optional<COLORREF> brush = BrushColor(*dc, *dc->brush)) {
        std::vector<detail::PointF> outline;
        outline.reserve(std::size_t(count));
        for (int i = 0; i < count; ++i) outline.push_back({double(points[i].x), double(points[i].y)});
        detail::FillPolygon(painter, outline, *brush);
    }
    if (const std::optional<COLORREF> pen = PenColor(*dc))
        for (int i = 0; i < count; ++i)
            DrawLine(painter, points[i], points[(i + 1) % count], dc->pen->width, *pen);
    return 1;
}

BOOL MoveToEx(HDC dc, int x, int y, POINT* previous) {
    if (!IsLive(dc)) return 0;
    if (previous) *previous = dc->position;
    dc->position = POINT{x, y};
    return 1;
}

BOOL LineTo(HDC dc, int x, int y) {
    if (!IsLive(dc)) return 0;
    if (const std::optional<COLORREF> pen = PenColor(*dc)) {
        detail::Painter painter(*dc);
        DrawLine(painter, dc->position, POINT{x, y}, dc->pen->width, *pen);
    }
    dc->position = POINT{x, y};
    return 1;
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
    if (!IsLive(dc) || !IsLive(brush)) return 0;
    if (rect == nullptr) {
        detail::SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::optional<COLORREF> color = BrushColor(*dc, *brush);
    if (!color || detail::IsEmpty(*rect)) return 1;
    detail::Painter painter(*dc);
    const RECT& r = *rect;
    FillBox(painter, r.left, r.top, r.right, r.top + 1, *color);
    FillBox(painter, r.left, r.bottom - 1, r.right, r.bottom, *color);
    FillBox(painter, r.left, r.top + 1, r.left + 1, r.bottom - 1, *color);
    FillBox(painter, r.right - 1, r.top + 1, r.right, r.bottom - 1, *color);
    return 1;
}

BOOL InvertRect(HDC dc, const RECT* rect) {
    if (!IsLive(dc)) return 0;
    if (rect == nullptr) {
        detail::SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // Cut to the bitmap first, so that the extents always fit.
    const RECT r =
        detail::Intersect(*rect, RECT{0, 0, dc->bitmap->surface.width, dc->bitmap->surface.height});
    if (detail::IsEmpty(r)) return 1;
    return PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, DSTINVERT);
}

}  // namespace plexon::gdi
