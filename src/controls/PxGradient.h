// Gradients: the settings object that keeps a colour table (two colours, or a run through a list of
// colours) with an optional palette, and the painting of a colour table in ten shapes. Which area
// a gradient fills is the fill object's business.
#pragma once

#include <vector>

#include "controls/PxSettings.h"
#include "graphics/Color.h"
#include "platform/gdi/Types.h"

namespace plexon {

enum class TPxGradientStyle {
    gstHorizontal,
    gstVertical,
    gstSquare,
    gstElliptic,
    gstTopLeft,
    gstTopRight,
    gstBottomLeft,
    gstBottomRight,
    gstTopLeftDiagonal,
    gstTopRightDiagonal
};
using enum TPxGradientStyle;

using GradientTable = std::vector<gdi::COLORREF>;

// Appends count colours from `from` to `to` (the first one left out when continuing a run, so runs
// do not repeat their meeting colour); restart empties the table first.
void BuildGradientColors(TColor from, TColor to, int count, bool restart, GradientTable& table);

// PaintGradient flags.
inline constexpr unsigned kGradientClip = 0x1;       // keep shapes inside the rectangle
inline constexpr unsigned kGradientUseBitmap = 0x4;  // paint through a bitmap of the rectangle's size
inline constexpr unsigned kGradientUsePalette = 0x1000;

// Paints the table in r: bands for the horizontal and vertical styles, nested shapes (first colour
// innermost) for the others. Nothing for an empty table or rectangle.
void PaintGradient(gdi::HDC dc, const gdi::RECT& r, TPxGradientStyle style, unsigned flags,
                   gdi::HPALETTE palette, const GradientTable& table);

class TPxGradient : public TPxSettings {
  public:
    static constexpr int kMinColorCount = 2, kMaxColorCount = 236;

    TPxGradient();
    ~TPxGradient() override;

    TColor Color() const { return color_; }
    void SetColor(TColor value) { Set(color_, value); }
    TColor EndColor() const { return endColor_; }
    void SetEndColor(TColor value) { Set(endColor_, value); }
    // 2 to 236 colour steps; values outside are brought into that range.
    int ColorCount() const { return colorCount_; }
    void SetColorCount(int value);
    TPxGradientStyle Style() const { return style_; }
    void SetStyle(TPxGradientStyle value) { Set(style_, value); }
    bool PaletteRealize() const { return paletteRealize_; }
    void SetPaletteRealize(bool value) { Set(paletteRealize_, value); }
    bool TwoColors() const { return twoColors_; }
    void SetTwoColors(bool value) { Set(twoColors_, value); }
    const std::vector<TColor>& ColorList() const { return colorList_; }
    void SetColorList(const std::vector<TColor>& value) { Set(colorList_, value); }

    void Assign(const TPxGradient& source);

    // The computed colour table and, with PaletteRealize, its palette (owned).
    const GradientTable& Colors() const { return colors_; }
    gdi::HPALETTE Palette() const { return palette_; }

  protected:
    void Recompute() override;

  private:
    void FreePalette();

    TColor color_ = clBlue;
    TColor endColor_ = clBlack;
    int colorCount_ = 16;
    TPxGradientStyle style_ = gstVertical;
    bool paletteRealize_ = false;
    bool twoColors_ = true;
    std::vector<TColor> colorList_;
    GradientTable colors_;
    gdi::HPALETTE palette_ = nullptr;
};

}  // namespace plexon
