// Plain-colour painting straight into the selected bitmap of a context, inside its drawable area:
// spans for shapes and lines, coverage masks for glyphs. No raster operations; those go through Transfer.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gdi/Objects.h"

namespace plexon::gdi::detail {

// Blending of partial coverage: true-colour targets mix with what is beneath; palette and 1-bit
// targets take the colour where coverage is at least half, since a blend would only pick a stray index.
enum class Blend : bool { No, Yes };

class Painter {
  public:
    // extra, when given, narrows the area further (text clipped to its rectangle).
    explicit Painter(const GdiDc& dc, const std::optional<RECT>& extra = std::nullopt);

    bool Empty() const { return rects_.empty(); }
    // The smallest rectangle around every pixel that may change.
    const RECT& Bounds() const { return bounds_; }
    // Pixels [x1, x2) of row y.
    void Span(int y, int x1, int x2, COLORREF rgb);
    void Pixel(int x, int y, COLORREF rgb) { Span(y, x, x + 1, rgb); }
    // A width x height mask of 0-255 coverage with its top-left pixel at (x, y).
    void Coverage(int x, int y, const std::uint8_t* mask, int width, int height, int pitch, COLORREF rgb);
    Blend Blending() const { return blend_; }

  private:
    const Surface& surface_;
    std::vector<RECT> rects_;
    RECT bounds_;
    Blend blend_;
};

}  // namespace plexon::gdi::detail
