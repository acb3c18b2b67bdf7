// Forms: the top-level window, placement, focus among the controls, dialog keys, closing and
// modal runs.
#include "framework/Form.h"

#include <functional>

#include "framework/Application.h"
#include "framework/FrameworkErrors.h"
#include "framework/Label.h"
#include "framework/ModalScope.h"
#include "framework/Screen.h"
#include "platform/window/Window.h"

namespace plexon {

namespace {

constexpr int kReleaseMessage = 1;

window::BorderStyle NativeBorder(TFormBorderStyle style) {
    switch (style) {
        case bsNone: return window::BorderStyle::None;
        case bsSingle: return window::BorderStyle::Single;
        case bsDialog: return window::BorderStyle::Dialog;
        case bsSizeable: return window::BorderStyle::Sizeable;
    }
    return window::BorderStyle::Single;
}

void CollectTabList(const TWinControl& parent, std::vector<TWinControl*>& list) {
    for (TWinControl* child : parent.TabList()) {
        list.push_back(child);
        CollectTabList(*child, list);
    }
}

// Every label on parent and inside its windowed children.
void CollectLabels(const TWinControl& parent, std::vector<TLabel*>& list) {
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* control = parent.Controls(i);
        if (auto* label = dynamic_cast<TLabel*>(control)) list.push_back(label);
        if (auto* win = dynamic_cast<TWinControl*>(control)) CollectLabels(*win, list);
    }
}

// Offers ch to control and then to everything inside it, in child order; true when one took it.
bool OfferAccelerator(TControl& control, char32_t ch) {
    if (control.Accelerate(ch)) return true;
    if (auto* win = dynamic_cast<TWinControl*>(&control))
        for (int i = 0; i < win->ControlCount(); ++i)
            if (OfferAccelerator(*win->Controls(i), ch)) return true;
    return false;
}

bool Contains(const TControl* outer, const TControl* inner) {
    for (const TControl* c = inner; c; c = c->Parent())
        if (c == outer) return true;
    return false;
}

}  // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    SetVisible(false);
    SetColor(clBtnFace);
    Screen().forms_.push_back(this);
}

TForm::~TForm() {
    MarkDestroying();
    // The window outlives the form's own part by a moment; nobody may ask the half-gone form.
    if (HandleAllocated()) window::TheDesktop().SetAccessible(handle_, nullptr);
    std::erase(Screen().forms_, this);
    DestroyComponents();
}

void TForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
    borderStyle_ = style;
    if (HandleAllocated()) window::TheDesktop().SetBorder(Handle(), NativeBorder(style));
}

void TForm::CreateHandle() {
    handle_ = window::TheDesktop().CreateWindow({.parent = nullptr,
                                   .bounds = BoundsRect(),
                                   .caption = Caption(),
                                   .border = NativeBorder(borderStyle_),
                                   .proc = [this](window::Message& m) { WndProc(m); }});
    window::TheDesktop().SetAccessible(handle_, this);
    UpdateWindowState();
    for (TWinControl* child : TabList()) child->Handle();
}

void TForm::CaptionChanged() {
    if (HandleAllocated()) window::TheDesktop().SetCaption(Handle(), Caption());
}

void TForm::SetVisible(bool visible) {
    if (visible == Visible()) return;
    if (visible) {
        // The window first, then the centre: making it may lower its display scale so that it fits,
        // which changes the screen's size in its pixels.
        Handle();
        if (position_ == poScreenCenter) {
            const gdi::SIZE screen = window::TheDesktop().Native().ScreenSizeOf(*Handle());
            SetBounds((screen.cx - Width()) / 2, (screen.cy - Height()) / 2, Width(), Height());
        }
    }
    TWinControl::SetVisible(visible);
    if (visible) {
        if (OnShow) OnShow(this);
        FocusFirst();
    }
}

void TForm::FocusFirst() {
    if (!Visible()) return;
    TWinControl* target = activeControl_ && activeControl_->CanFocus() ? activeControl_
                                                                      : FindNextControl(nullptr, true, true);
    if (target) {
        FocusControl(target);
    } else {
        window::TheDesktop().SetFocus(Handle());
    }
}

void TForm::SetActiveControl(TWinControl* control) {
    activeControl_ = control;
    if (Visible() && control && control->CanFocus()) FocusControl(control);
}

void TForm::FocusControl(TWinControl* control) {
    if (control == focusedControl_) {
        if (!control->Focused()) window::TheDesktop().SetFocus(control->Handle());
        return;
    }
    TWinControl* old = focusedControl_;
    // The old control may refuse to let go; the exception leaves the focus where it was.
    if (old && !old->Destroying()) old->DoExit();
    focusedControl_ = control;
    activeControl_ = control;
    window::TheDesktop().SetFocus(control->Handle());
    control->DoEnter();
}

void TForm::ControlRemoving(TControl* control) {
    std::vector<TLabel*> labels;
    CollectLabels(*this, labels);
    for (TLabel* label : labels)
        if (Contains(control, label->FocusControl())) label->SetFocusControl(nullptr);
    for (TWinControl* w = focusedControl_; w; w = w->Parent())
        if (w == control) {
            focusedControl_ = nullptr;
            break;
        }
    for (TWinControl* w = activeControl_; w; w = w->Parent())
        if (w == control) {
            activeControl_ = nullptr;
            break;
        }
}

