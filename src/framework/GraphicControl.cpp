// Windowless painting: the parent's pixels under the control are copied into a scratch surface of
// the control's size, the control paints over them at its own origin, and the result goes back.
#include "framework/GraphicControl.h"

#include "graphics/GdiSupport.h"
#include "platform/gdi/Raster.h"

namespace plexon {

namespace {
struct OwnedBitmap {
    gdi::HBITMAP handle;
    ~OwnedBitmap() { gdi::DeleteObject(handle); }
};
struct Attached {
    TControlCanvas& canvas;
    Attached(TControlCanvas& c, gdi::HDC dc) : canvas(c) { canvas.Attach(dc); }
    ~Attached() { canvas.Detach(); }
};
}  // namespace

void TGraphicControl::PaintOn(gdi::HDC dc) {
    const int width = Width(), height = Height();
    const OwnedBitmap surface{GdiCheck(gdi::CreateCompatibleBitmap(nullptr, width, height))};
    ScopedMemoryDc scratch;  // ends before the bitmap, letting go of it
    scratch.Select(surface.handle);
    gdi::BitBlt(scratch.Get(), 0, 0, width, height, dc, Left(), Top(), gdi::SRCCOPY);
    {
        const Attached attached(canvas_, scratch.Get());
        Paint();
    }
    gdi::BitBlt(dc, Left(), Top(), width, height, scratch.Get(), 0, 0, gdi::SRCCOPY);
}

}  // namespace plexon
