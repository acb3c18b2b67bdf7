// Error raising and the scoped memory context.
#include "graphics/GdiSupport.h"

#include <string>

#include "platform/gdi/Raster.h"
#include "runtime/Exceptions.h"

namespace plexon {

void RaiseGdiError() {
    const gdi::DWORD code = gdi::GetLastError();
    std::string text = code != 0 ? gdi::SystemErrorText(code) : std::string();
    if (text.empty()) text = msg::kOutOfResources;
    throw EOutOfResources(text);
}

ScopedMemoryDc::ScopedMemoryDc() : dc_(GdiCheck(gdi::CreateCompatibleDC(nullptr))) {}

ScopedMemoryDc::~ScopedMemoryDc() {
    if (oldPalette_) gdi::SelectPalette(dc_, oldPalette_, 1);
    if (oldBitmap_) gdi::SelectObject(dc_, oldBitmap_);
    gdi::DeleteDC(dc_);
}

void ScopedMemoryDc::Select(gdi::HBITMAP bitmap) {
    const gdi::HBITMAP previous = GdiCheck(gdi::SelectObject(dc_, bitmap));
    if (!oldBitmap_) oldBitmap_ = previous;
}

void ScopedMemoryDc::SelectPalette(gdi::HPALETTE palette) {
    if (!palette) return;
    const gdi::HPALETTE previous = gdi::SelectPalette(dc_, palette, 1);
    if (!oldPalette_) oldPalette_ = previous;
    gdi::RealizePalette(dc_);
}

int DisplayBitsPerPixel() {
    return gdi::GetDeviceCaps(nullptr, gdi::BITSPIXEL) * gdi::GetDeviceCaps(nullptr, gdi::PLANES);
}

}  // namespace plexon
