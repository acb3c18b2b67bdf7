// The one engine behind every pixel transfer: block and stretched copies with raster operations,
// pattern fills and format conversion. Works on surfaces; handles and contexts are the callers' business.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/gdi/PixelFormat.h"
#include "platform/gdi/RowConvert.h"

namespace plexon::gdi::detail {

// Nearest: COLORONCOLOR. Average: HALFTONE. KeepBlack / KeepWhite (BLACKONWHITE / WHITEONBLACK): when
// a 1-bit source shrinks, the bits a destination pixel covers are ANDed / ORed; otherwise Nearest.
enum class StretchMode { Nearest, Average, KeepBlack, KeepWhite };

struct TransferRequest {
    const Surface* target = nullptr;
    // Destination rectangle (left < right, top < bottom) and the part of the target that may change.
    RECT rect;
    RECT clip;
    const Surface* source = nullptr;  // needed only when the operation uses the source
    int sourceX = 0, sourceY = 0, sourceWidth = 0, sourceHeight = 0;  // positive extents
    bool mirrorX = false, mirrorY = false;
    std::uint8_t rop = 0xCC;
    std::optional<COLORREF> brush;  // plain colour; none: a hollow brush, nothing is painted
    ColorRules rules = ColorRules::Context;
    MonoColors colors;
    StretchMode stretch = StretchMode::Nearest;
    // Masked transfers (never stretched): `rop` where the mask pixel at (maskX, maskY) + offset in the
    // rectangle is 1, `backgroundRop` where it is 0. The caller makes sure the mask covers the rectangle.
    const Surface* mask = nullptr;
    int maskX = 0, maskY = 0;
    std::uint8_t backgroundRop = 0xAA;
};

// Performs the transfer. Destination pixels whose source position lies outside the source are left
// alone, so nothing is ever read or written out of bounds.
void Transfer(const TransferRequest& request);

// Rectangle helpers with the usual half-open convention.
RECT Intersect(const RECT& a, const RECT& b);
inline bool IsEmpty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

}  // namespace plexon::gdi::detail
