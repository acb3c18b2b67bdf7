// The push button.
#include "framework/Button.h"

#include "framework/AccessKeyCues.h"
#include "framework/ControlDrawing.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/FocusRect.h"
#include "platform/gdi/Text.h"
#include "platform/window/Window.h"

namespace plexon {

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
    focusOnClick_ = true;
    clickOnMouseUp_ = false;
}

void TButton::MouseDown(MouseButton button, Shift shift, int x, int y) {
    TWinControl::MouseDown(button, shift, x, y);
    press_.MouseDown(button);
}

void TButton::MouseMove(Shift shift, int x, int y) {
    TWinControl::MouseMove(shift, x, y);
    press_.MouseMove(x, y);
}

void TButton::MouseUp(MouseButton button, Shift shift, int x, int y) {
    const bool acts = press_.MouseUp(button);
    TWinControl::MouseUp(button, shift, x, y);
    if (acts) Click();  // last: it may free the control
}

void TButton::KeyDown(int& key, Shift shift) {
    TButtonControl::KeyDown(key, shift);
    press_.KeyDown(key);
}

void TButton::KeyUp(int& key, Shift shift) {
    TButtonControl::KeyUp(key, shift);
    if (press_.KeyUp(key)) Click();
}

void TButton::WndProc(window::Message& message) {
    press_.Message(message);
    TButtonControl::WndProc(message);
}

void TButton::Paint() {
    const gdi::HDC dc = Canvas().Handle();
    gdi::RECT r = ClientRect();
    // The button that Enter would press wears a dark frame: the focused one, else the default one.
    TForm* form = ParentForm();
    const bool focused = Focused();
    const bool framed =
        focused || (Default() && form && !dynamic_cast<TButtonControl*>(form->ActiveControl()));
    if (framed) {
        FrameSolid(dc, r, cl3DDkShadow);
        r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
    if (press_.Down()) {
        FrameSolid(dc, r, clBtnShadow);
    } else {
        gdi::RECT edge = r;
        gdi::DrawEdge(dc, &edge, gdi::EDGE_RAISED, gdi::BF_RECT);
    }
    gdi::RECT text = ClientRect();
    if (press_.Down()) text = {text.left + 1, text.top + 1, text.right + 1, text.bottom + 1};
    DrawControlText(dc, Caption(), text,
                    gdi::DT_CENTER | gdi::DT_VCENTER | gdi::DT_SINGLELINE | AccessKeyCueFormat(*this), Font(),
                    ReallyEnabled() ? TextState::Enabled : TextState::Disabled);
    if (focused) {
        const gdi::RECT focus{4, 4, Width() - 4, Height() - 4};
        gdi::DrawFocusRect(dc, &focus);
    }
}

}  // namespace plexon
