// Decoding PNG through the libpng shim (the errors it reports become our exceptions here), and the
// one-off form of encoding.
#include "graphics/PngFormat.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "graphics/PngEncoder.h"
#include "graphics/PngShim.h"
#include "runtime/Exceptions.h"
#include "runtime/ReplacingFile.h"
#include "runtime/Stream.h"

namespace plexon {

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Signature, chunk length and type, then width and height.
constexpr std::size_t kSizeEnd = 8 + 8 + 8;
// As the raster layer: pixel memory beyond this is refused before it is allocated.
constexpr std::uint64_t kMaxPixels = (std::uint64_t(256) << 20) / 4;

// `reason` is what a caller naming the file says of it; empty where the file is simply no PNG image
// we can read, which the caller words itself.
[[noreturn]] void Refuse(std::string_view why, std::string reason = {}) {
    throw EInvalidGraphic(Format(msg::kInvalidPng, {why}), std::string(), std::move(reason));
}

std::uint32_t Be32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

struct ReaderDeleter {
    void operator()(pngshim::Reader* reader) const { pngshim::DestroyReader(reader); }
};

}  // namespace

bool IsPngSignature(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= sizeof kSignature && std::memcmp(bytes.data(), kSignature, sizeof kSignature) == 0;
}

PngSize ReadPngSize(std::span<const std::uint8_t> file) {
    if (!IsPngSignature(file)) Refuse("no PNG signature");
    if (file.size() < kSizeEnd || std::memcmp(file.data() + 12, "IHDR", 4) != 0) Refuse("no header chunk");
    const std::uint32_t width = Be32(file.data() + 16), height = Be32(file.data() + 20);
    // The format caps both at 2^31 - 1.
    if (width == 0 || height == 0 || width > 0x7FFFFFFFu || height > 0x7FFFFFFFu) Refuse("bad image size");
    return {std::int32_t(width), std::int32_t(height)};
}

namespace {

struct MemorySource {
    std::span<const std::uint8_t> bytes;
    std::size_t position = 0;
};

std::size_t ReadMemory(void* source, std::uint8_t* out, std::size_t length) noexcept {
    auto& memory = *static_cast<MemorySource*>(source);
    const std::size_t count = std::min(length, memory.bytes.size() - memory.position);
    std::memcpy(out, memory.bytes.data() + memory.position, count);
    memory.position += count;
    return count;
}

std::size_t ReadStream(void* source, std::uint8_t* out, std::size_t length) noexcept {
    // A stream error ends the file here; the decoder then reports that it ends early.
    try {
        return std::size_t(
            std::max<std::int64_t>(static_cast<TStream*>(source)->Read(out, std::int64_t(length)), 0));
    } catch (...) {
        return 0;
    }
}

RgbaImage Decode(pngshim::ReadBytes read, void* source) {
    std::unique_ptr<pngshim::Reader, ReaderDeleter> reader(pngshim::CreateReader(read, source));
    if (!reader) Refuse("out of memory");
    std::uint32_t width = 0, height = 0;
    // A file cut short is told as such, whichever part it lost.
    const auto fail = [&reader] {
        const std::string_view why = pngshim::ReaderMessage(reader.get());
        Refuse(why, why == pngshim::kEndsEarly ? "truncated PNG" : std::string());
    };
    if (!pngshim::ReadHeader(reader.get(), &width, &height)) fail();
    if (std::uint64_t(width) * height > kMaxPixels)
        Refuse("image too large", "PNG too large: " + std::to_string(width) + " x " + std::to_string(height));
    RgbaImage image(std::int32_t(width), std::int32_t(height), kTransparent);
    std::vector<std::uint8_t*> rows(height);
    for (std::uint32_t y = 0; y < height; ++y) rows[y] = image.Row(std::int32_t(y));
    if (!pngshim::ReadRows(reader.get(), rows.data())) fail();
    return image;
}

}  // namespace

RgbaImage DecodePng(std::span<const std::uint8_t> file) {
    if (!IsPngSignature(file)) Refuse("no PNG signature");
    MemorySource source{file};
    return Decode(ReadMemory, &source);
}

RgbaImage DecodePng(TStream& stream) {
    std::uint8_t signature[sizeof kSignature] = {};
    const std::int64_t got = stream.Read(signature, sizeof signature);
    if (!IsPngSignature(std::span(signature, std::size_t(got)))) Refuse("no PNG signature");
    stream.Seek(-got, SeekOrigin::Current);
    return Decode(ReadStream, &stream);
}

std::vector<std::uint8_t> EncodePng(const RgbaImage& image, int level) {
    return PngEncoder(level).Encode(image);
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    TFileStream stream(path, FileMode::OpenRead);
    std::vector<std::uint8_t> bytes(std::size_t(stream.Size()));
    stream.ReadBuffer(bytes.data(), std::int64_t(bytes.size()));
    return bytes;
}

void WriteFileBytes(const std::string& path, std::span<const std::uint8_t> bytes) {
    ReplaceFileContent(path, bytes.data(), bytes.size());
}

}  // namespace plexon
