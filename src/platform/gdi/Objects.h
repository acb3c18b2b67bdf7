// The private layout of the gdi objects behind the opaque handles, and the registry that tells live
// handles from stale ones. Drawing code lives elsewhere; this is only the state and its bookkeeping.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

#include "platform/gdi/Fonts.h"
#include "platform/gdi/PixelFormat.h"
#include "platform/gdi/Types.h"

namespace plexon::gdi {

struct FreeMemory {
    void operator()(std::uint8_t* memory) const { std::free(memory); }
};

// Stock objects are shared, may be selected into many contexts and are never deleted.
enum class Stock : bool { No, Yes };

struct GdiBitmap {
    detail::Surface surface;  // its format points into `colors`, so a bitmap is never copied
    bool isDib = false;
    Stock stock = Stock::No;
    std::unique_ptr<std::uint8_t, FreeMemory> memory;
    std::size_t stride = 0;
    std::vector<RGBQUAD> colors;  // DIB sections of up to 8 bits
    BITMAPINFOHEADER header;      // DIB sections: the header they were made from, completed
    std::uint32_t bitfields[3] = {0, 0, 0};
    HDC selectedIn = nullptr;

    GdiBitmap() = default;
    GdiBitmap(const GdiBitmap&) = delete;
    GdiBitmap& operator=(const GdiBitmap&) = delete;
};

struct GdiPalette {
    std::vector<PALETTEENTRY> entries;
    Stock stock = Stock::No;
    int selections = 0;
};

struct GdiBrush {
    COLORREF color = 0;
    bool hollow = false;  // the null brush paints nothing
    Stock stock = Stock::No;
    int selections = 0;
};

struct GdiPen {
    int style = 0;  // PS_SOLID or PS_NULL
    int width = 1;
    COLORREF color = 0;
    Stock stock = Stock::No;
    int selections = 0;
};

namespace detail {
class FontInstance;
}

struct GdiFont {
    LOGFONT description;
    Stock stock = Stock::No;
    int selections = 0;
    // Resolved on first use; shared with every font of the same face, size and style.
    std::shared_ptr<detail::FontInstance> instance;
};

// Disjoint rectangles; an empty list is the empty region.
struct ClipRects {
    std::vector<RECT> rects;
    ClipRects() = default;
    ClipRects(const RECT& r);  // NOLINT: a rectangle is the simplest region
};

struct GdiRegion {
    ClipRects area;
};

struct GdiDc {
    HBITMAP bitmap = nullptr;
    HBRUSH brush = nullptr;
    HPALETTE palette = nullptr;
    HPEN pen = nullptr;
    HFONT font = nullptr;
    POINT position;  // MoveToEx / LineTo
    COLORREF background = RGB(255, 255, 255);
    COLORREF text = RGB(0, 0, 0);
    int backgroundMode = OPAQUE;
    int stretchMode = BLACKONWHITE;
    POINT brushOrigin;
    // Set by the clip-region services; no drawing touches pixels outside it.
    std::optional<ClipRects> clip;
};

namespace detail {

// Registration of live objects: every handle that reaches a service is checked here first.
void Register(HBITMAP object);
void Register(HDC object);
void Register(HPALETTE object);
void Register(HBRUSH object);
void Register(HPEN object);
void Register(HFONT object);
void Register(HRGN object);
void Unregister(HBITMAP object);
void Unregister(HDC object);
void Unregister(HPALETTE object);
void Unregister(HBRUSH object);
void Unregister(HPEN object);
void Unregister(HFONT object);
void Unregister(HRGN object);
// False (and last error ERROR_INVALID_HANDLE) for null or unknown handles.
bool IsLive(HBITMAP object);
bool IsLive(HDC object);
bool IsLive(HPALETTE object);
bool IsLive(HBRUSH object);
bool IsLive(HPEN object);
bool IsLive(HFONT object);
bool IsLive(HRGN object);

HBITMAP StockMonoBitmap();  // the 1 x 1 bitmap every memory context starts with
HPALETTE StockPalette();    // the default palette: the 20 static colours
HPEN StockBlackPen();       // the pen every memory context starts with
HFONT StockDefaultFont();   // Tahoma 8 points: the font every memory context starts with

// The rectangles of the selected bitmap that drawing may change: its bounds, cut by the clip region.
std::vector<RECT> DrawableRects(const GdiDc& dc);
bool IsDrawable(const GdiDc& dc, int x, int y);

// A plain colour for a COLORREF: palette indices through the context's palette (black past its
// end), palette-relative and plain colours by their RGB part.
COLORREF ResolveColor(const GdiDc& dc, COLORREF color);

void SetError(DWORD code);

// DeleteObject for brushes, pens, fonts and palettes: stock objects stay, a selected one is busy.
template <class Handle>
BOOL DeleteSelectable(Handle object) {
    if (!IsLive(object)) return 0;
    if (object->stock == Stock::Yes) return 1;
    if (object->selections > 0) {
        SetError(ERROR_BUSY);
        return 0;
    }
    Unregister(object);
    delete object;
    return 1;
}

// Puts object into a context's slot, moving the selection count with it; returns what it replaces.
template <class Handle>
Handle SwapSelected(Handle& slot, Handle object) {
    Handle previous = slot;
    --previous->selections;
    ++object->selections;
    slot = object;
    return previous;
}

}  // namespace detail
}  // namespace plexon::gdi
