// Drawing of the application icon: a few shapes tested per sample, blended with their coverage.
#include "app/ApplicationIcon.h"

#include <algorithm>
#include <cmath>

namespace plexon {

namespace {

struct Rgba {
    double r = 0, g = 0, b = 0, a = 0;  // premultiplied
};

struct Box {
    double x0, y0, x1, y1, radius;
    bool Contains(double x, double y) const {
        if (x < x0 || x >= x1 || y < y0 || y >= y1) return false;
        const double cx = std::clamp(x, x0 + radius, x1 - radius),
                     cy = std::clamp(y, y0 + radius, y1 - radius);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
    }
};

void Over(Rgba& under, double r, double g, double b) {
    under = {r, g, b, 1.0};
}

// The colour of one sample, coordinates in units of the icon's edge (0 to 1).
Rgba Sample(double x, double y) {
    Rgba c;
    const Box tile{0.03, 0.03, 0.97, 0.97, 0.17};
    if (!tile.Contains(x, y)) return c;
    const double shade = 1.0 - 0.35 * y;  // lighter at the top
    Over(c, 0.16 * shade, 0.42 * shade, 0.78 * shade);
    // The seam that joins the states, behind them.
    if (Box{0.10, 0.47, 0.90, 0.53, 0}.Contains(x, y)) Over(c, 0.98, 0.78, 0.25);
    // Normal, hot and disabled: three squares in a row, each with a dark rim.
    const double colours[3][3] = {{0.96, 0.96, 0.94}, {1.0, 0.80, 0.22}, {0.62, 0.64, 0.67}};
    for (int k = 0; k < 3; ++k) {
        const double left = 0.115 + k * 0.27;
        const Box rim{left, 0.365, left + 0.23, 0.635, 0.03};
        if (!rim.Contains(x, y)) continue;
        Over(c, 0.07, 0.16, 0.32);
        if (Box{left + 0.035, 0.40, left + 0.195, 0.60, 0.01}.Contains(x, y))
            Over(c, colours[k][0], colours[k][1], colours[k][2]);
    }
    return c;
}

std::uint32_t Channel(double value) {
    return std::uint32_t(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
}

}  // namespace

window::IconImage DrawApplicationIcon(int size) {
    window::IconImage icon{size, std::vector<std::uint32_t>(std::size_t(size) * std::size_t(size))};
    constexpr int kSamples = 4;
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            Rgba sum;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const Rgba s =
                        Sample((px + (sx + 0.5) / kSamples) / size, (py + (sy + 0.5) / kSamples) / size);
                    sum = {sum.r + s.r * s.a, sum.g + s.g * s.a, sum.b + s.b * s.a, sum.a + s.a};
                }
            }
            const double a = sum.a / (kSamples * kSamples);
            const double unpremultiply = sum.a > 0 ? 1.0 / sum.a : 0.0;
            icon.argb[std::size_t(py) * std::size_t(size) + std::size_t(px)] =
                Channel(a) << 24 | Channel(sum.r * unpremultiply) << 16 |
                Channel(sum.g * unpremultiply) << 8 | Channel(sum.b * unpremultiply);
        }
    }
    return icon;
}

}  // namespace plexon
