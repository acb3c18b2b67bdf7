// Painting of the level progress bar: frame, the fill pieces with their tube shading, the percentage.
// Every fill is a Rectangle with pen and brush of one colour, so reversed rectangles (bars too thin
// for their inner margins) are painted the way the platform normalises them.
#include "controls/LevelProgressBar.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "graphics/Bitmap.h"
#include "graphics/GdiSupport.h"
#include "platform/gdi/Raster.h"

namespace plexon {

namespace {

// Far beyond any canvas, and small enough that coordinate sums stay in range.
constexpr std::int64_t kCoordinateLimit = std::int64_t(1) << 24;

int Clamped(std::int64_t v) {
    return int(std::clamp(v, -kCoordinateLimit, kCoordinateLimit));
}

// Halves go to the even neighbour (the default rounding mode).
int Round(double v) {
    return Clamped(
        std::int64_t(std::nearbyint(std::clamp(v, -double(kCoordinateLimit), double(kCoordinateLimit)))));
}

// Solid brushes by colour for the bands of one paint: a bar repeats the same few dozen band colours
// in every block, and making a brush per band would cost more than filling it.
class BandBrushes {
  public:
    BandBrushes() = default;
    ~BandBrushes() {
        for (const auto& [color, brush] : brushes_) gdi::DeleteObject(brush);
    }
    BandBrushes(const BandBrushes&) = delete;
    BandBrushes& operator=(const BandBrushes&) = delete;

    gdi::HBRUSH For(gdi::COLORREF color) {
        for (const auto& [known, brush] : brushes_)
            if (known == color) return brush;
        const gdi::HBRUSH brush = GdiCheck(gdi::CreateSolidBrush(color));
        brushes_.push_back({color, brush});
        return brush;
    }

