// The check box in the classic 3D look: a sunken 13 x 13 box with a check mark and the caption beside
// it. A click (released inside), Space while focused, or its "&" accelerator turns it over and calls
// OnClick; the focused box wears a dotted rectangle round its caption.
#pragma once

#include "framework/PressTracking.h"
#include "framework/WinControl.h"

namespace plexon {

class TCheckBox : public TWinControl {
  public:
    explicit TCheckBox(TComponent* owner);

    bool Checked() const { return checked_; }
    // Changes the mark only; OnClick is for the user's changes.
    void SetChecked(bool checked);
    // While the mouse or Space holds it, the box shows the face colour.
    bool Down() const { return press_.Down(); }

    bool Accelerate(char32_t ch) override;

    // A check box, checked while ticked, whose action "click" turns it over as a click does.
    window::AccessibleRole Role() const override { return window::AccessibleRole::CheckBox; }
    window::AccessibleStates States() const override;
    window::AccessibleFacets Facets() const override { return {window::AccessibleFacet::Action}; }
    int ActionCount() const override { return 1; }
    std::string ActionName(int index) const override { return index == 0 ? "click" : ""; }
    bool DoAction(int index) override;
    void MouseDown(MouseButton button, Shift shift, int x, int y) override;
    void MouseMove(Shift shift, int x, int y) override;
    void MouseUp(MouseButton button, Shift shift, int x, int y) override;
    void KeyDown(int& key, Shift shift) override;
    void KeyUp(int& key, Shift shift) override;

  protected:
    void Paint() override;
    void WndProc(window::Message& message) override;

  private:
    void Toggle();
    bool checked_ = false;
    TPressTracking press_{*this};
};

}  // namespace plexon
