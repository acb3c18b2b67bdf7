// The canvas: brush handles, picture drawing, pixel access and the per-canvas lock.
#include "graphics/Canvas.h"

#include <string>

#include "graphics/GdiSupport.h"
#include "graphics/Graphic.h"
#include "platform/gdi/Raster.h"
#include "runtime/Exceptions.h"

namespace plexon {

namespace {
// Guards the lock counts of all canvases.
std::mutex& LockCountLock() {
    static std::mutex lock;
    return lock;
}
}  // namespace

TBrush::~TBrush() {
    FreeHandle();
}

void TBrush::FreeHandle() {
    if (handle_ && style_ == TBrushStyle::Solid) gdi::DeleteObject(handle_);
    handle_ = nullptr;
}

void TBrush::SetColor(TColor color) {
    if (color == color_) return;
    FreeHandle();
    color_ = color;
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == style_) return;
    FreeHandle();
    style_ = style;
}

gdi::HBRUSH TBrush::Handle() {
    if (!handle_) {
        handle_ = style_ == TBrushStyle::Clear ? gdi::GetStockBrush(gdi::NULL_BRUSH)
                                               : GdiCheck(gdi::CreateSolidBrush(ResolveColor(color_)));
    }
    return handle_;
}

gdi::HDC TCanvas::Handle() {
    if (!dc_) CreateHandle();
    if (!dc_) throw EInvalidOperation(std::string(msg::kNoCanvasHandle));
    return dc_;
}

void TCanvas::DrawGraphic(int x, int y, TGraphic* graphic) {
    if (!graphic || graphic->IsEmpty()) return;
    Changing();
    const gdi::HDC dc = Handle();
    gdi::SetBkColor(dc, ResolveColor(brush_.Color()));
    gdi::SetTextColor(dc, ResolveColor(font_.Color()));
    graphic->Render(*this, {x, y, x + graphic->Width(), y + graphic->Height()});
    Changed();
}

void TCanvas::StretchGraphic(const gdi::RECT& r, TGraphic* graphic) {
    if (!graphic) return;
    Changing();
    Handle();
    graphic->Render(*this, r);
    Changed();
}

gdi::COLORREF TCanvas::Pixels(int x, int y) {
    return gdi::GetPixel(Handle(), x, y);
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    Changing();
    gdi::SetPixel(Handle(), x, y, ResolveColor(color));
    Changed();
}

void TCanvas::Lock() {
    lock_.lock();
    std::lock_guard<std::mutex> guard(LockCountLock());
    ++lockCount_;
}

void TCanvas::Unlock() {
    {
        std::lock_guard<std::mutex> guard(LockCountLock());
        --lockCount_;
    }
    lock_.unlock();
}

bool TCanvas::TryLock() {
    if (!lock_.try_lock()) return false;
    std::lock_guard<std::mutex> guard(LockCountLock());
    if (lockCount_ != 0) {
        lock_.unlock();  // held by this thread already: the holder is using the canvas
        return false;
    }
    ++lockCount_;
    return true;
}

int TCanvas::LockCount() const {
    std::lock_guard<std::mutex> guard(LockCountLock());
    return lockCount_;
}

}  // namespace plexon
