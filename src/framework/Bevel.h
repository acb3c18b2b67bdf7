// The bevel: an etched box, frame or single line (top, bottom, left, right), lowered or raised.
#pragma once

#include "framework/GraphicControl.h"

namespace plexon {

enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine };
enum class TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
  public:
    explicit TBevel(TComponent* owner);

    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape shape);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle style);

  protected:
    void Paint() override;

  private:
    TBevelShape shape_ = TBevelShape::bsBox;
    TBevelStyle style_ = TBevelStyle::bsLowered;
};

}  // namespace plexon
