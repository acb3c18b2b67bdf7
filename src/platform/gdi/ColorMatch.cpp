// Nearest-colour search: a linear scan, fast enough for tables of at most 256 entries once cached.
#include "platform/gdi/ColorMatch.h"

#include <cstring>

namespace plexon::gdi::detail {

int NearestIndex(const RGBQUAD* colors, int count, COLORREF rgb) {
    const int r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < count; ++i) {
        const int dr = colors[i].rgbRed - r, dg = colors[i].rgbGreen - g, db = colors[i].rgbBlue - b;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
            if (distance == 0) break;
        }
    }
    return best;
}

void NearestCache::Reset(const RGBQUAD* colors, int count) {
    colors_ = colors;
    count_ = count;
    if (++generation_ == 0) {  // wrapped: stale entries could look current
        std::memset(static_cast<void*>(entries_), 0, sizeof entries_);
        generation_ = 1;
    }
}

NearestCache& ThreadNearestCache() {
    thread_local NearestCache cache;
    return cache;
}

}  // namespace plexon::gdi::detail
