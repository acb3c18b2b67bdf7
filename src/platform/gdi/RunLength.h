// Decoding the BMP run-length encodings (8-bit and 4-bit) into palette indices. It never reads past
// the data or hands out a position outside the image; what the data skips is never handed out.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace plexon::gdi::detail {

enum class RunLengthKind { Rle8, Rle4 };

// Decodes as the published encoding defines it: runs, end of line, end of bitmap, delta moves and
// absolute runs padded to 16 bits, rows from the bottom up. Calls put(x, y, index) for every pixel
// inside width x height (y = 0 is the bottom row); pixels right of the image are dropped, and
// decoding ends at the end of the data or when a move leaves the image at the top. True when the data
// itself ended the image (end of bitmap, or the top left behind): no byte after it would be read.
template <class Put>
bool DecodeRunLength(RunLengthKind kind, const std::uint8_t* data, std::size_t size, int width, int height,
                     Put&& put) {
    assert(width > 0 && height > 0);
    const bool four = kind == RunLengthKind::Rle4;
    // Everything right of the image is alike, so x stops at width: no amount of data overflows it.
    int x = 0;
    int y = 0;  // decoding ends once y reaches height, and a move adds at most 255
    auto advance = [&](int n) { x = n < width - x ? x + n : width; };
    auto emit = [&](int index) {
        if (x < width) put(x, y, index);
        advance(1);
    };
    std::size_t at = 0;
    while (at + 1 < size && y < height) {
        const int count = data[at];
        const int value = data[at + 1];
        at += 2;
        if (count > 0) {
            // An encoded run: one index, or for 4 bits two indices taking turns.
            const int inside = count < width - x ? count : width - x;
            for (int i = 0; i < inside; ++i) emit(four ? ((i & 1) ? value & 0xF : value >> 4) : value);
            advance(count - inside);
            continue;
        }
        switch (value) {
            case 0:
                x = 0;
                ++y;
                break;
            case 1:
                return true;
            case 2:
                if (at + 1 >= size) return false;
                advance(data[at]);
                y += data[at + 1];
                at += 2;
                break;
            default: {
                // An absolute run of `value` pixels, its bytes padded to a 16-bit boundary.
                const std::size_t bytes = four ? (std::size_t(value) + 1) / 2 : std::size_t(value);
                for (int i = 0; i < value; ++i) {
                    const std::size_t byte = at + (four ? std::size_t(i) / 2 : std::size_t(i));
                    if (byte >= size) return false;
                    emit(four ? ((i & 1) ? data[byte] & 0xF : data[byte] >> 4) : data[byte]);
                }
                at += bytes + (bytes & 1);
                break;
            }
        }
    }
    return y >= height;
}

// Palette indices of a decoded image, top row first; kSkipped where the data wrote nothing.
struct IndexImage {
    static constexpr std::int16_t kSkipped = -1;
    int width = 0;
    int height = 0;
    std::vector<std::int16_t> indices;
};

IndexImage DecodeRunLength(RunLengthKind kind, const std::uint8_t* data, std::size_t size, int width,
                           int height);

}  // namespace plexon::gdi::detail
