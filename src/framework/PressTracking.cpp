// Pressing a button-like control with the mouse or Space.
#include "framework/PressTracking.h"

#include "platform/window/Window.h"

namespace plexon {

void TPressTracking::SetDown(bool down) {
    if (down == down_) return;
    down_ = down;
    control_.Invalidate();
}

void TPressTracking::MouseDown(MouseButton button) {
    if (button != MouseButton::Left) return;
    tracking_ = true;
    SetDown(true);
    window::TheDesktop().SetCapture(control_.Handle());
}

void TPressTracking::MouseMove(int x, int y) {
    if (tracking_) SetDown(x >= 0 && y >= 0 && x < control_.Width() && y < control_.Height());
}

bool TPressTracking::MouseUp(MouseButton button) {
    const bool acts = tracking_ && button == MouseButton::Left && down_;
    if (button == MouseButton::Left && tracking_) {
        tracking_ = false;
        SetDown(false);
        if (window::TheDesktop().Capture() == control_.Handle()) window::TheDesktop().ReleaseCapture();
    }
    return acts;
}

void TPressTracking::KeyDown(int key) {
    if (key == window::vk::kSpace && !spaceDown_) {
        spaceDown_ = true;
        SetDown(true);
    }
}

bool TPressTracking::KeyUp(int key) {
    if (key != window::vk::kSpace || !spaceDown_) return false;
    spaceDown_ = false;
    SetDown(false);
    return true;
}

void TPressTracking::Message(const window::Message& message) {
    if (message.kind == window::MessageKind::CaptureLost && tracking_) {
        tracking_ = false;
        SetDown(false);
    }
    if (message.kind == window::MessageKind::KillFocus && spaceDown_) {
        spaceDown_ = false;
        SetDown(false);
    }
}

}  // namespace plexon
