// How a push button or a check box is pressed: the left mouse button held on it (it shows pressed
// while the pointer stays inside, and acts when released inside), or Space held while it has the
// focus (it acts when Space comes up). Losing the capture or the focus lets go without acting.
#pragma once

#include "framework/WinControl.h"

namespace plexon {

class TPressTracking {
  public:
    explicit TPressTracking(TWinControl& control) : control_(control) {}

    // Shown pressed: the control paints itself so.
    bool Down() const { return down_; }

    // Each is called after the control's own handling; those that return true mean the control acts
    // (the caller acts last: acting may free the control).
    void MouseDown(MouseButton button);
    void MouseMove(int x, int y);
    bool MouseUp(MouseButton button);
    void KeyDown(int key);
    bool KeyUp(int key);
    // Called with every message before the control's own handling.
    void Message(const window::Message& message);

  private:
    void SetDown(bool down);

    TWinControl& control_;
    bool tracking_ = false;
    bool spaceDown_ = false;
    bool down_ = false;
};

}  // namespace plexon
