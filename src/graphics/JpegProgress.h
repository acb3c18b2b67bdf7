// The progress monitor of one JPEG codec run: at most one report per 500 ms and only on a changed
// percentage, with the band of rows decoded since the last report. Drawing that band is the caller's.
#pragma once

#include <cstdint>

#include "graphics/JpegCodec.h"

namespace plexon {

class TJPEGImage;

class JpegProgress {
  public:
    enum class Direction { Decoding, Encoding };
    static constexpr std::uint32_t kThrottleMs = 500;

    // The hook for a codec run of picture, or none when the picture has no progress handler. state
    // must outlive the codec.
    static JpegProgressHook Hook(TJPEGImage& picture, Direction direction, JpegProgress& state);

  private:
    void Monitor(j_common_ptr codec);

    TJPEGImage* picture_ = nullptr;
    Direction direction_ = Direction::Decoding;
    bool started_ = false;
    std::uint32_t lastTick_ = 0;
    int lastPercent_ = 0;
    JDIMENSION lastRow_ = 0;
};

}  // namespace plexon
