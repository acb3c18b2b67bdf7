// The check box.
#include "framework/CheckBox.h"

#include <algorithm>

#include "framework/ControlDrawing.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/FocusRect.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/Text.h"
#include "platform/window/Window.h"

namespace plexon {

namespace {

constexpr int kBoxSize = 13;
constexpr int kCaptionGap = 4;  // between the box and the caption

// The check mark: seven columns, each three pixels tall, falling then rising, from the interior's
// top-left pixel plus one.
constexpr int kMarkTops[] = {2, 3, 4, 3, 2, 1, 0};

}  // namespace

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetBounds(0, 0, 97, 17);
    SetParentColor(true);
    focusOnClick_ = true;
}

void TCheckBox::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    Invalidate();
}

void TCheckBox::Toggle() {
    SetChecked(!checked_);
    Click();
}

window::AccessibleStates TCheckBox::States() const {
    const window::AccessibleStates states = TWinControl::States();
    return checked_ ? states.With(window::AccessibleState::Checked) : states;
}

bool TCheckBox::DoAction(int index) {
    if (index != 0 || !CanFocus() || !AcceptsInput()) return false;
    Toggle();
    return true;
}

bool TCheckBox::Accelerate(char32_t ch) {
    if (!IsAccelerator(ch) || !CanFocus()) return false;
    SetFocus();
    Toggle();
    return true;
}

void TCheckBox::MouseDown(MouseButton button, Shift shift, int x, int y) {
    TWinControl::MouseDown(button, shift, x, y);
    press_.MouseDown(button);
}

void TCheckBox::MouseMove(Shift shift, int x, int y) {
    TWinControl::MouseMove(shift, x, y);
    press_.MouseMove(x, y);
}

void TCheckBox::MouseUp(MouseButton button, Shift shift, int x, int y) {
    const bool acts = press_.MouseUp(button);
    TWinControl::MouseUp(button, shift, x, y);
    if (acts) Toggle();  // last: it may free the control
}

void TCheckBox::KeyDown(int& key, Shift shift) {
    TWinControl::KeyDown(key, shift);
    press_.KeyDown(key);
}

void TCheckBox::KeyUp(int& key, Shift shift) {
    TWinControl::KeyUp(key, shift);
    if (press_.KeyUp(key)) Toggle();
}

void TCheckBox::WndProc(window::Message& message) {
    press_.Message(message);
    TWinControl::WndProc(message);
}

void TCheckBox::Paint() {
    const gdi::HDC dc = Canvas().Handle();
    const bool enabled = ReallyEnabled();
    gdi::RECT box{0, (Height() - kBoxSize) / 2, kBoxSize, (Height() - kBoxSize) / 2 + kBoxSize};
    gdi::DrawEdge(dc, &box, gdi::EDGE_SUNKEN, gdi::BF_RECT | gdi::BF_ADJUST);
    FillSolid(dc, box, press_.Down() || !enabled ? clBtnFace : clWindow);
    if (checked_) {
        const gdi::COLORREF ink = ResolveColor(enabled ? clWindowText : clBtnShadow);
        for (int column = 0; column < 7; ++column)
            for (int row = 0; row < 3; ++row)
                gdi::SetPixel(dc, box.left + 1 + column, box.top + 1 + kMarkTops[column] + row, ink);
    }
    const gdi::UINT format = gdi::DT_LEFT | gdi::DT_VCENTER | gdi::DT_SINGLELINE;
    const gdi::RECT text{kBoxSize + kCaptionGap, 0, Width(), Height()};
    DrawControlText(dc, Caption(), text, format, Font(), enabled ? TextState::Enabled : TextState::Disabled);
    if (Focused() && !Caption().empty()) {
        // Round the caption as drawn, one pixel clear of it, within the control.
        const gdi::RECT used = MeasureControlText(dc, Caption(), text, format, Font());
        const int top = (Height() - (used.bottom - used.top)) / 2;
        const gdi::RECT focus{text.left - 1, std::max(0, top - 1), std::min(Width(), used.right + 1),
                              std::min(Height(), top + (used.bottom - used.top) + 1)};
        gdi::DrawFocusRect(dc, &focus);
    }
}

}  // namespace plexon
