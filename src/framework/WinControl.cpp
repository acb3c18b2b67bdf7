// Windowed controls: children, window handles, painting, mouse routing to windowless children,
// focus and the keyboard with its dialog keys.
#include "framework/WinControl.h"

#include <algorithm>
#include <utility>

#include "framework/ControlCanvas.h"
#include "framework/Form.h"
#include "framework/FrameworkErrors.h"
#include "framework/GraphicControl.h"
#include "framework/HintWindow.h"
#include "graphics/GdiSupport.h"
#include "platform/gdi/Raster.h"
#include "platform/window/Window.h"

namespace plexon {

namespace {

bool IsDialogNavigationKey(int key) {
    return key == window::vk::kTab || key == window::vk::kReturn || key == window::vk::kEscape ||
           (key >= window::vk::kLeft && key <= window::vk::kDown);
}
}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner), canvas_(std::make_unique<TControlCanvas>()) {}

TWinControl::~TWinControl() {
    // Leave the parent while this is still a window control, so that its tab order forgets it.
    if (parent_) parent_->RemoveControl(this);
    // Owned components go while this is still whole; then children owned elsewhere.
    DestroyComponents();
    while (!controls_.empty()) delete controls_.back();
    DestroyHandle();
}

void TWinControl::InsertControl(TControl* control) {
    controls_.push_back(control);
    control->parent_ = this;
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        tabOrder_.push_back(win);
        if (handle_) win->Handle();
    }
    if (control->Align() != alNone) AlignControls();
    InvalidateChild(*control);
}

void TWinControl::RemoveControl(TControl* control) {
    if (TForm* form = ParentForm()) form->ControlRemoving(control);
    if (auto* win = dynamic_cast<TWinControl*>(control)) {
        win->DestroyHandle();
        std::erase(tabOrder_, win);
    }
    if (mouseControl_ == control) mouseControl_ = nullptr;
    if (hoverControl_ == control) hoverControl_ = nullptr;
    std::erase(controls_, control);
    control->parent_ = nullptr;
    if (!Destroying()) {
        InvalidateChild(*control);
        if (control->Align() != alNone) AlignControls();
    }
}

window::HWND TWinControl::Handle() {
    if (!handle_) CreateHandle();
    return handle_;
}

void TWinControl::CreateHandle() {
    if (!parent_) throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    window::HWND parentWindow = parent_->Handle();
    handle_ = window::TheDesktop().CreateWindow({.parent = parentWindow,
                                   .bounds = BoundsRect(),
                                   .caption = Caption(),
                                   .border = window::BorderStyle::None,
                                   .proc = [this](window::Message& m) { WndProc(m); }});
    UpdateWindowState();
    for (TWinControl* child : tabOrder_) child->Handle();
}

void TWinControl::DestroyHandle() {
    if (!handle_) return;
    for (TWinControl* child : tabOrder_) child->DestroyHandle();
    if (window::TheDesktop().IsWindow(handle_)) window::TheDesktop().DestroyWindow(handle_);
    handle_ = nullptr;
}

void TWinControl::UpdateWindowState() {
    if (!handle_) return;
    window::TheDesktop().SetBounds(handle_, BoundsRect());
    window::TheDesktop().Enable(handle_, Enabled());
    window::TheDesktop().SetWindowCursor(handle_, Cursor());
    window::TheDesktop().Show(handle_, Visible());
    window::TheDesktop().Invalidate(handle_);
}

int TWinControl::TabOrder() const {
    if (!parent_) return -1;
    const auto& list = parent_->tabOrder_;
    return int(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (!parent_) return;
    auto& list = parent_->tabOrder_;
    std::erase(list, this);
    order = std::clamp(order, 0, int(list.size()));
    list.insert(list.begin() + order, this);
}

std::vector<TWinControl*> TWinControl::TabList() const {
    return tabOrder_;
}

bool TWinControl::Focused() const {
    return handle_ && window::TheDesktop().Focus() == handle_;
}

bool TWinControl::CanFocus() const {
    return ReallyVisible() && ReallyEnabled() && ParentForm();
}

void TWinControl::SetFocus() {
    TForm* form = ParentForm();
    if (!CanFocus() || !form) throw EInvalidOperation(std::string(msg::kCannotFocus));
    form->FocusControl(this);
}

void TWinControl::DoEnter() {
    if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit) OnExit(this);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    const int oldWidth = Width(), oldHeight = Height();
    TControl::SetBounds(left, top, width, height);
    if (handle_) window::TheDesktop().SetBounds(handle_, BoundsRect());
    if (oldWidth != width || oldHeight != height) {
        ApplyAnchors(oldWidth, oldHeight);
        AlignControls();
    }
}

