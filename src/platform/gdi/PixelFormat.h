// Pixel formats of bitmaps and caller buffers, and reading, writing and converting single pixels.
// Whole-row work lives in RowConvert; this file knows nothing of contexts or raster operations.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>

#include "platform/gdi/Types.h"

namespace plexon::gdi::detail {

// The pixel memory limit: larger bitmaps are refused before anything is allocated.
constexpr std::uint64_t kMaxPixelBytes = 256ull << 20;

enum class FormatKind : std::uint8_t {
    Indexed,  // 1, 4 or 8 bits: an index into the colour table
    Masked,   // 16 or 32 bits: red, green and blue under bit masks
    Bgr24,    // 24 bits: blue, green, red bytes
};

// A 1-bit device bitmap follows the text / background colour rules in block transfers; a 1-bit DIB
// section is an ordinary palette image.
enum class MonoDevice : bool { No, Yes };

struct ChannelMask {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;  // mask >> shift
};

struct PixelFormat {
    int bits = 32;
    FormatKind kind = FormatKind::Masked;
    MonoDevice mono = MonoDevice::No;
    const RGBQUAD* colors = nullptr;  // Indexed: the colour table (entries past colorCount read black)
    int colorCount = 0;
    ChannelMask red, green, blue;  // Masked

    bool IsMonoDevice() const { return mono == MonoDevice::Yes; }
    // 32 bits of blue, green, red and a spare byte: the display's own layout.
    bool IsBgrx32() const {
        return kind == FormatKind::Masked && bits == 32 && red.mask == 0xFF0000 && green.mask == 0xFF00 &&
               blue.mask == 0xFF;
    }
};

ChannelMask MakeChannelMask(std::uint32_t mask);
// True for a non-empty run of contiguous bits that fits into the given bit count.
bool IsContiguousMask(std::uint32_t mask, int bits);

PixelFormat IndexedFormat(int bits, const RGBQUAD* colors, int count, MonoDevice mono = MonoDevice::No);
PixelFormat MaskedFormat(int bits, std::uint32_t red, std::uint32_t green, std::uint32_t blue);
PixelFormat Bgr24Format();
PixelFormat Bgrx32Format();
PixelFormat MonoDeviceFormat();  // 0 = black, 1 = white

// Bytes of one row padded to a multiple of `alignBits` bits (32 for DIBs, 16 for device bitmaps).
constexpr std::uint64_t RowBytes(std::int64_t width, int bits, int alignBits) {
    return std::uint64_t((width * bits + alignBits - 1) / alignBits) * std::uint64_t(alignBits / 8);
}

// A rectangle of pixels in memory: row 0 is the top row, wherever it is stored.
struct Surface {
    PixelFormat format;
    int width = 0;
    int height = 0;
    std::uint8_t* top = nullptr;
    std::ptrdiff_t pitch = 0;  // negative for bottom-up storage

    std::uint8_t* Row(int y) const {
        assert(y >= 0 && y < height);
        return top + std::ptrdiff_t(y) * pitch;
    }
};

// Bottom-up storage puts the top row last; `bytes` is the stride (positive).
Surface MakeSurface(const PixelFormat& format, int width, int height, std::uint8_t* memory,
                    std::size_t stride, bool bottomUp);

inline std::uint32_t ReadPixel(const std::uint8_t* row, int x, int bits) {
    switch (bits) {
        case 1:
            return (row[x >> 3] >> (7 - (x & 7))) & 1u;
        case 4:
            return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xFu;
        case 8:
            return row[x];
        case 16:
            return std::uint32_t(row[2 * x]) | (std::uint32_t(row[2 * x + 1]) << 8);
        case 24: {
            const std::uint8_t* p = row + 3 * x;
            return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16);
        }
        default: {
            const std::uint8_t* p = row + 4 * x;
            return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
                   (std::uint32_t(p[3]) << 24);
        }
    }
}

inline void WritePixel(std::uint8_t* row, int x, int bits, std::uint32_t value) {
    switch (bits) {
        case 1: {
            const int shift = 7 - (x & 7);
            row[x >> 3] = std::uint8_t((row[x >> 3] & ~(1u << shift)) | ((value & 1u) << shift));
            break;
        }
        case 4: {
            const int shift = (x & 1) ? 0 : 4;
            row[x >> 1] = std::uint8_t((row[x >> 1] & ~(0xFu << shift)) | ((value & 0xFu) << shift));
            break;
        }
        case 8:
            row[x] = std::uint8_t(value);
            break;
        case 16:
            row[2 * x] = std::uint8_t(value);
            row[2 * x + 1] = std::uint8_t(value >> 8);
            break;
        case 24:
            row[3 * x] = std::uint8_t(value);
            row[3 * x + 1] = std::uint8_t(value >> 8);
            row[3 * x + 2] = std::uint8_t(value >> 16);
            break;
        default:
            row[4 * x] = std::uint8_t(value);
            row[4 * x + 1] = std::uint8_t(value >> 8);
            row[4 * x + 2] = std::uint8_t(value >> 16);
            row[4 * x + 3] = std::uint8_t(value >> 24);
            break;
    }
}

// The plain RGB colour (0x00BBGGRR) of a pixel value. An index past the colour table reads black.
COLORREF DecodePixel(const PixelFormat& format, std::uint32_t value);
// The pixel value that shows an RGB colour best: packed channels, or the nearest table entry.
std::uint32_t EncodeColor(const PixelFormat& format, COLORREF rgb);
// Pixel value with every bit of the pixel set (WHITENESS).
constexpr std::uint32_t AllBits(int bits) {
    return bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1u;
}

}  // namespace plexon::gdi::detail
