// Writing a BMP file from an image record (info or core header form, or the kept file bytes), and
// the size rules shared with the reader.
#include <bit>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "graphics/BitmapImage.h"
#include "graphics/BmpFormat.h"
#include "graphics/Palettes.h"
#include "platform/gdi/Raster.h"

namespace plexon {

static_assert(std::endian::native == std::endian::little, "headers are copied as stored in the file");

namespace {

constexpr int kMaskBytes = 12;

bool HasMasks(const gdi::BITMAPINFOHEADER& h) {
    return h.biBitCount > 8 && (h.biCompression == gdi::BI_RLE8 || h.biCompression == gdi::BI_RLE4 ||
                                h.biCompression == gdi::BI_BITFIELDS);
}

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(std::uint8_t(v >> shift));
}
void PutBytes(std::vector<std::uint8_t>& out, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out.insert(out.end(), bytes, bytes + size);
}

void WriteFileHeader(std::vector<std::uint8_t>& head, const DibSizeInfo& sizes, SizePrefix prefix) {
    if (prefix == SizePrefix::Yes) Put32(head, sizes.totalSize);
    Put16(head, kBmpSignature);
    Put32(head, sizes.totalSize);
    Put16(head, 0);
    Put16(head, 0);
    Put32(head, kFileHeaderSize + sizes.headerSize);
}

// The 12-byte core header and a full table of three-byte entries, as the image was read.
void WriteCoreBmp(TStream& stream, TBitmapImage& image, SizePrefix prefix) {
    const gdi::BITMAPINFOHEADER& h = image.Dib.dsBmih;
    const DibSizeInfo sizes = DibSizes(image.Dib, true);
    std::vector<std::uint8_t> head;
    head.reserve(4 + kFileHeaderSize + sizes.headerSize);
    WriteFileHeader(head, sizes, prefix);
    Put32(head, 12);
    Put16(head, std::uint16_t(h.biWidth));
    Put16(head, std::uint16_t(h.biHeight));
    Put16(head, 1);
    Put16(head, h.biBitCount);
    if (h.biBitCount <= 8) {
        gdi::RGBQUAD colors[256] = {};
        DibColorTable(image.DibHandle, colors);
        for (int i = 0; i < (1 << h.biBitCount); ++i) {
            head.push_back(colors[i].rgbBlue);
            head.push_back(colors[i].rgbGreen);
            head.push_back(colors[i].rgbRed);
        }
    }
    gdi::GdiFlush();
    stream.WriteBuffers(head.data(), std::int64_t(head.size()), image.Dib.dsBm.bmBits, sizes.imageSize);
}

}  // namespace

std::int64_t RowStride(std::int64_t width, int bitCount) {
    return (width * bitCount + 31) / 32 * 4;
}

int DefaultColorCount(int bitCount) {
    switch (bitCount) {
        case 1:
            return 2;
        case 4:
            return 16;
        case 8:
            return 256;
        default:
            return 0;
    }
}

void DefaultMasks(gdi::DIBSECTION& dib) {
    if (dib.dsBmih.biBitCount == 16) {
        dib.dsBitfields[0] = 0xF800;
        dib.dsBitfields[1] = 0x07E0;
        dib.dsBitfields[2] = 0x001F;
    } else if (dib.dsBmih.biBitCount == 32) {
        dib.dsBitfields[0] = 0xFF0000;
        dib.dsBitfields[1] = 0x00FF00;
        dib.dsBitfields[2] = 0x0000FF;
    }
}

DibSizeInfo DibSizes(const gdi::DIBSECTION& dib, bool coreFormat) {
    const gdi::BITMAPINFOHEADER& h = dib.dsBmih;
    DibSizeInfo sizes;
    if (coreFormat) {
        sizes.headerSize = 12 + (h.biBitCount <= 8 ? 3u << h.biBitCount : 0u);
    } else if (h.biBitCount <= 8) {
        sizes.headerSize = 40 + 4 * (h.biClrUsed != 0 ? h.biClrUsed : 1u << h.biBitCount);
    } else {
        sizes.headerSize = HasMasks(h) ? 40 + kMaskBytes : 40;
    }
    sizes.imageSize = h.biSizeImage != 0
                          ? h.biSizeImage
                          : std::uint32_t(RowStride(h.biWidth, h.biBitCount) * std::abs(h.biHeight));
    sizes.totalSize = sizes.imageSize + sizes.headerSize + kFileHeaderSize;
    return sizes;
}

void WriteBmp(TStream& stream, TBitmapImage& image, SizePrefix prefix) {
    if (image.KeptData) {
        const std::uint32_t size = std::uint32_t(image.KeptData->Size());
        if (prefix == SizePrefix::Yes) stream.WriteBuffer(&size, 4);
        stream.WriteBuffer(image.KeptData->Memory(), size);
        return;
    }
    if (!image.DibHandle) {
        const std::uint32_t none = 0;
        if (prefix == SizePrefix::Yes) stream.WriteBuffer(&none, 4);
        return;
    }
    if (image.CoreFormat) {
        WriteCoreBmp(stream, image, prefix);
        return;
    }
    gdi::BITMAPINFOHEADER& h = image.Dib.dsBmih;

    gdi::RGBQUAD colors[256];
    int colorCount = DibColorTable(image.DibHandle, colors);
    if (h.biClrUsed != 0 && std::uint32_t(colorCount) > h.biClrUsed) colorCount = int(h.biClrUsed);
    bool optionalTable = false;
    if (colorCount == 0 && image.PaletteHandle && !image.Halftone) {
        colorCount = ColorTableFromPalette(image.PaletteHandle, colors);
        optionalTable = h.biBitCount > 8;
    }
    if (h.biCompression == gdi::BI_BITFIELDS && image.Dib.dsBitfields[0] == 0) DefaultMasks(image.Dib);
    // The count goes into the header before the sizes are taken, so that the offset of the pixels
    // always matches the table actually written.
    if (colorCount != 0) h.biClrUsed = std::uint32_t(colorCount);

    DibSizeInfo sizes = DibSizes(image.Dib, false);
    if (optionalTable) {
        sizes.headerSize += 4 * std::uint32_t(colorCount);
        sizes.totalSize += 4 * std::uint32_t(colorCount);
    }
    const bool masks = HasMasks(h);
    const std::uint32_t tableEntries = (sizes.headerSize - kInfoHeaderSize - (masks ? kMaskBytes : 0)) / 4;

    std::vector<std::uint8_t> head;
    head.reserve(4 + kFileHeaderSize + sizes.headerSize);
    WriteFileHeader(head, sizes, prefix);
    gdi::BITMAPINFOHEADER written = h;
    written.biSize = kInfoHeaderSize;
    written.biPlanes = 1;
    PutBytes(head, &written, sizeof written);
    if (masks) PutBytes(head, image.Dib.dsBitfields, kMaskBytes);
    // Entries the section could not supply are written as zero, keeping the layout consistent.
    const std::size_t tableStart = head.size();
    head.resize(tableStart + 4 * std::size_t(tableEntries));
    std::memcpy(head.data() + tableStart, colors,
                4 * std::min<std::size_t>(tableEntries, std::size_t(colorCount)));
    gdi::GdiFlush();
    stream.WriteBuffers(head.data(), std::int64_t(head.size()), image.Dib.dsBm.bmBits, sizes.imageSize);
}

}  // namespace plexon
