// The size a picture file's first bytes claim (BMP, PNG, GIF's logical screen, JPEG's frame), read
// without decoding, so that a reader can refuse a picture before it reads or allocates its pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace plexon {

// How many first bytes a claim is looked for in. JPEG puts its frame header after the application
// segments, which rarely pass this; one further in is found by the JPEG reader's own header pass.
inline constexpr std::size_t kPictureHeadBytes = 64 * 1024;

struct PictureClaim {
    std::int64_t width = 0, height = 0;  // as the header gives them: a BMP's height may be negative
};

// The claim of a file's first bytes; none where they tell none (no format we know, a header cut
// short or unsound, a JPEG frame header beyond them): the decoders refuse or check those themselves.
std::optional<PictureClaim> ClaimedPictureSize(std::span<const std::uint8_t> head);

}  // namespace plexon
