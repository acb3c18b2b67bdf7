// Pixel format descriptions and single-pixel colour conversion.
#include "platform/gdi/PixelFormat.h"

#include <bit>

#include "platform/gdi/ColorMatch.h"

namespace plexon::gdi::detail {

namespace {

const RGBQUAD kBlackWhite[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};

// Channel value of 0..max scaled to 0..255, rounded.
std::uint32_t Expand(std::uint32_t pixel, const ChannelMask& channel) {
    const std::uint32_t v = (pixel & channel.mask) >> channel.shift;
    if (channel.max == 255) return v;
    return std::uint32_t((std::uint64_t(v) * 255u + channel.max / 2) / channel.max);
}

std::uint32_t Pack(std::uint32_t value, const ChannelMask& channel) {
    if (channel.max == 255) return value << channel.shift;
    const std::uint64_t scaled = (std::uint64_t(value) * channel.max + 127) / 255;
    return std::uint32_t(scaled) << channel.shift;
}

}  // namespace

ChannelMask MakeChannelMask(std::uint32_t mask) {
    ChannelMask channel;
    channel.mask = mask;
    channel.shift = mask ? std::countr_zero(mask) : 0;
    channel.max = mask >> channel.shift;
    return channel;
}

bool IsContiguousMask(std::uint32_t mask, int bits) {
    if (mask == 0) return false;
    if (bits < 32 && (mask >> bits) != 0) return false;
    const std::uint32_t shifted = mask >> std::countr_zero(mask);
    return (shifted & (shifted + 1)) == 0;
}

PixelFormat IndexedFormat(int bits, const RGBQUAD* colors, int count, MonoDevice mono) {
    PixelFormat format;
    format.bits = bits;
    format.kind = FormatKind::Indexed;
    format.mono = mono;
    format.colors = colors;
    format.colorCount = count;
    return format;
}

PixelFormat MaskedFormat(int bits, std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    PixelFormat format;
    format.bits = bits;
    format.kind = FormatKind::Masked;
    format.red = MakeChannelMask(red);
    format.green = MakeChannelMask(green);
    format.blue = MakeChannelMask(blue);
    return format;
}

PixelFormat Bgr24Format() {
    PixelFormat format;
    format.bits = 24;
    format.kind = FormatKind::Bgr24;
    return format;
}

PixelFormat Bgrx32Format() {
    return MaskedFormat(32, 0xFF0000, 0xFF00, 0xFF);
}

PixelFormat MonoDeviceFormat() {
    return IndexedFormat(1, kBlackWhite, 2, MonoDevice::Yes);
}

Surface MakeSurface(const PixelFormat& format, int width, int height, std::uint8_t* memory,
                    std::size_t stride, bool bottomUp) {
    Surface surface;
    surface.format = format;
    surface.width = width;
    surface.height = height;
    if (bottomUp && height > 0) {
        surface.top = memory + std::size_t(height - 1) * stride;
        surface.pitch = -std::ptrdiff_t(stride);
    } else {
        surface.top = memory;
        surface.pitch = std::ptrdiff_t(stride);
    }
    return surface;
}

COLORREF DecodePixel(const PixelFormat& format, std::uint32_t value) {
    switch (format.kind) {
        case FormatKind::Indexed: {
            if (int(value) >= format.colorCount) return 0;
            const RGBQUAD& c = format.colors[value];
            return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
        }
        case FormatKind::Bgr24:
            return RGB(std::uint8_t(value >> 16), std::uint8_t(value >> 8), std::uint8_t(value));
        case FormatKind::Masked:
            break;
    }
    return RGB(std::uint8_t(Expand(value, format.red)), std::uint8_t(Expand(value, format.green)),
               std::uint8_t(Expand(value, format.blue)));
}

std::uint32_t EncodeColor(const PixelFormat& format, COLORREF rgb) {
    switch (format.kind) {
        case FormatKind::Indexed:
            return std::uint32_t(NearestIndex(format.colors, format.colorCount, rgb));
        case FormatKind::Bgr24:
            return (std::uint32_t(GetRValue(rgb)) << 16) | (std::uint32_t(GetGValue(rgb)) << 8) |
                   GetBValue(rgb);
        case FormatKind::Masked:
            break;
    }
    return Pack(GetRValue(rgb), format.red) | Pack(GetGValue(rgb), format.green) |
           Pack(GetBValue(rgb), format.blue);
}

}  // namespace plexon::gdi::detail
