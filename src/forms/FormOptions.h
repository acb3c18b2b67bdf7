// The Options dialog: three masked fields for the suffix letters of the Hot, Disabled and Pressed
// files. It keeps no letters of its own; the main window fills the fields and reads them back.
#pragma once

#include "framework/Form.h"
#include "weld/SuffixSettings.h"

namespace plexon {

class TBevel;
class TButton;
class TPxGroupBox;
class TLabel;
class TMaskEdit;

class TfrmOptions : public TForm {
  public:
    explicit TfrmOptions(TComponent* owner);

    // The letters the three fields hold: the character after each "_", a blank for an empty field.
    SuffixSettings Letters() const;

    TBevel* Bevel1;
    TButton* btnOK;
    TButton* btnCancel;
    TPxGroupBox* PxGroupBox2;
    TLabel* Label1;
    TLabel* Label2;
    TLabel* Label3;
    TLabel* Label4;
    TMaskEdit* txtSuffixHot;
    TMaskEdit* txtSuffixDisabled;
    TMaskEdit* txtSuffixPressed;
};

// The dialog while the Options command shows it; null otherwise.
extern TfrmOptions* frmOptions;

}  // namespace plexon
