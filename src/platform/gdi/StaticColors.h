// The fixed colour tables of the display: the 20 static colours, the halftone palette and the
// 16-colour table that 4-bit conversions use by default.
#pragma once

#include "platform/gdi/Types.h"

namespace plexon::gdi::detail {

extern const PALETTEENTRY kStaticColors[20];
// 10 static colours, the 6 x 6 x 6 colour cube without its 8 corners (static colours already), 28 greys
// between the cube's, the other 10 static colours: 256 distinct entries, black first and white last.
const RGBQUAD* HalftoneColors();  // 256 entries
extern const RGBQUAD kStandard16Colors[16];

}  // namespace plexon::gdi::detail
