// Logical palettes. There is no hardware palette, so a palette only names colours: for palette-index
// colours and for DIB_PAL_COLORS tables.
#include <algorithm>

#include "platform/gdi/ColorMatch.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/StaticColors.h"

namespace plexon::gdi {

HPALETTE CreatePalette(const LOGPALETTE* palette) {
    if (palette == nullptr || palette->palVersion != 0x0300 || palette->palNumEntries > 256) {
        detail::SetError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto* made = new GdiPalette;
    made->entries.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
    detail::Register(made);
    return made;
}

HPALETTE CreateHalftonePalette(HDC dc) {
    if (dc != nullptr && !detail::IsLive(dc)) return nullptr;
    auto* made = new GdiPalette;
    const RGBQUAD* colors = detail::HalftoneColors();
    made->entries.resize(256);
    for (int i = 0; i < 256; ++i)
        made->entries[i] = {colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue, 0};
    detail::Register(made);
    return made;
}

UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries) {
    if (!detail::IsLive(palette)) return 0;
    const UINT size = UINT(palette->entries.size());
    if (entries == nullptr) return size;
    if (start >= size) return 0;
    const UINT copied = std::min(count, size - start);
    std::copy_n(palette->entries.begin() + start, copied, entries);
    return copied;
}

UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF color) {
    if (!detail::IsLive(palette) || palette->entries.empty()) return CLR_INVALID;
    if ((color >> 24) == 0x01) {
        const UINT index = color & 0xFFFFu;
        return index < palette->entries.size() ? index : CLR_INVALID;
    }
    RGBQUAD table[256];
    const int count = int(palette->entries.size());
    for (int i = 0; i < count; ++i)
        table[i] = {palette->entries[i].peBlue, palette->entries[i].peGreen, palette->entries[i].peRed, 0};
    return UINT(detail::NearestIndex(table, count, color & 0x00FFFFFFu));
}

BOOL DeleteObject(HPALETTE palette) {
    return detail::DeleteSelectable(palette);
}

}  // namespace plexon::gdi
