// The About window: a framed borderless panel with the product name and version, the picture, the
// terms of use with a feedback link, an invitation to the web site, a gradient separator and Close.
#pragma once

#include "framework/Form.h"

namespace plexon {

class TButton;
class TImage;
class TMarkupLabel;
class TPxPanelFill;
class TShape;

class TfrmAbout : public TForm {
  public:
    explicit TfrmAbout(TComponent* owner);

    TShape* Shape1;
    TMarkupLabel* MarkupLabel1;  // terms of use
    TImage* Image1;
    TMarkupLabel* MarkupLabel4;  // web-site invitation
    TMarkupLabel* MarkupLabel2;  // product name and version
    TButton* btnClose;
    TPxPanelFill* PxPanelFill1;  // vertical separator
};

// The window while the About command shows it; null otherwise.
extern TfrmAbout* frmAbout;

// The labels' markup.
extern const char* const kAboutProductMarkup;
extern const char* const kAboutTermsMarkup;
extern const char* const kAboutWebMarkup;

}  // namespace plexon
