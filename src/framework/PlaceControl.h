// Creating a control in code the way a form description would: owned, named, placed and parented
// in one step, so form constructors read as a list of their controls.
#pragma once

#include "framework/Component.h"
#include "framework/Control.h"

namespace plexon {

template <class Control>
Control* PlaceControl(TComponent* owner, TWinControl* parent, const char* name, int left, int top, int width,
                      int height) {
    auto* control = new Control(owner);
    control->SetName(name);
    control->SetBounds(left, top, width, height);
    control->SetParent(parent);
    return control;
}

}  // namespace plexon
