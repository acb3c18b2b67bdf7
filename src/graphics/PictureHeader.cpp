// Reading the claimed size out of the first bytes of BMP, PNG, GIF and JPEG files.
#include "graphics/PictureHeader.h"

#include "graphics/GifFormat.h"
#include "graphics/PngFormat.h"
#include "runtime/Exceptions.h"

namespace plexon {

namespace {

std::int64_t Le(std::span<const std::uint8_t> bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[at + std::size_t(i)];
    return count == 4 ? std::int64_t(std::int32_t(value)) : std::int64_t(value);
}

int Be16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return bytes[at] << 8 | bytes[at + 1];
}

// The info header's size (16-bit fields in the old core header).
std::optional<PictureClaim> BmpClaim(std::span<const std::uint8_t> head) {
    constexpr std::size_t kInfoAt = 14;
    if (head.size() < kInfoAt + 4) return std::nullopt;
    const int field = Le(head, kInfoAt, 4) == 12 ? 2 : 4;
    if (head.size() < kInfoAt + 4 + 2 * std::size_t(field)) return std::nullopt;
    return PictureClaim{Le(head, kInfoAt + 4, field), Le(head, kInfoAt + 4 + std::size_t(field), field)};
}

// Walks the segments from the start of image to the first frame header (SOF0 to SOF15, which are
// C0 to CF less the table markers C4, C8 and CC).
std::optional<PictureClaim> JpegClaim(std::span<const std::uint8_t> head) {
    std::size_t at = 2;
    while (at + 4 <= head.size()) {
        if (head[at] != 0xFF) return std::nullopt;
        const int marker = head[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {  // markers without a length
            at += 2;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) return std::nullopt;  // scan or end before any frame
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            if (at + 9 > head.size()) return std::nullopt;
            return PictureClaim{Be16(head, at + 7), Be16(head, at + 5)};
        }
        at += 2 + std::size_t(Be16(head, at + 2));
    }
    return std::nullopt;
}

}  // namespace

std::optional<PictureClaim> ClaimedPictureSize(std::span<const std::uint8_t> head) {
    if (head.size() >= 2 && head[0] == 'B' && head[1] == 'M') return BmpClaim(head);
    if (head.size() >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) return JpegClaim(head);
    try {
        if (IsPngSignature(head)) {
            const PngSize size = ReadPngSize(head);
            return PictureClaim{size.width, size.height};
        }
        if (IsGifSignature(head)) {
            const GifSize size = ReadGifSize(head);
            return PictureClaim{size.width, size.height};
        }
    } catch (const EInvalidGraphic&) {
    }
    return std::nullopt;
}

}  // namespace plexon
