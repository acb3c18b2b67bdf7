// Decoding the BMP run-length encodings (8-bit and 4-bit) into palette indices. It never reads past
// the data or writes outside the image; what the data skips is reported as untouched.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plexon::gdi::detail {

enum class RunLengthKind { Rle8, Rle4 };

// Palette indices of a decoded image, top row first; kSkipped where the data wrote nothing.
struct IndexImage {
    static constexpr std::int16_t kSkipped = -1;
    int width = 0;
    int height = 0;
    std::vector<std::int16_t> indices;
};

// Decodes as the published encoding defines it: runs, end of line, end of bitmap, delta moves and
// absolute runs padded to 16 bits, rows from the bottom up. Pixels right of the image are dropped,
// and decoding ends at the end of the data or when a move leaves the image at the top.
// width and height must be positive and width * height must fit in memory.
IndexImage DecodeRunLength(RunLengthKind kind, const std::uint8_t* data, std::size_t size, int width,
                           int height);

}  // namespace plexon::gdi::detail
