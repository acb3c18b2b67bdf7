// Transparency masks and drawing through them: the 1-bit mask of one colour, and the masked copy
// that leaves the target alone where the mask is set. Which colour is see-through is the caller's.
#pragma once

#include "platform/gdi/Types.h"

namespace plexon {

// A 1-bit bitmap of the handle's size: 1 where the pixel equals `color`, 0 elsewhere; all 0 for
// clNone. Null for a missing handle. The handle must be selected in no context but a bitmap canvas's.
gdi::HBITMAP MakeMaskBitmap(gdi::HBITMAP handle, gdi::HPALETTE palette, gdi::COLORREF color);

// Draws the source rectangle into the target rectangle (stretched), leaving the target unchanged
// where the 1-bit bitmap selected in maskDc is 1; the mask is read from maskOrigin at source size.
void MaskedStretchCopy(gdi::HDC target, const gdi::RECT& targetRect, gdi::HDC source,
                       const gdi::RECT& sourceRect, gdi::HDC maskDc, gdi::POINT maskOrigin);

}  // namespace plexon
