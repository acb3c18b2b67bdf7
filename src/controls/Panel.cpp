// The plain panel: the background is the window's own; the bevel goes on top.
#include "controls/Panel.h"

#include "platform/gdi/Edges.h"

namespace plexon {

TPanel::TPanel(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 185, 41);
}

void TPanel::Paint() {
    gdi::RECT r = ClientRect();
    gdi::DrawEdge(Canvas().Handle(), &r, gdi::BDR_RAISEDINNER, gdi::BF_RECT);
}

}  // namespace plexon
