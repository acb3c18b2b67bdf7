// The plain group box: an etched frame with its caption set into the top line, holding child
// controls. Bevel modes, themes and caption fonts of their own are not its business.
#pragma once

#include "framework/WinControl.h"

namespace plexon {

class TGroupBox : public TWinControl {
  public:
    explicit TGroupBox(TComponent* owner);

  protected:
    void Paint() override;
};

}  // namespace plexon
