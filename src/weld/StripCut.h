// A strip read back for cutting into its slot images: the format it was written in, told from the
// file, and each square slot written in that format by the writer the weld uses for it, so that
// welding the slot files gives the strip back. Which state a slot is and where it goes is the caller's.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "graphics/RgbaImage.h"
#include "weld/StripFormat.h"

namespace plexon {

class TBitmap;
class PngEncoder;

class StripCut {
  public:
    // Reads the whole file. A PNG is told by its signature, a BMP with alpha (TBitmap::AlphaMask) is
    // bmp-alpha, any other BMP is bmp. A file no reader takes, or a BMP shorter than its header says,
    // raises an error naming it.
    explicit StripCut(const std::string& path);
    ~StripCut();
    StripCut(const StripCut&) = delete;
    StripCut& operator=(const StripCut&) = delete;

    StripFormat Format() const { return format_; }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }

    // Writes the square of Height() pixels starting at x = slot * Height() to the path, replacing the
    // file whole; errors name the path. A BMP of another depth than 32 bits is written as the weld
    // writes bmp strips (32 bits, no alpha).
    void WriteSlot(int slot, const std::string& path);

  private:
    StripFormat format_ = StripFormat::Bmp;
    std::int32_t width_ = 0, height_ = 0;
    std::unique_ptr<TBitmap> bitmap_;  // bmp strips
    RgbaImage rgba_;                   // the others
    std::unique_ptr<PngEncoder> encoder_;
};

}  // namespace plexon
