// The panel family's shared behaviour: bevel-aware alignment and parent-drawn transparency.
#include "controls/PxCustomPanel.h"

#include "framework/ControlDrawing.h"

namespace plexon {

TPxCustomPanel::TPxCustomPanel(TComponent* owner) : TWinControl(owner) {
    bevel_.OnChange = [this] { SettingsChanged(); };
}

void TPxCustomPanel::SetTransparent(bool value) {
    if (value == transparent_) return;
    transparent_ = value;
    Invalidate();
}

void TPxCustomPanel::SetTransparentBorder(bool value) {
    if (value == transparentBorder_) return;
    transparentBorder_ = value;
    Invalidate();
}

bool TPxCustomPanel::CopyBackground(gdi::HDC, const gdi::RECT&, int, int) {
    return false;
}

gdi::RECT TPxCustomPanel::AlignRect() const {
    const int w = bevel_.Width();
    const gdi::RECT r = ClientRect();
    return {r.left + w, r.top + w, r.right - w, r.bottom - w};
}

void TPxCustomPanel::EraseBackground(gdi::HDC dc) {
    if (transparent_)
        PaintParentBackground(dc, ClientRect());
    else
        TWinControl::EraseBackground(dc);
}

void TPxCustomPanel::PaintParentBackground(gdi::HDC dc, const gdi::RECT& r) {
    auto* panel = dynamic_cast<TPxCustomPanel*>(Parent());
    const gdi::RECT area{r.left + Left(), r.top + Top(), r.right + Left(), r.bottom + Top()};
    if (panel && panel->CopyBackground(dc, area, r.left, r.top)) return;
    FillSolid(dc, r, Parent() ? Parent()->Color() : Color());
}

void TPxCustomPanel::SettingsChanged() {
    AlignControls();
    Invalidate();
}

}  // namespace plexon
