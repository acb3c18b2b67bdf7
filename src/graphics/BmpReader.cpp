// Reading a BMP file or a DIB body: core, short and long headers, masks, colour tables, and the pixel
// rows straight into a new DIB section; compressed pixels are kept as file bytes and decoded.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "graphics/BmpFormat.h"
#include "graphics/GdiSupport.h"
#include "graphics/Palettes.h"
#include "platform/gdi/DibBitmap.h"
#include "platform/gdi/Raster.h"
#include "runtime/Exceptions.h"

namespace plexon {

namespace {

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kShortestInfoHeader = 16;
constexpr int kMaskBytes = 12;
constexpr int kMaxColors = 256;
// A DIB section larger than this is refused before anything is allocated.
constexpr std::int64_t kMaxImageBytes = std::numeric_limits<std::int32_t>::max();

std::uint16_t Le16(const std::uint8_t* p) {
    return std::uint16_t(p[0] | (p[1] << 8));
}
std::uint32_t Le32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

// The user sees one message; PLEXON_DEBUG=1 also says which field was wrong.
[[noreturn]] void Refuse(const char* why) {
    if (const char* debug = std::getenv("PLEXON_DEBUG"); debug && *debug == '1') {
        std::fprintf(stderr, "bmp: %s\n", why);
    }
    throw EInvalidGraphic(std::string(msg::kInvalidBitmap));
}

[[noreturn]] void RaiseReadError() {
    throw EReadError(std::string(msg::kReadError));
}

// A checked read that also stays inside the byte count the caller gave.
void ReadCounted(TStream& stream, void* buffer, std::int64_t size, std::int64_t& count) {
    if (size > count) RaiseReadError();
    stream.ReadBuffer(buffer, size);
    count -= size;
}

[[noreturn]] void RaiseSectionError() {
    const gdi::DWORD code = gdi::GetLastError();
    if (code == 0) Refuse("the DIB section could not be made");
    throw EOSError(Format(msg::kOSError, {std::to_string(code), gdi::SystemErrorText(code)}));
}

}  // namespace

DibBody::~DibBody() {
    if (handle) gdi::DeleteObject(handle);
    if (palette) gdi::DeleteObject(palette);
}

DibBody::DibBody(DibBody&& other) noexcept
    : handle(other.handle),
      palette(other.palette),
      header(other.header),
      coreFormat(other.coreFormat),
      keptData(std::move(other.keptData)),
      missingPixelBytes(other.missingPixelBytes),
      alphaMask(other.alphaMask) {
    other.handle = nullptr;
    other.palette = nullptr;
}

DibBody ReadBmp(TStream& stream) {
    const std::int64_t count = stream.Size() - stream.Position();
    if (count <= 0) return {};
    FileHeaderBytes fileHeader;
    stream.ReadBuffer(fileHeader.data(), kFileHeaderSize);
    if (Le16(fileHeader.data()) != kBmpSignature) Refuse("no BM signature");
    return ReadDibBody(stream, count - kFileHeaderSize, &fileHeader);
}

namespace {

// The parts of a DIB that precede its pixels, as read.
struct DibHead {
    std::uint32_t headerSize = 0;
    std::vector<std::uint8_t> stored;  // the header bytes as in the input, size field included
    gdi::BITMAPINFOHEADER header;      // its first 40 bytes (zero past a shorter header)
    bool core = false;
    std::uint32_t masks[3] = {0, 0, 0};
    std::uint32_t alphaMask = 0;  // from headers of 56 bytes and more
    gdi::RGBQUAD table[kMaxColors];
};

void ReadHeader(TStream& stream, std::int64_t& count, DibHead& head) {
    std::uint8_t sizeBytes[4];
    ReadCounted(stream, sizeBytes, 4, count);
    head.headerSize = Le32(sizeBytes);
    // A header must at least say planes and bit count; core headers keep them in 12 bytes.
    if (head.headerSize != kCoreHeaderSize && head.headerSize < kShortestInfoHeader) {
        Refuse("header size below 16");
    }
    if (std::int64_t(head.headerSize) - 4 > count) RaiseReadError();
    head.stored.resize(head.headerSize);
    std::memcpy(head.stored.data(), sizeBytes, 4);
    ReadCounted(stream, head.stored.data() + 4, head.headerSize - 4, count);

    gdi::BITMAPINFOHEADER& h = head.header;
    if (head.headerSize == kCoreHeaderSize) {
        const std::uint8_t* p = head.stored.data();
        head.core = true;
        h.biWidth = Le16(p + 4);
        h.biHeight = Le16(p + 6);
        h.biPlanes = Le16(p + 8);
        h.biBitCount = Le16(p + 10);
    } else {
        // Shorter headers (down to 16 bytes) have the same leading fields; the rest reads as zero.
        std::memcpy(&h, head.stored.data(), std::min<std::size_t>(head.headerSize, sizeof h));
        // Longer headers carry their masks at the same place as the masks after a 40-byte header.
        if (head.headerSize >= kInfoHeaderSize + sizeof head.masks) {
            std::memcpy(head.masks, head.stored.data() + kInfoHeaderSize, sizeof head.masks);
        }
        if (head.headerSize >= kInfoHeaderSize + sizeof head.masks + 4)
            head.alphaMask = Le32(head.stored.data() + kInfoHeaderSize + sizeof head.masks);
    }
    h.biSize = kInfoHeaderSize;
}

// The colour table count once completed, or a refusal when it cannot fit.
std::uint32_t ColorCount(const gdi::BITMAPINFOHEADER& h, bool core) {
    if (core) return std::uint32_t(DefaultColorCount(h.biBitCount));
    const std::uint32_t count =
        h.biClrUsed != 0 ? h.biClrUsed : std::uint32_t(DefaultColorCount(h.biBitCount));
    if (count > std::uint32_t(kMaxColors)) Refuse("colour table longer than 256 entries");
    return count;
}

void ReadColorTable(TStream& stream, std::int64_t& count, DibHead& head, std::uint32_t colors) {
    if (!head.core) {
        ReadCounted(stream, head.table, std::int64_t(colors) * 4, count);
        return;
    }
    // Three bytes an entry, widened from the last entry to the first so nothing is overwritten.
    auto* bytes = reinterpret_cast<std::uint8_t*>(head.table);
    ReadCounted(stream, bytes, std::int64_t(colors) * 3, count);
    for (std::uint32_t i = colors; i-- > 0;) {
        head.table[i] = {bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2], 0};
    }
}

// What may sit between the header and the compressed pixels: masks and the longest colour table.
constexpr std::int64_t kMostTableBytes = kMaskBytes + 4 * kMaxColors;
// Compressed pixels are read in pieces of at least this many bytes, until they end the image.
constexpr std::int64_t kCompressedPiece = 64 * 1024;

// The file bytes kept for compressed data: the file header (made up when the DIB came without
// one), the header as read and the bytes that may hold masks and colour table; DecodeCompressed
// appends the pixels it reads.
std::unique_ptr<TMemoryStream> KeepFileBytes(TStream& stream, std::int64_t count, const DibHead& head,
                                             const FileHeaderBytes* fileHeader) {
    auto kept = std::make_unique<TMemoryStream>();
    if (fileHeader) {
        kept->WriteBuffer(fileHeader->data(), kFileHeaderSize);
    } else {
        const std::uint32_t table = std::min<std::uint32_t>(
            head.header.biClrUsed != 0 ? head.header.biClrUsed
                                       : std::uint32_t(DefaultColorCount(head.header.biBitCount)),
            kMaxColors);
        const std::uint32_t size = std::uint32_t(kFileHeaderSize + head.headerSize + count);
        const std::uint32_t offBits = kFileHeaderSize + head.headerSize + 4 * table;
        std::uint8_t made[kFileHeaderSize] = {'B', 'M'};
        std::memcpy(made + 2, &size, 4);
        std::memcpy(made + 10, &offBits, 4);
        kept->WriteBuffer(made, kFileHeaderSize);
    }
    kept->WriteBuffer(head.stored.data(), std::int64_t(head.stored.size()));
    if (count > 0) kept->CopyFrom(stream, std::min(count, kMostTableBytes));
    kept->SetPosition(kFileHeaderSize + std::int64_t(head.headerSize));
    return kept;
}

// The compressed pixels as far as the decoder reads them: first what the kept bytes hold, then from
// the input in growing pieces, each also kept. With no compressed size given, the rest of the input is
// the data (run-length data of busy pictures is larger than the pixels it encodes, so the uncompressed
// size is no bound); but a file of any size costs only what its image needs.
std::vector<std::uint8_t> ReadCompressed(TMemoryStream& kept, TStream& input, std::int64_t& count,
                                         const gdi::BITMAPINFOHEADER& h) {
    const std::int64_t size = std::min(h.biSizeImage != 0 ? std::int64_t(h.biSizeImage) : count, count);
    std::vector<std::uint8_t> data;
    std::int64_t inKept = kept.Size() - kept.Position();
    while (std::int64_t(data.size()) < size) {
        const std::int64_t piece =
            std::min(size - std::int64_t(data.size()), std::max(kCompressedPiece, std::int64_t(data.size())));
        const std::size_t at = data.size();
        data.resize(at + std::size_t(piece));
        const std::int64_t fromKept = std::min(piece, inKept);
        ReadCounted(kept, data.data() + at, fromKept, count);
        inKept -= fromKept;
        if (piece > fromKept) {
            ReadCounted(input, data.data() + at + fromKept, piece - fromKept, count);
            kept.Seek(0, SeekOrigin::End);
            kept.WriteBuffer(data.data() + at + fromKept, piece - fromKept);
        }
        if (gdi::CompressedDataComplete(h, data.data(), data.size())) break;
    }
    return data;
}

// Compressed pixels become a device bitmap, decoded by the platform with the colour table.
void DecodeCompressed(TMemoryStream& kept, TStream& input, std::int64_t& count, const DibHead& head,
                      std::uint32_t colors, DibBody& body) {
    const gdi::BITMAPINFOHEADER& h = head.header;
    const std::vector<std::uint8_t> data = ReadCompressed(kept, input, count, h);

    gdi::BITMAPINFO info;
    info.bmiHeader = h;
    info.bmiHeader.biClrUsed = colors;
    info.bmiHeader.biSizeImage = std::uint32_t(data.size());
    std::memcpy(info.bmiColors, head.table, std::size_t(colors) * 4);
    if (colors > 0) body.palette = PaletteFromColorTable(head.table, int(colors));

    const gdi::HBITMAP display = GdiCheck(gdi::CreateCompatibleBitmap(nullptr, 1, 1));
    gdi::SetLastError(0);
    {
        ScopedMemoryDc context;
        context.Select(display);
        context.SelectPalette(body.palette);
        body.handle = gdi::CreateDIBitmap(context.Get(), &info.bmiHeader, gdi::CBM_INIT, data.data(), &info,
                                          gdi::DIB_RGB_COLORS);
    }
    const gdi::DWORD code = gdi::GetLastError();
    gdi::DeleteObject(display);
    if (!body.handle) {
        gdi::SetLastError(code);
        RaiseSectionError();
    }
    // A device bitmap keeps no DIB header: only its own description.
    gdi::GetObject(body.handle, sizeof body.header.dsBm, &body.header.dsBm);
}

// The alpha of a 32-bit image: the header's alpha mask, else the fourth byte where the colour masks
// leave it spare and some pixel sets it. Most 32-bit files leave it zero and mean opaque.
std::uint32_t AlphaMaskOf(const DibHead& head, const std::uint8_t* pixels, std::int64_t bytes) {
    const gdi::BITMAPINFOHEADER& h = head.header;
    if (h.biBitCount != 32) return 0;
    if (head.alphaMask != 0) return head.alphaMask;
    const bool spare = h.biCompression == gdi::BI_RGB ||
                       (head.masks[0] == 0xFF0000 && head.masks[1] == 0xFF00 && head.masks[2] == 0xFF);
    for (std::int64_t i = 3; spare && i < bytes; i += 4)
        if (pixels[i] != 0) return 0xFF000000;
    return 0;
}

}  // namespace

