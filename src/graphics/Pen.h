// TPen: the outline colour, width and style of shapes and lines, and its platform pen made on first use.
#pragma once

#include <functional>

#include "graphics/Color.h"
#include "platform/gdi/Types.h"

namespace plexon {

enum class TPenStyle { Solid, Clear };

class TPen {
  public:
    TPen() = default;
    ~TPen();
    TPen(const TPen&) = delete;
    TPen& operator=(const TPen&) = delete;

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);  // below 1 draws one pixel wide
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);
    // Solid in the resolved colour, or the stock null pen for Clear.
    gdi::HPEN Handle();

  private:
    friend class TCanvas;
    void FreeHandle();

    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = TPenStyle::Solid;
    gdi::HPEN handle_ = nullptr;
    std::function<void()> releasing_;  // see TFont
};

}  // namespace plexon
