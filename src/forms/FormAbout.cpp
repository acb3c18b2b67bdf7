// The About window's layout in creation order (later controls draw over earlier ones), with the
// picture read from its form value as the build embedded it.
#include "forms/FormAbout.h"

#include "controls/MarkupLabel.h"
#include "controls/PxPanelFill.h"
#include "framework/Button.h"
#include "framework/Image.h"
#include "framework/PlaceControl.h"
#include "framework/Shape.h"
#include "graphics/ModuleResources.h"
#include "runtime/Exceptions.h"
#include "runtime/Stream.h"

namespace plexon {

TfrmAbout* frmAbout = nullptr;

// The inner FONT elements of the name stay open, as the renderer restores only what a closing tag names.
const char* const kAboutProductMarkup =
    "<FONT size=\"16\"><b>Tes<FONT color=\"#FF8000\">vo <FONT color=\"#004080\">Plexon</b></FONT><br>"
    "<FONT color=\"#808080\">Version 1.0 Build 304</FONT>";
const char* const kAboutTermsMarkup =
    "This application is provided free of charge, and without any warranty. The user accepts all "
    "responsibility for any problems that may arise from the use of this software.<br><br>"
    "If you do find any problems or bugs, have a question, or would like to make a comment or suggestion, "
    "please let us know - <a href=\"mailto:info@tesvo.example\">info@tesvo.example</a><br><br>"
    "<FONT color=\"#808080\"><FONT size=\"7\">Tesvo Plexon is protected by copyright. Copying, selling or "
    "passing on this program or any part of it without our written permission is not allowed and may be "
    "prosecuted.</FONT></FONT>";
const char* const kAboutWebMarkup =
    "<P align=\"center\"><b>Visit our web site for updates and other utilities - and of course, our great "
    "icons, animations && graphics!<br><br><FONT size=\"12\"><a href=\"https://www.tesvo.example/\">"
    "www.tesvo.example</a></FONT></b></P>";

namespace {

// The picture's form value: "TJPEGImage", the byte count and the JPEG file (tools/make_about_picture).
constexpr std::string_view kPictureResource = "about_picture.data";

std::unique_ptr<TMemoryStream> PictureValue() {
    const auto bytes = ProgramResources().Find(kPictureResource, ResourceType::RawData);
    if (!bytes) throw EResNotFound(Format(msg::kResNotFound, {kPictureResource}));
    auto stream = std::make_unique<TMemoryStream>();
    stream->WriteBuffer(bytes->data(), std::int64_t(bytes->size()));
    stream->SetPosition(0);
    return stream;
}

TMarkupLabel* Label(TfrmAbout* form, const char* name, int left, int top, int width, int height,
                    const char* markup) {
    auto* label = PlaceControl<TMarkupLabel>(form, form, name, left, top, width, height);
    label->SetTransparent(true);
    label->SetURLColor(clBlue);
    label->SetShadowColor(clGray);
    label->SetShadowOffset(2);
    label->SetVAlignment(tvaTop);
    label->SetAutoSizing(false);
    label->SetEllipsis(false);
    label->SetHover(false);
    label->SetAnchorHint(false);
    label->SetHintShowFull(false);
    label->SetHTMLText(markup);
    return label;
}

}  // namespace

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

    Shape1 = PlaceControl<TShape>(this, this, "Shape1", 0, 0, 534, 301);
    Shape1->SetPenWidth(2);
    MarkupLabel1 = Label(this, "MarkupLabel1", 264, 12, 265, 205, kAboutTermsMarkup);
    Image1 = PlaceControl<TImage>(this, this, "Image1", 3, 28, 250, 200);
    Image1->SetAutoSize(true);
    Image1->ReadPictureData(*PictureValue());
    MarkupLabel4 = Label(this, "MarkupLabel4", 8, 216, 221, 77, kAboutWebMarkup);
    MarkupLabel2 = Label(this, "MarkupLabel2", 12, 8, 429, 49, kAboutProductMarkup);
    btnClose = PlaceControl<TButton>(this, this, "btnClose", 412, 256, 103, 25);
    btnClose->SetCaption("Close");
    btnClose->SetDefault(true);
    btnClose->SetModalResult(mrOk);
    btnClose->SetTabOrder(0);

    PxPanelFill1 = PlaceControl<TPxPanelFill>(this, this, "PxPanelFill1", 248, 12, 5, 281);
    PxPanelFill1->SetTabOrder(1);
    PxPanelFill1->Bevel().SetMode(bmCustom);
    TPxGradient& gradient = PxPanelFill1->FillObject().Gradient();
    gradient.BeginUpdate();
    gradient.SetColor(clWhite);
    gradient.SetEndColor(clBtnFace);
    gradient.SetColorCount(128);
    gradient.SetTwoColors(false);
    gradient.SetColorList(
        {TColor(0xFFFFFF), TColor(0x804000), TColor(0xFFFFFF)});  // white, RGB(0, 64, 128), white
    gradient.EndUpdate(true);
    PxPanelFill1->FillObject().SetStyle(sfGradient);
}

}  // namespace plexon
