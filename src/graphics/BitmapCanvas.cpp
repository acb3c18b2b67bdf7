// Bitmap canvases and their device contexts: made on demand, listed while they exist, released
// when idle or when their bitmap must be selected elsewhere.
#include "graphics/BitmapCanvas.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "graphics/Bitmap.h"
#include "graphics/GdiSupport.h"
#include "platform/gdi/Raster.h"

namespace plexon {

namespace {

// BitmapCanvasList: every bitmap canvas that currently owns a device context.
struct CanvasList {
    std::mutex lock;
    std::vector<TBitmapCanvas*> items;
};

CanvasList& BitmapCanvasList() {
    static CanvasList list;
    return list;
}

std::vector<TBitmapCanvas*> Snapshot() {
    CanvasList& list = BitmapCanvasList();
    std::lock_guard<std::mutex> guard(list.lock);
    return list.items;
}

}  // namespace

TBitmapCanvas::TBitmapCanvas(TBitmap& bitmap) : bitmap_(bitmap) {}

TBitmapCanvas::~TBitmapCanvas() {
    FreeContext();
}

void TBitmapCanvas::CreateHandle() {
    TCanvasLock guard(*this);
    bitmap_.EnsureHandle();
    bitmap_.EnsurePalette();
    const gdi::HBITMAP bitmap = bitmap_.image_->Handle;
    const gdi::HPALETTE palette = bitmap_.image_->PaletteHandle;
    if (bitmap) DeselectBitmapFromCanvases(bitmap);
    const gdi::HDC dc = GdiCheck(gdi::CreateCompatibleDC(nullptr));
    if (bitmap) {
        oldBitmap_ = gdi::SelectObject(dc, bitmap);
        selected_ = bitmap;
    }
    if (palette) {
        oldPalette_ = gdi::SelectPalette(dc, palette, 1);
        gdi::RealizePalette(dc);
    }
    SetHandle(dc);
    CanvasList& list = BitmapCanvasList();
    std::lock_guard<std::mutex> listGuard(list.lock);
    list.items.push_back(this);
}

void TBitmapCanvas::FreeContext() {
    TCanvasLock guard(*this);
    if (!HandleAllocated()) return;
    const gdi::HDC dc = Handle();
    if (oldBitmap_) gdi::SelectObject(dc, oldBitmap_);
    if (oldPalette_) gdi::SelectPalette(dc, oldPalette_, 1);
    oldBitmap_ = nullptr;
    oldPalette_ = nullptr;
    selected_ = nullptr;
    SetHandle(nullptr);
    gdi::DeleteDC(dc);
    CanvasList& list = BitmapCanvasList();
    std::lock_guard<std::mutex> listGuard(list.lock);
    list.items.erase(std::remove(list.items.begin(), list.items.end(), this), list.items.end());
}

void TBitmapCanvas::Changing() {
    bitmap_.NotifyChanging();
}

void TBitmapCanvas::Changed() {
    bitmap_.NotifyChanged();
}

void ReleaseIdleBitmapDcs() {
    const std::vector<TBitmapCanvas*> canvases = Snapshot();
    for (auto it = canvases.rbegin(); it != canvases.rend(); ++it) {
        if ((*it)->TryLock()) {
            (*it)->FreeContext();
            (*it)->Unlock();
        }
    }
}

void DeselectBitmapFromCanvases(gdi::HBITMAP bitmap) {
    // Called whenever a bitmap gets a context; usually no other canvas holds it, and then nothing is
    // copied.
    std::vector<TBitmapCanvas*> holding;
    {
        CanvasList& list = BitmapCanvasList();
        std::lock_guard<std::mutex> guard(list.lock);
        for (TBitmapCanvas* canvas : list.items)
            if (canvas->selected_ == bitmap) holding.push_back(canvas);
    }
    for (TBitmapCanvas* canvas : holding) canvas->FreeContext();
}

int BitmapCanvasCount() {
    CanvasList& list = BitmapCanvasList();
    std::lock_guard<std::mutex> guard(list.lock);
    return int(list.items.size());
}

}  // namespace plexon
