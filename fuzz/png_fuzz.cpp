// libFuzzer target for the PNG reader: any bytes are decoded; what decodes must write back as PNG
// and as a 32-bit BMP with alpha and read back to the same pixels. Refusals (EInvalidGraphic) are
// expected outcomes; a crash, a leak, a sanitizer report or a changed pixel is a finding.
#include <cstddef>
#include <cstdint>
#include <span>

#include "graphics/AlphaBmp.h"
#include "graphics/Bitmap.h"
#include "graphics/PngFormat.h"
#include "runtime/Exceptions.h"
#include "runtime/Stream.h"

namespace {

using namespace plexon;

// Large images are refused by size before allocation (tested apart); the fuzzer stays on the decoder.
constexpr std::int64_t kMaxFuzzPixels = 1 << 20;

void CheckRoundTrips(const RgbaImage& image) {
    if (DecodePng(EncodePng(image, 1)).Bytes() != image.Bytes()) __builtin_trap();
    const std::vector<std::uint8_t> bmp = EncodeAlphaBmp(image);
    TMemoryStream stream;
    stream.WriteBuffer(bmp.data(), std::int64_t(bmp.size()));
    stream.SetPosition(0);
    TBitmap bitmap;
    bitmap.LoadStream(stream);
    if (bitmap.Width() != image.Width() || bitmap.Height() != image.Height()) __builtin_trap();
    for (std::int32_t y = 0; y < image.Height(); ++y) {
        const auto* row = static_cast<const std::uint8_t*>(bitmap.RowPointer(y));
        const std::uint8_t* expected = image.Row(y);
        for (std::int32_t x = 0; x < 4 * image.Width(); x += 4)
            if (row[x] != expected[x + 2] || row[x + 1] != expected[x + 1] || row[x + 2] != expected[x] ||
                row[x + 3] != expected[x + 3])
                __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    try {
        const PngSize header = ReadPngSize(bytes);
        if (std::int64_t(header.width) * header.height > kMaxFuzzPixels) return 0;
        const RgbaImage image = DecodePng(bytes);
        if (image.Width() != header.width || image.Height() != header.height) __builtin_trap();
        CheckRoundTrips(image);
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
