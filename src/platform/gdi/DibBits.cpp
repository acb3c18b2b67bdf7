// Pixels in and out of bitmaps in DIB formats (GetDIBits / SetDIBits) and the colour tables of DIB
// sections. Conversions go through the transfer engine with the intrinsic colour rules: a monochrome
// device bitmap is black and white here, whatever the context's colours.
#include <algorithm>
#include <cstring>

#include "platform/gdi/DibHeader.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/StaticColors.h"
#include "platform/gdi/Transfer.h"

namespace plexon::gdi {

using detail::IsLive;
using detail::SetError;

namespace {

// Caller buffers are the caller's business; only sizes a header cannot state are refused.
bool Acceptable(detail::HeaderCheck check, const detail::DibLayout& layout) {
    return check == detail::HeaderCheck::Valid ||
           (check == detail::HeaderCheck::TooLarge && layout.imageBytes <= 0xFFFFFFFFu);
}

// GetDIBits with biBitCount 0: the bitmap's own format, colour table or masks included.
void DescribeOwnFormat(const GdiBitmap& bitmap, BITMAPINFO& info) {
    const detail::Surface& surface = bitmap.surface;
    BITMAPINFOHEADER& header = info.bmiHeader;
    if (bitmap.isDib) {
        header = bitmap.header;
    } else {
        header = BITMAPINFOHEADER{};
        header.biWidth = surface.width;
        header.biHeight = surface.height;
        header.biPlanes = 1;
        header.biBitCount = std::uint16_t(surface.format.bits);
        header.biCompression = BI_RGB;
    }
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biSizeImage = std::uint32_t(detail::RowBytes(surface.width, surface.format.bits, 32) *
                                       std::uint64_t(surface.height));
    if (surface.format.kind == detail::FormatKind::Indexed)
        std::copy_n(surface.format.colors, surface.format.colorCount, info.bmiColors);
    else if (bitmap.isDib && bitmap.header.biCompression == BI_BITFIELDS)
        std::memcpy(info.bmiColors, bitmap.bitfields, sizeof bitmap.bitfields);
}

// The colour table GetDIBits hands out for an indexed output format: the bitmap's own when it has
// that depth, else a fixed table for the depth (or the context's palette for DIB_PAL_COLORS).
int OutputColors(const GdiBitmap& bitmap, const GdiDc& dc, int bits, UINT usage, RGBQUAD* colors) {
    const int entries = 1 << bits;
    if (usage == DIB_PAL_COLORS) {
        const auto& palette = dc.palette->entries;
        const int count = std::min(entries, int(palette.size()));
        for (int i = 0; i < count; ++i)
            colors[i] = {palette[i].peBlue, palette[i].peGreen, palette[i].peRed, 0};
        return count;
    }
    const detail::PixelFormat& own = bitmap.surface.format;
    if (own.kind == detail::FormatKind::Indexed && own.bits == bits) {
        std::copy_n(own.colors, own.colorCount, colors);
        return own.colorCount;
    }
    switch (bits) {
        case 1:
            colors[0] = {0, 0, 0, 0};
            colors[1] = {255, 255, 255, 0};
            return 2;
        case 4:
            std::copy_n(detail::kStandard16Colors, 16, colors);
            return 16;
        default:
            std::copy_n(detail::HalftoneColors(), 256, colors);
            return 256;
    }
}

}  // namespace

int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage) {
    if (!IsLive(dc) || !IsLive(bitmap)) return 0;
    if (info == nullptr || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER) ||
        (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS)) {
        SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const detail::Surface& surface = bitmap->surface;
    BITMAPINFOHEADER& header = info->bmiHeader;
    if (header.biBitCount == 0) {
        DescribeOwnFormat(*bitmap, *info);
        return surface.height;
    }

    // The output layout; unset masks take the usual defaults and are handed back.
    if (header.biCompression == BI_BITFIELDS) {
        auto* masks = reinterpret_cast<std::uint32_t*>(info->bmiColors);
        if (masks[0] == 0 && masks[1] == 0 && masks[2] == 0) {
            if (header.biBitCount == 16)
                masks[0] = 0xF800, masks[1] = 0x07E0, masks[2] = 0x001F;
            else
                masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
        }
    }
    BITMAPINFO wanted;
    wanted.bmiHeader = header;
    wanted.bmiHeader.biClrUsed = 0;
    std::memcpy(wanted.bmiColors, info->bmiColors, 3 * sizeof(RGBQUAD));
    detail::DibLayout layout;
    if (!Acceptable(detail::ReadDibHeader(wanted, DIB_RGB_COLORS, dc, layout), layout)) {
        SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (layout.bits <= 8) {
        layout.colorCount = OutputColors(*bitmap, *dc, layout.bits, usage, layout.colors);
        const int entries = 1 << layout.bits;
        if (usage == DIB_PAL_COLORS) {
            auto* indices = reinterpret_cast<std::uint8_t*>(info->bmiColors);
            for (int i = 0; i < entries; ++i) {
                const int index = i < layout.colorCount ? i : 0;
                indices[2 * i] = std::uint8_t(index);
                indices[2 * i + 1] = std::uint8_t(index >> 8);
            }
        } else {
            std::copy_n(layout.colors, layout.colorCount, info->bmiColors);
            std::fill(info->bmiColors + layout.colorCount, info->bmiColors + entries, RGBQUAD{});
        }
        header.biClrUsed = layout.colorCount < entries ? std::uint32_t(layout.colorCount) : 0;
    }
    header.biSizeImage = std::uint32_t(layout.imageBytes);
    if (bits == nullptr) return surface.height;

    if (start >= UINT(surface.height)) return 0;
    const int count = int(std::min<std::uint64_t>(lines, std::uint64_t(surface.height) - start));
    if (count == 0) return 0;
    const detail::Surface out =
        detail::MakeSurface(layout.Format(), layout.width, count, static_cast<std::uint8_t*>(bits),
                            layout.stride, layout.bottomUp);
    const int width = std::min(layout.width, surface.width);
    detail::TransferRequest request;
    request.target = &out;
    request.rect = request.clip = RECT{0, 0, width, count};
    request.source = &surface;
    request.sourceY = surface.height - int(start) - count;
    request.sourceWidth = width;
    request.sourceHeight = count;
    request.rules = detail::ColorRules::Intrinsic;
    detail::Transfer(request);
    return count;
}

int SetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info,
              UINT usage) {
    if ((dc != nullptr && !IsLive(dc)) || !IsLive(bitmap)) return 0;
    detail::DibLayout layout;
    if (info == nullptr || bits == nullptr || (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS) ||
        !Acceptable(detail::ReadDibHeader(*info, usage, dc, layout), layout)) {
        SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const detail::Surface& surface = bitmap->surface;
    if (start >= UINT(surface.height)) return 0;
    const int count = int(std::min<std::uint64_t>(
        {lines, std::uint64_t(surface.height) - start, std::uint64_t(layout.height)}));
    if (count == 0) return 0;
    // Only read, though the surface type allows writing.
    auto* memory = const_cast<std::uint8_t*>(static_cast<const std::uint8_t*>(bits));
    const detail::Surface in =
        detail::MakeSurface(layout.Format(), layout.width, count, memory, layout.stride, layout.bottomUp);
    const int width = std::min(layout.width, surface.width);
    const int top = surface.height - int(start) - count;
    detail::TransferRequest request;
    request.target = &surface;
    request.rect = request.clip = RECT{0, top, width, top + count};
    request.source = &in;
    request.sourceWidth = width;
    request.sourceHeight = count;
    request.rules = detail::ColorRules::Intrinsic;
    detail::Transfer(request);
    return count;
}

UINT GetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD* colors) {
    if (!IsLive(dc)) return 0;
    const GdiBitmap& bitmap = *dc->bitmap;
    if (!bitmap.isDib || colors == nullptr || start >= bitmap.colors.size()) return 0;
    const UINT copied = std::min<UINT>(count, UINT(bitmap.colors.size()) - start);
    std::copy_n(bitmap.colors.begin() + start, copied, colors);
    return copied;
}

UINT SetDIBColorTable(HDC dc, UINT start, UINT count, const RGBQUAD* colors) {
    if (!IsLive(dc)) return 0;
    GdiBitmap& bitmap = *dc->bitmap;
    if (!bitmap.isDib || colors == nullptr || start >= bitmap.colors.size()) return 0;
    const UINT copied = std::min<UINT>(count, UINT(bitmap.colors.size()) - start);
    std::copy_n(colors, copied, bitmap.colors.begin() + start);
    return copied;
}

}  // namespace plexon::gdi
