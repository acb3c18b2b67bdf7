// Small helpers over the raster services: turning their failures into exceptions and a scoped
// memory context. No drawing policy here.
#pragma once

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

}  // namespace plexon
