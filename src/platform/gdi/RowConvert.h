// Turning rows of source pixels into destination pixel values, including the monochrome rules of
// block transfers. Chooses one conversion per call; the per-pixel loops carry no decisions.
#pragma once

#include <cstdint>

#include "platform/gdi/PixelFormat.h"

namespace plexon::gdi::detail {

// Intrinsic: a 1-bit device bitmap is black (0) and white (1), as pixel conversion services see it.
// Context: the block-transfer rules: monochrome source bits become the target context's text (0) or
// background (1) colour; colour pixels equal to the source context's background colour become 1 in a
// monochrome target, all others 0.
enum class ColorRules : bool { Intrinsic, Context };

struct MonoColors {
    COLORREF targetText = 0;
    COLORREF targetBackground = RGB(255, 255, 255);
    COLORREF sourceBackground = RGB(255, 255, 255);
};

class PixelConverter {
  public:
    PixelConverter(const PixelFormat& source, const PixelFormat& target, ColorRules rules,
                   const MonoColors& colors);

    // Pixels of the source row at the given columns (`columns` null: consecutive from `sourceX`) written
    // to destination columns [targetX, targetX + count).
    void ConvertRow(const std::uint8_t* sourceRow, const int* columns, int sourceX, std::uint8_t* targetRow,
                    int targetX, int count);

    std::uint32_t Convert(std::uint32_t value);

  private:
    enum class Mode { Same, Table, Colour, ToIndexed, ToMonoDevice };

    PixelFormat source_;
    PixelFormat target_;
    Mode mode_ = Mode::Same;
    // Same: the bits a 32-bit target keeps; its spare byte outside the colour masks is always 0, so
    // a strip never carries a source's fourth byte (which viewers would take for alpha).
    std::uint32_t kept_ = ~0u;
    COLORREF background_ = 0;  // ToMonoDevice: the source background as the source shows it
    std::uint32_t table_[256] = {};
};

}  // namespace plexon::gdi::detail
