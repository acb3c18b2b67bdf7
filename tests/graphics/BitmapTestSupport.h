// Helpers for bitmap tests: BMP files built in code and pixel readers (the scratch folder is the
// shared one of the platform tests).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "graphics/Bitmap.h"
#include "graphics/BmpFormat.h"
#include "platform/gdi/Raster.h"
#include "runtime/Stream.h"
#include "support/TempFolder.h"

namespace plexon::test {

// The parts of a BMP file; Bytes() lays them out one after the other as the reader expects.
struct BmpFile {
    gdi::BITMAPINFOHEADER header;
    std::vector<std::uint8_t> extraHeader;  // bytes of a header longer than 40
    std::vector<std::uint32_t> masks;       // written right after the 40-byte header
    std::vector<gdi::RGBQUAD> table;
    std::vector<std::uint8_t> pixels;

    std::vector<std::uint8_t> Bytes() const {
        std::vector<std::uint8_t> out(14);
        gdi::BITMAPINFOHEADER h = header;
        h.biSize = std::uint32_t(40 + extraHeader.size());
        const std::uint32_t offBits = std::uint32_t(14 + h.biSize + 4 * masks.size() + 4 * table.size());
        const std::uint32_t total = offBits + std::uint32_t(pixels.size());
        out[0] = 'B';
        out[1] = 'M';
        std::memcpy(&out[2], &total, 4);
        std::memcpy(&out[10], &offBits, 4);
        Append(out, &h, 40);
        Append(out, extraHeader.data(), extraHeader.size());
        Append(out, masks.data(), 4 * masks.size());
        Append(out, table.data(), 4 * table.size());
        Append(out, pixels.data(), pixels.size());
        return out;
    }

    static void Append(std::vector<std::uint8_t>& out, const void* data, std::size_t size) {
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        out.insert(out.end(), bytes, bytes + size);
    }
};

// An uncompressed image of the given size and depth with varied pixels (row padding zero) and,
// for palette depths, a full table of distinct colours.
inline BmpFile MakeImage(std::int32_t width, std::int32_t height, int bits, std::uint32_t seed = 1) {
    BmpFile file;
    file.header.biWidth = width;
    file.header.biHeight = height;
    file.header.biPlanes = 1;
    file.header.biBitCount = std::uint16_t(bits);
    const std::size_t stride = std::size_t(RowStride(width, bits));
    const std::size_t rows = std::size_t(height < 0 ? -height : height);
    file.header.biSizeImage = std::uint32_t(stride * rows);
    file.pixels.assign(stride * rows, 0);
    std::uint32_t state = seed * 2654435761u + 12345u;
    const std::size_t used = (std::size_t(width) * bits + 7) / 8;
    for (std::size_t y = 0; y < rows; ++y) {
        for (std::size_t i = 0; i < used; ++i) {
            state = state * 1103515245u + 12345u;
            file.pixels[y * stride + i] = std::uint8_t(state >> 16);
        }
        // Bits past the last pixel of a row are padding too.
        const std::size_t tailBits = used * 8 - std::size_t(width) * bits;
        if (tailBits) file.pixels[y * stride + used - 1] &= std::uint8_t(0xFF << tailBits);
    }
    if (bits == 32) {
        for (std::size_t i = 3; i < file.pixels.size(); i += 4) file.pixels[i] = 0;
    }
    if (bits <= 8) {
        for (int i = 0; i < (1 << bits); ++i) {
            file.table.push_back({std::uint8_t(i * 37), std::uint8_t(255 - i), std::uint8_t(i * 11 + 3), 0});
        }
    }
    return file;
}

inline void LoadBytes(TBitmap& bitmap, const std::vector<std::uint8_t>& bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    stream.SetPosition(0);
    bitmap.LoadStream(stream);
}

inline std::vector<std::uint8_t> SaveBytes(TBitmap& bitmap) {
    TMemoryStream stream;
    bitmap.SaveStream(stream);
    return {stream.Memory(), stream.Memory() + stream.Size()};
}

inline std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    std::uint32_t v;
    std::memcpy(&v, &bytes.at(offset + 3) - 3, 4);
    return v;
}
inline std::int32_t I32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return std::int32_t(U32At(bytes, offset));
}
inline std::uint16_t U16At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    return std::uint16_t(bytes.at(offset) | (bytes.at(offset + 1) << 8));
}

// Every pixel as 0x00RRGGBB, top row first, converted by the platform without touching the
// bitmap's state.
inline std::vector<std::uint32_t> RgbPixels(const TBitmap& bitmap) {
    const TBitmapImage& image = bitmap.Image();
    const gdi::HBITMAP handle = image.Handle ? image.Handle : image.DibHandle;
    const int width = bitmap.Width();
    const int height = bitmap.Height();
    std::vector<std::uint32_t> out(std::size_t(width) * std::size_t(height));
    if (!handle || out.empty()) return out;
    gdi::BITMAPINFO info;
    info.bmiHeader.biSize = 40;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    const gdi::HDC dc = gdi::CreateCompatibleDC(nullptr);
    EXPECT_EQ(gdi::GetDIBits(dc, handle, 0, std::uint32_t(height), out.data(), &info, gdi::DIB_RGB_COLORS),
              height);
    gdi::DeleteDC(dc);
    for (auto& p : out) p &= 0xFFFFFF;
    return out;
}

inline std::uint32_t RgbAt(const TBitmap& bitmap, int x, int y) {
    return RgbPixels(bitmap).at(std::size_t(y) * std::size_t(bitmap.Width()) + std::size_t(x));
}

}  // namespace plexon::test
