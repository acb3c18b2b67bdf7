// The Options dialog's layout. Enter, Esc, the close box and the field checks come from the form,
// its default and cancel buttons and the masked edit.
#include "forms/FormOptions.h"

#include <algorithm>
#include <string>

#include "controls/PxGroupBox.h"
#include "forms/CaptionedGroup.h"
#include "forms/MessageDialog.h"
#include "framework/Bevel.h"
#include "framework/Button.h"
#include "framework/CheckBox.h"
#include "framework/ComboBox.h"
#include "framework/Label.h"
#include "framework/MaskEdit.h"
#include "framework/PlaceControl.h"
#include "runtime/Utf8.h"
#include "weld/Settings.h"
#include "weld/SuffixLetters.h"

namespace plexon {

TfrmOptions* frmOptions = nullptr;

namespace {

TPxGroupBox* Group(TfrmOptions* form, const char* name, int top, int height, const char* caption,
                   int tabOrder) {
    return CaptionedGroup(form, name, 8, top, 241, height, caption, tabOrder);
}

TMaskEdit* SuffixField(TfrmOptions* form, TWinControl* parent, const char* name, int top, int width,
                       int tabOrder) {
    auto* field = PlaceControl<TMaskEdit>(form, parent, name, 68, top, width, 21);
    field->SetEditMask("_A;1;_");
    field->SetMaxLength(2);
    field->SetTabOrder(tabOrder);
    return field;
}

}  // namespace

TfrmOptions::TfrmOptions(TComponent* owner) : TForm(owner) {
    SetName("frmOptions");
    SetCaption("Options");
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(257);
    SetClientHeight(285);
    Font().SetName("Tahoma");
    Font().SetHeight(-11);

    Bevel1 = PlaceControl<TBevel>(this, this, "Bevel1", 0, 235, 257, 5);
    Bevel1->SetShape(TBevelShape::bsTopLine);
    Bevel1->SetAnchors(akLeft | akRight | akBottom);
    btnOK = PlaceControl<TButton>(this, this, "btnOK", 88, 247, 75, 25);
    btnOK->SetCaption("OK");
    btnOK->SetDefault(true);
    btnOK->SetModalResult(mrOk);
    btnOK->SetAnchors(akRight | akBottom);
    btnOK->SetTabOrder(0);
    // OK and Enter check all three fields, changed or not: letters that two states share, or none,
    // would make file names mean the wrong state.
    btnOK->OnClick = [this](TComponent*) {
        if (AreSuffixLetters(Letters())) return;
        SetModalResult(mrNone);
        RunMessageDialog(std::string(msg::kSuffixLetters), mtInformation, {mbOK}, 0, -1, -1, "");
    };
    btnCancel = PlaceControl<TButton>(this, this, "btnCancel", 172, 247, 75, 25);
    btnCancel->SetCaption("Cancel");
    btnCancel->SetCancel(true);
    btnCancel->SetModalResult(mrCancel);
    btnCancel->SetAnchors(akRight | akBottom);
    btnCancel->SetTabOrder(1);
    PxGroupBox2 = Group(this, "PxGroupBox2", 8, 109, "File suffix information", 2);

    Label1 = PlaceControl<TLabel>(this, PxGroupBox2, "Label1", 116, 20, 111, 39);
    Label1->SetCaption("The file suffix identifies\rthe icon state; hot, \rdisabled or pressed.");
    Label1->Font().SetColor(clNavy);
    Label2 = PlaceControl<TLabel>(this, PxGroupBox2, "Label2", 16, 24, 17, 13);
    Label2->SetCaption("Hot");
    Label3 = PlaceControl<TLabel>(this, PxGroupBox2, "Label3", 16, 52, 40, 13);
    Label3->SetCaption("Disabled");
    Label4 = PlaceControl<TLabel>(this, PxGroupBox2, "Label4", 16, 80, 38, 13);
    Label4->SetCaption("Pressed");
    txtSuffixHot = SuffixField(this, PxGroupBox2, "txtSuffixHot", 20, 37, 0);
    txtSuffixDisabled = SuffixField(this, PxGroupBox2, "txtSuffixDisabled", 48, 36, 1);
    txtSuffixPressed = SuffixField(this, PxGroupBox2, "txtSuffixPressed", 76, 36, 2);
    // Each state's name, left of its field, names the field for a screen reader.
    Label2->SetFocusControl(txtSuffixHot);
    Label3->SetFocusControl(txtSuffixDisabled);
    Label4->SetFocusControl(txtSuffixPressed);
    // As the dialog is described: "_h", "_d" and "_p" until the main window fills them.
    txtSuffixHot->SetMaskedText("_h");
    txtSuffixDisabled->SetMaskedText("_d");
    txtSuffixPressed->SetMaskedText("_p");

    PxGroupBox3 = Group(this, "PxGroupBox3", 124, 105, "Strip format", 3);
    cbStripFormat = PlaceControl<TComboBox>(this, PxGroupBox3, "cbStripFormat", 16, 20, 209, 21);
    for (const char* item : {"BMP (as before)", "PNG with transparency", "BMP with transparency"})
        cbStripFormat->Items().Add(item);
    cbStripFormat->SetItemHeight(13);
    cbStripFormat->SetTabOrder(0);
    SetStripFormat(StripFormat::Bmp);
    chkDeriveMissing = PlaceControl<TCheckBox>(this, PxGroupBox3, "chkDeriveMissing", 8, 48, 225, 17);
    chkDeriveMissing->SetCaption("Make missing states from the Normal image");
    chkDeriveMissing->SetTabOrder(1);
    lblSvgSize = PlaceControl<TLabel>(this, PxGroupBox3, "lblSvgSize", 16, 80, 97, 13);
    lblSvgSize->SetCaption("Size for SVG images");
    cbSvgSize = PlaceControl<TComboBox>(this, PxGroupBox3, "cbSvgSize", 160, 76, 65, 21);
    for (const int size : kSvgSizes) cbSvgSize->Items().Add(std::to_string(size));
    cbSvgSize->SetItemHeight(13);
    cbSvgSize->SetTabOrder(2);
    lblSvgSize->SetFocusControl(cbSvgSize);
    SetSvgSize(kDefaultSvgSize);
}

void TfrmOptions::SetStripFormat(StripFormat format) {
    cbStripFormat->SetItemIndex(static_cast<int>(format));
}

StripFormat TfrmOptions::ChosenStripFormat() const {
    return StripFormat(cbStripFormat->ItemIndex());
}

void TfrmOptions::SetSvgSize(int size) {
    const auto* at = std::find(kSvgSizes.begin(), kSvgSizes.end(), size);
    if (at == kSvgSizes.end()) at = std::find(kSvgSizes.begin(), kSvgSizes.end(), kDefaultSvgSize);
    cbSvgSize->SetItemIndex(static_cast<int>(at - kSvgSizes.begin()));
}

int TfrmOptions::ChosenSvgSize() const {
    const int index = cbSvgSize->ItemIndex();
    return index >= 0 && index < int(kSvgSizes.size()) ? kSvgSizes[std::size_t(index)] : kDefaultSvgSize;
}

SuffixSettings TfrmOptions::Letters() const {
    // The character after the fixed "_", however many bytes it takes; an empty field reads as a blank.
    const auto letter = [](const TMaskEdit* field) {
        const std::string text = field->MaskedText();
        const std::size_t from = utf8::OffsetOf(text, 1);
        return text.substr(from, utf8::OffsetOf(text, 2) - from);
    };
    return {letter(txtSuffixHot), letter(txtSuffixDisabled), letter(txtSuffixPressed)};
}

}  // namespace plexon
