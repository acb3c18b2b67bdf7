// Conversions between colour tables and logical palettes.
#include "graphics/Palettes.h"

#include <algorithm>

#include "graphics/BitmapCanvas.h"
#include "graphics/GdiSupport.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/StaticColors.h"

namespace plexon {

gdi::HPALETTE PaletteFromColorTable(const gdi::RGBQUAD* entries, int count) {
    if (count <= 0) return nullptr;
    gdi::LOGPALETTE palette;
    palette.palNumEntries = std::uint16_t(std::min(count, 256));
    for (int i = 0; i < palette.palNumEntries; ++i) {
        palette.palPalEntry[i] = {entries[i].rgbRed, entries[i].rgbGreen, entries[i].rgbBlue, 0};
    }
    return GdiCheck(gdi::CreatePalette(&palette));
}

gdi::HPALETTE PaletteFromColorTable(gdi::HBITMAP section) {
    gdi::RGBQUAD entries[256];
    return PaletteFromColorTable(entries, DibColorTable(section, entries));
}

gdi::HPALETTE Standard16Palette() {
    static const gdi::HPALETTE palette = PaletteFromColorTable(gdi::detail::kStandard16Colors, 16);
    return palette;
}

void DeleteOwnedPalette(gdi::HPALETTE palette) {
    if (palette && palette != Standard16Palette()) gdi::DeleteObject(palette);
}

gdi::HPALETTE SharePalette(gdi::HPALETTE palette) {
    return palette == Standard16Palette() ? palette : DuplicatePalette(palette);
}

gdi::HPALETTE DuplicatePalette(gdi::HPALETTE palette) {
    gdi::RGBQUAD entries[256];
    return PaletteFromColorTable(entries, ColorTableFromPalette(palette, entries));
}

int ColorTableFromPalette(gdi::HPALETTE palette, gdi::RGBQUAD* entries) {
    if (!palette) return 0;
    gdi::PALETTEENTRY colors[256];
    const int count = int(gdi::GetPaletteEntries(palette, 0, 256, colors));
    for (int i = 0; i < count; ++i) entries[i] = {colors[i].peBlue, colors[i].peGreen, colors[i].peRed, 0};
    return count;
}

int DibColorTable(gdi::HBITMAP section, gdi::RGBQUAD* entries) {
    gdi::DIBSECTION dib;
    if (!section || gdi::GetObject(section, sizeof dib, &dib) != gdi::kDibSectionObjectSize ||
        dib.dsBmih.biBitCount > 8) {
        return 0;
    }
    DeselectBitmapFromCanvases(section);
    ScopedMemoryDc dc;
    dc.Select(section);
    return int(gdi::GetDIBColorTable(dc.Get(), 0, 256, entries));
}

}  // namespace plexon
