// Small helpers over the raster services: turning their failures into exceptions, a scoped memory
// context, an owning object handle and a selection that puts the previous object back. No drawing
// policy here.
#pragma once

#include <utility>

#include "platform/gdi/Fonts.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/Shapes.h"
#include "platform/gdi/Types.h"

namespace plexon {

// EOutOfResources with the platform's text for its last error, or "Out of system resources".
[[noreturn]] void RaiseGdiError();
template <class Handle>
Handle GdiCheck(Handle handle) {
    if (!handle) RaiseGdiError();
    return handle;
}

// The display's bits per pixel times its planes.
int DisplayBitsPerPixel();

// A memory context compatible with the display; what was selected into it is restored and the
// context deleted when it goes out of scope.
class ScopedMemoryDc {
  public:
    ScopedMemoryDc();
    ~ScopedMemoryDc();
    ScopedMemoryDc(const ScopedMemoryDc&) = delete;
    ScopedMemoryDc& operator=(const ScopedMemoryDc&) = delete;

    gdi::HDC Get() const { return dc_; }
    // The bitmap must be selected in no other context.
    void Select(gdi::HBITMAP bitmap);
    // Selects the palette in background mode and realises it; null does nothing.
    void SelectPalette(gdi::HPALETTE palette);

  private:
    gdi::HDC dc_;
    gdi::HBITMAP oldBitmap_ = nullptr;
    gdi::HPALETTE oldPalette_ = nullptr;
};

template <class Handle>
struct GdiDelete {
    void operator()(Handle handle) const { gdi::DeleteObject(handle); }
};

// Owns one object (bitmap, palette, brush, pen, font) and deletes it when it goes out of scope,
// unless Release handed it on first.
template <class Handle, class Delete = GdiDelete<Handle>>
class GdiObject {
  public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() {
        if (handle_) Delete{}(handle_);
    }
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }

    Handle Get() const { return handle_; }
    Handle Release() { return std::exchange(handle_, nullptr); }

  private:
    Handle handle_ = nullptr;
};

// Selects an object into a context for one scope and selects the previous one back at its end.
template <class Handle>
class ScopedSelection {
  public:
    ScopedSelection(gdi::HDC dc, Handle handle) : dc_(dc), previous_(gdi::SelectObject(dc, handle)) {}
    ~ScopedSelection() { gdi::SelectObject(dc_, previous_); }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

  private:
    gdi::HDC dc_;
    Handle previous_;
};

}  // namespace plexon
