// Device contexts, bitmaps, DIB sections, palettes, brushes and block transfers: the raster half of
// the drawing services. Fonts, text, shapes and regions live beside it, not here.
// Failures return a null handle or 0 and set the last error, as the documented callers expect.
#pragma once

#include <string>

#include "platform/gdi/Types.h"

namespace plexon::gdi {

// Errors.
DWORD GetLastError();
void SetLastError(DWORD code);
std::string SystemErrorText(DWORD code);  // "" for an unknown code

// Arithmetic: a * b / c rounded to nearest, halves away from zero; -1 when c is 0.
int MulDiv(int a, int b, int c);

// The display: 32 bits per pixel (blue, green, red, 0), one plane, no hardware palette, 96 ppi.
int GetDeviceCaps(HDC dc, int index);  // dc may be null: the display
COLORREF GetSysColor(int index);       // classic 3D scheme

// Device contexts. A memory context starts with a 1 x 1 monochrome bitmap, the white brush, white
// background, black text, opaque background mode, stretch mode BLACKONWHITE, brush origin (0, 0).
HDC CreateCompatibleDC(HDC dc);  // dc null: compatible with the display
BOOL DeleteDC(HDC dc);
HBITMAP SelectObject(HDC dc, HBITMAP bitmap);  // returns the previous bitmap; null on failure
HBRUSH SelectObject(HDC dc, HBRUSH brush);
HBITMAP GetCurrentBitmap(HDC dc);
HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground);
UINT RealizePalette(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
int SetStretchBltMode(HDC dc, int mode);
int GetStretchBltMode(HDC dc);
BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* previous);
BOOL GetBrushOrgEx(HDC dc, POINT* origin);
BOOL GdiFlush();

// Bitmaps. CreateBitmap takes 1 plane of 1 bit (monochrome) or of the display's 32 bits; bits, when
// given, are rows of the device format, top row first, each padded to 16 bits.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
// A bitmap in the format of the bitmap selected in dc (display format for a null or display dc); a DIB
// section selected gives a DIB section of its format. Sizes <= 0 fail here and in CreateBitmap
// (ERROR_INVALID_PARAMETER), more than 256 MiB of pixels with ERROR_NOT_ENOUGH_MEMORY.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// Pixel memory starts zero-filled and is handed out through bits. Absurd sizes fail without
// allocating (null, last error 0 or ERROR_NOT_ENOUGH_MEMORY). Pixel memory is limited to 256 MiB. There
// are no file mappings: `section` must be null. DIB_PAL_COLORS tables index the context's palette.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, void* section, DWORD offset);
// Writes a DIBSECTION (returns kDibSectionObjectSize) when size allows and the bitmap is a DIB
// section, else a BITMAP (returns kBitmapObjectSize); 0 for a bad handle or a too small buffer.
// "Allows" means at least sizeof the C++ record; out null returns the size that would be reported.
// bmWidthBytes is even for device bitmaps and a multiple of 4 for DIB sections; bmBits is null for
// device bitmaps. DIB sections report their header with biSize 40 and biSizeImage = stride * height,
// dsBitfields only for BI_BITFIELDS.
int GetObject(HBITMAP bitmap, int size, void* out);
// Converts rows [start, start + lines) of the bitmap (counted from the bottom, as for a bottom-up DIB)
// into the format info describes; bits null fills in info (and the colour table) only. Returns the
// number of rows converted (or the bitmap's height for a query). biBitCount 0 asks for the bitmap's own
// format. Indexed output gets the bitmap's own table when it has that depth (biClrUsed = its count),
// else black/white, the 16 standard colours or the halftone colours; BI_BITFIELDS with zero masks gets
// 5-6-5 or 8-8-8. A monochrome device bitmap reads as black (0) and white (1). Columns past the
// bitmap's width are left as they are. SetDIBits is the reverse, with the same row numbering.
int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage);
int SetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info,
              UINT usage);
// Colour table of the DIB section selected in dc.
UINT GetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD* colors);
UINT SetDIBColorTable(HDC dc, UINT start, UINT count, const RGBQUAD* colors);
BOOL DeleteObject(HBITMAP bitmap);  // fails (ERROR_BUSY) while the bitmap is selected in a context

// Palettes.
HPALETTE CreatePalette(const LOGPALETTE* palette);
HPALETTE CreateHalftonePalette(HDC dc);
UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries);
UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF color);
BOOL DeleteObject(HPALETTE palette);

// Brushes.
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH GetStockBrush(StockObject which);  // never deleted
BOOL DeleteObject(HBRUSH brush);

// Pixels and transfers, clipped to the target bitmap (and the context's clip rectangle). Palette
// indices past a colour table's end read as black. Source pixels outside the source bitmap are never
// read: the target pixels they would make stay as they are. Block transfers convert as documented:
// a monochrome device bitmap drawn onto colour becomes the target's text colour (0) and background
// colour (1); colour drawn onto a monochrome device bitmap becomes 1 where it equals the source
// context's background colour, else 0; palette targets take the nearest entry and raster operations
// work on the resulting indices. StretchBlt mirrors when the extents' signs differ; a negative extent
// runs backwards from its origin pixel (x = width - 1 with -width mirrors in place). BitBlt and PatBlt
// with a negative extent cover [origin + extent, origin). HALFTONE averages source areas; the other
// modes take the nearest source pixel.
COLORREF GetPixel(HDC dc, int x, int y);
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
BOOL BitBlt(HDC target, int x, int y, int width, int height, HDC source, int xSource, int ySource, DWORD rop);
BOOL StretchBlt(HDC target, int x, int y, int width, int height, HDC source, int xSource, int ySource,
                int widthSource, int heightSource, DWORD rop);
// A block transfer with two operations (MAKEROP4): the foreground one where the 1-bit mask bitmap is 1,
// the background one where it is 0. The mask must cover the rectangle from (xMask, yMask).
BOOL MaskBlt(HDC target, int x, int y, int width, int height, HDC source, int xSource, int ySource, HBITMAP mask,
             int xMask, int yMask, DWORD rop);

}  // namespace plexon::gdi
