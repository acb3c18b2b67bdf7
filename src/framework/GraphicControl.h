// Controls without a window: they draw on their parent's surface, over what the parent painted,
// so whatever they leave unpainted shows the parent (parent-drawn transparency).
#pragma once

#include "framework/ControlCanvas.h"
#include "framework/Control.h"

namespace plexon {

class TGraphicControl : public TControl {
  public:
    explicit TGraphicControl(TComponent* owner) : TControl(owner) {}

    // Draws the control into the parent's context dc at its own position, over what is there.
    void PaintOn(gdi::HDC dc);

  protected:
    virtual void Paint() = 0;
    // Valid during Paint.
    TCanvas& Canvas() { return canvas_; }

  private:
    TControlCanvas canvas_;
};

}  // namespace plexon
