// Drawing 24 x 24 pictures pixel by pixel for the programs in tools/: shapes as coverage masks, a
// picture that fills them with shading and rims, and a BMP writer for 4, 8, 24 and 32 bits. No
// anti-aliasing: edges stay hard, so palette files keep few colours and colour keys stay exact.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "graphics/Bitmap.h"
#include "platform/gdi/Raster.h"
#include "runtime/Exceptions.h"

namespace plexon::pixelart {

constexpr int kSize = 24;

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    auto operator<=>(const Rgb&) const = default;
};

// Which pixels a shape covers; shapes are built from pixel-centre tests.
using Mask = std::array<std::array<bool, kSize>, kSize>;

inline Mask MaskWhere(const std::function<bool(double, double)>& inside) {
    Mask m{};
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) m[y][x] = inside(x + 0.5, y + 0.5);
    return m;
}

inline Mask Rect(int x0, int y0, int x1, int y1) {
    return MaskWhere([=](double x, double y) { return x > x0 && x < x1 && y > y0 && y < y1; });
}

struct Pt {
    double x, y;
};

inline Mask Polygon(std::vector<Pt> pts) {
    return MaskWhere([pts](double x, double y) {
        bool in = false;
        for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const Pt &a = pts[i], &b = pts[j];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
        }
        return in;
    });
}

inline Mask Disc(double cx, double cy, double r) {
    return MaskWhere([=](double x, double y) { return std::hypot(x - cx, y - cy) <= r; });
}

// A ring between two radii, limited to the angles from `from` to `to` degrees (counter-clockwise,
// 0 pointing right, y up as on paper).
inline Mask Arc(double cx, double cy, double outer, double inner, double from, double to) {
    return MaskWhere([=](double x, double y) {
        double d = std::hypot(x - cx, y - cy);
        double a = std::atan2(cy - y, x - cx) * 180.0 / M_PI;
        return d <= outer && d >= inner && a >= from && a <= to;
    });
}

inline Mask ThickLine(Pt a, Pt b, double halfWidth) {
    return MaskWhere([=](double x, double y) {
        double dx = b.x - a.x, dy = b.y - a.y;
        double t = std::clamp(((x - a.x) * dx + (y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        return std::hypot(x - (a.x + t * dx), y - (a.y + t * dy)) <= halfWidth;
    });
}

inline Mask Mirrored(const Mask& m) {
    Mask out{};
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) out[y][x] = m[y][kSize - 1 - x];
    return out;
}

inline Mask Union(const Mask& a, const Mask& b) {
    Mask out{};
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) out[y][x] = a[y][x] || b[y][x];
    return out;
}

inline Mask Minus(const Mask& a, const Mask& b) {
    Mask out{};
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) out[y][x] = a[y][x] && !b[y][x];
    return out;
}

inline Rgb Mix(Rgb a, Rgb b, double t) {
    auto m = [t](int p, int q) { return static_cast<std::uint8_t>(std::lround(p + (q - p) * t)); };
    return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

// A full 24 x 24 colour grid, top row first.
using Grid = std::array<std::array<Rgb, kSize>, kSize>;

// The picture being drawn: colours plus coverage, so callers can tell it from the background.
class Picture {
  public:
    explicit Picture(Rgb background) : background_(background) {}

    // Fills the shape with a top-to-bottom gradient and rims it with the outline colour.
    void Paint(const Mask& m, Rgb top, Rgb bottom, Rgb outline) {
        int y0 = kSize, y1 = -1;
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                if (m[y][x]) y0 = std::min(y0, y), y1 = std::max(y1, y);
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) {
                if (!m[y][x]) continue;
                bool edge = x == 0 || y == 0 || x == kSize - 1 || y == kSize - 1 || !m[y][x - 1] ||
                            !m[y][x + 1] || !m[y - 1][x] || !m[y + 1][x];
                double t = y1 > y0 ? double(y - y0) / (y1 - y0) : 0.0;
                Set(x, y, edge ? outline : Mix(top, bottom, t));
            }
    }
    void Fill(const Mask& m, Rgb color) {
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                if (m[y][x]) Set(x, y, color);
    }
    void HLine(int x0, int x1, int y, Rgb color) {
        for (int x = x0; x < x1; ++x) Set(x, y, color);
    }
    void Set(int x, int y, Rgb color) {
        pixels_[y][x] = color;
        covered_[y][x] = true;
    }
    bool Covered(int x, int y) const { return covered_[y][x]; }
    Rgb At(int x, int y) const { return covered_[y][x] ? pixels_[y][x] : background_; }
    Rgb Background() const { return background_; }
    Grid Colors() const {
        Grid g{};
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) g[y][x] = At(x, y);
        return g;
    }

  private:
    Rgb background_;
    std::array<std::array<Rgb, kSize>, kSize> pixels_{};
    Mask covered_{};
};

enum class Depth { Bits4 = 4, Bits8 = 8, Bits24 = 24, Bits32 = 32 };

// The colour table of a palette file: the image's own colours, sorted, at most 2^bits of them.
inline std::vector<Rgb> PaletteFor(const Grid& g, Depth depth) {
    std::vector<Rgb> colors;
    for (const auto& row : g)
        for (Rgb c : row)
            if (std::find(colors.begin(), colors.end(), c) == colors.end()) colors.push_back(c);
    if (colors.size() > (std::size_t{1} << int(depth)))
        throw Exception("a picture has too many colours for its depth");
    std::sort(colors.begin(), colors.end());
    return colors;
}

inline std::uint8_t IndexOf(const std::vector<Rgb>& palette, Rgb c) {
    return static_cast<std::uint8_t>(std::lower_bound(palette.begin(), palette.end(), c) - palette.begin());
}

inline void WriteBmp(const Grid& g, Depth depth, const std::string& path) {
    gdi::BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(gdi::BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kSize;
    info.bmiHeader.biHeight = kSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<std::uint16_t>(depth);
    info.bmiHeader.biCompression = gdi::BI_RGB;
    std::vector<Rgb> palette;
    if (depth == Depth::Bits4 || depth == Depth::Bits8) {
        palette = PaletteFor(g, depth);
        info.bmiHeader.biClrUsed = static_cast<std::uint32_t>(palette.size());
        for (std::size_t i = 0; i < palette.size(); ++i)
            info.bmiColors[i] = {palette[i].b, palette[i].g, palette[i].r, 0};
    }
    void* bits = nullptr;
    gdi::HBITMAP section = gdi::CreateDIBSection(nullptr, &info, gdi::DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section) throw Exception("cannot create a DIB section");
    TBitmap bitmap;
    bitmap.SetHandle(section);
    for (int y = 0; y < kSize; ++y) {
        auto* row = static_cast<std::uint8_t*>(bitmap.RowPointer(y));
        for (int x = 0; x < kSize; ++x) {
            Rgb c = g[y][x];
            switch (depth) {
                case Depth::Bits4: {
                    std::uint8_t index = IndexOf(palette, c);
                    row[x / 2] |= x % 2 == 0 ? index << 4 : index;
                    break;
                }
                case Depth::Bits8:
                    row[x] = IndexOf(palette, c);
                    break;
                case Depth::Bits24:
                    row[3 * x] = c.b, row[3 * x + 1] = c.g, row[3 * x + 2] = c.r;
                    break;
                case Depth::Bits32:
                    row[4 * x] = c.b, row[4 * x + 1] = c.g, row[4 * x + 2] = c.r, row[4 * x + 3] = 0;
                    break;
            }
        }
    }
    bitmap.SaveFile(path);
}

}  // namespace plexon::pixelart
