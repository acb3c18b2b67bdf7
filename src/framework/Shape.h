// The shape control: a rectangle (or ellipse) outlined with a pen and filled with a brush.
#pragma once

#include "framework/GraphicControl.h"

namespace plexon {

enum class TShapeType { stRectangle, stEllipse };
using enum TShapeType;

class TShape : public TGraphicControl {
  public:
    explicit TShape(TComponent* owner);

    TShapeType Shape() const { return shape_; }
    void SetShape(TShapeType shape);
    TColor PenColor() const { return penColor_; }
    void SetPenColor(TColor color);
    int PenWidth() const { return penWidth_; }
    void SetPenWidth(int width);
    TColor BrushColor() const { return brushColor_; }
    void SetBrushColor(TColor color);

  protected:
    void Paint() override;

  private:
    TShapeType shape_ = stRectangle;
    TColor penColor_ = clBlack;
    int penWidth_ = 1;
    TColor brushColor_ = clWhite;
};

}  // namespace plexon
