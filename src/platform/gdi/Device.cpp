// What the display reports about itself (capabilities, system colours) and MulDiv.
// The display is fixed: 32 bits per pixel, no hardware palette, 96 pixels per inch, 1024 x 768.
#include <climits>
#include <cstdint>

#include "platform/gdi/Objects.h"
#include "platform/gdi/Raster.h"

namespace plexon::gdi {

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const std::int64_t product = std::int64_t(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const std::uint64_t magnitude = product < 0 ? std::uint64_t(-product) : std::uint64_t(product);
    const std::uint64_t divisor = c < 0 ? std::uint64_t(-std::int64_t(c)) : std::uint64_t(c);
    std::uint64_t quotient = magnitude / divisor;
    if (2 * (magnitude % divisor) >= divisor) ++quotient;  // halves away from zero
    if (quotient > std::uint64_t(INT_MAX) + (negative ? 1 : 0)) return -1;
    return negative ? int(-std::int64_t(quotient)) : int(quotient);
}

int GetDeviceCaps(HDC dc, int index) {
    if (dc != nullptr && !detail::IsLive(dc)) return 0;
    switch (index) {
        case HORZRES:
            return 1024;
        case VERTRES:
            return 768;
        case BITSPIXEL:
            return 32;
        case PLANES:
            return 1;
        case NUMCOLORS:
            return -1;
        case RASTERCAPS:
            return 0;  // no RC_PALETTE: nothing to realise
        case LOGPIXELSX:
        case LOGPIXELSY:
            return 96;
        case SIZEPALETTE:
            return 0;
        default:
            return 0;
    }
}

COLORREF GetSysColor(int index) {
    // The classic grey 3D scheme; unused indices read black.
    static constexpr COLORREF kColors[] = {
        RGB(192, 192, 192),  // 0 scroll bar
        RGB(0, 128, 128),    // 1 background
        RGB(0, 0, 128),      // 2 active caption
        RGB(128, 128, 128),  // 3 inactive caption
        RGB(192, 192, 192),  // 4 menu
        RGB(255, 255, 255),  // 5 window
        RGB(0, 0, 0),        // 6 window frame
        RGB(0, 0, 0),        // 7 menu text
        RGB(0, 0, 0),        // 8 window text
        RGB(255, 255, 255),  // 9 caption text
        RGB(192, 192, 192),  // 10 active border
        RGB(192, 192, 192),  // 11 inactive border
        RGB(128, 128, 128),  // 12 application workspace
        RGB(0, 0, 128),      // 13 highlight
        RGB(255, 255, 255),  // 14 highlight text
        RGB(192, 192, 192),  // 15 button face
        RGB(128, 128, 128),  // 16 button shadow
        RGB(128, 128, 128),  // 17 grey text
        RGB(0, 0, 0),        // 18 button text
        RGB(192, 192, 192),  // 19 inactive caption text
        RGB(255, 255, 255),  // 20 button highlight
        RGB(0, 0, 0),        // 21 3D dark shadow
        RGB(223, 223, 223),  // 22 3D light
        RGB(0, 0, 0),        // 23 info text
        RGB(255, 255, 225),  // 24 info background
        RGB(0, 0, 0),        // 25 unused
        RGB(0, 0, 128),      // 26 hot-tracking
        RGB(16, 132, 208),   // 27 active caption gradient
        RGB(181, 181, 181),  // 28 inactive caption gradient
        RGB(0, 0, 128),      // 29 menu highlight
        RGB(192, 192, 192),  // 30 menu bar
    };
    if (index < 0 || index >= int(sizeof kColors / sizeof kColors[0])) return 0;
    return kColors[index];
}

}  // namespace plexon::gdi
