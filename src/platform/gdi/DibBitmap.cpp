// CreateDIBitmap: a compatible bitmap, then the DIB's pixels set through SetDIBits or, for
// run-length data, decoded straight into the bitmap in its own format.
#include "platform/gdi/DibBitmap.h"

#include <cstdlib>

#include "platform/gdi/DibHeader.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/RunLength.h"

namespace plexon::gdi {

namespace {

bool IsRunLength(const BITMAPINFOHEADER& h) {
    return (h.biCompression == BI_RLE8 && h.biBitCount == 8) ||
           (h.biCompression == BI_RLE4 && h.biBitCount == 4);
}

// Writes the decoded indices into the bitmap; skipped pixels keep the new bitmap's black.
bool DecodeInto(HBITMAP bitmap, const BITMAPINFO& info, UINT usage, HDC dc, const void* bits) {
    const BITMAPINFOHEADER& h = info.bmiHeader;
    if (h.biHeight < 0) return false;  // the encodings are defined for bottom-up rows only
    // The colour table as an uncompressed header of the same depth would have it.
    BITMAPINFO plain = info;
    plain.bmiHeader.biCompression = BI_RGB;
    detail::DibLayout layout;
    if (detail::ReadDibHeader(plain, usage, dc, layout) == detail::HeaderCheck::Invalid) {
        return false;
    }
    detail::Surface& surface = bitmap->surface;
    const detail::PixelFormat source = layout.Format();
    std::uint32_t values[256];
    for (int i = 0; i < 256; ++i)
        values[i] = detail::EncodeColor(surface.format, detail::DecodePixel(source, std::uint32_t(i)));

    const int bitsPerPixel = surface.format.bits;
    detail::DecodeRunLength(
        h.biCompression == BI_RLE8 ? detail::RunLengthKind::Rle8 : detail::RunLengthKind::Rle4,
        static_cast<const std::uint8_t*>(bits), h.biSizeImage, surface.width, surface.height,
        [&](int x, int y, int index) {
            detail::WritePixel(surface.Row(surface.height - 1 - y), x, bitsPerPixel, values[index]);
        });
    return true;
}

}  // namespace

HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage) {
    if (dc != nullptr && !detail::IsLive(dc)) return nullptr;
    if (header == nullptr || header->biSize < sizeof(BITMAPINFOHEADER) || header->biWidth <= 0 ||
        header->biHeight == 0 || header->biHeight < -0x7FFFFFFF) {
        SetLastError(ERROR_SUCCESS);
        return nullptr;
    }
    const bool initialise = (init & CBM_INIT) != 0;
    if (initialise &&
        (info == nullptr || bits == nullptr || (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const bool runLength = initialise && IsRunLength(info->bmiHeader);
    if (initialise && !runLength && info->bmiHeader.biCompression != BI_RGB &&
        info->bmiHeader.biCompression != BI_BITFIELDS) {
        SetLastError(ERROR_SUCCESS);
        return nullptr;
    }
    const int height = std::abs(header->biHeight);
    const HBITMAP bitmap = CreateCompatibleBitmap(dc, header->biWidth, height);
    if (!bitmap || !initialise) return bitmap;

    bool decoded;
    if (runLength) {
        decoded = DecodeInto(bitmap, *info, usage, dc, bits);
    } else {
        decoded = SetDIBits(dc, bitmap, 0, UINT(height), bits, info, usage) != 0;
    }
    if (!decoded) {
        DeleteObject(bitmap);
        SetLastError(ERROR_SUCCESS);
        return nullptr;
    }
    return bitmap;
}

bool CompressedDataComplete(const BITMAPINFOHEADER& header, const void* bits, std::size_t size) {
    if (!IsRunLength(header) || header.biWidth <= 0 || header.biHeight <= 0) return true;
    return detail::DecodeRunLength(
        header.biCompression == BI_RLE8 ? detail::RunLengthKind::Rle8 : detail::RunLengthKind::Rle4,
        static_cast<const std::uint8_t*>(bits), size, header.biWidth, header.biHeight, [](int, int, int) {});
}

}  // namespace plexon::gdi
