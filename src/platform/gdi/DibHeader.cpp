// BITMAPINFO checks with 64-bit size arithmetic, so absurd headers fail before anything is allocated.
#include "platform/gdi/DibHeader.h"

#include <cstring>

#include "platform/gdi/Objects.h"

namespace plexon::gdi::detail {

void DefaultRgbMasks(int bits, std::uint32_t masks[3]) {
    if (bits == 16) {
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    } else {
        masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
    }
}

PixelFormat DibLayout::Format() const {
    switch (bits) {
        case 1:
        case 4:
        case 8:
            return IndexedFormat(bits, colors, colorCount);
        case 24:
            return Bgr24Format();
        default:
            return MaskedFormat(bits, masks[0], masks[1], masks[2]);
    }
}

HeaderCheck ReadDibHeader(const BITMAPINFO& info, UINT usage, const GdiDc* dc, DibLayout& layout) {
    const BITMAPINFOHEADER& header = info.bmiHeader;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biWidth <= 0 || header.biHeight == 0 ||
        header.biPlanes != 1)
        return HeaderCheck::Invalid;
    const int bits = header.biBitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return HeaderCheck::Invalid;
    const bool masked = header.biCompression == BI_BITFIELDS;
    if (header.biCompression != BI_RGB && !(masked && (bits == 16 || bits == 32)))
        return HeaderCheck::Invalid;

    layout.bits = bits;
    layout.compression = header.biCompression;
    layout.width = header.biWidth;
    const std::int64_t height = header.biHeight;
    layout.height = int(height < 0 ? -height : height);
    if (height < 0 && -height > 0x7FFFFFFF) return HeaderCheck::Invalid;
    layout.bottomUp = height > 0;
    const std::uint64_t stride = RowBytes(layout.width, bits, 32);
    layout.stride = std::size_t(stride);
    layout.imageBytes = stride * std::uint64_t(layout.height);

    layout.colorCount = 0;
    if (bits <= 8) {
        const std::uint32_t entries = 1u << bits;
        if (header.biClrUsed > entries) return HeaderCheck::Invalid;
        layout.colorCount = int(header.biClrUsed ? header.biClrUsed : entries);
        if (usage == DIB_PAL_COLORS) {
            // 16-bit indices into the context's palette, where the colour table would be.
            const auto& palette = (dc && dc->palette ? dc->palette : StockPalette())->entries;
            const auto* indices = reinterpret_cast<const std::uint8_t*>(info.bmiColors);
            for (int i = 0; i < layout.colorCount; ++i) {
                const std::size_t index =
                    std::size_t(indices[2 * i]) | (std::size_t(indices[2 * i + 1]) << 8);
                const PALETTEENTRY entry = index < palette.size() ? palette[index] : PALETTEENTRY{};
                layout.colors[i] = {entry.peBlue, entry.peGreen, entry.peRed, 0};
            }
        } else {
            std::memcpy(layout.colors, info.bmiColors, sizeof(RGBQUAD) * std::size_t(layout.colorCount));
        }
    } else if (bits != 24) {
        if (masked) {
            std::memcpy(layout.masks, info.bmiColors, sizeof layout.masks);
            for (std::uint32_t mask : layout.masks)
                if (!IsContiguousMask(mask, bits)) return HeaderCheck::Invalid;
        } else {
            DefaultRgbMasks(bits, layout.masks);
        }
    }
    if (layout.imageBytes > kMaxPixelBytes) return HeaderCheck::TooLarge;
    return HeaderCheck::Valid;
}

}  // namespace plexon::gdi::detail
