// Gradient colour tables and their painting. Bands are filled rectangles; the nested shapes are drawn
// without a pen, so each covers its box less the last row and column, as the platform draws them.
#include "controls/PxGradient.h"

#include <algorithm>
#include <cmath>

#include "graphics/GdiSupport.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/Regions.h"
#include "platform/gdi/Shapes.h"

namespace plexon {

namespace {

int Channel(gdi::COLORREF c, int shift) {
    return int((c >> shift) & 0xFF);
}

// Halves to the even neighbour.
int RoundEven(double v) {
    return int(std::nearbyint(v));
}

// The shape of colour i of c for the nested styles; coordinates relative to (x0, y0).
void PaintShape(gdi::HDC dc, TPxGradientStyle style, int i, int c, int w, int h, int x0, int y0) {
    const int gx = gdi::MulDiv(i + 1, w, c), gy = gdi::MulDiv(i + 1, h, c);
    const int cx = w / 2, cy = h / 2;
    const auto box = [&](int x1, int y1, int x2, int y2) {
        gdi::Rectangle(dc, x0 + x1, y0 + y1, x0 + x2, y0 + y2);
    };
    const auto polygon = [&](std::initializer_list<gdi::POINT> corners) {
        gdi::POINT points[4];
        int n = 0;
        for (gdi::POINT p : corners) points[n++] = {x0 + p.x, y0 + p.y};
        gdi::Polygon(dc, points, n);
    };
    switch (style) {
        case gstSquare:
            box(cx - gx / 2, cy - gy / 2, cx + gx / 2 + 2, cy + gy / 2 + 2);
            break;
        case gstElliptic: {
            const int ex = RoundEven(gx / 1.4), ey = RoundEven(gy / 1.4);
            gdi::Ellipse(dc, x0 + cx - ex, y0 + cy - ey, x0 + cx + ex, y0 + cy + ey);
            break;
        }
        case gstTopLeft:
            box(0, 0, 1 + gx, 1 + gy);
            break;
        case gstTopRight:
            box(w - gx, 1 + gy, w + 1, 0);
            break;
        case gstBottomLeft:
            box(1 + gx, h - gy, 0, h + 1);
            break;
        case gstBottomRight:
            box(w - gx, h - gy, w + 1, h + 1);
            break;
        case gstTopLeftDiagonal:
            polygon({{0, 0}, {2 * gx, 0}, {0, 1 + 2 * gy}, {-2 * gx, 1 + 2 * gy}});
            break;
        case gstTopRightDiagonal:
            polygon({{w + 1, 0}, {w + 1 - 2 * gx, 0}, {w + 1, 2 * gy}, {w + 1 + 2 * gx, 2 * gy}});
            break;
        case gstHorizontal:
        case gstVertical:
            break;
    }
}

void PaintTable(gdi::HDC dc, int x0, int y0, int w, int h, TPxGradientStyle style, bool paletteRelative,
                const GradientTable& table) {
    const int c = int(table.size());
    const auto brushFor = [&](int i) {
        const gdi::COLORREF color = table[std::size_t(i)];
        return GdiCheck(gdi::CreateSolidBrush(paletteRelative ? (color | 0x02000000u) : color));
    };
    if (style == gstHorizontal || style == gstVertical) {
        for (int i = c - 1; i >= 0; --i) {
            const int from = gdi::MulDiv(i, style == gstHorizontal ? w : h, c);
            const int to = gdi::MulDiv(i + 1, style == gstHorizontal ? w : h, c);
            if (from >= to) continue;  // more colours than pixels: this one gets none
            const gdi::RECT band = style == gstHorizontal ? gdi::RECT{x0 + from, y0, x0 + to, y0 + h}
                                                          : gdi::RECT{x0, y0 + from, x0 + w, y0 + to};
            const gdi::HBRUSH brush = brushFor(i);
            gdi::FillRect(dc, &band, brush);
            gdi::DeleteObject(brush);
        }
        return;
    }
    const gdi::HPEN oldPen = gdi::SelectObject(dc, gdi::GetStockPen(gdi::NULL_PEN));
    for (int i = c - 1; i >= 0; --i) {
        const gdi::HBRUSH brush = brushFor(i);
        const gdi::HBRUSH oldBrush = gdi::SelectObject(dc, brush);
        PaintShape(dc, style, i, c, w, h, x0, y0);
        gdi::SelectObject(dc, oldBrush);
        gdi::DeleteObject(brush);
    }
    gdi::SelectObject(dc, oldPen);
}

}  // namespace

void BuildGradientColors(TColor from, TColor to, int count, bool restart, GradientTable& table) {
    if (count <= 0) return;
    if (restart) table.clear();
    const int first = restart ? 0 : 1;
    if (count - 1 < first) return;
    const gdi::COLORREF a = ResolveColor(from), b = ResolveColor(to);
    for (int k = first; k < count; ++k) {
        // A run of one colour has no steps: it is its first colour.
        const auto channel = [&](int shift) {
            const int start = Channel(a, shift);
            const int step = count > 1 ? gdi::MulDiv(k, Channel(b, shift) - start, count - 1) : 0;
            return gdi::COLORREF((start + step) & 0xFF) << shift;
        };
        table.push_back(channel(0) | channel(8) | channel(16));
    }
}

void PaintGradient(gdi::HDC dc, const gdi::RECT& r, TPxGradientStyle style, unsigned flags,
                   gdi::HPALETTE palette, const GradientTable& table) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (table.empty() || w <= 0 || h <= 0) return;
    const bool usePalette = (flags & kGradientUsePalette) && palette;
    if (flags & kGradientUseBitmap) {
        const gdi::HBITMAP bitmap = GdiCheck(gdi::CreateCompatibleBitmap(nullptr, w, h));
        {
            ScopedMemoryDc scratch;
            scratch.Select(bitmap);
            if (usePalette) scratch.SelectPalette(palette);
            PaintTable(scratch.Get(), 0, 0, w, h, style, usePalette, table);
            gdi::BitBlt(dc, r.left, r.top, w, h, scratch.Get(), 0, 0, gdi::SRCCOPY);
        }
        gdi::DeleteObject(bitmap);
        return;
    }
    gdi::HPALETTE oldPalette = nullptr;
    if (usePalette) {
        oldPalette = gdi::SelectPalette(dc, palette, true);
        gdi::RealizePalette(dc);
    }
    if (flags & kGradientClip) gdi::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    PaintTable(dc, r.left, r.top, w, h, style, usePalette, table);
    if (flags & kGradientClip) gdi::SelectClipRgn(dc, nullptr);
    if (oldPalette) gdi::SelectPalette(dc, oldPalette, true);
}

