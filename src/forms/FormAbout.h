// The About window, for now a framed panel with the product name, version and a Close button; the
// picture and the rich-text notes come with their own controls.
#pragma once

#include "framework/Form.h"

namespace plexon {

class TButton;
class TLabel;
class TShape;

class TfrmAbout : public TForm {
  public:
    explicit TfrmAbout(TComponent* owner);

    TShape* Shape1;
    TLabel* lblProduct;
    TButton* btnClose;
};

// The window while the About command shows it; null otherwise.
extern TfrmAbout* frmAbout;

}  // namespace plexon
