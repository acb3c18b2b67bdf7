// The version-5 BMP writer: file header, 124-byte info header with masks and the sRGB colour space
// tag, then blue-green-red-alpha pixels.
#include "graphics/AlphaBmp.h"

#include <cstring>
#include <limits>

#include "graphics/BmpFormat.h"
#include "runtime/Exceptions.h"

namespace plexon {

namespace {

constexpr std::uint32_t kBitFields = 3;
constexpr std::uint32_t kSrgbSpace = 0x73524742;  // "sRGB"
constexpr std::uint32_t kIntentImages = 4;

void Put16(std::uint8_t*& p, std::uint16_t v) {
    *p++ = std::uint8_t(v);
    *p++ = std::uint8_t(v >> 8);
}
void Put32(std::uint8_t*& p, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) *p++ = std::uint8_t(v >> shift);
}

}  // namespace

std::vector<std::uint8_t> EncodeAlphaBmp(const RgbaImage& image) {
    const std::uint64_t pixelBytes = std::uint64_t(image.RowBytes()) * std::uint64_t(image.Height());
    const std::uint32_t offBits = kFileHeaderSize + kV5HeaderSize;
    if (pixelBytes > std::numeric_limits<std::uint32_t>::max() - offBits)
        throw EInvalidOperation("The image is too large for a BMP file");
    std::vector<std::uint8_t> file(offBits + pixelBytes);
    std::uint8_t* p = file.data();
    Put16(p, kBmpSignature);
    Put32(p, std::uint32_t(file.size()));
    Put32(p, 0);
    Put32(p, offBits);

    Put32(p, kV5HeaderSize);
    Put32(p, std::uint32_t(image.Width()));
    Put32(p, std::uint32_t(image.Height()));  // positive: bottom row first
    Put16(p, 1);
    Put16(p, 32);
    Put32(p, kBitFields);
    Put32(p, std::uint32_t(pixelBytes));
    Put32(p, 0);  // pixels per metre, as the program's other strips
    Put32(p, 0);
    Put32(p, 0);  // no colour table
    Put32(p, 0);
    Put32(p, 0x00FF0000);
    Put32(p, 0x0000FF00);
    Put32(p, 0x000000FF);
    Put32(p, 0xFF000000);
    Put32(p, kSrgbSpace);
    p += 36 + 12;  // end points and gammas: unused with sRGB
    Put32(p, kIntentImages);
    p += 12;  // no profile, reserved

    for (std::int32_t y = image.Height() - 1; y >= 0; --y) {
        const std::uint8_t* source = image.Row(y);
        for (std::int32_t x = 0; x < image.Width(); ++x, source += 4) {
            *p++ = source[2];
            *p++ = source[1];
            *p++ = source[0];
            *p++ = source[3];
        }
    }
    return file;
}

}  // namespace plexon