void TWinControl::ApplyAnchors(int oldWidth, int oldHeight) {
    const int dw = ClientWidth() - (oldWidth - (Width() - ClientWidth()));
    const int dh = ClientHeight() - (oldHeight - (Height() - ClientHeight()));
    if ((dw == 0 && dh == 0) || oldWidth == 0 || oldHeight == 0) return;
    for (TControl* c : std::vector<TControl*>(controls_)) {
        if (c->Align() != alNone) continue;
        int l = c->Left(), t = c->Top(), w = c->Width(), h = c->Height();
        const TAnchors a = c->Anchors();
        if (Has(a, akRight)) (Has(a, akLeft) ? w : l) += dw;
        if (Has(a, akBottom)) (Has(a, akTop) ? h : t) += dh;
        c->SetBounds(l, t, w, h);
    }
}

void TWinControl::AlignControls() {
    if (aligning_) return;
    aligning_ = true;
    gdi::RECT rest = AlignRect();
    // Top and bottom take the whole width first, then left and right the height that is left.
    for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* c : controls_) {
            if (c->Align() != pass || !c->Visible()) continue;
            switch (pass) {
                case alTop:
                    c->SetBounds(rest.left, rest.top, rest.right - rest.left, c->Height());
                    rest.top += c->Height();
                    break;
                case alBottom:
                    c->SetBounds(rest.left, rest.bottom - c->Height(), rest.right - rest.left, c->Height());
                    rest.bottom -= c->Height();
                    break;
                case alLeft:
                    c->SetBounds(rest.left, rest.top, c->Width(), rest.bottom - rest.top);
                    rest.left += c->Width();
                    break;
                case alRight:
                    c->SetBounds(rest.right - c->Width(), rest.top, c->Width(), rest.bottom - rest.top);
                    rest.right -= c->Width();
                    break;
                case alClient:
                    c->SetBounds(rest.left, rest.top, rest.right - rest.left, rest.bottom - rest.top);
                    break;
                case alNone:
                    break;
            }
        }
    }
    aligning_ = false;
}

void TWinControl::Invalidate() {
    if (handle_) window::TheDesktop().Invalidate(handle_);
}

void TWinControl::BringToFront() {
    TControl::BringToFront();
    if (handle_) window::TheDesktop().BringToFront(handle_);
}

void TWinControl::InvalidateChild(const TControl& child) {
    if (auto* win = dynamic_cast<const TWinControl*>(&child)) {
        if (win->handle_) window::TheDesktop().Invalidate(win->handle_);
        return;
    }
    if (handle_) window::TheDesktop().Invalidate(handle_);
}

TCanvas& TWinControl::Canvas() {
    return *canvas_;
}

void TWinControl::PaintWindow(gdi::HDC dc) {
    canvas_->Attach(dc);
    try {
        EraseBackground(dc);
        Paint();
    } catch (...) {
        canvas_->Detach();
        throw;
    }
    canvas_->Detach();
    PaintControls(dc);
}

void TWinControl::EraseBackground(gdi::HDC dc) {
    canvas_->Brush().SetColor(Color());
    canvas_->Brush().SetStyle(TBrushStyle::Solid);
    const gdi::RECT all = ClientRect();
    gdi::FillRect(dc, &all, canvas_->Brush().Handle());
}

void TWinControl::PaintControls(gdi::HDC dc) {
    for (TControl* c : controls_) {
        auto* graphic = dynamic_cast<TGraphicControl*>(c);
        if (graphic && graphic->Visible() && graphic->Width() > 0 && graphic->Height() > 0) graphic->PaintOn(dc);
    }
}

TControl* TWinControl::ControlAtPos(gdi::POINT p) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (dynamic_cast<TWinControl*>(c) || !c->Visible() || !c->Enabled()) continue;
        if (p.x >= c->Left() && p.y >= c->Top() && p.x < c->Left() + c->Width() && p.y < c->Top() + c->Height())
            return c;
    }
    return nullptr;
}

void TWinControl::RouteMouse(window::Message& m) {
    using window::MessageKind;
    TControl* target = this;
    if (mouseControl_) {
        target = mouseControl_;
    } else if (TControl* under = ControlAtPos(m.point)) {
        target = under;
    }
    if (m.kind == MessageKind::MouseMove && !mouseControl_ && target != hoverControl_) {
        TControl* old = hoverControl_;
        hoverControl_ = target == this ? nullptr : target;
        if (old) old->MouseLeave();
        if (hoverControl_) hoverControl_->MouseEnter();
        const TCursor shown =
            hoverControl_ && hoverControl_->Cursor() != crDefault ? hoverControl_->Cursor() : Cursor();
        window::TheDesktop().SetWindowCursor(handle_, shown);
    }
    const int x = m.point.x - (target == this ? 0 : target->Left());
    const int y = m.point.y - (target == this ? 0 : target->Top());
    if (m.kind == MessageKind::MouseMove && !mouseControl_) HintMouseMove(*target);
    switch (m.kind) {
        case MessageKind::MouseDown:
        case MessageKind::DoubleClick:
            CancelHint();
            if (target != this) {
                mouseControl_ = target;
                window::TheDesktop().SetCapture(handle_);
            } else if (focusOnClick_ && m.button == MouseButton::Left && CanFocus() && !Focused()) {
                SetFocus();
            }
            target->MouseDown(m.button, m.shift, x, y);
            if (m.kind == MessageKind::DoubleClick) target->DblClick();
            break;
        case MessageKind::MouseUp:
            if (mouseControl_) {
                mouseControl_ = nullptr;
                if (window::TheDesktop().Capture() == handle_) window::TheDesktop().ReleaseCapture();
            }
            // Last: a click may free this control.
            target->MouseUp(m.button, m.shift, x, y);
            break;
        case MessageKind::MouseMove:
            target->MouseMove(m.shift, x, y);
            break;
        default:
            break;
    }
}

