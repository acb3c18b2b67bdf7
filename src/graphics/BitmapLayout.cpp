// Changing what holds the pixels: pixel layout, handle kind, monochrome and palette. Each builds a
// new image record from the old pixels and installs it only when everything was made.
#include <string>

#include "graphics/Bitmap.h"
#include "graphics/BitmapCanvas.h"
#include "graphics/BitmapCopy.h"
#include "graphics/BmpFormat.h"
#include "graphics/Palettes.h"
#include "platform/gdi/Raster.h"
#include "runtime/Exceptions.h"

namespace plexon {

namespace {

int BitCount(BitmapPixelLayout layout) {
    switch (layout) {
        case BitmapPixelLayout::Bits1:
            return 1;
        case BitmapPixelLayout::Bits4:
            return 4;
        case BitmapPixelLayout::Bits8:
            return 8;
        case BitmapPixelLayout::Bits15:
        case BitmapPixelLayout::Bits16:
            return 16;
        case BitmapPixelLayout::Bits24:
            return 24;
        default:
            return 32;
    }
}

// Deletes a palette made for one conversion once the image holds its own copy.
struct TemporaryPalette {
    gdi::HPALETTE handle = nullptr;
    ~TemporaryPalette() {
        if (handle) gdi::DeleteObject(handle);
    }
};

}  // namespace

void TBitmap::SetPixelLayout(BitmapPixelLayout layout) {
    if (PixelLayout() == layout) return;
    if (layout == BitmapPixelLayout::Device) {
        SetHandleKind(BitmapHandleKind::DeviceBitmap);
        return;
    }
    if (layout == BitmapPixelLayout::Custom) throw EInvalidGraphic(std::string(msg::kInvalidPixelFormat));

    const gdi::HBITMAP handle = Handle();
    gdi::DIBSECTION header{};
    header.dsBm = image_->Dib.dsBm;
    header.dsBm.bmBits = nullptr;
    gdi::BITMAPINFOHEADER& bi = header.dsBmih;
    bi.biSize = kInfoHeaderSize;
    bi.biWidth = header.dsBm.bmWidth;
    bi.biHeight = header.dsBm.bmHeight;
    bi.biPlanes = 1;
    bi.biBitCount = std::uint16_t(BitCount(layout));
    bi.biCompression = gdi::BI_RGB;

    TemporaryPalette halftone;
    gdi::HPALETTE palette = image_->PaletteHandle;
    if (layout == BitmapPixelLayout::Bits4) {
        palette = Standard16Palette();
    } else if (layout == BitmapPixelLayout::Bits8) {
        halftone.handle = palette = gdi::CreateHalftonePalette(nullptr);
    } else if (layout == BitmapPixelLayout::Bits16) {
        bi.biCompression = gdi::BI_BITFIELDS;
        DefaultMasks(header);
    }
    RebuildImage(handle, palette, header);
    PaletteChanged = palette != nullptr;
    NotifyChanged();
}

void TBitmap::SetHandleKind(BitmapHandleKind kind) {
    if (HandleKind() == kind) return;
    if (IsEmpty()) {
        // Remembered for the next sizing.
        image_->Dib.dsBmih.biSize = kind == BitmapHandleKind::DeviceBitmap ? 0 : kInfoHeaderSize;
        return;
    }
    ReleaseCanvasContext();
    EnsureHandle();
    EnsurePalette();
    const bool shared = image_->RefCount() > 1;
    if (kind == BitmapHandleKind::DeviceBitmap) {
        gdi::DIBSECTION header = image_->Dib;
        header.dsBmih.biSize = 0;
        header.dsBm.bmBits = nullptr;
        const gdi::HPALETTE palette = image_->PaletteHandle;
        if (!shared) {
            // The section stays beside the new handle as the DIB copy of the same record.
            image_->Handle = MakeBitmapCopy(image_->DibHandle, palette, palette, header, nullptr);
        } else {
            OwnedPalette copy(SharePalette(palette));
            GdiObject<gdi::HBITMAP> made(
                MakeBitmapCopy(image_->DibHandle, palette, copy.Get(), header, nullptr));
            InstallImage(made.Get(), copy.Get(), header, image_->CoreFormat, nullptr);
            made.Release();
            copy.Release();
        }
    } else {
        EnsureDib();
        TBitmapImage& image = *image_;
        if (!shared) {
            // The section and the palette move to the new record; the device bitmap goes with the old.
            const gdi::HBITMAP section = image.DibHandle;
            const gdi::HPALETTE palette = image.PaletteHandle;
            const gdi::DIBSECTION header = image.Dib;
            image.DibHandle = nullptr;
            image.PaletteHandle = nullptr;
            InstallImage(section, palette, header, image.CoreFormat, nullptr);
        } else {
            RebuildImage(image.DibHandle, image.PaletteHandle, image.Dib);
        }
    }
    NotifyChanged();
}

void TBitmap::SetIsMonochrome(bool value) {
    if (IsMonochrome() == value) return;
    EnsureHandle();
    gdi::DIBSECTION header = image_->Dib;
    header.dsBmih.biSize = 0;
    const std::uint16_t bits = value ? 1 : 0;
    header.dsBm.bmPlanes = header.dsBm.bmBitsPixel = header.dsBmih.biPlanes = header.dsBmih.biBitCount = bits;
    RebuildImage(image_->Handle, image_->PaletteHandle, header);
    NotifyChanged();
}

void TBitmap::SetPalette(gdi::HPALETTE palette) {
    TBitmapImage& image = *image_;
    if (palette == image.PaletteHandle) return;
    if (!palette && image.RefCount() == 1) {
        ReleaseCanvasContext();
        DeleteOwnedPalette(image.PaletteHandle);
        image.PaletteHandle = nullptr;
        return;
    }
    ReleaseCanvasContext();
    EnsureHandle();
    gdi::DIBSECTION header = image_->Dib;
    header.dsBm.bmBits = nullptr;
    // Without a canvas the new bitmap is filled with all bits set before the copy.
    GdiObject<gdi::HBITMAP> made(
        MakeBitmapCopy(image_->Handle, image_->PaletteHandle, palette, header, nullptr));
    InstallImage(made.Get(), palette, header, image_->CoreFormat, nullptr);
    made.Release();
    PaletteChanged = true;
    NotifyChanged();
}

}  // namespace plexon
