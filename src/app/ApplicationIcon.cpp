// Drawing of the application icon: its shapes tested per sample and blended with their coverage, or
// written out as SVG paths.
#include "app/ApplicationIcon.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace plexon {

namespace {

constexpr IconColour kTile{0.16, 0.42, 0.78}, kRim{0.07, 0.16, 0.32};
// The tile is lighter at the top: 35 % darker at the bottom edge.
constexpr IconColour kTileBottom{kTile.r * 0.65, kTile.g * 0.65, kTile.b * 0.65};

constexpr IconShape Plain(double x0, double y0, double x1, double y1, double radius, IconColour colour) {
    return {x0, y0, x1, y1, radius, colour, colour};
}

// The rim and face of state square k: normal, hot, disabled.
constexpr IconShape Rim(int k) {
    return Plain(0.115 + k * 0.27, 0.365, 0.345 + k * 0.27, 0.635, 0.03, kRim);
}
constexpr IconShape Face(int k, IconColour colour) {
    return Plain(0.15 + k * 0.27, 0.40, 0.31 + k * 0.27, 0.60, 0.01, colour);
}

constexpr std::array<IconShape, 8> kShapes = {{
    {0.03, 0.03, 0.97, 0.97, 0.17, kTile, kTileBottom},
    Plain(0.10, 0.47, 0.90, 0.53, 0, {0.98, 0.78, 0.25}),  // the seam that joins the states
    Rim(0),
    Face(0, {0.96, 0.96, 0.94}),
    Rim(1),
    Face(1, {1.0, 0.80, 0.22}),
    Rim(2),
    Face(2, {0.62, 0.64, 0.67}),
}};

bool Contains(const IconShape& s, double x, double y) {
    if (x < s.x0 || x >= s.x1 || y < s.y0 || y >= s.y1) return false;
    const double cx = std::clamp(x, s.x0 + s.radius, s.x1 - s.radius),
                 cy = std::clamp(y, s.y0 + s.radius, s.y1 - s.radius);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= s.radius * s.radius;
}

IconColour ColourAt(const IconShape& s, double y) {
    return {s.top.r + (s.bottom.r - s.top.r) * y, s.top.g + (s.bottom.g - s.top.g) * y,
            s.top.b + (s.bottom.b - s.top.b) * y};
}

std::uint32_t Channel(double value) {
    return std::uint32_t(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
}

std::string Hex(const IconColour& c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", unsigned(Channel(c.r)), unsigned(Channel(c.g)),
                  unsigned(Channel(c.b)));
    return text;
}

// Coordinates in hundredths of the edge, the SVG's user units.
std::string Number(double units) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", std::round(units * 100000.0) / 1000.0);
    return text;
}

// A rounded box as lines and quarter-circle arcs, clockwise from the top edge.
std::string PathOf(const IconShape& s) {
    const std::string r = Number(s.radius), arc = " A" + r + " " + r + " 0 0 1 ";
    const bool round = s.radius > 0;
    std::string d = "M" + Number(s.x0 + s.radius) + " " + Number(s.y0) + " H" + Number(s.x1 - s.radius);
    if (round) d += arc + Number(s.x1) + " " + Number(s.y0 + s.radius);
    d += " V" + Number(s.y1 - s.radius);
    if (round) d += arc + Number(s.x1 - s.radius) + " " + Number(s.y1);
    d += " H" + Number(s.x0 + s.radius);
    if (round) d += arc + Number(s.x0) + " " + Number(s.y1 - s.radius);
    d += " V" + Number(s.y0 + s.radius);
    if (round) d += arc + Number(s.x0 + s.radius) + " " + Number(s.y0);
    return d + " Z";
}

}  // namespace

std::span<const IconShape> ApplicationIconShapes() {
    return kShapes;
}

window::IconImage DrawApplicationIcon(int size) {
    window::IconImage icon{size, std::vector<std::uint32_t>(std::size_t(size) * std::size_t(size))};
    // Enough samples that an edge's coverage is within 1/32 of the exact one an SVG renderer finds.
    constexpr int kSamples = 16;
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            double r = 0, g = 0, b = 0, covered = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                const double y = (py + (sy + 0.5) / kSamples) / size;
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double x = (px + (sx + 0.5) / kSamples) / size;
                    const IconShape* top = nullptr;
                    for (const IconShape& shape : kShapes)
                        if (Contains(shape, x, y)) top = &shape;
                    if (!top) continue;
                    const IconColour c = ColourAt(*top, y);
                    r += c.r, g += c.g, b += c.b, covered += 1;
                }
            }
            const double unweight = covered > 0 ? 1.0 / covered : 0.0;
            icon.argb[std::size_t(py) * std::size_t(size) + std::size_t(px)] =
                Channel(covered / (kSamples * kSamples)) << 24 | Channel(r * unweight) << 16 |
                Channel(g * unweight) << 8 | Channel(b * unweight);
        }
    }
    return icon;
}

std::string ApplicationIconSvg() {
    std::string defs, body;
    for (std::size_t i = 0; i < kShapes.size(); ++i) {
        const IconShape& s = kShapes[i];
        std::string fill = Hex(s.top);
        if (Hex(s.top) != Hex(s.bottom)) {
            // Top to bottom of the whole icon, as the bitmaps shade it.
            const std::string id = "shade" + std::to_string(i);
            defs += "<linearGradient id=\"" + id +
                    "\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"100\">"
                    "<stop offset=\"0\" stop-color=\"" +
                    Hex(s.top) + "\"/><stop offset=\"1\" stop-color=\"" + Hex(s.bottom) +
                    "\"/></linearGradient>\n";
            fill = "url(#" + id + ")";
        }
        body += "<path fill=\"" + fill + "\" d=\"" + PathOf(s) + "\"/>\n";
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 100 100\">\n"
           "<defs>\n" +
           defs + "</defs>\n" + body + "</svg>\n";
}

}  // namespace plexon
