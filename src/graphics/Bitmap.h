// The raster picture: a shared image record, its canvas, resizing, BMP loading and saving, row
// access, handle exchange, pixel-layout conversion and transparency masks.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "graphics/BitmapImage.h"
#include "graphics/Canvas.h"
#include "graphics/Color.h"
#include "graphics/Graphic.h"
#include "platform/gdi/Types.h"

namespace plexon {

class TBitmapCanvas;
class TResourceModule;
struct DibBody;

enum class BitmapHandleKind { DibSection, DeviceBitmap };
enum class BitmapPixelLayout { Device, Bits1, Bits4, Bits8, Bits15, Bits16, Bits24, Bits32, Custom };
enum class BitmapTransparencyMode { Auto, Fixed };

class TBitmap : public TGraphic {
  public:
    TBitmap();
    ~TBitmap() override;

    // From a bitmap: shares its image record; from null: becomes empty; any other kind converts
    // itself (AssignTo).
    void AssignFrom(const TGraphic* source) override;
    std::string_view ClassName() const override { return "TBitmap"; }

    bool IsEmpty() const override;
    std::int32_t Width() const override;
    std::int32_t Height() const override;
    // The current value does nothing; another keeps the old pixels at the top-left and fills the
    // new area with the canvas brush (white by default).
    void SetWidth(std::int32_t value) override;
    void SetHeight(std::int32_t value) override;
    gdi::HPALETTE Palette() override;

    void LoadStream(TStream& stream) override;
    // Pixel bytes the last load found missing from a file shorter than its header says (0 when
    // it was whole); the missing pixels loaded as zero.
    std::int64_t MissingPixelBytes() const { return missingPixelBytes_; }
    // The alpha mask of the 32-bit pixels LoadStream read (DibBody::alphaMask) until they change;
    // 0: opaque.
    std::uint32_t AlphaMask() const { return alphaMask_; }
    void SaveStream(TStream& stream) override;
    // A 32-bit byte count and that many bytes of one BMP file (count 0: no pixels).
    void ReadDataProperty(TStream& stream) override;
    void WriteDataProperty(TStream& stream) override;
    // Takes a copy of the clipboard's bitmap (format 2 only, else EInvalidGraphic "Unsupported
    // clipboard format"); the clipboard keeps its handle and palette.
    void LoadClipboardData(std::uint16_t format, gdi::HBITMAP data, gdi::HPALETTE palette) override;
    // Format 2, a device bitmap copy and a palette copy, both the caller's.
    void SaveClipboardData(std::uint16_t& format, gdi::HBITMAP& data, gdi::HPALETTE& palette) override;
    // Reads the named bitmap resource (a DIB without file header); EResNotFound "Resource %s not
    // found" when the module has none of that name.
    void LoadResource(const TResourceModule& module, std::string_view name);
    // Keeps only the file bytes: no handles, no canvas; the next use of the pixels reads them again.
    void MakeDormant();

    // Created on first use (which makes sure of a main handle) and kept for the bitmap's life.
    TCanvas& Canvas();
    // Releases memory the image does not need; pixels and size stay.
    void FreeDibCopy();

    // The main handle, made if needed; the caller may draw into it.
    gdi::HBITMAP Handle();
    // The bitmap owns handle from now on (null: empty).
    void SetHandle(gdi::HBITMAP handle);
    // Hands the main handle over to the caller; the size is still reported.
    gdi::HBITMAP DetachHandle();

    bool IsMonochrome() const;
    // True: a 1-bit device bitmap; false: a device bitmap of the display's depth. Colours map to 1
    // where they equal the canvas brush colour (white without a canvas).
    void SetIsMonochrome(bool value);
    BitmapHandleKind HandleKind() const;
    // Without pixels only the kind of the next sizing changes (and nothing is notified).
    void SetHandleKind(BitmapHandleKind kind);
    BitmapPixelLayout PixelLayout() const;
    // Converts the pixels; Custom raises EInvalidGraphic "Invalid pixel format".
    void SetPixelLayout(BitmapPixelLayout layout);
    // The bitmap owns the palette from now on; the pixels are mapped onto it.
    void SetPalette(gdi::HPALETTE palette);

    // The transparency mask of MaskColor, rebuilt when stale; owned by the image.
    gdi::HBITMAP MaskHandle();
    // Turns the bitmap itself into the 1-bit mask of the colour (1 where the image has it).
    void MakeMask(TColor color);

    // Address of pixel row `row` (0 = top) in the DIB section; EInvalidGraphicOperation "Scan line
    // index out of range" outside 0 <= row < Height. Valid until the image changes.
    void* RowPointer(std::int32_t row);

    // The colour that transparent drawing leaves out, as a palette-relative colour.
    TColor MaskColor();
    void SetMaskColor(TColor color);
    BitmapTransparencyMode TransparencyMode() const { return transparencyMode_; }

    // Before any drawing and before a handle or row is handed out.
    void NotifyChanging();

    // Read-only view of the image record, for writers and inspection.
    const TBitmapImage& Image() const { return *image_; }

  protected:
    void Render(TCanvas& canvas, const gdi::RECT& r) override;
    void NotifyChanged() override;

  private:
    friend class TBitmapCanvas;

    enum class Dimension { Width, Height };
    void Resize(Dimension which, std::int32_t value);
    void InstallBody(DibBody& body);
    // A palette exists, or can be made from the colour table of the DIB section.
    bool HasPalette() const;
    void ReleaseCanvasContext();
    void EnsureHandle();
    void EnsureDib();
    void EnsurePalette();
    void EnsureMask();
    void RebuildImage(gdi::HBITMAP handle, gdi::HPALETTE palette, gdi::DIBSECTION header);
    void InstallImage(gdi::HBITMAP handle, gdi::HPALETTE palette, const gdi::DIBSECTION& header,
                      bool coreFormat, std::unique_ptr<TMemoryStream> keptData);

    TBitmapImage* image_;
    std::unique_ptr<TBitmapCanvas> canvas_;
    bool ignorePalette_ = false;
    bool maskValid_ = false;      // the image record has a mask made for this bitmap
    bool maskBitsValid_ = false;  // and the pixels have not changed since
    TColor maskColor_ = clDefault;
    BitmapTransparencyMode transparencyMode_ = BitmapTransparencyMode::Auto;
    std::int64_t missingPixelBytes_ = 0;
    std::uint32_t alphaMask_ = 0;
};

}  // namespace plexon
