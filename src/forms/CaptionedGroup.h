// The program's windows group their controls in etched boxes with a bold Tahoma caption; one place
// makes them so, so the main window and Options look alike.
#pragma once

#include "controls/PxGroupBox.h"
#include "framework/PlaceControl.h"

namespace plexon {

template <class Form>
TPxGroupBox* CaptionedGroup(Form* form, const char* name, int left, int top, int width, int height,
                            const char* caption, int tabOrder) {
    auto* box = PlaceControl<TPxGroupBox>(form, form, name, left, top, width, height);
    box->SetCaption(caption);
    box->SetTabOrder(tabOrder);
    box->Bevel().SetMode(bmWindows);
    box->CaptionFont().SetName("Tahoma");
    box->CaptionFont().SetHeight(-11);
    box->CaptionFont().SetStyle({TFontStyle::Bold});
    return box;
}

}  // namespace plexon
