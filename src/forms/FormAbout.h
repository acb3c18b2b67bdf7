// The About window: a framed borderless panel with the product name and version, the picture and
// a Close button; the rich-text notes come with their own controls.
#pragma once

#include "framework/Form.h"

namespace plexon {

class TButton;
class TImage;
class TLabel;
class TShape;

class TfrmAbout : public TForm {
  public:
    explicit TfrmAbout(TComponent* owner);

    TShape* Shape1;
    TImage* Image1;
    TLabel* lblProduct;
    TButton* btnClose;
};

// The window while the About command shows it; null otherwise.
extern TfrmAbout* frmAbout;

}  // namespace plexon
