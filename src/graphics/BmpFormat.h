// The BMP file format: sizes and defaults, reading a file or a DIB body into a new DIB section (or,
// for compressed data, a device bitmap with the file bytes kept), and writing an image record as a
// file. The image swap is the caller's.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "platform/gdi/Types.h"
#include "runtime/Stream.h"

namespace plexon {

class TBitmapImage;

inline constexpr std::uint16_t kBmpSignature = 0x4D42;  // "BM"
inline constexpr int kFileHeaderSize = 14;
inline constexpr int kInfoHeaderSize = 40;
using FileHeaderBytes = std::array<std::uint8_t, kFileHeaderSize>;

// Bytes of one pixel row, padded to 4 bytes; computed wide so absurd headers cannot overflow.
std::int64_t RowStride(std::int64_t width, int bitCount);
// 2, 16 or 256 table entries for 1, 4 or 8 bits per pixel; 0 otherwise.
int DefaultColorCount(int bitCount);
// Fills the three colour masks for 16 (5-6-5) or 32 bits (8-8-8) per pixel.
void DefaultMasks(gdi::DIBSECTION& dib);

struct DibSizeInfo {
    std::uint32_t headerSize = 0;  // info header, masks and colour table
    std::uint32_t imageSize = 0;   // pixel bytes
    std::uint32_t totalSize = 0;   // the whole file, file header included
};
DibSizeInfo DibSizes(const gdi::DIBSECTION& dib, bool coreFormat);

// What a read produced; owns its handles until they are taken over.
struct DibBody {
    DibBody() = default;
    ~DibBody();
    DibBody(DibBody&& other) noexcept;
    DibBody& operator=(DibBody&&) = delete;

    gdi::HBITMAP handle = nullptr;
    gdi::HPALETTE palette = nullptr;
    gdi::DIBSECTION header{};
    bool coreFormat = false;
    std::unique_ptr<TMemoryStream> keptData;
    // Pixel bytes the header promised that the input did not hold (their pixels stay zero).
    std::int64_t missingPixelBytes = 0;
    // Where an uncompressed 32-bit image keeps alpha (its pixels straight, not premultiplied); 0
    // when it has none and is opaque.
    std::uint32_t alphaMask = 0;
};

// Reads a BMP file from the stream's position to its end. An empty rest gives an empty body.
DibBody ReadBmp(TStream& stream);
// Reads header, masks, colour table and count bytes' worth of pixels into a new DIB section, or
// decodes compressed pixels into a device bitmap and keeps the bytes as a whole file. fileHeader is
// the file header that preceded the body, or null when there was none (one is made up then).
DibBody ReadDibBody(TStream& stream, std::int64_t count, const FileHeaderBytes* fileHeader);

enum class SizePrefix { No, Yes };
// Writes the image as one BMP file (the kept file bytes when there are some). The caller has made
// sure of a DIB section; an image without one writes nothing (or a zero size prefix). Fills
// default masks and the written colour count into the image's header.
void WriteBmp(TStream& stream, TBitmapImage& image, SizePrefix prefix);

}  // namespace plexon
