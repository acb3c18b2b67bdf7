// The reference-counted pixel state shared by bitmaps: handles, the image description and the
// file bytes kept for images that are saved back unchanged. No drawing logic here.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "platform/gdi/Types.h"
#include "runtime/Stream.h"

namespace plexon {

class TSharedImage {
  public:
    TSharedImage(const TSharedImage&) = delete;
    TSharedImage& operator=(const TSharedImage&) = delete;

    void Reference() { ++refCount_; }
    // Drops one reference; the last one frees the handles and the record. Null does nothing.
    static void Release(TSharedImage* image);
    std::int32_t RefCount() const { return refCount_; }

  protected:
    TSharedImage() = default;
    virtual ~TSharedImage() = default;
    virtual void FreeHandles() = 0;

  private:
    std::atomic<std::int32_t> refCount_{0};
};

class TBitmapImage final : public TSharedImage {
  public:
    TBitmapImage() = default;

    gdi::HBITMAP Handle = nullptr;      // main bitmap: a DIB section or a device bitmap
    gdi::HBITMAP MaskHandle = nullptr;  // 1-bit transparency mask, 1 where the image is see-through
    gdi::HPALETTE PaletteHandle = nullptr;
    gdi::HBITMAP DibHandle = nullptr;         // the DIB section: Handle itself, a copy beside it, or null
    gdi::DIBSECTION Dib{};                    // dsBmih.biSize 0: no DIB header, device-dependent
    std::unique_ptr<TMemoryStream> KeptData;  // a whole BMP file written back unchanged
    bool CoreFormat = false;
    bool Halftone = false;  // PaletteHandle is a halftone palette for a shallower display

  protected:
    void FreeHandles() override;
    ~TBitmapImage() override;
};

}  // namespace plexon