  private:
    std::vector<std::pair<gdi::COLORREF, gdi::HBRUSH>> brushes_;
};

// What FillBarRect paints, without its pen and brush: Rectangle normalises a reversed rectangle and,
// with pen and brush of one colour, covers exactly the normalised area.
void FillBand(gdi::HDC dc, gdi::RECT r, gdi::HBRUSH brush) {
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    gdi::FillRect(dc, &r, brush);
}

// The gradient of DrawBarGradient. The first band goes through the canvas, so that a bitmap behind it
// learns of the change; the others are filled straight into its context.
void PaintGradient(TCanvas& canvas, BandBrushes& brushes, TColor from, TColor to, int steps,
                   const gdi::RECT& rect, TBarDirection direction) {
    const int n = std::clamp(steps, 1, 65535);
    const gdi::COLORREF a = ResolveColor(from), z = ResolveColor(to);
    const double dr = (gdi::GetRValue(z) - gdi::GetRValue(a)) / double(n);
    const double dg = (gdi::GetGValue(z) - gdi::GetGValue(a)) / double(n);
    const double db = (gdi::GetBValue(z) - gdi::GetBValue(a)) / double(n);
    const bool acrossX = direction == TBarDirection::AcrossX;
    const int start = acrossX ? rect.left : rect.top, end = acrossX ? rect.right : rect.bottom;
    const double h = double(end - start) / n;
    const int length = int(std::trunc(h)) + 1;
    gdi::HDC dc = nullptr;
    for (int i = 0; i < n; ++i) {
        const gdi::COLORREF color = gdi::RGB(std::uint8_t(gdi::GetRValue(a) + Round(i * dr)),
                                             std::uint8_t(gdi::GetGValue(a) + Round(i * dg)),
                                             std::uint8_t(gdi::GetBValue(a) + Round(i * db)));
        const int s = start + Round(i * h);
        const int e = std::min(s + length, end);
        const gdi::RECT band =
            acrossX ? gdi::RECT{s, rect.top, e, rect.bottom} : gdi::RECT{rect.left, s, rect.right, e};
        if (i == 0) {
            FillBarRect(canvas, band, TColor(color));
            dc = canvas.Handle();
        } else {
            FillBand(dc, band, brushes.For(color));
        }
    }
}

struct ColorPair {
    TColor color;
    TColor colorTo;
};

ColorPair LevelPair(const TProgressBarParams& params, int level) {
    switch (level) {
        case 0:
            return {params.Level0Color, params.Level0ColorTo};
        case 1:
            return {params.Level1Color, params.Level1ColorTo};
        case 2:
            return {params.Level2Color, params.Level2ColorTo};
        default:
            return {params.Level3Color, params.Level3ColorTo};
    }
}

int LevelOf(const TProgressBarParams& params, int position) {
    if (position < params.Level1Perc) return 0;
    if (position < params.Level2Perc) return 1;
    return position < 100 ? 2 : 3;
}

// A piece of fill in one colour pair: flat, or two mirrored gradients across its thickness.
void PaintPiece(TCanvas& canvas, BandBrushes& brushes, const gdi::RECT& piece, ColorPair pair,
                const TProgressBarParams& params) {
    if (!params.ShowGradient) {
        FillBarRect(canvas, piece, pair.color);
        return;
    }
    const auto [x1, y1, x2, y2] = piece;
    if (params.Orientation == goHorizontal) {
        const int mid = y1 + (y2 - y1) / 2;
        PaintGradient(canvas, brushes, pair.colorTo, pair.color, params.Steps, {x1, y1, x2, mid},
                      TBarDirection::AcrossY);
        PaintGradient(canvas, brushes, pair.color, pair.colorTo, params.Steps, {x1, mid, x2, y2},
                      TBarDirection::AcrossY);
    } else {
        const int mid = x1 + (x2 - x1) / 2;
        PaintGradient(canvas, brushes, pair.colorTo, pair.color, params.Steps, {x1, y1, mid, y2},
                      TBarDirection::AcrossX);
        PaintGradient(canvas, brushes, pair.color, pair.colorTo, params.Steps, {mid, y1, x2, y2},
                      TBarDirection::AcrossX);
    }
}

// Fill past the far end of the track (a position above 100) is cut at the rectangle's edge. The
// gradients run across the thickness, so the cut leaves every painted pixel as it was.
gdi::RECT CutAtFarEnd(gdi::RECT piece, const gdi::RECT& rect, TGaugeOrientation orientation) {
    if (orientation == goHorizontal)
        piece.right = std::min(piece.right, rect.right);
    else
        piece.top = std::max(piece.top, rect.top);
    return piece;
}

// A piece along the track from `from` to `to` pixels past the inner start, inset by `inset` across.
gdi::RECT TrackPiece(const gdi::RECT& r, TGaugeOrientation orientation, int inset, int from, int to) {
    if (orientation == goHorizontal) return {r.left + from, r.top + inset, r.left + to, r.bottom - inset};
    return {r.left + inset, r.bottom - to, r.right - inset, r.bottom - from};
}

void DrawStacked(TCanvas& canvas, BandBrushes& brushes, const gdi::RECT& r, int p, int L,
                 const TProgressBarParams& params) {
    const int l1 = params.Level1Perc, l2 = params.Level2Perc;
    const std::int64_t len = L;
    const int c1 = p < l1 ? Round(p / 100.0 * L) : Round(l1 / 100.0 * L);
    int c2 = 0;
    if (p >= l1)
        c2 =
            p < l2 ? Round(double(len * (p - l1)) / 100) : Round(double(len * (std::int64_t(l2) - l1)) / 100);
    const auto paint = [&](gdi::RECT piece, int level) {
        PaintPiece(canvas, brushes, CutAtFarEnd(piece, r, params.Orientation), LevelPair(params, level),
                   params);
    };
    // Vertical pieces sit one pixel lower than their horizontal twins (piece 1 is one pixel short),
    // and piece 3 keeps one background row between itself and piece 2.
    const int shift = params.Orientation == goVertical ? 1 : 0;
    paint(TrackPiece(r, params.Orientation, 1, 1, 1 + c1 - shift), 0);
    if (p >= l1) paint(TrackPiece(r, params.Orientation, 1, 1 + c1 - shift, 1 + c1 + c2 - shift), 1);
    if (p >= l2) {
        const int c3 =
            p == 100 ? Round(L - double(c1 + c2)) : Round(double(len * (p - std::int64_t(l2))) / 100);
        paint(TrackPiece(r, params.Orientation, 1, 1 + c1 + c2, 1 + c1 + c2 + c3), 3);
    }
}

void DrawSegmented(TCanvas& canvas, BandBrushes& brushes, const gdi::RECT& r, int p, int L,
                   const TProgressBarParams& params, ColorPair pair) {
    const std::int64_t T = Round(double(std::int64_t(p) * L) / 100);
    const auto paint = [&](int from, int to) {
        PaintPiece(canvas, brushes,
                   CutAtFarEnd(TrackPiece(r, params.Orientation, 2, from, to), r, params.Orientation), pair,
                   params);
    };
    if (T <= 9) {
        if (T >= 2) paint(2, int(T) + 1);
    } else {
        const std::int64_t N = T / 9, m = T % 9;
        // Blocks wholly past the far end would only be cut away.
        const std::int64_t length = params.Orientation == goHorizontal ? r.right - r.left : r.bottom - r.top;
        const std::int64_t shown = std::min(N, std::max<std::int64_t>(0, (length - 2 + 8) / 9));
        for (std::int64_t k = 0; k < shown; ++k) paint(int(2 + 9 * k), int(9 + 9 * k));
        if (m > 2 && N == shown) paint(int(9 * N + 2), int(9 * N + m + 1));
    }
    canvas.Brush().SetStyle(TBrushStyle::Clear);
}

void DrawPercentage(TCanvas& canvas, const gdi::RECT& rect, const TProgressBarParams& params) {
    const auto [l, t, r, b] = rect;
    const std::string text = std::to_string(params.Position) + "%";
    canvas.Brush().SetStyle(TBrushStyle::Clear);
    TFont& font = canvas.Font();
    font.SetName(params.Font.Name());
    font.SetHeight(params.Font.Height());
    font.SetColor(params.Font.Color());
    font.SetStyle(params.Font.Style());
    const gdi::SIZE extent = canvas.TextExtent(text);
    const int w = extent.cx, h = extent.cy;
    if (params.Orientation == goHorizontal) {
        canvas.TextOut(l + (r - l) / 2 - w / 2, t + (b - t) / 2 - h / 2, text);
    } else {
        font.SetOrientation(900);  // runs bottom to top; (x, y) stays the unrotated top left
        canvas.TextOut(l + (r - l) / 2 - h / 2, t + (b - t) / 2 + w / 2, text);
    }
}

}  // namespace

TFont TProgressBarParams::DefaultFont() {
    TFont font;
    font.SetName("Verdana");
    font.SetSize(10);
    return font;
}

void FillBarRect(TCanvas& canvas, const gdi::RECT& rect, TColor color) {
    canvas.Brush().SetColor(color);
    canvas.Pen().SetColor(color);
    canvas.Rectangle(rect.left, rect.top, rect.right, rect.bottom);
}

void DrawBarGradient(TCanvas& canvas, TColor from, TColor to, int steps, const gdi::RECT& rect,
                     TBarDirection direction) {
    BandBrushes brushes;
    PaintGradient(canvas, brushes, from, to, steps, rect, direction);
}

void DrawProgressBar(TCanvas& canvas, const gdi::RECT& rect, int position, const TProgressBarParams& params) {
    const auto [l, t, r, b] = rect;
    const int L = (params.Orientation == goHorizontal ? r - l : b - t) - 2;
    canvas.Brush().SetColor(params.BackgroundColor);
    canvas.Pen().SetColor(params.ShowBorder ? params.BorderColor : params.BackgroundColor);
    canvas.Rectangle(l, t, r, b);
    const int p = position;
    if (p > 0) {
        BandBrushes brushes;
        const ColorPair pair = LevelPair(params, LevelOf(params, p));
        if (params.Stacked) {
            DrawStacked(canvas, brushes, rect, p, L, params);
        } else if (params.CompletionSmooth) {
            const int c = Round(p / 100.0 * L);
            PaintPiece(
                canvas, brushes,
                CutAtFarEnd(TrackPiece(rect, params.Orientation, 1, 1, 1 + c), rect, params.Orientation),
                pair, params);
        } else {
            DrawSegmented(canvas, brushes, rect, p, L, params, pair);
        }
    }
    // -1 stands for "no text" as well.
    if (params.ShowPercentage && params.Position != -1) DrawPercentage(canvas, rect, params);
}

TLevelProgressBar::TLevelProgressBar(TComponent* owner) : TGraphicControl(owner) {
    params_.Font.OnChange = [this](TFont&) { Invalidate(); };
}

void TLevelProgressBar::SetPosition(int value) {
    params_.Position = value;
    Repaint();
}

void TLevelProgressBar::Paint() {
    const int width = Width(), height = Height();
    if (width <= 0 || height <= 0) return;
    const TProgressBarParams params = params_;  // the copy's font is a fresh one
    TBitmap buffer;
    buffer.SetWidth(width);
    buffer.SetHeight(height);
    DrawProgressBar(buffer.Canvas(), ClientRect(), params.Position, params);
    Canvas().DrawGraphic(0, 0, &buffer);
}

}  // namespace plexon
