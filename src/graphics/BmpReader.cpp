// Reading a BMP file: file header, info header, masks, colour table and the pixel rows straight
// into a new DIB section. Core headers and compressed data are refused as not valid for now.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "graphics/BmpFormat.h"
#include "graphics/Palettes.h"
#include "platform/gdi/Raster.h"
#include "runtime/Exceptions.h"

namespace plexon {

namespace {

constexpr std::uint32_t kCoreHeaderSize = 12;
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
      keptData(std::move(other.keptData)) {
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

DibBody ReadDibBody(TStream& stream, std::int64_t count, const FileHeaderBytes* /*fileHeader*/) {
    std::uint8_t sizeBytes[4];
    ReadCounted(stream, sizeBytes, 4, count);
    const std::uint32_t headerSize = Le32(sizeBytes);
    if (headerSize == kCoreHeaderSize) Refuse("core headers are not supported");
    // Shorter info headers would leave fields undefined; the stream cannot hold a longer one.
    if (headerSize < std::uint32_t(kInfoHeaderSize) || std::int64_t(headerSize) - 4 > count) RaiseReadError();

    // Header, then room for the masks and 256 colours, as the file lays them out.
    std::vector<std::uint8_t> buffer(std::size_t(headerSize) + kMaskBytes + kMaxColors * 4);
    std::memcpy(buffer.data(), sizeBytes, 4);
    ReadCounted(stream, buffer.data() + 4, headerSize - 4, count);

    gdi::BITMAPINFOHEADER header;
    std::memcpy(&header, buffer.data(), sizeof header);
    if (header.biCompression != gdi::BI_RGB && header.biCompression != gdi::BI_BITFIELDS) {
        Refuse("compressed pixel data is not supported");
    }
    if (header.biPlanes != 1) Refuse("planes is not 1");

    const bool masksFollow = headerSize == std::uint32_t(kInfoHeaderSize) &&
                             (header.biBitCount == 16 || header.biBitCount == 32) &&
                             header.biCompression == gdi::BI_BITFIELDS;
    std::size_t tableOffset = headerSize;
    if (masksFollow) {
        ReadCounted(stream, buffer.data() + tableOffset, kMaskBytes, count);
        tableOffset += kMaskBytes;
    }
    // Masks sit at offset 40 both after a 40-byte header and inside longer headers.
    std::uint32_t masks[3];
    std::memcpy(masks, buffer.data() + kInfoHeaderSize, sizeof masks);

    if (header.biClrUsed == 0) header.biClrUsed = std::uint32_t(DefaultColorCount(header.biBitCount));
    if (header.biClrUsed > std::uint32_t(kMaxColors)) Refuse("colour table longer than 256 entries");
    const auto* table = reinterpret_cast<const gdi::RGBQUAD*>(buffer.data() + tableOffset);
    ReadCounted(stream, buffer.data() + tableOffset, std::int64_t(header.biClrUsed) * 4, count);

    if (header.biWidth < 0) Refuse("negative width");
    if (header.biHeight == std::numeric_limits<std::int32_t>::min()) Refuse("height out of range");
    const std::int64_t stride = RowStride(header.biWidth, header.biBitCount);
    const std::int64_t rows = std::abs(header.biHeight);
    if (rows != 0 && stride > kMaxImageBytes / rows) Refuse("image too large");
    const std::int64_t imageBytes = stride * rows;
    if (header.biSizeImage == 0) header.biSizeImage = std::uint32_t(imageBytes);

    DibBody body;
    gdi::BITMAPINFO info;
    info.bmiHeader = header;
    if (header.biBitCount <= 8) {
        std::memcpy(info.bmiColors, table, header.biClrUsed * 4);
    } else {
        // A table beside direct colours only suggests a palette; the section does not hold it.
        info.bmiHeader.biClrUsed = 0;
        body.palette = PaletteFromColorTable(table, int(header.biClrUsed));
        if (header.biCompression == gdi::BI_BITFIELDS) std::memcpy(info.bmiColors, masks, sizeof masks);
    }
    void* bits = nullptr;
    gdi::SetLastError(0);
    body.handle = gdi::CreateDIBSection(nullptr, &info, gdi::DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!body.handle || !bits) RaiseSectionError();

    // Straight into the section in one read; missing rows stay zero, and a size field larger than
    // the section never writes past it.
    const std::int64_t pixelBytes = std::min({std::int64_t(header.biSizeImage), count, imageBytes});
    ReadCounted(stream, bits, pixelBytes, count);

    gdi::GetObject(body.handle, sizeof body.header, &body.header);
    body.header.dsBmih.biXPelsPerMeter = header.biXPelsPerMeter;
    body.header.dsBmih.biYPelsPerMeter = header.biYPelsPerMeter;
    body.header.dsBmih.biClrUsed = header.biClrUsed;
    body.header.dsBmih.biClrImportant = header.biClrImportant;
    return body;
}

}  // namespace plexon
