// The bitmap's transparency mask: built from MaskColor on demand, rebuilt after any change, and
// the bitmap turned into a mask of its own. Drawing through the mask is in Masks.cpp.
#include <string>

#include "graphics/Bitmap.h"
#include "graphics/BitmapCanvas.h"
#include "graphics/Masks.h"
#include "graphics/Palettes.h"
#include "platform/gdi/Raster.h"

namespace plexon {

void TBitmap::EnsureMask() {
    if (maskValid_ && maskBitsValid_) return;
    TBitmapImage& image = *image_;
    if (image.MaskHandle) {
        DeselectBitmapFromCanvases(image.MaskHandle);
        gdi::DeleteObject(image.MaskHandle);
        image.MaskHandle = nullptr;
    }
    // Read before the context goes: the automatic colour is a pixel read through the canvas.
    const TColor color = MaskColor();
    ReleaseCanvasContext();
    EnsureHandle();
    image_->MaskHandle = MakeMaskBitmap(image_->Handle, image_->PaletteHandle, gdi::COLORREF(color));
    maskValid_ = true;
    maskBitsValid_ = true;
}

gdi::HBITMAP TBitmap::MaskHandle() {
    EnsureMask();
    return image_->MaskHandle;
}

void TBitmap::MakeMask(TColor color) {
    ReleaseCanvasContext();
    EnsureHandle();
    GdiObject<gdi::HBITMAP> mask(MakeMaskBitmap(image_->Handle, image_->PaletteHandle, ResolveColor(color)));
    gdi::DIBSECTION header{};
    if (mask.Get()) gdi::GetObject(mask.Get(), sizeof header, &header);
    OwnedPalette palette(SharePalette(image_->PaletteHandle));
    InstallImage(mask.Get(), palette.Get(), header, image_->CoreFormat, nullptr);
    mask.Release();
    palette.Release();
    NotifyChanged();
}

}  // namespace plexon
