// The control base: geometry, state flags, parent-following font and colour, and mouse events.
#include "framework/Control.h"

#include "framework/Form.h"
#include "framework/HintWindow.h"
#include "framework/WinControl.h"
#include "platform/window/Window.h"
#include "runtime/PrefixText.h"
#include "runtime/Utf8.h"

namespace plexon {

void AssignFont(TFont& target, const TFont& source) {
    target.Assign(source);
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
    font_.OnChange = [this](TFont&) { FontWasChanged(); };
}

TControl::~TControl() {
    MarkDestroying();
    HintControlGone(*this);
    if (parent_) parent_->RemoveControl(this);
}

bool TControl::GetHintInfo(gdi::POINT, THintInfo& info) {
    info.text = hint_;
    return !hint_.empty();
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent_) parent_->RemoveControl(this);
    if (parent) {
        parent->InsertControl(this);
        MakeFollowParent();
    }
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    if (parent_ && visible_) parent_->InvalidateChild(*this);
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    BoundsChanged();
    if (parent_) {
        if (visible_) parent_->InvalidateChild(*this);
        if (align_ != alNone) parent_->AlignControls();
    }
}

gdi::POINT TControl::ClientToScreen(gdi::POINT p) const {
    for (const TControl* c = this; c; c = c->parent_) {
        p.x += c->left_;
        p.y += c->top_;
    }
    return p;
}

gdi::POINT TControl::ScreenToClient(gdi::POINT p) const {
    const gdi::POINT origin = ClientToScreen({0, 0});
    return {p.x - origin.x, p.y - origin.y};
}

void TControl::SetAlign(TAlign align) {
    if (align == align_) return;
    align_ = align;
    if (parent_) parent_->AlignControls();
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    if (parent_) parent_->InvalidateChild(*this);
    visible_ = visible;
    VisibilityChanged();
    if (parent_) {
        parent_->InvalidateChild(*this);
        if (align_ != alNone) parent_->AlignControls();
    }
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    EnabledChanged();
}

bool TControl::ReallyVisible() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

bool TControl::Accelerate(char32_t) { return false; }

bool TControl::IsAccelerator(char32_t ch) const {
    const std::optional<char32_t> accelerator = AcceleratorOf(caption_);
    return accelerator && utf8::UpperCase(*accelerator) == utf8::UpperCase(ch);
}

bool TControl::ReallyEnabled() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->enabled_) return false;
    return true;
}

bool TControl::AcceptsInput() const {
    const TForm* form = ParentForm();
    const window::HWND window = form ? form->handle_ : nullptr;
    return ReallyEnabled() && (!window || window::TheDesktop().IsReallyEnabled(window));
}

void TControl::SetParentFont(bool value) {
    parentFont_ = value;
    if (value) MakeFollowParent();
}

void TControl::FontChanged() {
    parentFont_ = false;
    ParentFontOrColorChanged();
}

void TControl::FontWasChanged() {
    // A change made by following the parent is announced once, by MakeFollowParent.
    if (!followingParent_) FontChanged();
}

void TControl::SetColor(TColor color) {
    parentColor_ = false;
    if (color == color_) return;
    color_ = color;
    ParentFontOrColorChanged();
}

void TControl::SetParentColor(bool value) {
    parentColor_ = value;
    if (value) MakeFollowParent();
}

void TControl::MakeFollowParent() {
    if (!parent_) return;
    if (parentFont_) {
        followingParent_ = true;
        font_.Assign(parent_->font_);
        followingParent_ = false;
    }
    if (parentColor_) color_ = parent_->color_;
    ParentFontOrColorChanged();
}

void TControl::ParentFontOrColorChanged() {
    Invalidate();
}

void TControl::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    CaptionChanged();
}

void TControl::SetCursor(TCursor cursor) {
    cursor_ = cursor;
    CursorChanged();
}

void TControl::CursorChanged() {
    if (parent_) parent_->ChildCursorChanged(*this);
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::Invalidate() {
    if (parent_ && visible_) parent_->InvalidateChild(*this);
}

void TControl::Repaint() {
    Invalidate();
    for (const TControl* c = this; c; c = c->parent_) {
        if (auto* win = dynamic_cast<const TWinControl*>(c); win && win->HandleAllocated()) {
            window::TheDesktop().UpdateWindow(win->handle_);
            return;
        }
    }
}

void TControl::BringToFront() {
    if (parent_) {
        auto& list = parent_->controls_;
        std::erase(list, this);
        list.push_back(this);
        Invalidate();
    }
}

TForm* TControl::ParentForm() const {
    const TControl* c = this;
    while (c->parent_) c = c->parent_;
    return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

void TControl::MouseDown(MouseButton button, Shift shift, int x, int y) {
    if (button == MouseButton::Left) pressed_ = true;
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(MouseButton button, Shift shift, int x, int y) {
    const bool click = button == MouseButton::Left && pressed_;
    if (button == MouseButton::Left) pressed_ = false;
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
    if (click && clickOnMouseUp_ && x >= 0 && y >= 0 && x < width_ && y < height_) Click();
}

void TControl::MouseMove(Shift shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::DblClick() {
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseEnter() {
    if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
    if (OnMouseLeave) OnMouseLeave(this);
}

}  // namespace plexon
