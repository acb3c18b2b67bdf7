// The bitmap: image record swaps, resizing, loading and saving, handle exchange, row access and
// drawing into another canvas. Format conversions and masks have files of their own.
#include "graphics/Bitmap.h"

#include <cstdlib>
#include <mutex>
#include <string>

#include "graphics/BitmapCanvas.h"
#include "graphics/BitmapCopy.h"
#include "graphics/BmpFormat.h"
#include "graphics/GdiSupport.h"
#include "graphics/Masks.h"
#include "graphics/Palettes.h"
#include "platform/gdi/Raster.h"
#include "runtime/Exceptions.h"
#include "runtime/ScopeExit.h"

namespace plexon {

namespace {

// Held while a bitmap drops its image record and stores another.
std::mutex& ImageSwapLock() {
    static std::mutex lock;
    return lock;
}

}  // namespace

TBitmap::TBitmap() : image_(new TBitmapImage) {
    image_->Reference();
}

TBitmap::~TBitmap() {
    canvas_.reset();
    TSharedImage::Release(image_);
}

void TBitmap::AssignFrom(const TGraphic* source) {
    if (source == this) return;
    ReleaseCanvasContext();
    if (!source) {
        InstallImage(nullptr, nullptr, gdi::DIBSECTION{}, false, nullptr);
    } else if (const auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
        bitmap->image_->Reference();
        {
            std::lock_guard<std::mutex> guard(ImageSwapLock());
            TSharedImage::Release(image_);
            image_ = bitmap->image_;
        }
        ignorePalette_ = false;
        isTransparent_ = bitmap->isTransparent_;
        maskColor_ = bitmap->maskColor_;
        transparencyMode_ = bitmap->transparencyMode_;
    } else {
        source->AssignTo(*this);
        return;
    }
    PaletteChanged = HasPalette();
    NotifyChanged();
}

bool TBitmap::IsEmpty() const {
    return !image_->Handle && !image_->DibHandle && !image_->KeptData;
}

std::int32_t TBitmap::Width() const {
    return image_->Dib.dsBm.bmWidth;
}

std::int32_t TBitmap::Height() const {
    return std::abs(image_->Dib.dsBm.bmHeight);
}

void TBitmap::SetWidth(std::int32_t value) {
    Resize(Dimension::Width, value);
}

void TBitmap::SetHeight(std::int32_t value) {
    Resize(Dimension::Height, value);
}

void TBitmap::Resize(Dimension which, std::int32_t value) {
    if ((which == Dimension::Width ? Width() : Height()) == value) return;
    EnsureHandle();
    gdi::DIBSECTION header = image_->Dib;
    if (which == Dimension::Width) {
        header.dsBm.bmWidth = header.dsBmih.biWidth = value;
    } else {
        header.dsBm.bmHeight = header.dsBmih.biHeight = value;
    }
    RebuildImage(image_->Handle, image_->PaletteHandle, header);
    NotifyChanged();
}

gdi::HPALETTE TBitmap::Palette() {
    EnsurePalette();
    return image_->PaletteHandle;
}

void TBitmap::LoadStream(TStream& stream) {
    ReleaseCanvasContext();
    missingPixelBytes_ = 0;
    DibBody body = ReadBmp(stream);
    missingPixelBytes_ = body.missingPixelBytes;
    InstallBody(body);
    alphaMask_ = body.alphaMask;
}

void TBitmap::InstallBody(DibBody& body) {
    InstallImage(body.handle, body.palette, body.header, body.coreFormat, std::move(body.keptData));
    body.handle = nullptr;
    body.palette = nullptr;
    PaletteChanged = HasPalette();
    NotifyChanged();
}

void TBitmap::SaveStream(TStream& stream) {
    if (!image_->KeptData) EnsureDib();
    WriteBmp(stream, *image_, SizePrefix::No);
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_) {
        EnsureHandle();
        canvas_ = std::make_unique<TBitmapCanvas>(*this);
    }
    return *canvas_;
}

void TBitmap::FreeDibCopy() {
    if (image_->RefCount() > 1) {
        EnsureHandle();
        RebuildImage(image_->Handle, image_->Halftone ? nullptr : image_->PaletteHandle, image_->Dib);
    } else if (image_->Handle && image_->DibHandle && image_->Handle != image_->DibHandle) {
        DeselectBitmapFromCanvases(image_->DibHandle);
        if (!gdi::DeleteObject(image_->DibHandle)) RaiseGdiError();
        image_->DibHandle = nullptr;
        image_->Dib.dsBm.bmBits = nullptr;
    }
}

gdi::HBITMAP TBitmap::Handle() {
    ReleaseCanvasContext();
    EnsureHandle();
    NotifyChanging();
    return image_->Handle;
}

