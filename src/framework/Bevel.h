// The bevel: an etched box, frame or single line (top, bottom, left, right), lowered or raised.
#pragma once

#include "framework/GraphicControl.h"

namespace plexon {

enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine };
enum class TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
  public:
    explicit TBevel(TComponent* owner);

    // A line parts what lies on either side of it; a box or frame only decorates.
    window::AccessibleRole Role() const override {
        return shape_ == TBevelShape::bsBox || shape_ == TBevelShape::bsFrame
                   ? window::AccessibleRole::Filler
                   : window::AccessibleRole::Separator;
    }

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
