// Scanline polygon filling with pixel-centre sampling.
#include "platform/gdi/Scanline.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace plexon::gdi::detail {

void FillPolygon(Painter& painter, const std::vector<PointF>& points, COLORREF rgb) {
    if (points.size() < 3 || painter.Empty()) return;
    double top = points[0].y, bottom = points[0].y;
    for (const PointF& p : points) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    // Rows outside the drawable area are skipped, so huge coordinates cost nothing.
    const int firstRow = int(std::max(std::floor(top), double(painter.Bounds().top)));
    const int lastRow = int(std::min(std::ceil(bottom), double(painter.Bounds().bottom)));
    std::vector<double> crossings;
    for (int y = firstRow; y < lastRow; ++y) {
        const double centre = y + 0.5;
        crossings.clear();
        for (std::size_t i = 0; i < points.size(); ++i) {
            const PointF& a = points[i];
            const PointF& b = points[(i + 1) % points.size()];
            if ((a.y <= centre && centre < b.y) || (b.y <= centre && centre < a.y))
                crossings.push_back(a.x + (centre - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const double from =
                std::clamp(std::ceil(crossings[i] - 0.5), double(INT_MIN / 2), double(INT_MAX / 2));
            const double to =
                std::clamp(std::ceil(crossings[i + 1] - 0.5), double(INT_MIN / 2), double(INT_MAX / 2));
            if (from < to) painter.Span(y, int(from), int(to), rgb);
        }
    }
}

}  // namespace plexon::gdi::detail
