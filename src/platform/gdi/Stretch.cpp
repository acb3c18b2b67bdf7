// Area averaging for HALFTONE stretches: each source row is decoded once per destination row and
// summed into per-column boxes.
#include "platform/gdi/Stretch.h"

#include <algorithm>
#include <vector>

namespace plexon::gdi::detail {

void AverageBoxes(const Surface& source, const Axis& columns, int firstColumn, int count,
                  std::int64_t firstRow, std::int64_t lastRow, COLORREF* out) {
    firstRow = std::max<std::int64_t>(firstRow, 0);
    lastRow = std::min<std::int64_t>(lastRow, source.height - 1);
    thread_local std::vector<std::int64_t> boxes;  // first, last per column
    thread_local std::vector<std::uint64_t> sums;  // red, green, blue, count per column
    thread_local std::vector<COLORREF> decoded;    // one source row
    boxes.resize(2 * std::size_t(count));
    sums.assign(4 * std::size_t(count), 0);
    std::int64_t low = source.width, high = -1;
    for (int i = 0; i < count; ++i) {
        std::int64_t first, last;
        columns.Box(firstColumn + i, first, last);
        first = std::max<std::int64_t>(first, 0);
        last = std::min<std::int64_t>(last, source.width - 1);
        boxes[2 * i] = first;
        boxes[2 * i + 1] = last;
        low = std::min(low, first);
        high = std::max(high, last);
    }
    if (high < low) return;
    decoded.resize(std::size_t(high - low + 1));
    for (std::int64_t y = firstRow; y <= lastRow; ++y) {
        const std::uint8_t* row = source.Row(int(y));
        for (std::int64_t x = low; x <= high; ++x)
            decoded[std::size_t(x - low)] =
                DecodePixel(source.format, ReadPixel(row, int(x), source.format.bits));
        for (int i = 0; i < count; ++i) {
            std::uint64_t* sum = &sums[4 * std::size_t(i)];
            for (std::int64_t x = boxes[2 * i]; x <= boxes[2 * i + 1]; ++x) {
                const COLORREF c = decoded[std::size_t(x - low)];
                sum[0] += GetRValue(c);
                sum[1] += GetGValue(c);
                sum[2] += GetBValue(c);
                ++sum[3];
            }
        }
    }
    for (int i = 0; i < count; ++i) {
        const std::uint64_t* sum = &sums[4 * std::size_t(i)];
        const std::uint64_t n = std::max<std::uint64_t>(sum[3], 1);
        out[i] = RGB(std::uint8_t((sum[0] + n / 2) / n), std::uint8_t((sum[1] + n / 2) / n),
                     std::uint8_t((sum[2] + n / 2) / n));
    }
}

}  // namespace plexon::gdi::detail
