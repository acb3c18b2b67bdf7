// Logical palettes made from colour tables, their copies, and the colour table of a DIB section.
// Display palettes and halftone matching are the platform's.
#pragma once

#include "graphics/GdiSupport.h"
#include "platform/gdi/Types.h"

namespace plexon {

// Null for no entries; otherwise a palette of the entries (blue-green-red turned into
// red-green-blue). Raises the platform error when the palette cannot be made.
gdi::HPALETTE PaletteFromColorTable(const gdi::RGBQUAD* entries, int count);
gdi::HPALETTE PaletteFromColorTable(gdi::HBITMAP section);
// The shared 16-colour palette of 4-bit images: made once, never deleted through a bitmap. The
// display has no hardware palette, so it holds the standard table as it is.
gdi::HPALETTE Standard16Palette();
// Deletes a palette that a bitmap owned: anything but Standard16Palette.
void DeleteOwnedPalette(gdi::HPALETTE palette);
struct DeleteOwnedPaletteOf {
    void operator()(gdi::HPALETTE palette) const { DeleteOwnedPalette(palette); }
};
// A palette a bitmap is about to own, deleted by the rule above unless released to the bitmap.
using OwnedPalette = GdiObject<gdi::HPALETTE, DeleteOwnedPaletteOf>;

// A palette the caller can own: Standard16Palette as it is, any other a duplicate.
gdi::HPALETTE SharePalette(gdi::HPALETTE palette);

// Null for a missing or empty palette.
gdi::HPALETTE DuplicatePalette(gdi::HPALETTE palette);
// Entries of the palette (at most 256) as colour-table entries; 0 for none.
int ColorTableFromPalette(gdi::HPALETTE palette, gdi::RGBQUAD* entries);
// The colour table of a DIB section (at most 256 entries); 0 above 8 bits per pixel.
int DibColorTable(gdi::HBITMAP section, gdi::RGBQUAD* entries);

}  // namespace plexon
