// The application's icon, drawn in code at any size: the window system shows it for our windows, and
// tools/make_app_icon writes it for the desktop's icon theme. No file is read.
#pragma once

#include "platform/window/Backend.h"

namespace plexon {

// The size handed to the window system; the theme's own sizes come from the same drawing.
inline constexpr int kWindowIconSize = 48;

// A rounded blue tile holding a strip of three state squares (normal, hot, disabled) on a weld
// seam; smooth edges by 4 x 4 supersampling.
window::IconImage DrawApplicationIcon(int size);

}  // namespace plexon
