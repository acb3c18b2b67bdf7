// Filling outlines given in floating-point pixel coordinates: a pixel belongs to the shape when its
// centre does (alternate rule). Shapes use it for polygons, text for underlines and rotated backgrounds.
#pragma once

#include <vector>

#include "platform/gdi/Painter.h"

namespace plexon::gdi::detail {

struct PointF {
    double x = 0, y = 0;
};

void FillPolygon(Painter& painter, const std::vector<PointF>& points, COLORREF rgb);

}  // namespace plexon::gdi::detail
