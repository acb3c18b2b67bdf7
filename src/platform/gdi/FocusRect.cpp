// The dotted focus rectangle, as single-pixel DSTINVERT transfers so that clipping and the target's
// pixel format are the transfer code's business.
#include "platform/gdi/FocusRect.h"

#include "platform/gdi/Objects.h"
#include "platform/gdi/Raster.h"

namespace plexon::gdi {

namespace {
void InvertDot(HDC dc, int x, int y) {
    // The dots sit on a checkerboard, so that corners and neighbouring rectangles line up.
    if (((x + y) & 1) == 0) PatBlt(dc, x, y, 1, 1, DSTINVERT);
}
}  // namespace

BOOL DrawFocusRect(HDC dc, const RECT* rect) {
    if (!detail::IsLive(dc)) return 0;
    if (rect == nullptr) {
        detail::SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const RECT r = *rect;
    if (r.right <= r.left || r.bottom <= r.top) return 1;
    // Each pixel once: a frame one pixel high or wide must not invert its pixels twice.
    for (int x = r.left; x < r.right; ++x) {
        InvertDot(dc, x, r.top);
        if (r.bottom - 1 > r.top) InvertDot(dc, x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        InvertDot(dc, r.left, y);
        if (r.right - 1 > r.left) InvertDot(dc, r.right - 1, y);
    }
    return 1;
}

}  // namespace plexon::gdi
