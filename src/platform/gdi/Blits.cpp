// Pixel access and block transfers between contexts: argument checks, extents and colours, then the
// transfer engine does the work.
#include <cstdlib>

#include "platform/gdi/Objects.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/Rop.h"
#include "platform/gdi/Transfer.h"

namespace plexon::gdi {

using detail::IsLive;
using detail::SetError;

namespace {

// One transfer per rectangle of the clip region (usually one).
void TransferClipped(const GdiDc& dc, detail::TransferRequest request) {
    if (!dc.clip) {
        // No clip region: the bitmap's bounds, without building a list of one.
        request.clip = RECT{0, 0, dc.bitmap->surface.width, dc.bitmap->surface.height};
        if (!detail::IsEmpty(request.clip)) detail::Transfer(request);
        return;
    }
    for (const RECT& rect : detail::DrawableRects(dc)) {
        request.clip = rect;
        detail::Transfer(request);
    }
}

std::optional<COLORREF> BrushColor(const GdiDc& dc, const GdiBrush& brush) {
    if (brush.hollow) return std::nullopt;
    return detail::ResolveColor(dc, brush.color);
}

// Turns a negative extent into a positive one; says whether it was negative. A stretch with a negative
// extent runs from its origin pixel backwards (x + width - 1 with -width mirrors a picture in place);
// a fill or block copy covers [origin + extent, origin).
enum class Extent { Stretch, Fill };
bool Normalise(int& origin, int& extent, Extent kind) {
    if (extent >= 0) return false;
    origin = int(std::int64_t(origin) + extent + (kind == Extent::Stretch ? 1 : 0));
    extent = -extent;
    return true;
}

detail::TransferRequest TargetRequest(const GdiDc& dc, int x, int y, int width, int height, DWORD rop) {
    detail::TransferRequest request;
    request.target = &dc.bitmap->surface;
    request.rect = RECT{x, y, int(std::int64_t(x) + width), int(std::int64_t(y) + height)};
    request.rop = RopIndex(rop);
    request.brush = BrushColor(dc, *dc.brush);
    return request;
}

constexpr int kMaxExtent = 1 << 30;

bool FitsInt(std::int64_t v) {
    return v >= INT32_MIN && v <= INT32_MAX;
}

}  // namespace

COLORREF GetPixel(HDC dc, int x, int y) {
    if (!IsLive(dc)) return CLR_INVALID;
    if (!detail::IsDrawable(*dc, x, y)) return CLR_INVALID;
    const detail::Surface& surface = dc->bitmap->surface;
    return detail::DecodePixel(surface.format, detail::ReadPixel(surface.Row(y), x, surface.format.bits));
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
    if (!IsLive(dc)) return CLR_INVALID;
    if (!detail::IsDrawable(*dc, x, y)) return CLR_INVALID;
    const detail::Surface& surface = dc->bitmap->surface;
    const std::uint32_t value = detail::EncodeColor(surface.format, detail::ResolveColor(*dc, color));
    detail::WritePixel(surface.Row(y), x, surface.format.bits, value);
    return detail::DecodePixel(surface.format, value);
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    if (!IsLive(dc) || !IsLive(brush)) return 0;
    if (rect == nullptr) {
        SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (detail::IsEmpty(*rect)) return 1;
    detail::TransferRequest request = TargetRequest(*dc, rect->left, rect->top, 0, 0, PATCOPY);
    request.rect = *rect;
    request.brush = BrushColor(*dc, *brush);
    TransferClipped(*dc, request);
    return 1;
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
    if (!IsLive(dc)) return 0;
    if (detail::RopUsesSource(RopIndex(rop))) {
        SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (width == INT32_MIN || height == INT32_MIN || !FitsInt(std::int64_t(x) + width) ||
        !FitsInt(std::int64_t(y) + height)) {
        SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    Normalise(x, width, Extent::Fill);
    Normalise(y, height, Extent::Fill);
    if (width == 0 || height == 0) return 1;
    TransferClipped(*dc, TargetRequest(*dc, x, y, width, height, rop));
    return 1;
}

BOOL StretchBlt(HDC target, int x, int y, int width, int height, HDC source, int xSource, int ySource,
                int widthSource, int heightSource, DWORD rop) {
    if (!IsLive(target)) return 0;
    const bool usesSource = detail::RopUsesSource(RopIndex(rop));
    if (!usesSource) return PatBlt(target, x, y, width, height, rop);
    if (!IsLive(source)) return 0;
    // Extents past 2^30 (INT_MIN included) are refused: sampling positions are then products that
    // always fit in 64 bits, and no bitmap is that large anyway.
    auto tooLong = [](int extent) { return extent < -kMaxExtent || extent > kMaxExtent; };
    if (tooLong(width) || tooLong(height) || tooLong(widthSource) || tooLong(heightSource)) {
        SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (!FitsInt(std::int64_t(x) + width + 1) || !FitsInt(std::int64_t(y) + height + 1) ||
        !FitsInt(std::int64_t(xSource) + widthSource + 1) ||
        !FitsInt(std::int64_t(ySource) + heightSource + 1)) {
        SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const bool mirrorX =
        Normalise(x, width, Extent::Stretch) != Normalise(xSource, widthSource, Extent::Stretch);
    const bool mirrorY =
        Normalise(y, height, Extent::Stretch) != Normalise(ySource, heightSource, Extent::Stretch);
    if (width == 0 || height == 0) return 1;
    if (widthSource == 0 || heightSource == 0) {
        SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    detail::TransferRequest request = TargetRequest(*target, x, y, width, height, rop);
    request.source = &source->bitmap->surface;
    request.sourceX = xSource;
    request.sourceY = ySource;
    request.sourceWidth = widthSource;
    request.sourceHeight = heightSource;
    request.mirrorX = mirrorX;
    request.mirrorY = mirrorY;
    request.rules = detail::ColorRules::Context;
    request.colors.targetText = detail::ResolveColor(*target, target->text);
    request.colors.targetBackground = detail::ResolveColor(*target, target->background);
    request.colors.sourceBackground = detail::ResolveColor(*source, source->background);
    switch (target->stretchMode) {
        case HALFTONE:
            request.stretch = detail::StretchMode::Average;
            break;
        case BLACKONWHITE:
            request.stretch = detail::StretchMode::KeepBlack;
            break;
        case WHITEONBLACK:
            request.stretch = detail::StretchMode::KeepWhite;
            break;
        default:
            request.stretch = detail::StretchMode::Nearest;
            break;
    }
    TransferClipped(*target, request);
    return 1;
}

BOOL BitBlt(HDC target, int x, int y, int width, int height, HDC source, int xSource, int ySource,
            DWORD rop) {
    // A negative extent moves both rectangles to the other side of their origins, without mirroring.
    if (width == INT32_MIN || height == INT32_MIN || !FitsInt(std::int64_t(x) + width) ||
        !FitsInt(std::int64_t(xSource) + width) || !FitsInt(std::int64_t(y) + height) ||
        !FitsInt(std::int64_t(ySource) + height)) {
        SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (width < 0) {
        x += width;
        xSource += width;
        width = -width;
    }
    if (height < 0) {
        y += height;
        ySource += height;
        height = -height;
    }
    return StretchBlt(target, x, y, width, height, source, xSource, ySource, width, height, rop);
}

BOOL MaskBlt(HDC target, int x, int y, int width, int height, HDC source, int xSource, int ySource,
             HBITMAP mask, int xMask, int yMask, DWORD rop) {
    if (!IsLive(target) || !IsLive(mask)) return 0;
    const std::uint8_t fore = RopIndex(rop), back = std::uint8_t(rop >> 24);
    const bool usesSource = detail::RopUsesSource(fore) || detail::RopUsesSource(back);
    if (usesSource && !IsLive(source)) return 0;
    const detail::Surface& maskSurface = mask->surface;
    if (maskSurface.format.bits != 1 || width < 0 || height < 0 || xMask < 0 || yMask < 0 ||
        std::int64_t(xMask) + width > maskSurface.width ||
        std::int64_t(yMask) + height > maskSurface.height || !FitsInt(std::int64_t(x) + width) ||
        !FitsInt(std::int64_t(y) + height)) {
        SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (width == 0 || height == 0) return 1;
    detail::TransferRequest request = TargetRequest(*target, x, y, width, height, rop);
    request.rop = fore;
    request.backgroundRop = back;
    request.mask = &maskSurface;
    request.maskX = xMask;
    request.maskY = yMask;
    request.sourceWidth = width;
    request.sourceHeight = height;
    if (usesSource) {
        request.source = &source->bitmap->surface;
        request.sourceX = xSource;
        request.sourceY = ySource;
        request.colors.targetText = detail::ResolveColor(*target, target->text);
        request.colors.targetBackground = detail::ResolveColor(*target, target->background);
        request.colors.sourceBackground = detail::ResolveColor(*source, source->background);
    }
    TransferClipped(*target, request);
    return 1;
}

}  // namespace plexon::gdi
