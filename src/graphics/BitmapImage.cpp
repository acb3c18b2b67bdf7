// Reference counting and handle release of the shared image record.
#include "graphics/BitmapImage.h"

#include "graphics/BitmapCanvas.h"
#include "graphics/Palettes.h"
#include "platform/gdi/Raster.h"

namespace plexon {

void TSharedImage::Release(TSharedImage* image) {
    if (!image) return;
    if (image->refCount_.fetch_sub(1) == 1) {
        image->FreeHandles();
        delete image;
    }
}

void TBitmapImage::FreeHandles() {
    if (Handle && Handle != DibHandle) {
        DeselectBitmapFromCanvases(Handle);
        gdi::DeleteObject(Handle);
    }
    Handle = nullptr;
    if (MaskHandle) {
        DeselectBitmapFromCanvases(MaskHandle);
        gdi::DeleteObject(MaskHandle);
    }
    MaskHandle = nullptr;
    DeleteOwnedPalette(PaletteHandle);
    PaletteHandle = nullptr;
}

TBitmapImage::~TBitmapImage() {
    if (DibHandle) {
        DeselectBitmapFromCanvases(DibHandle);
        gdi::DeleteObject(DibHandle);
    }
}

}  // namespace plexon
