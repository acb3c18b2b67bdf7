// Painting of the desktop: each window draws into its own 32-bit surface when it is invalid, and a
// top-level frame is composed from the surfaces in z-order, each clipped by its ancestors.
#include <algorithm>
#include <cassert>

#include "platform/gdi/Raster.h"
#include "platform/window/Window.h"
#include "runtime/Exceptions.h"

namespace plexon::window {

namespace {

struct Dib {
    gdi::HBITMAP bitmap = nullptr;
    std::uint8_t* bits = nullptr;
};

Dib MakeDib(int width, int height) {
    gdi::BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(gdi::BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first, as frames are handed out
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = gdi::BI_RGB;
    void* bits = nullptr;
    gdi::HBITMAP bitmap = gdi::CreateDIBSection(nullptr, &info, gdi::DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) throw EOutOfResources(std::string(msg::kOutOfResources));
    return {bitmap, static_cast<std::uint8_t*>(bits)};
}

gdi::RECT Intersect(const gdi::RECT& a, const gdi::RECT& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

bool IsEmpty(const gdi::RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

}  // namespace

void Desktop::EnsureSurface(HWND window) {
    const int width = window->Width(), height = window->Height();
    if (window->surface_) {
        gdi::BITMAP info;
        gdi::GetObject(window->surface_, sizeof info, &info);
        if (info.bmWidth == width && info.bmHeight == height) return;
        FreeSurfaces(window);
    }
    if (width <= 0 || height <= 0) return;
    const Dib dib = MakeDib(width, height);
    window->surface_ = dib.bitmap;
    window->surfaceBits_ = dib.bits;
    window->dc_ = gdi::CreateCompatibleDC(nullptr);
    gdi::SelectObject(window->dc_, window->surface_);
}

void Desktop::FreeSurfaces(HWND window) {
    if (window->dc_) gdi::DeleteDC(window->dc_);
    if (window->surface_) gdi::DeleteObject(window->surface_);
    if (window->frame_) gdi::DeleteObject(window->frame_);
    window->dc_ = nullptr;
    window->surface_ = window->frame_ = nullptr;
    window->surfaceBits_ = window->frameBits_ = nullptr;
}

void Desktop::Invalidate(HWND window) {
    assert(IsWindow(window));
    window->invalid_ = true;
}

void Desktop::PaintWindow(HWND window) {
    window->invalid_ = false;
    if (!IsReallyVisible(window)) return;
    EnsureSurface(window);
    window->TopLevel()->frameStale_ = true;
    if (!window->dc_) return;
    Message erase{.kind = MessageKind::EraseBackground, .window = window, .dc = window->dc_};
    SendMessage(erase);
    if (!IsWindow(window)) return;
    Message paint{.kind = MessageKind::Paint, .window = window, .dc = window->dc_};
    SendMessage(paint);
}

namespace {
// The first invalid visible window of the tree, parents before their children.
HWND FindInvalid(HWND window) {
    if (!window->Visible()) return nullptr;
    if (window->Invalid()) return window;
    for (HWND child : window->Children())
        if (HWND found = FindInvalid(child)) return found;
    return nullptr;
}
}  // namespace

HWND Desktop::NextToPaint() const {
    for (HWND top : topLevels_)
        if (HWND invalid = FindInvalid(top)) return invalid;
    return nullptr;
}

bool Desktop::PaintNow(HWND window, const std::function<void(gdi::HDC)>& paint) {
    assert(IsWindow(window));
    if (window->invalid_ || !window->dc_ || !IsReallyVisible(window)) return false;
    paint(window->dc_);
    window->TopLevel()->frameStale_ = true;
    return true;
}

void Desktop::UpdateWindow(HWND window) {
    assert(IsWindow(window));
    HWND top = window->TopLevel();
    if (!IsReallyVisible(top)) return;
    while (HWND invalid = FindInvalid(top)) {
        PaintWindow(invalid);
        if (!IsWindow(top)) return;
    }
    Compose(top);
}

void Desktop::Compose(HWND top) {
    top->frameStale_ = false;
    const int width = top->Width(), height = top->Height();
    if (width <= 0 || height <= 0 || !top->surface_) return;
    gdi::BITMAP info;
    if (top->frame_) {
        gdi::GetObject(top->frame_, sizeof info, &info);
        if (info.bmWidth != width || info.bmHeight != height) {
            gdi::DeleteObject(top->frame_);
            top->frame_ = nullptr;
        }
    }
    if (!top->frame_) {
        const Dib dib = MakeDib(width, height);
        top->frame_ = dib.bitmap;
        top->frameBits_ = dib.bits;
    }
    gdi::HDC frameDc = gdi::CreateCompatibleDC(nullptr);
    gdi::HBITMAP old = gdi::SelectObject(frameDc, top->frame_);
    gdi::BitBlt(frameDc, 0, 0, width, height, top->dc_, 0, 0, gdi::SRCCOPY);
    composeDc_ = frameDc;
    ComposeChildren(top, {0, 0}, {0, 0, width, height});
    composeDc_ = nullptr;
    gdi::SelectObject(frameDc, old);
    gdi::DeleteDC(frameDc);
    backend_->Present(*top, Frame(top));
    if (!top->shownOnce_ && top->visible_) {
        top->shownOnce_ = true;
        backend_->ShowNative(*top, true);
    }
}

void Desktop::ComposeChildren(HWND window, gdi::POINT origin, const gdi::RECT& clip) {
    for (HWND child : window->children_) {
        if (!child->visible_ || !child->dc_) continue;
        const gdi::POINT at{origin.x + child->bounds_.left, origin.y + child->bounds_.top};
        const gdi::RECT area =
            Intersect(clip, {at.x, at.y, at.x + child->Width(), at.y + child->Height()});
        if (IsEmpty(area)) continue;
        gdi::BitBlt(composeDc_, area.left, area.top, area.right - area.left, area.bottom - area.top, child->dc_,
                    area.left - at.x, area.top - at.y, gdi::SRCCOPY);
        ComposeChildren(child, at, area);
    }
}

FrameView Desktop::Frame(HWND top) const {
    assert(IsWindow(top) && !top->parent_);
    if (!top->frame_) return {};
    gdi::BITMAP info;
    gdi::GetObject(top->frame_, sizeof info, &info);
    return {top->frameBits_, info.bmWidth, info.bmHeight, std::size_t(info.bmWidthBytes)};
}

void Desktop::PresentStale() {
    for (HWND top : std::vector<HWND>(topLevels_))
        if (IsWindow(top) && top->visible_ && top->frameStale_) Compose(top);
}

void Desktop::InputExposed(HWND top) {
    if (IsWindow(top)) top->frameStale_ = true;
}

}  // namespace plexon::window
