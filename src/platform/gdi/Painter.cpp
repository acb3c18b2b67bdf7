// Span and coverage painting, clipped to every rectangle of the drawable area.
#include "platform/gdi/Painter.h"

#include <algorithm>

#include "platform/gdi/Transfer.h"

namespace plexon::gdi::detail {

Painter::Painter(const GdiDc& dc, const std::optional<RECT>& extra)
    : surface_(dc.bitmap->surface),
      rects_(DrawableRects(dc)),
      blend_(dc.bitmap->surface.format.kind == FormatKind::Indexed ? Blend::No : Blend::Yes) {
    if (extra) {
        std::vector<RECT> narrowed;
        for (const RECT& r : rects_)
            if (const RECT part = Intersect(r, *extra); !IsEmpty(part)) narrowed.push_back(part);
        rects_.swap(narrowed);
    }
    if (rects_.empty()) return;
    bounds_ = rects_.front();
    for (const RECT& r : rects_) {
        bounds_.left = std::min(bounds_.left, r.left);
        bounds_.top = std::min(bounds_.top, r.top);
        bounds_.right = std::max(bounds_.right, r.right);
        bounds_.bottom = std::max(bounds_.bottom, r.bottom);
    }
}

void Painter::Span(int y, int x1, int x2, COLORREF rgb) {
    const std::uint32_t value = EncodeColor(surface_.format, rgb);
    for (const RECT& r : rects_) {
        if (y < r.top || y >= r.bottom) continue;
        const int from = std::max(x1, int(r.left)), to = std::min(x2, int(r.right));
        if (from >= to) continue;
        std::uint8_t* row = surface_.Row(y);
        for (int x = from; x < to; ++x) WritePixel(row, x, surface_.format.bits, value);
    }
}

namespace {

std::uint8_t Mix(std::uint8_t under, std::uint8_t over, unsigned alpha) {
    return std::uint8_t((under * (255 - alpha) + over * alpha + 127) / 255);
}

}  // namespace

void Painter::Coverage(int x, int y, const std::uint8_t* mask, int width, int height, int pitch,
                       COLORREF rgb) {
    const PixelFormat& format = surface_.format;
    const std::uint32_t solid = EncodeColor(format, rgb);
    const bool bgrx = format.IsBgrx32();
    for (const RECT& r : rects_) {
        const int top = std::max(y, int(r.top)), bottom = std::min(y + height, int(r.bottom));
        const int left = std::max(x, int(r.left)), right = std::min(x + width, int(r.right));
        for (int row = top; row < bottom; ++row) {
            const std::uint8_t* coverage = mask + std::ptrdiff_t(row - y) * pitch;
            std::uint8_t* pixels = surface_.Row(row);
            for (int col = left; col < right; ++col) {
                const unsigned alpha = coverage[col - x];
                if (alpha == 0) continue;
                if (blend_ == Blend::No) {
                    if (alpha >= 128) WritePixel(pixels, col, format.bits, solid);
                } else if (alpha == 255) {
                    WritePixel(pixels, col, format.bits, solid);
                } else if (bgrx) {
                    std::uint8_t* p = pixels + 4 * col;
                    p[0] = Mix(p[0], GetBValue(rgb), alpha);
                    p[1] = Mix(p[1], GetGValue(rgb), alpha);
                    p[2] = Mix(p[2], GetRValue(rgb), alpha);
                } else {
                    const COLORREF under = DecodePixel(format, ReadPixel(pixels, col, format.bits));
                    const COLORREF mixed = RGB(Mix(GetRValue(under), GetRValue(rgb), alpha),
                                               Mix(GetGValue(under), GetGValue(rgb), alpha),
                                               Mix(GetBValue(under), GetBValue(rgb), alpha));
                    WritePixel(pixels, col, format.bits, EncodeColor(format, mixed));
                }
            }
        }
    }
}

}  // namespace plexon::gdi::detail
