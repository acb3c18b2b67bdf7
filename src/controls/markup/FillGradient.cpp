// FillGradient: per-channel steps and band offsets in floating point, rounded half to even.
#include "controls/markup/FillGradient.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace plexon {

namespace {

int Nearest(double value) {
    return int(std::nearbyint(value));
}  // the default mode rounds half to even

}  // namespace

void FillGradient(TCanvas& canvas, TColor fromColor, TColor toColor, TGradientDirection direction,
                  const gdi::RECT& rect, int steps, TColor borderColor) {
    if (steps <= 0) steps = 1;
    const gdi::COLORREF from = ResolveColor(fromColor), to = ResolveColor(toColor);
    const int fr = gdi::GetRValue(from), fg = gdi::GetGValue(from), fb = gdi::GetBValue(from);
    const double dr = double(gdi::GetRValue(to) - fr) / steps, dg = double(gdi::GetGValue(to) - fg) / steps,
                 db = double(gdi::GetBValue(to) - fb) / steps;
    const bool horizontal = direction == TGradientDirection::Horizontal;
    const double band = double(horizontal ? rect.right - rect.left : rect.bottom - rect.top) / steps;
    const int extent = int(std::trunc(band)) + 1;
    canvas.Brush().SetStyle(TBrushStyle::Solid);
    for (int i = 0; i < steps; ++i) {
        const TColor colour =
            (fr + Nearest(i * dr)) + (fg + Nearest(i * dg)) * 256 + (fb + Nearest(i * db)) * 65536;
        canvas.Pen().SetColor(colour);
        canvas.Brush().SetColor(colour);
        // The offset wraps as the 16-bit value it was kept in.
        const int o = int(std::uint16_t(Nearest(i * band)));
        if (horizontal)
            canvas.Rectangle(rect.left + o, rect.top, std::min(rect.left + o + extent, rect.right),
                             rect.bottom);
        else
            canvas.Rectangle(rect.left, rect.top + o, rect.right,
                             std::min(rect.top + o + extent, rect.bottom));
    }
    if (borderColor != clNone) {
        canvas.Brush().SetStyle(TBrushStyle::Clear);
        canvas.Pen().SetColor(borderColor);
        canvas.Rectangle(rect.left, rect.top, rect.right, rect.bottom);
    }
}

}  // namespace plexon
