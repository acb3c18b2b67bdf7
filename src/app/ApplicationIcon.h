// The application's icon, drawn in code at any size: the window system shows it for our windows, and
// tools/make_app_icon writes it for the desktop's icon theme, as bitmaps and as a scalable SVG drawn
// from the same shapes. No file is read.
#pragma once

#include <span>
#include <string>

#include "platform/window/Backend.h"

namespace plexon {

// The size handed to the window system; the theme's own sizes come from the same drawing.
inline constexpr int kWindowIconSize = 48;

struct IconColour {
    double r, g, b;
};

// One rounded box of the icon, in units of the icon's edge (0 to 1). Its colour runs from `top` at the
// icon's top edge to `bottom` at its bottom edge (the same for a plain colour).
struct IconShape {
    double x0, y0, x1, y1, radius;
    IconColour top, bottom;
};

// A rounded blue tile holding a strip of three state squares (normal, hot, disabled) on a weld
// seam, back to front.
std::span<const IconShape> ApplicationIconShapes();

// The shapes with smooth edges by 16 x 16 supersampling.
window::IconImage DrawApplicationIcon(int size);

// The shapes as an SVG document of paths, gradients for the shaded ones.
std::string ApplicationIconSvg();

}  // namespace plexon
