// The plain panel: a face-coloured container with a raised one-pixel bevel. Gradient fills and
// captions are not its business.
#pragma once

#include "framework/WinControl.h"

namespace plexon {

class TPanel : public TWinControl {
  public:
    explicit TPanel(TComponent* owner);

  protected:
    void Paint() override;
};

}  // namespace plexon
