// Writing 8-bit RGBA PNG files: each row filtered with the filter whose output is smallest in
// absolute sum (the usual adaptive choice), compressed as one zlib stream by libdeflate. An
// encoder keeps its compressor, so a run of strips pays for it once. No interlacing, no ancillary
// chunks.
#pragma once

#include <cstdint>
#include <vector>

#include "graphics/RgbaImage.h"

struct libdeflate_compressor;

namespace plexon {

class PngEncoder {
  public:
    // level 0 (stored) to 12; 6 is zlib's default trade-off. EOutOfResources when memory runs out.
    explicit PngEncoder(int level);
    ~PngEncoder();
    PngEncoder(const PngEncoder&) = delete;
    PngEncoder& operator=(const PngEncoder&) = delete;

    // The whole file. EInvalidOperation for an empty image.
    std::vector<std::uint8_t> Encode(const RgbaImage& image);

  private:
    libdeflate_compressor* compressor_;
    std::vector<std::uint8_t> filtered_;  // kept between images to spare the allocation
};

}  // namespace plexon
