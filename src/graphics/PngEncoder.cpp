// The PNG container (signature, IHDR, one IDAT, IEND with their checksums), row filtering and the
// compression call.
#include "graphics/PngEncoder.h"

#include <libdeflate.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "runtime/Exceptions.h"

namespace plexon {

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr int kBytesPerPixel = 4;

void PutBe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.insert(out.end(),
               {std::uint8_t(v >> 24), std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)});
}

// Appends a chunk whose data already stands at the end of out, from dataStart on; the length goes
// before the type, the checksum covers type and data.
void CloseChunk(std::vector<std::uint8_t>& out, std::size_t typeStart) {
    const std::size_t length = out.size() - typeStart - 4;
    const std::uint8_t bytes[4] = {std::uint8_t(length >> 24), std::uint8_t(length >> 16),
                                   std::uint8_t(length >> 8), std::uint8_t(length)};
    std::memcpy(out.data() + typeStart - 4, bytes, 4);
    PutBe32(out, libdeflate_crc32(0, out.data() + typeStart, out.size() - typeStart));
}

std::size_t OpenChunk(std::vector<std::uint8_t>& out, const char type[4]) {
    out.resize(out.size() + 4);  // the length, filled in by CloseChunk
    const std::size_t typeStart = out.size();
    out.insert(out.end(), type, type + 4);
    return typeStart;
}

std::uint8_t Paeth(int a, int b, int c) {
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return std::uint8_t(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// One filter over a row into out; above is the previous row (zeros for the first). Each filter is
// its own loop without branches, so the compiler can vectorise it.
void Apply(std::uint8_t type, const std::uint8_t* row, const std::uint8_t* above, std::size_t size,
           std::uint8_t* out) {
    constexpr std::size_t b = kBytesPerPixel;
    switch (type) {
        case 0:
            std::memcpy(out, row, size);
            break;
        case 1:
            std::memcpy(out, row, b);
            for (std::size_t i = b; i < size; ++i) out[i] = std::uint8_t(row[i] - row[i - b]);
            break;
        case 2:
            for (std::size_t i = 0; i < size; ++i) out[i] = std::uint8_t(row[i] - above[i]);
            break;
        case 3:
            for (std::size_t i = 0; i < b; ++i) out[i] = std::uint8_t(row[i] - (above[i] >> 1));
            for (std::size_t i = b; i < size; ++i)
                out[i] = std::uint8_t(row[i] - ((row[i - b] + above[i]) >> 1));
            break;
        default:
            for (std::size_t i = 0; i < b; ++i) out[i] = std::uint8_t(row[i] - above[i]);
            for (std::size_t i = b; i < size; ++i)
                out[i] = std::uint8_t(row[i] - Paeth(row[i - b], above[i], above[i - b]));
            break;
    }
}

// The filter's output bytes read as signed values, summed without sign: smaller usually compresses better.
std::uint32_t Cost(const std::uint8_t* bytes, std::size_t size) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < size; ++i) sum += std::uint32_t(std::abs(int(std::int8_t(bytes[i]))));
    return sum;
}

// Filters one row into out (filter byte first) with the filter of smallest cost.
void FilterRow(const std::uint8_t* row, const std::uint8_t* above, std::size_t size, std::uint8_t* out,
               std::uint8_t* trial) {
    std::uint32_t best = ~std::uint32_t(0);
    std::uint8_t bestType = 0;
    for (std::uint8_t type = 0; type < 5; ++type) {
        Apply(type, row, above, size, trial);
        if (const std::uint32_t cost = Cost(trial, size); cost < best) {
            best = cost;
            bestType = type;
        }
    }
    out[0] = bestType;
    Apply(bestType, row, above, size, out + 1);
}

}  // namespace

PngEncoder::PngEncoder(int level) : compressor_(libdeflate_alloc_compressor(level)) {
    if (!compressor_) throw EOutOfResources(std::string(msg::kOutOfResources));
}

PngEncoder::~PngEncoder() {
    libdeflate_free_compressor(compressor_);
}

std::vector<std::uint8_t> PngEncoder::Encode(const RgbaImage& image) {
    if (image.IsEmpty()) throw EInvalidOperation("An empty image cannot be written as PNG");
    const std::size_t rowBytes = image.RowBytes();
    const std::size_t rows = std::size_t(image.Height());
    // Past the filtered rows: a row of scratch space, and a row of zeros above the first.
    filtered_.assign((rowBytes + 1) * rows + 2 * rowBytes, 0);
    std::uint8_t* trial = filtered_.data() + (rowBytes + 1) * rows;
    const std::uint8_t* zeros = trial + rowBytes;
    for (std::size_t y = 0; y < rows; ++y)
        FilterRow(image.Row(std::int32_t(y)), y ? image.Row(std::int32_t(y - 1)) : zeros, rowBytes,
                  filtered_.data() + (rowBytes + 1) * y, trial);
    const std::size_t filteredSize = (rowBytes + 1) * rows;

    // Compressed into memory that is not cleared first, so only what the stream fills is touched: a
    // cleared buffer of the bound would take as much memory as the pixels themselves.
    const std::size_t bound = libdeflate_zlib_compress_bound(compressor_, filteredSize);
    const std::unique_ptr<std::uint8_t[]> deflated(new std::uint8_t[bound]);
    const std::size_t compressed =
        libdeflate_zlib_compress(compressor_, filtered_.data(), filteredSize, deflated.get(), bound);
    if (compressed == 0) throw EOutOfResources(std::string(msg::kOutOfResources));

    std::vector<std::uint8_t> out(std::begin(kSignature), std::end(kSignature));
    out.reserve(8 + 25 + 12 + compressed + 12);
    std::size_t chunk = OpenChunk(out, "IHDR");
    PutBe32(out, std::uint32_t(image.Width()));
    PutBe32(out, std::uint32_t(image.Height()));
    out.insert(out.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, adaptive filters, no interlace
    CloseChunk(out, chunk);

    chunk = OpenChunk(out, "IDAT");
    out.insert(out.end(), deflated.get(), deflated.get() + compressed);
    CloseChunk(out, chunk);

    chunk = OpenChunk(out, "IEND");
    CloseChunk(out, chunk);
    return out;
}

}  // namespace plexon