void TBitmap::SetHandle(gdi::HBITMAP handle) {
    if (handle == image_->Handle) return;
    ReleaseCanvasContext();
    gdi::DIBSECTION header{};
    if (handle && gdi::GetObject(handle, sizeof header, &header) < gdi::kBitmapObjectSize) {
        throw EInvalidGraphic(std::string(msg::kInvalidBitmap));
    }
    gdi::HPALETTE palette = image_->PaletteHandle;
    if (image_->RefCount() > 1) {
        palette = SharePalette(palette);
    } else {
        image_->PaletteHandle = nullptr;  // moves to the new record
    }
    InstallImage(handle, palette, header, false, nullptr);
    NotifyChanged();
}

gdi::HBITMAP TBitmap::DetachHandle() {
    EnsureHandle();
    NotifyChanging();
    ReleaseCanvasContext();
    const gdi::HBITMAP handle = image_->Handle;
    if (handle && handle == image_->DibHandle) {
        image_->DibHandle = nullptr;
        image_->Dib.dsBm.bmBits = nullptr;
    }
    image_->Handle = nullptr;
    return handle;
}

bool TBitmap::IsMonochrome() const {
    return image_->Dib.dsBm.bmPlanes == 1 && image_->Dib.dsBm.bmBitsPixel == 1;
}

BitmapHandleKind TBitmap::HandleKind() const {
    const TBitmapImage& image = *image_;
    if ((image.Handle && image.Handle != image.DibHandle) ||
        (!image.DibHandle && image.Dib.dsBmih.biSize == 0)) {
        return BitmapHandleKind::DeviceBitmap;
    }
    return BitmapHandleKind::DibSection;
}

BitmapPixelLayout TBitmap::PixelLayout() const {
    if (HandleKind() == BitmapHandleKind::DeviceBitmap) return BitmapPixelLayout::Device;
    const gdi::BITMAPINFOHEADER& h = image_->Dib.dsBmih;
    switch (h.biBitCount) {
        case 1:
            return BitmapPixelLayout::Bits1;
        case 4:
            return BitmapPixelLayout::Bits4;
        case 8:
            return BitmapPixelLayout::Bits8;
        case 16:
            if (h.biCompression == gdi::BI_RGB) return BitmapPixelLayout::Bits15;
            if (h.biCompression == gdi::BI_BITFIELDS && image_->Dib.dsBitfields[1] == 0x07E0) {
                return BitmapPixelLayout::Bits16;
            }
            return BitmapPixelLayout::Custom;
        case 24:
            return BitmapPixelLayout::Bits24;
        case 32:
            return h.biCompression == gdi::BI_RGB ? BitmapPixelLayout::Bits32 : BitmapPixelLayout::Custom;
        default:
            return BitmapPixelLayout::Custom;
    }
}

void* TBitmap::RowPointer(std::int32_t row) {
    EnsureHandle();
    NotifyChanging();
    if (row < 0 || row >= Height()) throw EInvalidGraphicOperation(std::string(msg::kScanLineRange));
    EnsureDib();
    TBitmapImage& image = *image_;
    // A bitmap with a height but no width has no rows.
    if (!image.DibHandle) throw EInvalidGraphicOperation(std::string(msg::kScanLineRange));
    if (image.Handle != image.DibHandle) {
        // Rows written into a copy beside a device bitmap would be lost at the next change; the
        // section becomes the image instead.
        ReleaseCanvasContext();
        DeselectBitmapFromCanvases(image.Handle);
        gdi::DeleteObject(image.Handle);
        image.Handle = image.DibHandle;
    }
    gdi::GdiFlush();
    const gdi::BITMAPINFOHEADER& h = image.Dib.dsBmih;
    const std::int64_t mapped = h.biHeight > 0 ? h.biHeight - row - 1 : row;
    return static_cast<std::uint8_t*>(image.Dib.dsBm.bmBits) + mapped * RowStride(h.biWidth, h.biBitCount);
}

TColor TBitmap::MaskColor() {
    constexpr std::uint32_t kPaletteRelative = 0x02000000;
    if (maskColor_ != clDefault) return TColor(ResolveColor(maskColor_) | kPaletteRelative);
    if (IsMonochrome()) return TColor(0x02FFFFFF);
    return TColor(Canvas().Pixels(0, Height() - 1) | kPaletteRelative);
}

void TBitmap::SetMaskColor(TColor color) {
    if (color == maskColor_) return;
    transparencyMode_ = color == clDefault ? BitmapTransparencyMode::Auto : BitmapTransparencyMode::Fixed;
    maskColor_ = color;
    if (image_->RefCount() > 1) FreeDibCopy();
    NotifyChanged();
}

bool TBitmap::HasPalette() const {
    return image_->PaletteHandle || (image_->DibHandle && image_->Dib.dsBmih.biBitCount <= 8);
}

void TBitmap::NotifyChanged() {
    maskBitsValid_ = false;
    alphaMask_ = 0;  // the pixels are no longer the ones the load read
    TGraphic::NotifyChanged();
}

void TBitmap::NotifyChanging() {
    FreeDibCopy();
    image_->Dib.dsBmih.biClrUsed = 0;
    image_->Dib.dsBmih.biClrImportant = 0;
    image_->KeptData.reset();
}

