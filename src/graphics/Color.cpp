// Turning system colours into RGB through the platform's colour table.
#include "graphics/Color.h"

#include "platform/gdi/Raster.h"

namespace plexon {

gdi::COLORREF ResolveColor(TColor color) {
    if (color < 0) return gdi::GetSysColor(int(std::uint32_t(color) & 0xFF));
    return gdi::COLORREF(color);
}

}  // namespace plexon
