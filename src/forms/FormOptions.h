// The Options dialog: three masked fields for the suffix letters of the Hot, Disabled and Pressed
// files, the format of the strips the main window writes and whether missing states are made from
// the Normal image, and the size an SVG image without one of its own is drawn at. It keeps no
// choices of its own; the main window fills the controls and reads them back.
#pragma once

#include "framework/Form.h"
#include "weld/StripFormat.h"
#include "weld/SuffixSettings.h"

namespace plexon {

class TBevel;
class TButton;
class TCheckBox;
class TComboBox;
class TPxGroupBox;
class TLabel;
class TMaskEdit;

class TfrmOptions : public TForm {
  public:
    explicit TfrmOptions(TComponent* owner);

    // The letters the three fields hold: the character after each "_", a blank for an empty field.
    SuffixSettings Letters() const;
    // The strip format list's choice; its items follow StripFormat's order.
    void SetStripFormat(StripFormat format);
    StripFormat ChosenStripFormat() const;
    // The SVG size list's choice, one of kSvgSizes; another size shows the default.
    void SetSvgSize(int size);
    int ChosenSvgSize() const;

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
    TPxGroupBox* PxGroupBox3;
    TComboBox* cbStripFormat;
    TCheckBox* chkDeriveMissing;  // states an icon lacks made from its Normal image
    TLabel* lblSvgSize;
    TComboBox* cbSvgSize;
};

// The dialog while the Options command shows it; null otherwise.
extern TfrmOptions* frmOptions;

}  // namespace plexon
