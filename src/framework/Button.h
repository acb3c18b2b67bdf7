// The push button in the classic 3D look: pressed by the mouse (click on release inside), by Space
// while focused, by Enter and Esc through the form as default or cancel button, and by its "&"
// accelerator. A focused button, or the default one, wears a dark frame.
#pragma once

#include "framework/Form.h"
#include "framework/PressTracking.h"

namespace plexon {

class TButton : public TButtonControl {
  public:
    explicit TButton(TComponent* owner);

    bool Down() const { return press_.Down(); }

    void MouseDown(MouseButton button, Shift shift, int x, int y) override;
    void MouseMove(Shift shift, int x, int y) override;
    void MouseUp(MouseButton button, Shift shift, int x, int y) override;
    void KeyDown(int& key, Shift shift) override;
    void KeyUp(int& key, Shift shift) override;

  protected:
    void Paint() override;
    void WndProc(window::Message& message) override;

  private:
    TPressTracking press_{*this};
};

}  // namespace plexon