void TWinControl::ChildCursorChanged(const TControl& child) {
    if (handle_ && hoverControl_ == &child)
        window::TheDesktop().SetWindowCursor(handle_,
                                             child.Cursor() != crDefault ? child.Cursor() : Cursor());
}

void TWinControl::VisibilityChanged() {
    if (handle_) window::TheDesktop().Show(handle_, Visible());
}

void TWinControl::EnabledChanged() {
    if (!handle_) return;
    window::TheDesktop().Enable(handle_, Enabled());
    window::TheDesktop().Invalidate(handle_);
}

void TWinControl::ParentFontOrColorChanged() {
    TControl::ParentFontOrColorChanged();
    for (TControl* c : controls_)
        if (c->parentFont_ || c->parentColor_) c->MakeFollowParent();
}

void TWinControl::CursorChanged() {
    if (handle_) window::TheDesktop().SetWindowCursor(handle_, Cursor());
}

void TWinControl::FocusChanged(bool) {
    Invalidate();
}

bool TWinControl::WantsKey(int, Shift) const {
    return false;
}

void TWinControl::KeyDown(int& key, Shift shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(int& key, Shift shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char32_t& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::WndProc(window::Message& m) {
    using window::MessageKind;
    TForm* form = ParentForm();
    const Shift keys = window::KeyModifiers(m.shift);
    switch (m.kind) {
        case MessageKind::Paint:
            PaintWindow(m.dc);
            break;
        case MessageKind::MouseMove:
        case MessageKind::MouseDown:
        case MessageKind::MouseUp:
        case MessageKind::DoubleClick:
            RouteMouse(m);
            break;
        case MessageKind::MouseWheel:
            for (TWinControl* c = this; c && !c->MouseWheel(keys, m.wheel);) c = c->Parent();
            break;
        case MessageKind::MouseEnter:
            MouseEnter();
            break;
        case MessageKind::MouseLeave:
            if (hoverControl_) {
                TControl* old = hoverControl_;
                hoverControl_ = nullptr;
                HintMouseLeave(*old);
                old->MouseLeave();
            }
            HintMouseLeave(*this);
            MouseLeave();
            break;
        case MessageKind::CaptureLost:
            pressed_ = false;
            if (TControl* pressed = std::exchange(mouseControl_, nullptr)) pressed->MouseCaptureLost();
            Invalidate();
            break;
        case MessageKind::SetFocus:
            FocusChanged(true);
            break;
        case MessageKind::KillFocus:
            // An Alt released in another window never comes back here.
            if (form && (!m.other || m.other->TopLevel() != form->Handle())) form->SetKeyboardCues(false);
            FocusChanged(false);
            break;
        case MessageKind::KeyDown: {
            CancelHint();
            int key = m.key;
            if (form && key == window::vk::kMenu) form->SetKeyboardCues(true);
            const bool accelerator = window::Has(keys, Shift::Alt) && ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'));
            if (form && (accelerator || IsDialogNavigationKey(key)) && !WantsKey(key, keys) &&
                form->DialogKey(key, keys))
                break;
            if (form && form != this && form->KeyPreview()) form->KeyDown(key, keys);
            if (key != 0) KeyDown(key, keys);
            break;
        }
        case MessageKind::KeyUp: {
            int key = m.key;
            if (form && key == window::vk::kMenu) form->SetKeyboardCues(false);
            if (form && form != this && form->KeyPreview()) form->KeyUp(key, keys);
            if (key != 0) KeyUp(key, keys);
            break;
        }
        case MessageKind::Char: {
            char32_t ch = m.ch;
            if (form && form != this && form->KeyPreview()) form->KeyPress(ch);
            if (ch != 0 && !WantsChars() && form && form->DialogChar(ch)) break;
            if (ch != 0) KeyPress(ch);
            break;
        }
        default:
            break;
    }
}

}  // namespace plexon
