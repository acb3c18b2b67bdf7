// Creating, describing and deleting bitmaps: device bitmaps (32-bit or monochrome, top-down, rows
// padded to 16 bits) and DIB sections (any DIB format, rows padded to 32 bits, zero-filled).
#include <algorithm>
#include <cstring>

#include "platform/gdi/DibHeader.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/Raster.h"

namespace plexon::gdi {

using detail::SetError;

namespace {

std::uint8_t* AllocateZeroed(std::uint64_t bytes) {
    return static_cast<std::uint8_t*>(std::calloc(std::size_t(bytes ? bytes : 1), 1));
}

HBITMAP MakeDeviceBitmap(int width, int height, int bits, const void* initial) {
    if (width <= 0 || height <= 0) {
        SetError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const std::uint64_t stride = detail::RowBytes(width, bits, 16);
    const std::uint64_t bytes = stride * std::uint64_t(height);
    std::uint8_t* memory = bytes <= detail::kMaxPixelBytes ? AllocateZeroed(bytes) : nullptr;
    if (!memory) {
        SetError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    auto* bitmap = new GdiBitmap;
    bitmap->memory.reset(memory);
    bitmap->stride = std::size_t(stride);
    if (initial) std::memcpy(memory, initial, std::size_t(bytes));
    const detail::PixelFormat format = bits == 1 ? detail::MonoDeviceFormat() : detail::Bgrx32Format();
    bitmap->surface = detail::MakeSurface(format, width, height, memory, bitmap->stride, false);
    detail::Register(bitmap);
    return bitmap;
}

HBITMAP MakeDibSection(const detail::DibLayout& layout, const BITMAPINFOHEADER& header, void** bits) {
    std::uint8_t* memory = AllocateZeroed(layout.imageBytes);
    if (!memory) {
        SetError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    auto* bitmap = new GdiBitmap;
    bitmap->isDib = true;
    bitmap->memory.reset(memory);
    bitmap->stride = layout.stride;
    bitmap->colors.assign(layout.colors, layout.colors + layout.colorCount);
    bitmap->header = header;
    bitmap->header.biSize = sizeof(BITMAPINFOHEADER);
    bitmap->header.biSizeImage = std::uint32_t(layout.imageBytes);
    if (layout.compression == BI_BITFIELDS) std::memcpy(bitmap->bitfields, layout.masks, sizeof layout.masks);
    detail::PixelFormat format = layout.Format();
    format.colors = bitmap->colors.data();
    bitmap->surface =
        detail::MakeSurface(format, layout.width, layout.height, memory, layout.stride, layout.bottomUp);
    detail::Register(bitmap);
    if (bits) *bits = memory;
    return bitmap;
}

}  // namespace

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 32)) {
        SetError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return MakeDeviceBitmap(width, height, int(bitsPerPixel), bits);
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
    if (dc == nullptr) return MakeDeviceBitmap(width, height, 32, nullptr);
    if (!detail::IsLive(dc)) return nullptr;
    const GdiBitmap& current = *dc->bitmap;
    if (!current.isDib) return MakeDeviceBitmap(width, height, current.surface.format.bits, nullptr);
    // A DIB section asks for another section of its format, stored the same way up.
    BITMAPINFO info;
    info.bmiHeader = current.header;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = current.header.biHeight < 0 ? -height : height;
    info.bmiHeader.biSizeImage = 0;
    if (current.header.biCompression == BI_BITFIELDS)
        std::memcpy(info.bmiColors, current.bitfields, sizeof current.bitfields);
    else
        std::copy(current.colors.begin(), current.colors.end(), info.bmiColors);
    if (width <= 0 || height <= 0) {
        SetError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
}

HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, void* section,
                         DWORD offset) {
    if (bits) *bits = nullptr;
    if (dc != nullptr && !detail::IsLive(dc)) return nullptr;
    // No file mappings here: pixel memory always belongs to the section.
    if (info == nullptr || (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS) || section != nullptr) {
        SetError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    (void)offset;  // meaningful only with a file mapping
    detail::DibLayout layout;
    switch (detail::ReadDibHeader(*info, usage, dc, layout)) {
        case detail::HeaderCheck::Invalid:
            SetError(ERROR_SUCCESS);
            return nullptr;
        case detail::HeaderCheck::TooLarge:
            SetError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        case detail::HeaderCheck::Valid:
            break;
    }
    return MakeDibSection(layout, info->bmiHeader, bits);
}

int GetObject(HBITMAP bitmap, int size, void* out) {
    if (!detail::IsLive(bitmap)) return 0;
    const detail::Surface& surface = bitmap->surface;
    BITMAP description;
    description.bmWidth = surface.width;
    description.bmHeight = surface.height;
    description.bmWidthBytes = int(bitmap->stride);
    description.bmPlanes = 1;
    description.bmBitsPixel = std::uint16_t(surface.format.bits);
    description.bmBits = bitmap->isDib ? bitmap->memory.get() : nullptr;
    const int reported = bitmap->isDib ? kDibSectionObjectSize : kBitmapObjectSize;
    if (out == nullptr) return reported;
    if (bitmap->isDib && size >= int(sizeof(DIBSECTION))) {
        DIBSECTION dib;
        dib.dsBm = description;
        dib.dsBmih = bitmap->header;
        std::memcpy(dib.dsBitfields, bitmap->bitfields, sizeof dib.dsBitfields);
        std::memcpy(out, &dib, sizeof dib);
        return kDibSectionObjectSize;
    }
    if (size >= int(sizeof(BITMAP))) {
        std::memcpy(out, &description, sizeof description);
        return kBitmapObjectSize;
    }
    SetError(ERROR_INVALID_PARAMETER);
    return 0;
}

BOOL DeleteObject(HBITMAP bitmap) {
    if (!detail::IsLive(bitmap)) return 0;
    if (bitmap->stock == Stock::Yes) return 1;
    if (bitmap->selectedIn != nullptr) {
        SetError(ERROR_BUSY);
        return 0;
    }
    detail::Unregister(bitmap);
    delete bitmap;
    return 1;
}

}  // namespace plexon::gdi
