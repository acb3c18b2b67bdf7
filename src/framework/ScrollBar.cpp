// The vertical scroll bar: geometry of arrows, track and thumb, and the held part's repeating.
#include "framework/ScrollBar.h"

#include <algorithm>
#include <utility>

#include "framework/ControlDrawing.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/Shapes.h"
#include "platform/window/Window.h"

namespace plexon {

namespace {
constexpr TColor clScrollBar = SystemColor(0);
constexpr int kMinThumb = 8;

void DrawArrow(gdi::HDC dc, const gdi::RECT& box, bool up, bool pressed, bool enabled) {
    FillSolid(dc, box, clBtnFace);
    gdi::RECT edge = box;
    gdi::DrawEdge(dc, &edge, pressed ? gdi::BDR_SUNKENOUTER : gdi::EDGE_RAISED,
                  pressed ? gdi::BF_RECT | gdi::BF_FLAT : gdi::BF_RECT);
    const int shift = pressed ? 1 : 0;
    const int cx = (box.left + box.right) / 2 + shift - (box.right - box.left) % 2 + 1;
    const int cy = (box.top + box.bottom) / 2 + shift;
    const gdi::POINT tip = {cx - 1, up ? cy - 2 : cy + 1};
    const int dy = up ? 3 : -3;
    const gdi::POINT arrow[3] = {tip, {tip.x - 3, tip.y + dy}, {tip.x + 3, tip.y + dy}};
    FillArrowGlyph(dc, arrow, enabled ? TextState::Enabled : TextState::Disabled);
}
}  // namespace

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
    SetTabStop(false);
    clickOnMouseUp_ = false;
}

TScrollBar::~TScrollBar() {
    StopRepeat();
}

void TScrollBar::SetParams(int max, int pageSize, int position) {
    max_ = std::max(0, max);
    pageSize_ = std::max(1, pageSize);
    position_ = std::clamp(position, 0, Range());
    Invalidate();
}

void TScrollBar::SetPosition(int position) {
    position = std::clamp(position, 0, Range());
    if (position == position_) return;
    position_ = position;
    Invalidate();
}

void TScrollBar::Scroll(int position) {
    const int old = position_;
    SetPosition(position);
    if (position_ != old && OnScroll) OnScroll(this);
}

int TScrollBar::ArrowHeight() const {
    return std::min(Width(), Height() / 2);
}

gdi::RECT TScrollBar::ThumbRect() const {
    const int arrow = ArrowHeight();
    const int track = Height() - 2 * arrow;
    if (Range() == 0 || track < kMinThumb) return {0, 0, 0, 0};
    const int thumb = std::max(kMinThumb, int(std::int64_t(track) * pageSize_ / max_));
    const int top = arrow + int(std::int64_t(track - thumb) * position_ / Range());
    return {0, top, Width(), top + thumb};
}

TScrollBar::Part TScrollBar::PartAt(int y) const {
    const int arrow = ArrowHeight();
    if (y < arrow) return Part::LineUp;
    if (y >= Height() - arrow) return Part::LineDown;
    const gdi::RECT thumb = ThumbRect();
    if (thumb.bottom == 0) return Part::None;
    if (y < thumb.top) return Part::PageUp;
    return y >= thumb.bottom ? Part::PageDown : Part::Thumb;
}

void TScrollBar::Step() {
    // Paging stops once the thumb reaches the pointer.
    if (held_ == Part::PageUp || held_ == Part::PageDown) pointerOnHeld_ = PartAt(pointerY_) == held_;
    if (!pointerOnHeld_) return;
    switch (held_) {
        case Part::LineUp:
            Scroll(position_ - 1);
            break;
        case Part::LineDown:
            Scroll(position_ + 1);
            break;
        case Part::PageUp:
            Scroll(position_ - pageSize_);
            break;
        case Part::PageDown:
            Scroll(position_ + pageSize_);
            break;
        default:
            break;
    }
}

void TScrollBar::StopRepeat() {
    if (timer_) window::TheDesktop().KillTimer(std::exchange(timer_, 0));
}

void TScrollBar::MouseDown(MouseButton button, Shift shift, int x, int y) {
    TWinControl::MouseDown(button, shift, x, y);
    if (button != MouseButton::Left || Range() == 0) return;
    held_ = PartAt(y);
    pointerY_ = y;
    pointerOnHeld_ = true;
    window::TheDesktop().SetCapture(Handle());
    if (held_ == Part::Thumb) {
        dragOffset_ = y - ThumbRect().top;
    } else {
        Step();
        // The first repeat waits longer, so that a click steps once.
        timer_ = window::TheDesktop().SetTimer(kRepeatDelay, [this] {
            StopRepeat();
            timer_ = window::TheDesktop().SetTimer(kRepeatInterval, [this] { Step(); });
        });
    }
    Invalidate();
}

void TScrollBar::MouseMove(Shift shift, int x, int y) {
    TWinControl::MouseMove(shift, x, y);
    if (held_ == Part::None) return;
    pointerY_ = y;
    if (held_ == Part::Thumb) {
        const gdi::RECT thumb = ThumbRect();
        const int free = Height() - 2 * ArrowHeight() - (thumb.bottom - thumb.top);
        if (free <= 0) return;
        const int top = y - dragOffset_ - ArrowHeight();
        Scroll(int((std::int64_t(top) * Range() + free / 2) / free));
        return;
    }
    const bool on = x >= 0 && x < Width() && PartAt(y) == held_;
    if (on != pointerOnHeld_) {
        pointerOnHeld_ = on;
        Invalidate();
    }
}

void TScrollBar::MouseUp(MouseButton button, Shift shift, int x, int y) {
    StopRepeat();
    held_ = Part::None;
    if (window::TheDesktop().Capture() == Handle()) window::TheDesktop().ReleaseCapture();
    Invalidate();
    TWinControl::MouseUp(button, shift, x, y);
}

void TScrollBar::MouseCaptureLost() {
    TWinControl::MouseCaptureLost();
    StopRepeat();
    held_ = Part::None;
    Invalidate();
}

window::AccessibleValue TScrollBar::Value() const {
    return {double(position_), 0, double(Range())};
}

void TScrollBar::Paint() {
    const gdi::HDC dc = Canvas().Handle();
    const bool enabled = ReallyEnabled() && Range() > 0;
    const int arrow = ArrowHeight();
    const bool pressedUp = held_ == Part::LineUp && pointerOnHeld_;
    const bool pressedDown = held_ == Part::LineDown && pointerOnHeld_;
    DrawArrow(dc, {0, 0, Width(), arrow}, true, pressedUp, enabled);
    DrawArrow(dc, {0, Height() - arrow, Width(), Height()}, false, pressedDown, enabled);
    const gdi::RECT track{0, arrow, Width(), Height() - arrow};
    FillSolid(dc, track, clScrollBar);
    const gdi::RECT thumb = ThumbRect();
    if (!enabled || thumb.bottom == 0) return;
    // The held track part shows dark up to the thumb.
    if (pointerOnHeld_ && held_ == Part::PageUp) FillSolid(dc, {0, arrow, Width(), thumb.top}, cl3DDkShadow);
    if (pointerOnHeld_ && held_ == Part::PageDown)
        FillSolid(dc, {0, thumb.bottom, Width(), Height() - arrow}, cl3DDkShadow);
    FillSolid(dc, thumb, clBtnFace);
    gdi::RECT edge = thumb;
    gdi::DrawEdge(dc, &edge, gdi::EDGE_RAISED, gdi::BF_RECT);
}

}  // namespace plexon
