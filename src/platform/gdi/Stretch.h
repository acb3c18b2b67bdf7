// Where a stretched transfer samples its source: nearest-neighbour positions and the source boxes that
// area averaging (HALFTONE) takes. Only geometry and averaging; clipping is the caller's.
#pragma once

#include <cstdint>

#include "platform/gdi/PixelFormat.h"

namespace plexon::gdi::detail {

// One axis of a stretch: `targetLength` destination positions cover `sourceLength` source positions
// starting at `sourceStart`, in reverse order when mirrored.
struct Axis {
    int sourceStart = 0;
    int sourceLength = 0;
    int targetLength = 0;
    bool mirror = false;

    bool IsIdentity() const { return !mirror && sourceLength == targetLength; }
    // Nearest neighbour: the source pixel whose centre is nearest the destination pixel's centre.
    std::int64_t Sample(int i) const {
        const std::int64_t t = mirror ? targetLength - 1 - i : i;
        // Unstretched, the nearest source pixel is the same one; a division per row is not free.
        if (sourceLength == targetLength) return sourceStart + t;
        return sourceStart + (2 * t + 1) * sourceLength / (2 * std::int64_t(targetLength));
    }
    // Area average: the source pixels [first, last] that destination position i covers.
    void Box(int i, std::int64_t& first, std::int64_t& last) const {
        const std::int64_t t = mirror ? targetLength - 1 - i : i;
        first = sourceStart + t * sourceLength / targetLength;
        last = sourceStart + ((t + 1) * sourceLength + targetLength - 1) / targetLength - 1;
        if (last < first) last = first;
    }
};

// Averages, for each destination column, the source boxes of rows [firstRow, lastRow] and writes the
// result as colours (0x00BBGGRR) to `out`. Boxes are clamped to the source's bounds.
void AverageBoxes(const Surface& source, const Axis& columns, int firstColumn, int count,
                  std::int64_t firstRow, std::int64_t lastRow, COLORREF* out);

}  // namespace plexon::gdi::detail
