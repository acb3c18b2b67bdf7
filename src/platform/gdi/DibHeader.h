// Checking a BITMAPINFO and deriving the pixel format, row layout and colour table it describes.
// Used for new DIB sections and for caller buffers of GetDIBits / SetDIBits; it allocates nothing.
#pragma once

#include <cstdint>

#include "platform/gdi/PixelFormat.h"
#include "platform/gdi/Types.h"

namespace plexon::gdi::detail {

enum class HeaderCheck { Valid, Invalid, TooLarge };

struct DibLayout {
    int bits = 0;
    std::uint32_t compression = BI_RGB;
    int width = 0;
    int height = 0;  // absolute
    bool bottomUp = true;
    std::size_t stride = 0;
    std::uint64_t imageBytes = 0;  // stride * height
    RGBQUAD colors[256] = {};
    int colorCount = 0;
    std::uint32_t masks[3] = {0, 0, 0};  // 16 and 32 bits: the masks in use

    // The format refers to this layout's own colour table: keep the layout alive while it is used.
    PixelFormat Format() const;
};

// Reads and checks the header. Indexed formats take biClrUsed entries (all 2^bits when 0) from
// bmiColors, or through the context's palette for DIB_PAL_COLORS (dc may be null: the default
// palette). Invalid: anything but an uncompressed or masked 1/4/8/16/24/32-bit header with positive
// width, non-zero height, one plane and at most 2^bits colours. TooLarge: over the pixel memory limit.
HeaderCheck ReadDibHeader(const BITMAPINFO& info, UINT usage, const GdiDc* dc, DibLayout& layout);

// Default masks: 5-5-5 for 16 bits, 8-8-8 for 32 bits, as stored without BI_BITFIELDS.
void DefaultRgbMasks(int bits, std::uint32_t masks[3]);

}  // namespace plexon::gdi::detail
