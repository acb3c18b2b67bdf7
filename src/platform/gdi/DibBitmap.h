// Device bitmaps made from DIB descriptions (CreateDIBitmap), including run-length encoded pixels.
// DIB sections and pixel transfers between existing bitmaps are in Raster.h.
#pragma once

#include <cstddef>

#include "platform/gdi/Types.h"

namespace plexon::gdi {

constexpr DWORD CBM_INIT = 4;

// A device bitmap compatible with the bitmap selected in dc (the display for null), of the width and
// |height| of header. With CBM_INIT its pixels come from bits as info describes them: uncompressed
// and masked DIBs as SetDIBits takes them, BI_RLE8 with 8 bits and BI_RLE4 with 4 bits per pixel,
// bottom-up only, reading info's biSizeImage compressed bytes. Pixels the encoding skips stay black.
// Null on failure: last error 0 for a description or encoding that cannot be decoded,
// ERROR_NOT_ENOUGH_MEMORY past the pixel memory limit.
HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage);

// True when CreateDIBitmap would read nothing past these size bytes of compressed pixels for the
// header: run-length data that ends the image within them, or data it cannot decode at all. False
// while more run-length data would still be decoded.
bool CompressedDataComplete(const BITMAPINFOHEADER& header, const void* bits, std::size_t size);

}  // namespace plexon::gdi
