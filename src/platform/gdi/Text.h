// Text services: measuring strings, drawing them at a point and laying them out in a rectangle.
// Strings are UTF-8 (bad bytes draw as U+FFFD); a symbol face reads them byte by byte. Counts are
// bytes; a layout never cuts a character in half. Text is always drawn from the top left of its cell
// (no text alignment modes) and there is no right-to-left reading order.
#pragma once

#include "platform/gdi/Types.h"

namespace plexon::gdi {

constexpr UINT ETO_OPAQUE = 0x2, ETO_CLIPPED = 0x4;

constexpr UINT DT_TOP = 0x0, DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4,
               DT_BOTTOM = 0x8, DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40,
               DT_NOCLIP = 0x100, DT_EXTERNALLEADING = 0x200, DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800,
               DT_PATH_ELLIPSIS = 0x4000, DT_END_ELLIPSIS = 0x8000,
               // The "&" prefix rule without its underlines: a caption whose key is not shown yet.
               DT_HIDEPREFIX = 0x100000;

struct DRAWTEXTPARAMS {
    UINT cbSize = sizeof(DRAWTEXTPARAMS);
    int iTabLength = 8;  // in average character widths
    int iLeftMargin = 0;
    int iRightMargin = 0;
    UINT uiLengthDrawn = 0;  // out: characters processed
};

// Width and height of the first count characters in the selected font (height = the cell height,
// also for an empty string). Rotated fonts measure unrotated.
BOOL GetTextExtentPoint32(HDC dc, const char* text, int count, SIZE* size);
// Draws count characters with the top left of the (unrotated) cell at (x, y); a rotated font turns
// the text about that point. ETO_OPAQUE fills rect with the background colour first, ETO_CLIPPED
// keeps the text inside rect. widths, when given, are the advances of the characters, one per character.
BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rect, const char* text, UINT count,
                const int* widths);
BOOL TextOut(HDC dc, int x, int y, const char* text, int count);

// Lays out and draws (or with DT_CALCRECT only measures) text in rect. count -1 means up to the
// terminating zero; a larger count also stops there. Returns the height of the text (0 on failure).
// With DT_CALCRECT the right and bottom of rect become the measured extent; drawing the same text in
// that rectangle with the same flags gives the same lines. A rotated font measures unrotated; its
// lines are drawn turned about the first line's origin and clipped to rect turned the same way.
int DrawText(HDC dc, const char* text, int count, RECT* rect, UINT format);
int DrawTextEx(HDC dc, const char* text, int count, RECT* rect, UINT format, DRAWTEXTPARAMS* params);

}  // namespace plexon::gdi
