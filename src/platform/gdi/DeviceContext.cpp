// Memory device contexts: what is selected into them and the colours and modes they carry.
#include "platform/gdi/Objects.h"
#include "platform/gdi/Raster.h"

namespace plexon::gdi {

using detail::IsLive;
using detail::SetError;

HDC CreateCompatibleDC(HDC dc) {
    if (dc != nullptr && !IsLive(dc)) return nullptr;
    auto* made = new GdiDc;
    made->bitmap = detail::StockMonoBitmap();
    made->brush = GetStockBrush(WHITE_BRUSH);
    made->palette = detail::StockPalette();
    made->pen = detail::StockBlackPen();
    made->font = detail::StockDefaultFont();
    ++made->brush->selections;
    ++made->palette->selections;
    ++made->pen->selections;
    ++made->font->selections;
    detail::Register(made);
    return made;
}

BOOL DeleteDC(HDC dc) {
    if (!IsLive(dc)) return 0;
    if (dc->bitmap->stock == Stock::No) dc->bitmap->selectedIn = nullptr;
    --dc->brush->selections;
    --dc->palette->selections;
    --dc->pen->selections;
    --dc->font->selections;
    detail::Unregister(dc);
    delete dc;
    return 1;
}

HBITMAP SelectObject(HDC dc, HBITMAP bitmap) {
    if (!IsLive(dc) || !IsLive(bitmap)) return nullptr;
    HBITMAP previous = dc->bitmap;
    if (bitmap == previous) return previous;
    if (bitmap->stock == Stock::No && bitmap->selectedIn != nullptr) {
        SetError(ERROR_BUSY);  // a bitmap lives in one context at a time
        return nullptr;
    }
    if (previous->stock == Stock::No) previous->selectedIn = nullptr;
    if (bitmap->stock == Stock::No) bitmap->selectedIn = dc;
    dc->bitmap = bitmap;
    return previous;
}

HBRUSH SelectObject(HDC dc, HBRUSH brush) {
    if (!IsLive(dc) || !IsLive(brush)) return nullptr;
    return detail::SwapSelected(dc->brush, brush);
}

HBITMAP GetCurrentBitmap(HDC dc) {
    return IsLive(dc) ? dc->bitmap : nullptr;
}

HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground) {
    (void)forceBackground;  // without a hardware palette every palette is as good as realised
    if (!IsLive(dc) || !IsLive(palette)) return nullptr;
    return detail::SwapSelected(dc->palette, palette);
}

UINT RealizePalette(HDC dc) {
    if (!IsLive(dc)) return 0xFFFFFFFFu;
    return 0;  // no system palette entries to change
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
    if (!IsLive(dc)) return CLR_INVALID;
    const COLORREF previous = dc->background;
    dc->background = color;
    return previous;
}

COLORREF GetBkColor(HDC dc) {
    return IsLive(dc) ? dc->background : CLR_INVALID;
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
    if (!IsLive(dc)) return CLR_INVALID;
    const COLORREF previous = dc->text;
    dc->text = color;
    return previous;
}

COLORREF GetTextColor(HDC dc) {
    return IsLive(dc) ? dc->text : CLR_INVALID;
}

int SetBkMode(HDC dc, int mode) {
    if (!IsLive(dc)) return 0;
    if (mode != TRANSPARENT && mode != OPAQUE) {
        SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const int previous = dc->backgroundMode;
    dc->backgroundMode = mode;
    return previous;
}

int GetBkMode(HDC dc) {
    return IsLive(dc) ? dc->backgroundMode : 0;
}

int SetStretchBltMode(HDC dc, int mode) {
    if (!IsLive(dc)) return 0;
    if (mode < BLACKONWHITE || mode > HALFTONE) {
        SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const int previous = dc->stretchMode;
    dc->stretchMode = mode;
    return previous;
}

int GetStretchBltMode(HDC dc) {
    return IsLive(dc) ? dc->stretchMode : 0;
}

BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* previous) {
    if (!IsLive(dc)) return 0;
    if (previous) *previous = dc->brushOrigin;
    dc->brushOrigin = POINT{x, y};
    return 1;
}

BOOL GetBrushOrgEx(HDC dc, POINT* origin) {
    if (!IsLive(dc) || origin == nullptr) return 0;
    *origin = dc->brushOrigin;
    return 1;
}

// Drawing is synchronous, so there is never anything pending.
BOOL GdiFlush() {
    return 1;
}

}  // namespace plexon::gdi