TWinControl* TForm::FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const {
    std::vector<TWinControl*> list;
    CollectTabList(*this, list);
    if (list.empty()) return nullptr;
    const int count = int(list.size());
    int start = -1;
    for (int i = 0; i < count; ++i)
        if (list[std::size_t(i)] == current) start = i;
    if (start < 0) start = forward ? count - 1 : 0;
    for (int step = 1; step <= count; ++step) {
        const int i = ((forward ? start + step : start - step) % count + count) % count;
        TWinControl* candidate = list[std::size_t(i)];
        if ((!checkTabStop || candidate->TabStop()) && candidate->CanFocus()) return candidate;
    }
    return nullptr;
}

void TForm::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
    if (TWinControl* next = FindNextControl(current, forward, checkTabStop)) FocusControl(next);
}

TButtonControl* TForm::FindButton(bool defaultButton) const {
    std::vector<TWinControl*> list;
    CollectTabList(*this, list);
    for (TWinControl* control : list) {
        auto* button = dynamic_cast<TButtonControl*>(control);
        if (button && (defaultButton ? button->Default() : button->Cancel()) && button->ReallyVisible() &&
            button->ReallyEnabled())
            return button;
    }
    return nullptr;
}

bool TForm::DialogKey(int key, Shift shift) {
    namespace vk = window::vk;
    const bool plain = !window::Has(shift, Shift::Ctrl) && !window::Has(shift, Shift::Alt);
    if (key == vk::kTab && plain) {
        SelectNext(focusedControl_, !window::Has(shift, Shift::Shift), true);
        return true;
    }
    if ((key == vk::kLeft || key == vk::kUp) && plain) {
        SelectNext(focusedControl_, false, false);
        return true;
    }
    if ((key == vk::kRight || key == vk::kDown) && plain) {
        SelectNext(focusedControl_, true, false);
        return true;
    }
    if (key == vk::kReturn) {
        // A focused button takes Enter itself; otherwise the default button does.
        auto* button = dynamic_cast<TButtonControl*>(focusedControl_);
        if (!button) button = FindButton(true);
        if (!button) return false;
        button->Click();
        return true;
    }
    if (key == vk::kEscape) {
        TButtonControl* button = FindButton(false);
        if (!button) return false;
        button->Click();
        return true;
    }
    if (window::Has(shift, Shift::Alt)) return DialogChar(char(key));
    return false;
}

void TForm::SetKeyboardCues(bool shown) {
    if (shown == keyboardCues_) return;
    keyboardCues_ = shown;
    // Captions that show cues may sit in any control of the form.
    const std::function<void(TWinControl&)> invalidate = [&invalidate](TWinControl& control) {
        control.Invalidate();
        for (int i = 0; i < control.ControlCount(); ++i)
            if (auto* child = dynamic_cast<TWinControl*>(control.Controls(i))) invalidate(*child);
    };
    invalidate(*this);
}

bool TForm::DialogChar(char32_t ch) {
    for (int i = 0; i < ControlCount(); ++i)
        if (OfferAccelerator(*Controls(i), ch)) return true;
    return false;
}

void TForm::KeyDown(int& key, Shift shift) {
    if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TForm::KeyUp(int& key, Shift shift) {
    if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TForm::KeyPress(char32_t& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

void TForm::Close() {
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    TCloseAction action = caHide;
    if (OnClose) OnClose(this, action);
    if (action == caNone) return;
    if (Application().MainForm() == this) {
        Application().Terminate();
    } else if (action == caHide) {
        Hide();
    } else {
        Release();
    }
}

void TForm::Release() {
    window::TheDesktop().PostMessage(Handle(), kReleaseMessage);
}

void TForm::WndProc(window::Message& m) {
    switch (m.kind) {
        case window::MessageKind::Move:
            // The window system placed the window: the form's position follows, nothing moves.
            SetBounds(m.point.x, m.point.y, Width(), Height());
            return;
        case window::MessageKind::Close:
            Close();
            return;
        case window::MessageKind::FilesDropped:
            if (OnFilesDropped) OnFilesDropped(this, m.paths);
            return;
        case window::MessageKind::Posted:
            if (m.id == kReleaseMessage) {
                delete this;
                return;
            }
            break;
        default:
            break;
    }
    TWinControl::WndProc(m);
}

TModalResult TForm::ShowModal() {
    if (Visible() || modal_) throw EInvalidOperation(std::string(msg::kVisibleModal));
    const TModalScope scope(this);
    modal_ = true;
    modalResult_ = mrNone;
    TCloseAction action = caHide;
    // Runs before the scope re-enables the other forms, so they never see this form still shown.
    auto leave = [&] {
        modal_ = false;
        if (Visible()) Hide();
    };
    // Kept above the window it was opened from.
    window::TheDesktop().SetOwner(Handle(), window::TheDesktop().ActiveTopLevel());
    try {
        Show();
        for (;;) {
            Application().HandleMessage();
            if (Application().Terminated()) modalResult_ = mrCancel;
            if (modalResult_ == mrNone) continue;
            action = caHide;
            if (OnClose) OnClose(this, action);
            if (action != caNone) break;
            modalResult_ = mrNone;
        }
    } catch (...) {
        leave();
        throw;
    }
    leave();
    const TModalResult result = modalResult_;
    if (action == caFree) Release();
    return result;
}

void TButtonControl::SetDefault(bool value) {
    default_ = value;
    Invalidate();
}

bool TButtonControl::Accelerate(char32_t ch) {
    return IsAccelerator(ch) && DoAction(0);
}

void TButtonControl::Click() {
    if (TForm* form = ParentForm(); form && modalResult_ != mrNone) form->SetModalResult(modalResult_);
    TWinControl::Click();
}

}  // namespace plexon
