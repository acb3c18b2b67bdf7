// Plain records and constants of the raster services, laid out and named as the program's
// documentation names them. Handles are typed pointers to objects owned by the gdi layer.
#pragma once

#include <cstdint>

namespace plexon::gdi {

using COLORREF = std::uint32_t;  // 0x00BBGGRR; 0x01000000|index = palette index; 0x02000000|rgb = palette-relative
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using BOOL = int;

constexpr COLORREF RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}
constexpr std::uint8_t GetRValue(COLORREF c) { return std::uint8_t(c); }
constexpr std::uint8_t GetGValue(COLORREF c) { return std::uint8_t(c >> 8); }
constexpr std::uint8_t GetBValue(COLORREF c) { return std::uint8_t(c >> 16); }
constexpr COLORREF PALETTEINDEX(std::uint16_t i) { return 0x01000000u | i; }
constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;

struct POINT {
    std::int32_t x = 0, y = 0;
};
struct SIZE {
    std::int32_t cx = 0, cy = 0;
};
// Covers left <= x < right and top <= y < bottom.
struct RECT {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct RGBQUAD {
    std::uint8_t rgbBlue = 0, rgbGreen = 0, rgbRed = 0, rgbReserved = 0;
};
struct PALETTEENTRY {
    std::uint8_t peRed = 0, peGreen = 0, peBlue = 0, peFlags = 0;
};
struct LOGPALETTE {
    std::uint16_t palVersion = 0x0300;
    std::uint16_t palNumEntries = 0;
    PALETTEENTRY palPalEntry[256];
};

struct BITMAP {
    std::int32_t bmType = 0;
    std::int32_t bmWidth = 0;
    std::int32_t bmHeight = 0;
    std::int32_t bmWidthBytes = 0;
    std::uint16_t bmPlanes = 0;
    std::uint16_t bmBitsPixel = 0;
    void* bmBits = nullptr;
};

// The 40-byte header exactly as stored in a BMP file (no padding between fields).
struct BITMAPINFOHEADER {
    std::uint32_t biSize = 0;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    std::uint16_t biPlanes = 0;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

// Header plus room for 256 colours; with BI_BITFIELDS the first three entries hold the red, green
// and blue masks, as the file layout has them.
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[256];
};

struct DIBSECTION {
    BITMAP dsBm;
    BITMAPINFOHEADER dsBmih;
    std::uint32_t dsBitfields[3] = {0, 0, 0};
    void* dshSection = nullptr;
    std::uint32_t dsOffset = 0;
};

// Sizes GetObject reports, those of the 32-bit platform the documented checks were written for.
constexpr int kBitmapObjectSize = 24;
constexpr int kDibSectionObjectSize = 84;

constexpr std::uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3;
constexpr UINT DIB_RGB_COLORS = 0, DIB_PAL_COLORS = 1;

// Raster operations: the ternary code sits in bits 16-23 (pattern 0xF0, source 0xCC, destination 0xAA).
constexpr DWORD SRCCOPY = 0x00CC0020, SRCPAINT = 0x00EE0086, SRCAND = 0x008800C6, SRCINVERT = 0x00660046,
                SRCERASE = 0x00440328, NOTSRCCOPY = 0x00330008, NOTSRCERASE = 0x001100A6,
                MERGECOPY = 0x00C000CA, MERGEPAINT = 0x00BB0226, PATCOPY = 0x00F00021,
                PATPAINT = 0x00FB0A09, PATINVERT = 0x005A0049, DSTINVERT = 0x00550009,
                BLACKNESS = 0x00000042, WHITENESS = 0x00FF0062, DSTCOPY = 0x00AA0029;
constexpr std::uint8_t RopIndex(DWORD rop) { return std::uint8_t(rop >> 16); }
// MaskBlt's pair of operations: the foreground code where the mask is 1, the background code in bits 24-31.
constexpr DWORD MAKEROP4(DWORD fore, DWORD back) { return ((back << 8) & 0xFF000000u) | fore; }

constexpr int BLACKONWHITE = 1, WHITEONBLACK = 2, COLORONCOLOR = 3, HALFTONE = 4;
constexpr int TRANSPARENT = 1, OPAQUE = 2;

enum DeviceCap : int {
    HORZRES = 8, VERTRES = 10, BITSPIXEL = 12, PLANES = 14, NUMCOLORS = 24, RASTERCAPS = 38,
    LOGPIXELSX = 88, LOGPIXELSY = 90, SIZEPALETTE = 104
};
constexpr int RC_PALETTE = 0x0100;

enum StockObject : int {
    WHITE_BRUSH = 0, LTGRAY_BRUSH = 1, GRAY_BRUSH = 2, DKGRAY_BRUSH = 3, BLACK_BRUSH = 4, NULL_BRUSH = 5,
    WHITE_PEN = 6, BLACK_PEN = 7, NULL_PEN = 8, DEFAULT_GUI_FONT = 17
};

// Last-error codes the services set.
constexpr DWORD ERROR_SUCCESS = 0, ERROR_INVALID_HANDLE = 6, ERROR_NOT_ENOUGH_MEMORY = 8,
                ERROR_INVALID_PARAMETER = 87, ERROR_BUSY = 170, ERROR_INVALID_BITMAP = 1400;

// Opaque objects; their layout is private to the gdi layer.
struct GdiBitmap;
struct GdiDc;
struct GdiPalette;
struct GdiBrush;
struct GdiPen;
struct GdiFont;
struct GdiRegion;
using HBITMAP = GdiBitmap*;
using HDC = GdiDc*;
using HPALETTE = GdiPalette*;
using HBRUSH = GdiBrush*;
using HPEN = GdiPen*;
using HFONT = GdiFont*;
using HRGN = GdiRegion*;

}  // namespace plexon::gdi