DibBody ReadDibBody(TStream& stream, std::int64_t count, const FileHeaderBytes* fileHeader) {
    DibHead head;
    ReadHeader(stream, count, head);
    gdi::BITMAPINFOHEADER& header = head.header;

    DibBody body;
    body.coreFormat = head.core;
    TStream* source = &stream;
    const bool compressed = header.biCompression != gdi::BI_RGB && header.biCompression != gdi::BI_BITFIELDS;
    if (compressed) {
        body.keptData = KeepFileBytes(stream, count, head, fileHeader);
        source = body.keptData.get();
    }
    if (header.biPlanes != 1) Refuse("planes is not 1");

    const bool masksFollow = head.headerSize == std::uint32_t(kInfoHeaderSize) &&
                             (header.biBitCount == 16 || header.biBitCount == 32) &&
                             header.biCompression == gdi::BI_BITFIELDS;
    if (masksFollow) ReadCounted(*source, head.masks, kMaskBytes, count);

    const std::uint32_t read = ColorCount(header, head.core);
    ReadColorTable(*source, count, head, read);
    // A table longer than the bits can index (20 entries for 4 bits) is read whole, as announced;
    // the image keeps the entries its pixels can reach.
    const std::uint32_t colors =
        header.biBitCount >= 1 && header.biBitCount <= 8 ? std::min(read, 1u << header.biBitCount) : read;
    header.biClrUsed = colors;

    if (header.biWidth < 0) Refuse("negative width");
    if (header.biHeight == std::numeric_limits<std::int32_t>::min()) Refuse("height out of range");
    if (compressed) {
        DecodeCompressed(*body.keptData, stream, count, head, colors, body);
        return body;
    }

    const std::int64_t stride = RowStride(header.biWidth, header.biBitCount);
    const std::int64_t rows = std::abs(header.biHeight);
    if (rows != 0 && stride > kMaxImageBytes / rows) Refuse("image too large");
    const std::int64_t imageBytes = stride * rows;
    if (header.biSizeImage == 0) header.biSizeImage = std::uint32_t(imageBytes);

    gdi::BITMAPINFO info;
    info.bmiHeader = header;
    if (header.biBitCount <= 8) {
        std::memcpy(info.bmiColors, head.table, colors * 4);
    } else {
        // A table beside direct colours only suggests a palette; the section does not hold it.
        info.bmiHeader.biClrUsed = 0;
        body.palette = PaletteFromColorTable(head.table, int(colors));
        if (header.biCompression == gdi::BI_BITFIELDS)
            std::memcpy(info.bmiColors, head.masks, sizeof head.masks);
    }
    void* bits = nullptr;
    gdi::SetLastError(0);
    body.handle = gdi::CreateDIBSection(nullptr, &info, gdi::DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!body.handle || !bits) RaiseSectionError();

    // Straight into the section in one read; missing rows stay zero, and a size field larger than
    // the section never writes past it.
    const std::int64_t pixelBytes = std::min({std::int64_t(header.biSizeImage), count, imageBytes});
    ReadCounted(stream, bits, pixelBytes, count);
    body.missingPixelBytes = std::min(std::int64_t(header.biSizeImage), imageBytes) - pixelBytes;
    body.alphaMask = AlphaMaskOf(head, static_cast<const std::uint8_t*>(bits), pixelBytes);

    gdi::GetObject(body.handle, sizeof body.header, &body.header);
    body.header.dsBmih.biXPelsPerMeter = header.biXPelsPerMeter;
    body.header.dsBmih.biYPelsPerMeter = header.biYPelsPerMeter;
    body.header.dsBmih.biClrUsed = header.biClrUsed;
    body.header.dsBmih.biClrImportant = header.biClrImportant;
    return body;
}

}  // namespace plexon
