// A canvas over a device context lent by the window layer for one paint: it neither makes nor
// frees contexts.
#pragma once

#include "graphics/Canvas.h"

namespace plexon {

class TControlCanvas : public TCanvas {
  public:
    void Attach(gdi::HDC dc) { SetHandle(dc); }
    void Detach() { SetHandle(nullptr); }
};

}  // namespace plexon
