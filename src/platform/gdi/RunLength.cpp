// The run-length decoder: one pass over the bytes with a cursor that stays in the image.
#include "platform/gdi/RunLength.h"

#include <cassert>

namespace plexon::gdi::detail {

namespace {

class Cursor {
  public:
    explicit Cursor(IndexImage& image) : image_(image) {}

    bool InImage() const { return y_ < image_.height; }
    void Put(int index) {
        if (x_ < image_.width && y_ < image_.height) {
            image_
                .indices[std::size_t(image_.height - 1 - y_) * std::size_t(image_.width) + std::size_t(x_)] =
                std::int16_t(index);
        }
        ++x_;
    }
    void EndOfLine() {
        x_ = 0;
        ++y_;
    }
    // Offsets come from bytes, so they cannot overflow the int cursor.
    void Move(int dx, int dy) {
        x_ += dx;
        y_ += dy;
    }

  private:
    IndexImage& image_;
    int x_ = 0;
    int y_ = 0;  // counted from the bottom row
};

}  // namespace

IndexImage DecodeRunLength(RunLengthKind kind, const std::uint8_t* data, std::size_t size, int width,
                           int height) {
    assert(width > 0 && height > 0);
    IndexImage image;
    image.width = width;
    image.height = height;
    image.indices.assign(std::size_t(width) * std::size_t(height), IndexImage::kSkipped);
    Cursor cursor(image);
    const bool four = kind == RunLengthKind::Rle4;
    std::size_t at = 0;
    while (at + 1 < size && cursor.InImage()) {
        const int count = data[at];
        const int value = data[at + 1];
        at += 2;
        if (count > 0) {
            // An encoded run: one index, or for 4 bits two indices taking turns.
            for (int i = 0; i < count; ++i) cursor.Put(four ? ((i & 1) ? value & 0xF : value >> 4) : value);
            continue;
        }
        switch (value) {
            case 0:
                cursor.EndOfLine();
                break;
            case 1:
                return image;
            case 2:
                if (at + 1 >= size) return image;
                cursor.Move(data[at], data[at + 1]);
                at += 2;
                break;
            default: {
                // An absolute run of `value` pixels, its bytes padded to a 16-bit boundary.
                const std::size_t bytes = four ? (std::size_t(value) + 1) / 2 : std::size_t(value);
                for (int i = 0; i < value; ++i) {
                    const std::size_t byte = at + (four ? std::size_t(i) / 2 : std::size_t(i));
                    if (byte >= size) return image;
                    cursor.Put(four ? ((i & 1) ? data[byte] & 0xF : data[byte] >> 4) : data[byte]);
                }
                at += bytes + (bytes & 1);
                break;
            }
        }
    }
    return image;
}

}  // namespace plexon::gdi::detail
