// The push button in the classic 3D look: pressed by the mouse (click on release inside), by Space
// while focused, by Enter and Esc through the form as default or cancel button, and by its "&"
// accelerator. A focused button, or the default one, wears a dark frame.
#pragma once

#include "framework/Form.h"

namespace plexon {

class TButton : public TButtonControl {
  public:
    explicit TButton(TComponent* owner);

    bool Down() const { return down_; }

    void MouseDown(MouseButton button, Shift shift, int x, int y) override;
    void MouseMove(Shift shift, int x, int y) override;
    void MouseUp(MouseButton button, Shift shift, int x, int y) override;
    void KeyDown(int& key, Shift shift) override;
    void KeyUp(int& key, Shift shift) override;

  protected:
    void Paint() override;
    void WndProc(window::Message& message) override;

  private:
    void SetDown(bool down);
    bool tracking_ = false;
    bool spaceDown_ = false;
    bool down_ = false;
};

}  // namespace plexon
