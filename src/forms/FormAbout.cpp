// The About window's layout: a borderless window framed by a two-pixel rectangle.
#include "forms/FormAbout.h"

#include "framework/Button.h"
#include "framework/Label.h"
#include "framework/Shape.h"

namespace plexon {

TfrmAbout* frmAbout = nullptr;

TfrmAbout::TfrmAbout(TComponent* owner) : TForm(owner) {
    SetName("frmAbout");
    SetCaption("About");
    SetBorderStyle(bsNone);
    SetPosition(poScreenCenter);
    SetClientWidth(534);
    SetClientHeight(301);
    Font().SetName("Tahoma");
    Font().SetHeight(-11);
    Font().SetCharSet(0);  // ANSI_CHARSET

    Shape1 = new TShape(this);
    Shape1->SetName("Shape1");
    Shape1->SetBounds(0, 0, 534, 301);
    Shape1->SetPenWidth(2);
    Shape1->SetParent(this);
    lblProduct = new TLabel(this);
    lblProduct->SetName("lblProduct");
    lblProduct->SetBounds(12, 8, 429, 49);
    lblProduct->SetTransparent(true);
    lblProduct->SetCaption("Tesvo Plexon\rVersion 1.0 Build 304");
    lblProduct->SetParent(this);
    btnClose = new TButton(this);
    btnClose->SetName("btnClose");
    btnClose->SetBounds(412, 256, 103, 25);
    btnClose->SetCaption("Close");
    btnClose->SetDefault(true);
    btnClose->SetModalResult(mrOk);
    btnClose->SetParent(this);
    btnClose->SetTabOrder(0);
}

}  // namespace plexon
