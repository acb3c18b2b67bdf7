// Helpers for the raster service tests: headers, owned bitmaps selected into contexts, and a simple
// deterministic pixel pattern for odd-sized pictures.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/gdi/Raster.h"

namespace plexon::gdi::test {

inline BITMAPINFO MakeInfo(int width, int height, int bits, std::uint32_t compression = BI_RGB) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = std::uint16_t(bits);
    info.bmiHeader.biCompression = compression;
    return info;
}

inline RGBQUAD Quad(COLORREF c) {
    return RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0};
}

// A memory context holding one bitmap; both are released at the end of the test.
class Canvas {
  public:
    explicit Canvas(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)), bitmap_(bitmap) {
        EXPECT_NE(bitmap_, nullptr);
        previous_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HBITMAP previous_ = nullptr;
};

inline HBITMAP MakeDib(int width, int height, int bits, void** memory = nullptr,
                       const RGBQUAD* colors = nullptr, int colorCount = 0) {
    BITMAPINFO info = MakeInfo(width, height, bits);
    for (int i = 0; i < colorCount; ++i) info.bmiColors[i] = colors[i];
    info.bmiHeader.biClrUsed = std::uint32_t(colorCount);
    void* ignored = nullptr;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, memory ? memory : &ignored, nullptr, 0);
}

// A colour that differs in every channel from pixel to pixel.
inline COLORREF PatternColor(int x, int y) {
    return RGB(std::uint8_t(x * 37 + y * 11), std::uint8_t(x * 5 + y * 53), std::uint8_t(x * 71 + y * 3 + 9));
}

inline void Paint(HDC dc, int width, int height) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) SetPixel(dc, x, y, PatternColor(x, y));
}

}  // namespace plexon::gdi::test