void TBitmap::Render(TCanvas& canvas, const gdi::RECT& r) {
    const gdi::HDC dc = canvas.Handle();
    EnsurePalette();
    const gdi::HPALETTE palette = image_->PaletteHandle;
    const gdi::HPALETTE oldPalette = palette ? gdi::SelectPalette(dc, palette, 1) : nullptr;
    if (palette) gdi::RealizePalette(dc);

    const int targetBits = gdi::GetDeviceCaps(dc, gdi::BITSPIXEL) * gdi::GetDeviceCaps(dc, gdi::PLANES);
    const int ownBits = image_->Dib.dsBm.bmBitsPixel * image_->Dib.dsBm.bmPlanes;
    if (targetBits <= 8 && targetBits < ownBits) {
        gdi::POINT origin;
        gdi::GetBrushOrgEx(dc, &origin);
        gdi::SetStretchBltMode(dc, gdi::HALFTONE);
        gdi::SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
    } else if (!IsMonochrome()) {
        gdi::SetStretchBltMode(dc, gdi::COLORONCOLOR);
    }

    if (IsTransparent()) {
        EnsureMask();
        ScopedMemoryDc mask;
        mask.Select(image_->MaskHandle);
        TCanvas& source = Canvas();
        const TCanvasLock locked(source);
        MaskedStretchCopy(dc, r, source.Handle(), {0, 0, Width(), Height()}, mask.Get(), {0, 0});
    } else {
        TCanvas& source = Canvas();
        const TCanvasLock locked(source);
        gdi::StretchBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, source.Handle(), 0, 0, Width(),
                        Height(), canvas.CopyMode());
    }
    if (palette) gdi::SelectPalette(dc, oldPalette, 1);
}

void TBitmap::ReleaseCanvasContext() {
    if (canvas_) canvas_->FreeContext();
}

void TBitmap::EnsureHandle() {
    TBitmapImage& image = *image_;
    if (!image.Handle && !image.DibHandle && image.KeptData) {
        // Loading the kept bytes again is no change to report.
        TNotifyEvent handler = std::move(ChangeHandler);
        ChangeHandler = nullptr;
        const ScopeExit restore([this, &handler] { ChangeHandler = std::move(handler); });
        image.KeptData->SetPosition(0);
        LoadStream(*image.KeptData);
    }
    if (!image_->Handle) image_->Handle = image_->DibHandle;
}

void TBitmap::EnsureDib() {
    EnsureHandle();
    TBitmapImage& image = *image_;
    if (!image.Handle || image.DibHandle) return;
    gdi::DIBSECTION header = image.Dib;
    gdi::BITMAPINFOHEADER& bi = header.dsBmih;
    if (bi.biSize == 0) {
        bi.biSize = kInfoHeaderSize;
        bi.biWidth = header.dsBm.bmWidth;
        bi.biHeight = header.dsBm.bmHeight;
        bi.biPlanes = 1;
        bi.biBitCount = std::uint16_t(header.dsBm.bmBitsPixel * header.dsBm.bmPlanes);
    }
    image.DibHandle = MakeBitmapCopy(image.Handle, image.PaletteHandle, image.PaletteHandle, header, nullptr);
    image.Dib = header;
}

void TBitmap::EnsurePalette() {
    TBitmapImage& image = *image_;
    if (ignorePalette_ || image.PaletteHandle || !image.DibHandle) return;
    gdi::HPALETTE palette = PaletteFromColorTable(image.DibHandle);
    if (!palette && (image.Halftone || DisplayBitsPerPixel() < image.Dib.dsBmih.biBitCount)) {
        palette = gdi::CreateHalftonePalette(nullptr);
        image.Halftone = palette != nullptr;
    }
    if (palette) {
        image.PaletteHandle = palette;
    } else {
        ignorePalette_ = true;
    }
}

void TBitmap::RebuildImage(gdi::HBITMAP handle, gdi::HPALETTE palette, gdi::DIBSECTION header) {
    ReleaseCanvasContext();
    header.dsBm.bmBits = nullptr;  // describes the wanted bitmap, not the old pixels
    OwnedPalette copy(SharePalette(palette));
    GdiObject<gdi::HBITMAP> made(MakeBitmapCopy(handle, palette, copy.Get(), header, canvas_.get()));
    InstallImage(made.Get(), copy.Get(), header, image_->CoreFormat, nullptr);
    made.Release();
    copy.Release();
}

void TBitmap::InstallImage(gdi::HBITMAP handle, gdi::HPALETTE palette, const gdi::DIBSECTION& header,
                           bool coreFormat, std::unique_ptr<TMemoryStream> keptData) {
    auto* fresh = new TBitmapImage;
    fresh->Handle = handle;
    fresh->PaletteHandle = palette;
    fresh->Dib = header;
    fresh->CoreFormat = coreFormat;
    fresh->KeptData = std::move(keptData);
    if (header.dsBm.bmBits) fresh->DibHandle = handle;
    fresh->Reference();
    {
        std::lock_guard<std::mutex> guard(ImageSwapLock());
        TSharedImage::Release(image_);
        image_ = fresh;
    }
    ignorePalette_ = false;
    maskValid_ = false;
}

}  // namespace plexon
