// How an area is filled: nothing, a brush, a bitmap (tiled, centred, stretched or placed), an 8 x 8
// pattern, or a gradient. The fill object owns its gradient, brush and bitmap and passes their
// changes on to its owner. Keeping the result is the panel's business.
#pragma once

#include <memory>

#include "controls/PxGradient.h"
#include "controls/PxSettings.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"

namespace plexon {

enum class TPxFillStyle { sfNone, sfBrushBitmap, sfBrush, sfBitmap, sfBitmapList, sfGradient };
using enum TPxFillStyle;
enum class TPxTileMode { tmNone, tmCenter, tmStretch, tmTile };
using enum TPxTileMode;
enum class TPxAlignment {
    agTopLeft,
    agTopCenter,
    agTopRight,
    agCenterLeft,
    agCenter,
    agCenterRight,
    agBottomLeft,
    agBottomCenter,
    agBottomRight
};
using enum TPxAlignment;

// Where a box of the given size goes inside r (centring by halves rounded down).
gdi::POINT AlignBox(const gdi::RECT& r, int width, int height, TPxAlignment alignment);

struct TPxFillOptions {
    bool foFillInner = true;
    bool foQuickDraw = false;
    bool foGrUseBitmap = true;
    bool operator==(const TPxFillOptions&) const = default;
};

// The shared base of shape fills; its own default style is a brush.
class TPxShapeFill : public TPxSettings {
  public:
    explicit TPxShapeFill(TPxFillStyle style = sfBrush);

    TPxFillStyle Style() const { return style_; }
    void SetStyle(TPxFillStyle value) { Set(style_, value); }
    TPxGradient& Gradient() { return gradient_; }
    const TPxGradient& Gradient() const { return gradient_; }
    TBrush& Brush() { return brush_; }
    const TBrush& Brush() const { return brush_; }
    // Tell the fill when the brush changed through Brush() (TBrush has no notification).
    void BrushChanged() { Changed(); }
    TBitmap& Bitmap() { return *bitmap_; }
    const TBitmap& Bitmap() const { return *bitmap_; }
    TPxTileMode TileMode() const { return tileMode_; }
    void SetTileMode(TPxTileMode value) { Set(tileMode_, value); }

  protected:
    TPxFillStyle style_;
    TPxGradient gradient_;
    TBrush brush_;
    std::unique_ptr<TBitmap> bitmap_;
    TPxTileMode tileMode_ = tmTile;
};

class TPxFillObject : public TPxShapeFill {
  public:
    TPxFillObject();

    TPxAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPxAlignment value) { Set(alignment_, value); }
    int OffsetX() const { return offsetX_; }
    void SetOffsetX(int value) { Set(offsetX_, value); }
    int OffsetY() const { return offsetY_; }
    void SetOffsetY(int value) { Set(offsetY_, value); }
    const TPxFillOptions& Options() const { return options_; }
    void SetOptions(const TPxFillOptions& value) { Set(options_, value); }

    // Copies brush, options, bitmap, gradient, style and tile mode; one notification.
    void Assign(const TPxFillObject& source);

    // Paints the content into r of the canvas; background is the colour behind untiled bitmaps.
    // False when there was nothing to paint.
    bool Fill(TCanvas& canvas, const gdi::RECT& r, TColor background);

  private:
    bool FillBitmap(TCanvas& canvas, const gdi::RECT& r, TColor background);

    TPxAlignment alignment_ = agTopLeft;
    int offsetX_ = 0, offsetY_ = 0;
    TPxFillOptions options_;
};

}  // namespace plexon
