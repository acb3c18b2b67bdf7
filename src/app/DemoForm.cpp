// The demo form: one of each standard control under the caption "Plexon controls", and the `demo`
// command that runs it. Opening a display or parsing arguments is left to the window program.
#include "app/DemoForm.h"

#include <cstdint>
#include <iostream>
#include <memory>

#include "app/Accessibility.h"
#include "app/ApplicationIcon.h"
#include "framework/Application.h"
#include "framework/Bevel.h"
#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/MaskEdit.h"
#include "framework/PlaceControl.h"
#include "framework/Shape.h"
#include "graphics/Bitmap.h"
#include "platform/window/Window.h"

namespace plexon {

namespace {

template <class Control>
Control* Place(TForm* form, const char* name, int left, int top, int width, int height) {
    return PlaceControl<Control>(form, form, name, left, top, width, height);
}

// A small picture for the image control: a colour ramp made in code.
std::unique_ptr<TBitmap> RampPicture() {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelLayout(BitmapPixelLayout::Bits32);
    bitmap->SetWidth(48);
    bitmap->SetHeight(48);
    for (int y = 0; y < 48; ++y) {
        auto* row = static_cast<std::uint8_t*>(bitmap->RowPointer(y));
        for (int x = 0; x < 48; ++x) {
            row[x * 4 + 0] = std::uint8_t(x * 5);
            row[x * 4 + 1] = std::uint8_t(y * 5);
            row[x * 4 + 2] = std::uint8_t(255 - x * 5);
            row[x * 4 + 3] = 0;
        }
    }
    return bitmap;
}

}  // namespace

TDemoForm::TDemoForm(TComponent* owner) : TForm(owner) {
    TDemoForm* form = this;
    form->SetName("frmDemo");
    form->SetCaption("Plexon controls");
    form->SetBorderStyle(bsSingle);
    form->SetAccessibleRole(window::AccessibleRole::Frame);
    form->SetPosition(poScreenCenter);
    form->SetBounds(0, 0, 413, 353);
    auto* bevel = Place<TBevel>(form, "Bevel1", 0, 290, 413, 5);
    bevel->SetShape(TBevelShape::bsTopLine);
    auto* label = Place<TLabel>(form, "lblInfo", 12, 12, 389, 30);
    label->SetWordWrap(true);
    label->SetCaption("One of each standard control. Tab moves the focus; Enter presses the default button.");
    Place<TLabel>(form, "lblState", 12, 56, 100, 13)->SetCaption("State count:");
    auto* combo = Place<TComboBox>(form, "cbImageState", 120, 52, 145, 21);
    for (const char* item : {"2 state images", "3 state images", "4 state images"}) combo->Items().Add(item);
    combo->SetItemIndex(1);
    Place<TLabel>(form, "lblSuffix", 12, 92, 100, 13)->SetCaption("Hot suffix:");
    auto* edit = Place<TMaskEdit>(form, "txtSuffixHot", 120, 88, 37, 21);
    edit->SetEditMask("_A;1;_");
    edit->SetMaskedText("_h");
    auto* image = Place<TImage>(form, "imgRamp", 12, 130, 48, 48);
    image->SetGraphic(RampPicture(), "TBitmap");
    auto* shape = Place<TShape>(form, "shpBox", 80, 130, 64, 48);
    shape->SetBrushColor(clSkyBlue);
    shape->SetPenColor(clNavy);
    auto* disabled = Place<TButton>(form, "btnDisabled", 160, 140, 90, 25);
    disabled->SetCaption("Disabled");
    disabled->SetEnabled(false);
    auto* hello = Place<TButton>(form, "btnHello", 246, 310, 75, 25);
    hello->SetCaption("&Hello");
    hello->OnClick = [this](TComponent*) { *out << "Hello clicked" << std::endl; };
    auto* close = Place<TButton>(form, "btnClose", 326, 310, 75, 25);
    close->SetCaption("&Close");
    close->SetDefault(true);
    close->OnClick = [this](TComponent*) {
        *out << "Close clicked" << std::endl;
        Close();
    };
    combo->SetTabOrder(0);
}

int RunDemo(Console& console) {
    Application().Initialize();
    Application().SetTitle("Plexon controls");
    window::TheDesktop().Native().SetApplicationIcon(DrawApplicationIcon(kWindowIconSize));
    TDemoForm* created = nullptr;
    Application().CreateForm(created);
    const std::unique_ptr<TDemoForm> form(created);
    form->out = &console.out;
    StartAccessibility();
    Application().Run();
    return kExitDone;
}

}  // namespace plexon