TPxGradient::TPxGradient() {
    Recompute();
}

TPxGradient::~TPxGradient() {
    FreePalette();
}

void TPxGradient::SetColorCount(int value) {
    Set(colorCount_, std::clamp(value, kMinColorCount, kMaxColorCount));
}

void TPxGradient::Assign(const TPxGradient& source) {
    BeginUpdate();
    colorCount_ = source.colorCount_;
    color_ = source.color_;
    style_ = source.style_;
    endColor_ = source.endColor_;
    paletteRealize_ = source.paletteRealize_;
    twoColors_ = source.twoColors_;
    colorList_ = source.colorList_;
    Recompute();
    EndUpdate(true);
}

void TPxGradient::FreePalette() {
    if (palette_) gdi::DeleteObject(palette_);
    palette_ = nullptr;
}

void TPxGradient::Recompute() {
    FreePalette();
    colors_.clear();
    if (twoColors_) {
        BuildGradientColors(color_, endColor_, colorCount_, true, colors_);
    } else if (colorList_.size() >= 2) {
        // The run length divides by the number of listed colours, not by the number of runs.
        const int m = int(colorList_.size()), n = colorCount_ / m;
        BuildGradientColors(colorList_[0], colorList_[1], n, true, colors_);
        for (int i = 1; i + 1 < m; ++i)
            BuildGradientColors(colorList_[std::size_t(i)], colorList_[std::size_t(i + 1)], n, false,
                                colors_);
    }
    // The table holds at most 236 colours (a multi-colour run never exceeds ColorCount).
    if (paletteRealize_ && !colors_.empty()) {
        gdi::LOGPALETTE logical;
        logical.palNumEntries = std::uint16_t(colors_.size());
        for (std::size_t i = 0; i < colors_.size(); ++i)
            logical.palPalEntry[i] = {std::uint8_t(Channel(colors_[i], 0)),
                                      std::uint8_t(Channel(colors_[i], 8)),
                                      std::uint8_t(Channel(colors_[i], 16)), 0};
        palette_ = GdiCheck(gdi::CreatePalette(&logical));
    }
}

}  // namespace plexon
