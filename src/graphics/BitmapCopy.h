// Making a new bitmap of a wanted description from an old one: the common step of resizing,
// unsharing and DIB copies. Internal to the bitmap.
#pragma once

#include "platform/gdi/Types.h"

namespace plexon {

class TCanvas;

// Returns the new bitmap (null when the wanted header has a zero dimension) and updates header to
// describe it. The old picture keeps its place at the top-left; new area is filled with the
// canvas brush, or all bits set without a canvas. source and canvas may be null.
gdi::HBITMAP MakeBitmapCopy(gdi::HBITMAP source, gdi::HPALETTE sourcePalette, gdi::HPALETTE targetPalette,
                            gdi::DIBSECTION& header, TCanvas* canvas);

}  // namespace plexon
