// The banded two-colour fill of the markup label's background and of markup backgrounds. The
// bands are rectangles in pen and brush of one colour; the end colour itself is never painted.
#pragma once

#include "graphics/Canvas.h"
#include "graphics/Color.h"

namespace plexon {

enum class TGradientDirection { Horizontal, Vertical };

// steps 0 counts as 1. Leaves the canvas's pen and brush in the last band's colour; a border colour
// other than clNone frames the whole rectangle afterwards with a clear brush.
void FillGradient(TCanvas& canvas, TColor fromColor, TColor toColor, TGradientDirection direction,
                  const gdi::RECT& rect, int steps, TColor borderColor = clNone);

}  // namespace plexon
