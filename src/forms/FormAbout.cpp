// The About window's layout: a borderless window framed by a two-pixel rectangle, with the picture
// read from its form value as the build embedded it.
#include "forms/FormAbout.h"

#include "framework/Button.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Shape.h"
#include "graphics/ModuleResources.h"
#include "runtime/Exceptions.h"
#include "runtime/Stream.h"

namespace plexon {

TfrmAbout* frmAbout = nullptr;

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

    Shape1 = new TShape(this);
    Shape1->SetName("Shape1");
    Shape1->SetBounds(0, 0, 534, 301);
    Shape1->SetPenWidth(2);
    Shape1->SetParent(this);
    Image1 = new TImage(this);
    Image1->SetName("Image1");
    Image1->SetBounds(3, 28, 250, 200);
    Image1->SetAutoSize(true);
    Image1->ReadPictureData(*PictureValue());
    Image1->SetParent(this);
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
