// Bitmap to RGBA through the platform's conversion to 32-bit rows, and RGBA to a new DIB section.
#include "graphics/BitmapRgba.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <vector>

#include "graphics/Bitmap.h"
#include "graphics/GdiSupport.h"
#include "platform/gdi/Raster.h"
#include "runtime/Exceptions.h"

namespace plexon {

namespace {

gdi::BITMAPINFO TopDown32(std::int32_t width, std::int32_t height) {
    gdi::BITMAPINFO info;
    info.bmiHeader.biSize = 40;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    return info;
}

// The section's alpha bits widened to 0..255, rows in the section's order.
void CopyAlpha(RgbaImage& image, const gdi::DIBSECTION& dib, std::uint32_t mask) {
    const int shift = std::countr_zero(mask);
    const std::uint64_t most = mask >> shift;
    const bool bottomUp = dib.dsBmih.biHeight > 0;
    for (std::int32_t y = 0; y < image.Height(); ++y) {
        const auto* in = static_cast<const std::uint8_t*>(dib.dsBm.bmBits) +
                         std::ptrdiff_t(bottomUp ? image.Height() - 1 - y : y) * dib.dsBm.bmWidthBytes;
        std::uint8_t* out = image.Row(y);
        for (std::int32_t x = 0; x < image.Width(); ++x, in += 4) {
            const std::uint32_t value = std::uint32_t(in[0]) | std::uint32_t(in[1]) << 8 |
                                        std::uint32_t(in[2]) << 16 | std::uint32_t(in[3]) << 24;
            out[4 * x + 3] = std::uint8_t((std::uint64_t((value & mask) >> shift) * 255 + most / 2) / most);
        }
    }
}

}  // namespace

RgbaImage RgbaFromBitmap(const TBitmap& bitmap) {
    const TBitmapImage& record = bitmap.Image();
    const gdi::HBITMAP handle = record.Handle ? record.Handle : record.DibHandle;
    if (!handle || bitmap.Width() == 0 || bitmap.Height() == 0) return {};
    RgbaImage image(bitmap.Width(), bitmap.Height(), kTransparent);
    gdi::BITMAPINFO info = TopDown32(image.Width(), image.Height());
    ScopedMemoryDc context;
    if (gdi::GetDIBits(context.Get(), handle, 0, std::uint32_t(image.Height()), image.Row(0), &info,
                       gdi::DIB_RGB_COLORS) != image.Height())
        throw EOutOfResources(std::string(msg::kOutOfResources));
    // Blue, green, red, spare: swap to red first and make every pixel opaque.
    std::uint8_t* p = image.Row(0);
    for (std::size_t i = 0; i < image.Bytes().size(); i += 4) {
        std::swap(p[i], p[i + 2]);
        p[i + 3] = 255;
    }
    const gdi::DIBSECTION& dib = record.Dib;
    if (bitmap.AlphaMask() != 0 && dib.dsBm.bmBits && dib.dsBm.bmBitsPixel == 32)
        CopyAlpha(image, dib, bitmap.AlphaMask());
    return image;
}

void SetBitmapPixels(TBitmap& bitmap, const RgbaImage& image) {
    if (image.IsEmpty()) {
        bitmap.SetHandle(nullptr);
        return;
    }
    const gdi::BITMAPINFO info = TopDown32(image.Width(), image.Height());
    void* bits = nullptr;
    const gdi::HBITMAP section =
        GdiCheck(gdi::CreateDIBSection(nullptr, &info, gdi::DIB_RGB_COLORS, &bits, nullptr, 0));
    auto* out = static_cast<std::uint8_t*>(bits);
    const std::uint8_t* in = image.Row(0);
    for (std::size_t i = 0; i < image.Bytes().size(); i += 4) {
        out[i] = in[i + 2];
        out[i + 1] = in[i + 1];
        out[i + 2] = in[i];
        out[i + 3] = 0;
    }
    bitmap.SetHandle(section);
}

void SetBitmapPixelsMasked(TBitmap& bitmap, const RgbaImage& image) {
    constexpr std::uint8_t kHalf = 128;
    std::vector<std::uint32_t> shown;
    bool hidden = false;
    const std::uint8_t* in = image.Bytes().data();
    for (std::size_t i = 0; i < image.Bytes().size(); i += 4) {
        if (in[i + 3] < kHalf)
            hidden = true;
        else
            shown.push_back(std::uint32_t(in[i]) << 16 | std::uint32_t(in[i + 1]) << 8 | in[i + 2]);
    }
    std::sort(shown.begin(), shown.end());
    shown.erase(std::unique(shown.begin(), shown.end()), shown.end());
    // A picture that shows every colour has none left for the mask.
    if (!hidden || shown.size() == std::size_t(1) << 24) return SetBitmapPixels(bitmap, image);
    std::uint32_t key = 0xFF00FF;  // magenta first, the usual key
    while (std::binary_search(shown.begin(), shown.end(), key)) key = (key + 1) & 0xFFFFFF;
    RgbaImage keyed = image;
    std::uint8_t* out = keyed.Row(0);
    for (std::size_t i = 0; i < keyed.Bytes().size(); i += 4)
        if (out[i + 3] < kHalf) {
            out[i] = std::uint8_t(key >> 16);
            out[i + 1] = std::uint8_t(key >> 8);
            out[i + 2] = std::uint8_t(key);
        }
    SetBitmapPixels(bitmap, keyed);
    bitmap.SetMaskColor(TColor(gdi::RGB(std::uint8_t(key >> 16), std::uint8_t(key >> 8), std::uint8_t(key))));
    bitmap.SetIsTransparent(true);
}

}  // namespace plexon
