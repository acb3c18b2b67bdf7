// The canvas: brush handles, selecting font, pen and brush, text and shapes, picture drawing, pixel
// access and the per-canvas lock.
#include "graphics/Canvas.h"

#include <string>

#include "graphics/GdiSupport.h"
#include "graphics/Graphic.h"
#include "platform/gdi/Fonts.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/Shapes.h"
#include "platform/gdi/Text.h"
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
    if (!handle_) return;
    if (releasing_) releasing_();
    if (style_ == TBrushStyle::Solid) gdi::DeleteObject(handle_);
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

TCanvas::TCanvas() {
    font_.releasing_ = [this] { ReleaseFont(); };
    pen_.releasing_ = [this] { ReleasePen(); };
    brush_.releasing_ = [this] { ReleaseBrush(); };
}

TCanvas::~TCanvas() {
    // Subclasses have released their context by now; anything still selected is taken out so that
    // the objects can be deleted.
    ReleaseFont();
    ReleasePen();
    ReleaseBrush();
    font_.releasing_ = nullptr;
    pen_.releasing_ = nullptr;
    brush_.releasing_ = nullptr;
}

gdi::HDC TCanvas::Handle() {
    if (!dc_) CreateHandle();
    if (!dc_) throw EInvalidOperation(std::string(msg::kNoCanvasHandle));
    SelectObjects();
    return dc_;
}

void TCanvas::SetHandle(gdi::HDC dc) {
    dc_ = dc;
    fontSelected_ = penSelected_ = brushSelected_ = false;
}

void TCanvas::SelectObjects() {
    if (!fontSelected_) {
        GdiCheck(gdi::SelectObject(dc_, font_.Handle()));
        gdi::SetTextColor(dc_, ResolveColor(font_.Color()));
        fontSelected_ = true;
    }
    if (!penSelected_) {
        GdiCheck(gdi::SelectObject(dc_, pen_.Handle()));
        penSelected_ = true;
    }
    if (!brushSelected_) {
        GdiCheck(gdi::SelectObject(dc_, brush_.Handle()));
        if (brush_.Style() == TBrushStyle::Solid) {
            gdi::SetBkColor(dc_, ResolveColor(brush_.Color()));
            gdi::SetBkMode(dc_, gdi::OPAQUE);
        } else {
            gdi::SetBkMode(dc_, gdi::TRANSPARENT);
        }
        brushSelected_ = true;
    }
}

// The stock objects take the place of ours, so ours can be deleted.
void TCanvas::ReleaseFont() {
    if (!fontSelected_) return;
    gdi::SelectObject(dc_, gdi::GetStockFont(gdi::DEFAULT_GUI_FONT));
    fontSelected_ = false;
}

void TCanvas::ReleasePen() {
    if (!penSelected_) return;
    gdi::SelectObject(dc_, gdi::GetStockPen(gdi::BLACK_PEN));
    penSelected_ = false;
}

void TCanvas::ReleaseBrush() {
    if (!brushSelected_) return;
    gdi::SelectObject(dc_, gdi::GetStockBrush(gdi::WHITE_BRUSH));
    brushSelected_ = false;
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    Changing();
    const gdi::HDC dc = Handle();
    gdi::ExtTextOut(dc, x, y, 0, nullptr, text.data(), gdi::UINT(text.size()), nullptr);
    MoveTo(x + TextWidth(text), y);
    Changed();
}

gdi::SIZE TCanvas::TextExtent(const std::string& text) {
    gdi::SIZE size;
    gdi::GetTextExtentPoint32(Handle(), text.data(), int(text.size()), &size);
    return size;
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    Changing();
    gdi::Rectangle(Handle(), x1, y1, x2, y2);
    Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    Changing();
    gdi::Ellipse(Handle(), x1, y1, x2, y2);
    Changed();
}

void TCanvas::Polygon(const std::vector<gdi::POINT>& points) {
    if (points.size() < 2) return;
    Changing();
    gdi::Polygon(Handle(), points.data(), int(points.size()));
    Changed();
}

void TCanvas::MoveTo(int x, int y) {
    gdi::MoveToEx(Handle(), x, y, nullptr);
    penPos_ = gdi::POINT{x, y};
}

void TCanvas::LineTo(int x, int y) {
    Changing();
    gdi::LineTo(Handle(), x, y);
    penPos_ = gdi::POINT{x, y};
    Changed();
}

void TCanvas::FillRect(const gdi::RECT& r) {
    Changing();
    const gdi::HDC dc = Handle();
    gdi::FillRect(dc, &r, brush_.Handle());
    Changed();
}

void TCanvas::FrameRect(const gdi::RECT& r) {
    Changing();
    const gdi::HDC dc = Handle();
    gdi::FrameRect(dc, &r, brush_.Handle());
    Changed();
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
