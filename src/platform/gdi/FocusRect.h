// The dotted focus rectangle of the classic desktop: drawn by inverting every other pixel of a
// one-pixel frame, so that drawing it twice leaves the picture as it was. No pens or brushes involved.
#pragma once

#include "platform/gdi/Types.h"

namespace plexon::gdi {

// Inverts the pixels of the frame just inside rect whose coordinates add up to an even number,
// clipped like PatBlt. An empty rectangle draws nothing and succeeds.
BOOL DrawFocusRect(HDC dc, const RECT* rect);

}  // namespace plexon::gdi
