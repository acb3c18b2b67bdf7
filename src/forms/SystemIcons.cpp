// The system icons as small vector scenes: each pixel is sampled 4 x 4 times and every sample takes
// the colour of the topmost layer covering it, so edges come out smooth against the button face.
#include "forms/SystemIcons.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

#include "graphics/Color.h"
#include "runtime/Exceptions.h"

namespace plexon {

namespace {

struct Rgb {
    double r, g, b;
};

// A shape in icon coordinates (0..32, y down) and how it colours what it covers: opaque paint, or
// a darkening by `shade` (0..1) of what lies below.
struct Layer {
    std::function<bool(double x, double y)> covers;
    Rgb colour{};
    double shade = 0.0;
};

bool InDisc(double x, double y, double cx, double cy, double r) {
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

// A stroke with round ends from (ax, ay) to (bx, by), half as wide as `half`.
bool InCapsule(double x, double y, double ax, double ay, double bx, double by, double half) {
    const double dx = bx - ax, dy = by - ay;
    const double t = std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return InDisc(x, y, ax + t * dx, ay + t * dy, half);
}

// Inside the triangle, grown by `grow` on every side with rounded corners.
bool InRoundTriangle(double x, double y, double grow) {
    const double ax = 16, ay = 3, bx = 29, by = 27, cx = 3, cy = 27;
    auto side = [&](double px, double py, double qx, double qy) {
        // Signed distance to the edge p -> q, positive inside (the corners run clockwise).
        const double nx = qy - py, ny = px - qx, len = std::hypot(nx, ny);
        return -((x - px) * nx + (y - py) * ny) / len;
    };
    if (side(ax, ay, bx, by) >= 0 && side(bx, by, cx, cy) >= 0 && side(cx, cy, ax, ay) >= 0) return true;
    return InCapsule(x, y, ax, ay, bx, by, grow) || InCapsule(x, y, bx, by, cx, cy, grow) ||
           InCapsule(x, y, cx, cy, ax, ay, grow);
}

constexpr Rgb kWhite{255, 255, 255}, kBlue{0, 64, 200}, kDarkBlue{0, 32, 128}, kRed{220, 24, 24},
    kDarkRed{128, 0, 0}, kYellow{255, 214, 0}, kBlack{0, 0, 0}, kBrown{120, 80, 0};

Layer Shadow(std::function<bool(double, double)> covers) {
    return {std::move(covers), {}, 0.35};
}

// A white disc with a blue rim and a soft shadow: the ground of the information and question icons.
std::vector<Layer> BubbleGround() {
    return {Shadow([](double x, double y) { return InDisc(x, y, 17.5, 17.5, 14); }),
            {[](double x, double y) { return InDisc(x, y, 16, 16, 14.5); }, kDarkBlue},
            {[](double x, double y) { return InDisc(x, y, 16, 16, 13.3); }, kWhite}};
}

std::vector<Layer> Scene(int id) {
    std::vector<Layer> layers;
    switch (id) {
        case IDI_ASTERISK:
            layers = BubbleGround();
            layers.push_back({[](double x, double y) { return InDisc(x, y, 16, 8.8, 2.4); }, kBlue});
            layers.push_back({[](double x, double y) {
                                  return (x >= 14 && x <= 18 && y >= 13 && y <= 24) ||
                                         (x >= 12 && x <= 20 && y >= 22.5 && y <= 24.5) ||
                                         (x >= 12.5 && x <= 18 && y >= 13 && y <= 14.5);
                              },
                              kBlue});
            break;
        case IDI_QUESTION:
            layers = BubbleGround();
            layers.push_back({[](double x, double y) {
                                  const double dx = x - 16, dy = y - 11.5, d = std::hypot(dx, dy);
                                  const double angle = std::atan2(dy, dx) * 180 / std::numbers::pi;
                                  const bool onArc =
                                      std::abs(d - 4.6) <= 1.7 && (angle <= 75 || angle >= 165);
                                  return onArc || InCapsule(x, y, 17.2, 16, 16, 19.2, 1.7);
                              },
                              kBlue});
            layers.push_back({[](double x, double y) { return InDisc(x, y, 16, 23.5, 2.1); }, kBlue});
            break;
        case IDI_EXCLAMATION:
            layers.push_back(
                Shadow([](double x, double y) { return InRoundTriangle(x - 1.5, y - 1.5, 1.8); }));
            layers.push_back({[](double x, double y) { return InRoundTriangle(x, y, 2.2); }, kBrown});
            layers.push_back({[](double x, double y) { return InRoundTriangle(x, y, 1.0); }, kYellow});
            layers.push_back(
                {[](double x, double y) { return InCapsule(x, y, 16, 11, 16, 19.5, 1.8); }, kBlack});
            layers.push_back({[](double x, double y) { return InDisc(x, y, 16, 23.3, 1.9); }, kBlack});
            break;
        case IDI_HAND:
            layers.push_back(Shadow([](double x, double y) { return InDisc(x, y, 17.5, 17.5, 14); }));
            layers.push_back({[](double x, double y) { return InDisc(x, y, 16, 16, 14.5); }, kDarkRed});
            layers.push_back({[](double x, double y) { return InDisc(x, y, 16, 16, 13.3); }, kRed});
            layers.push_back({[](double x, double y) {
                                  return InCapsule(x, y, 11, 11, 21, 21, 2.0) ||
                                         InCapsule(x, y, 21, 11, 11, 21, 2.0);
                              },
                              kWhite});
            break;
        default:
            throw EResNotFound(Format(msg::kResNotFound, {std::to_string(id)}));
    }
    return layers;
}

}  // namespace

std::unique_ptr<TBitmap> LoadSystemIcon(int id) {
    const std::vector<Layer> layers = Scene(id);
    const gdi::COLORREF face = ResolveColor(clBtnFace);
    const Rgb ground{double(face & 0xFF), double((face >> 8) & 0xFF), double((face >> 16) & 0xFF)};
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelLayout(BitmapPixelLayout::Bits32);
    bitmap->SetWidth(kSystemIconSize);
    bitmap->SetHeight(kSystemIconSize);
    constexpr int kSamples = 4;
    for (int y = 0; y < kSystemIconSize; ++y) {
        auto* row = static_cast<std::uint8_t*>(bitmap->RowPointer(y));
        for (int x = 0; x < kSystemIconSize; ++x) {
            Rgb sum{0, 0, 0};
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double px = x + (sx + 0.5) / kSamples, py = y + (sy + 0.5) / kSamples;
                    Rgb c = ground;
                    for (const Layer& layer : layers) {
                        if (!layer.covers(px, py)) continue;
                        if (layer.shade > 0) {
                            c = {c.r * (1 - layer.shade), c.g * (1 - layer.shade), c.b * (1 - layer.shade)};
                        } else {
                            c = layer.colour;
                        }
                    }
                    sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                }
            constexpr double n = kSamples * kSamples;
            row[x * 4 + 0] = std::uint8_t(std::lround(sum.b / n));
            row[x * 4 + 1] = std::uint8_t(std::lround(sum.g / n));
            row[x * 4 + 2] = std::uint8_t(std::lround(sum.r / n));
            row[x * 4 + 3] = 0;
        }
    }
    return bitmap;
}

}  // namespace plexon
