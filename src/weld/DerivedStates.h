// States made from an icon's Normal image when it has no file for them: Disabled greyed, Hot lighter,
// Pressed darker and moved one pixel right and down.
#pragma once

#include "graphics/RgbaImage.h"
#include "weld/ImageState.h"
#include "weld/Slots.h"
#include "weld/StripPlan.h"
#include "weld/WeldRequest.h"

namespace plexon {

// The used states of the strip that the run makes from its Normal image: none unless the request
// derives missing states and the icon has a Normal file.
StateFlags DerivedStates(const WeldRequest& request, const PlannedStrip& strip);
// The same from the states that have an image (the composers' loaded states).
StateFlags DerivedStates(const WeldRequest& request, const StateFlags& present);
// The states the run loads for the strip: the used ones, and Normal when a state is made from it.
StateFlags StatesToLoad(const WeldRequest& request, const PlannedStrip& strip);

// The state made from the Normal image as it sits in its slot (slot-sized). For strips without alpha
// the image is opaque (blended over white) and `keepsAlpha` is false; the freed row and column of
// Pressed are then white, else transparent. `state` is Hot, Disabled or Pressed. Disabled is a grey
// halfway to white without alpha, and with alpha a grey at half the opacity.
RgbaImage DeriveState(ImageState state, const RgbaImage& normal, bool keepsAlpha);

}  // namespace plexon
