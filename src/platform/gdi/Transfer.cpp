// The transfer engine: clip, pick one conversion, then per destination row fetch the source (converted
// or averaged), and either write it straight (SRCCOPY) or combine it with pattern and destination.
#include "platform/gdi/Transfer.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/gdi/ColorMatch.h"
#include "platform/gdi/Rop.h"
#include "platform/gdi/Stretch.h"

namespace plexon::gdi::detail {

RECT Intersect(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (IsEmpty(r)) r = RECT{};
    return r;
}

namespace {

template <typename T>
T* Scratch(std::vector<T>& buffer, std::size_t count) {
    if (buffer.size() < count) buffer.resize(count);
    return buffer.data();
}

bool Inside(std::int64_t v, int length) {
    return v >= 0 && v < length;
}

// Narrows [first, last) of destination positions to those whose samples lie inside the source.
void ClipToSource(const Axis& axis, int origin, int sourceLength, int& first, int& last) {
    while (first < last && !Inside(axis.Sample(first - origin), sourceLength)) ++first;
    while (last > first && !Inside(axis.Sample(last - 1 - origin), sourceLength)) --last;
}

// A private copy of source rows [low, high], for transfers within one bitmap.
struct Snapshot {
    std::vector<std::uint8_t> bytes;
    Surface surface;
    int low = 0;
};

void TakeSnapshot(const Surface& source, int low, int high, Snapshot& snapshot) {
    const std::size_t stride = std::size_t(RowBytes(source.width, source.format.bits, 8));
    const int rows = high - low + 1;
    snapshot.bytes.resize(stride * std::size_t(rows));
    for (int y = 0; y < rows; ++y)
        std::memcpy(&snapshot.bytes[stride * std::size_t(y)], source.Row(low + y), stride);
    snapshot.surface = MakeSurface(source.format, source.width, rows, snapshot.bytes.data(), stride, false);
    snapshot.low = low;
}

// The source pixels one destination position covers along an axis: the whole box when the axis
// shrinks, else the nearest pixel; clamped to the source.
void Cover(const Axis& axis, int i, int length, std::int64_t& first, std::int64_t& last) {
    if (axis.sourceLength > axis.targetLength) {
        axis.Box(i, first, last);
    } else {
        first = last = axis.Sample(i);
    }
    first = std::max<std::int64_t>(first, 0);
    last = std::min<std::int64_t>(last, length - 1);
}

// One row of 1-bit pixels, each the AND (keepBlack) or OR of the source bits its destination pixel covers.
// `source` may be a snapshot starting at row `rowOffset` of a source `sourceHeight` rows high.
void CombineBits(const Surface& source, int sourceHeight, int rowOffset, const Axis& columns,
                 const Axis& rows, int firstColumn, int count, int row, bool keepBlack, std::uint8_t* out) {
    std::int64_t top, bottom;
    Cover(rows, row, sourceHeight, top, bottom);
    for (int i = 0; i < count; ++i) {
        std::int64_t left, right;
        Cover(columns, firstColumn + i, source.width, left, right);
        std::uint32_t bit = keepBlack ? 1 : 0;
        for (std::int64_t y = top; y <= bottom; ++y) {
            const std::uint8_t* line = source.Row(int(y - rowOffset));
            for (std::int64_t x = left; x <= right; ++x) {
                const std::uint32_t value = ReadPixel(line, int(x), 1);
                bit = keepBlack ? (bit & value) : (bit | value);
            }
        }
        WritePixel(out, i, 1, bit);
    }
}

// Bits of a masked pixel that no channel owns (the spare byte of the display's 32-bit format) stay 0:
// raster operations work on whole pixels and would otherwise set them, and saved files carry them.
void ClearSpareBits(const PixelFormat& format, std::uint8_t* row, int x0, int x1) {
    if (format.kind != FormatKind::Masked) return;
    const std::uint32_t keep = format.red.mask | format.green.mask | format.blue.mask;
    if ((AllBits(format.bits) & ~keep) == 0) return;
    for (int x = x0; x < x1; ++x) WritePixel(row, x, format.bits, ReadPixel(row, x, format.bits) & keep);
}

}  // namespace

void Transfer(const TransferRequest& request) {
    const Surface& target = *request.target;
    const std::uint8_t rop = request.rop;
    const Surface* mask = request.mask;
    const std::uint8_t backgroundRop = mask ? request.backgroundRop : rop;
    const bool useSource = RopUsesSource(rop) || RopUsesSource(backgroundRop);
    const bool usePattern = RopUsesPattern(rop) || RopUsesPattern(backgroundRop);
    assert(!useSource || request.source != nullptr);
    if (usePattern && !request.brush) return;
    if (rop == 0xAA && backgroundRop == 0xAA) return;

    RECT area = Intersect(Intersect(request.rect, request.clip), RECT{0, 0, target.width, target.height});
    if (IsEmpty(area)) return;
    int x0 = area.left, x1 = area.right, y0 = area.top, y1 = area.bottom;
    const int bits = target.format.bits;

    const Axis columns{request.sourceX, request.sourceWidth, request.rect.right - request.rect.left,
                       request.mirrorX};
    const Axis rows{request.sourceY, request.sourceHeight, request.rect.bottom - request.rect.top,
                    request.mirrorY};
    assert(!mask || (columns.IsIdentity() && rows.IsIdentity()));

    const Surface* source = request.source;
    Snapshot snapshot;
    if (useSource) {
        ClipToSource(columns, request.rect.left, source->width, x0, x1);
        ClipToSource(rows, request.rect.top, source->height, y0, y1);
        if (x0 >= x1 || y0 >= y1) return;
        if (source->top == target.top) {
            std::int64_t a = rows.Sample(y0 - request.rect.top), b = rows.Sample(y1 - 1 - request.rect.top);
            std::int64_t low = std::min(a, b), high = std::max(a, b), first, last;
            rows.Box(y0 - request.rect.top, first, last);
            low = std::min(low, first), high = std::max(high, last);
            rows.Box(y1 - 1 - request.rect.top, first, last);
            low = std::min(low, first), high = std::max(high, last);
            low = std::max<std::int64_t>(low, 0), high = std::min<std::int64_t>(high, source->height - 1);
            TakeSnapshot(*source, int(low), int(high), snapshot);
            source = &snapshot.surface;
        }
    }
    const int count = x1 - x0;
    const std::size_t rowBytes = std::size_t(RowBytes(x1, bits, 8)) + 8;
    const std::size_t bitStart = std::size_t(x0) * bits, bitEnd = std::size_t(x1) * bits;

    thread_local std::vector<std::uint8_t> patternScratch, sourceScratch, maskScratch, backgroundScratch;
    thread_local std::vector<int> columnScratch;
    thread_local std::vector<COLORREF> colourScratch;

    std::uint8_t* pattern = nullptr;
    if (usePattern) {
        pattern = Scratch(patternScratch, rowBytes);
        const std::uint32_t value = EncodeColor(target.format, *request.brush);
        for (int x = x0; x < x1; ++x) WritePixel(pattern, x, bits, value);
    }
    // With a mask: each pixel of the mask row widened to all bits of a target pixel, and the row as
    // the background operation leaves it.
    std::uint8_t* widenedMask = mask ? Scratch(maskScratch, rowBytes) : nullptr;
    std::uint8_t* background = mask ? Scratch(backgroundScratch, rowBytes) : nullptr;
    auto combine = [&](int y, std::uint8_t* destination, const std::uint8_t* fetched) {
        if (!mask) {
            ApplyRop(destination, fetched, pattern, bitStart, bitEnd, rop);
            ClearSpareBits(target.format, destination, x0, x1);
            return;
        }
        const std::uint8_t* maskRow = mask->Row(request.maskY + y - request.rect.top);
        const int maskX = request.maskX - request.rect.left;
        for (int x = x0; x < x1; ++x)
            WritePixel(widenedMask, x, bits, ReadPixel(maskRow, maskX + x, 1) ? AllBits(bits) : 0);
        std::memcpy(background + bitStart / 8, destination + bitStart / 8, (bitEnd + 7) / 8 - bitStart / 8);
        ApplyRop(background, fetched, pattern, bitStart, bitEnd, backgroundRop);
        ApplyRop(destination, fetched, pattern, bitStart, bitEnd, rop);
        // Mask bit set: the foreground result (destination); clear: the background result.
        ApplyRop(destination, background, widenedMask, bitStart, bitEnd, 0xAC);
        ClearSpareBits(target.format, destination, x0, x1);
    };
    if (!useSource) {
        for (int y = y0; y < y1; ++y) combine(y, target.Row(y), nullptr);
        return;
    }

    const bool average = request.stretch == StretchMode::Average &&
                         !(columns.IsIdentity() && rows.IsIdentity()) && !source->format.IsMonoDevice() &&
                         !target.format.IsMonoDevice();
    const bool shrinking =
        columns.sourceLength > columns.targetLength || rows.sourceLength > rows.targetLength;
    const bool combineBits =
        (request.stretch == StretchMode::KeepBlack || request.stretch == StretchMode::KeepWhite) &&
        source->format.bits == 1 && shrinking;
    std::uint8_t* fetched = rop == 0xCC && !mask ? nullptr : Scratch(sourceScratch, rowBytes);
    thread_local std::vector<std::uint8_t> combinedScratch;
    std::uint8_t* combined = combineBits ? Scratch(combinedScratch, std::size_t(count) / 8 + 1) : nullptr;
    PixelConverter converter(source->format, target.format, request.rules, request.colors);
    const int* columnMap = nullptr;
    int firstColumn = int(columns.Sample(x0 - request.rect.left));
    if (!average && !columns.IsIdentity()) {
        int* map = Scratch(columnScratch, std::size_t(count));
        for (int i = 0; i < count; ++i) map[i] = int(columns.Sample(x0 + i - request.rect.left));
        columnMap = map;
    }
    COLORREF* colours = average ? Scratch(colourScratch, std::size_t(count)) : nullptr;
    if (average && target.format.kind == FormatKind::Indexed)
        ThreadNearestCache().Reset(target.format.colors, target.format.colorCount);

    for (int y = y0; y < y1; ++y) {
        std::uint8_t* destination = target.Row(y);
        std::uint8_t* out = fetched ? fetched : destination;
        if (average) {
            std::int64_t first, last;
            rows.Box(y - request.rect.top, first, last);
            first = std::max<std::int64_t>(first, 0) - snapshot.low;
            last = std::min<std::int64_t>(last, request.source->height - 1) - snapshot.low;
            AverageBoxes(*source, columns, x0 - request.rect.left, count, first, last, colours);
            const bool indexed = target.format.kind == FormatKind::Indexed;
            for (int i = 0; i < count; ++i) {
                const std::uint32_t value = indexed ? std::uint32_t(ThreadNearestCache().Find(colours[i]))
                                                    : EncodeColor(target.format, colours[i]);
                WritePixel(out, x0 + i, bits, value);
            }
        } else if (combineBits) {
            CombineBits(*source, request.source->height, snapshot.low, columns, rows, x0 - request.rect.left,
                        count, y - request.rect.top, request.stretch == StretchMode::KeepBlack, combined);
            converter.ConvertRow(combined, nullptr, 0, out, x0, count);
        } else {
            const int sy = int(rows.Sample(y - request.rect.top)) - snapshot.low;
            converter.ConvertRow(source->Row(sy), columnMap, firstColumn, out, x0, count);
        }
        if (fetched) combine(y, destination, fetched);
    }
}

}  // namespace plexon::gdi::detail
