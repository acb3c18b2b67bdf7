// Disabling the other forms around a modal run and restoring them and the focus afterwards.
#include "framework/ModalScope.h"

#include "framework/Form.h"
#include "framework/Screen.h"
#include "platform/window/Window.h"

namespace plexon {

TModalScope::TModalScope(const TForm* modalForm) {
    window::Desktop& desk = window::TheDesktop();
    if (desk.Capture()) desk.ReleaseCapture();
    previous_ = Screen().ActiveForm();
    for (int i = 0; i < Screen().FormCount(); ++i) {
        TForm* form = Screen().Forms(i);
        if (form != modalForm && form->HandleAllocated() && form->Handle()->Enabled()) {
            desk.Enable(form->Handle(), false);
            disabled_.push_back(form);
        }
    }
}

TModalScope::~TModalScope() {
    window::Desktop& desk = window::TheDesktop();
    for (TForm* form : disabled_)
        if (Screen().HasForm(form) && form->HandleAllocated()) desk.Enable(form->Handle(), true);
    if (previous_ && Screen().HasForm(previous_) && previous_->Visible()) {
        TWinControl* focus = previous_->FocusedControl();
        desk.SetFocus(focus && focus->CanFocus() ? focus->Handle() : previous_->Handle());
    }
}

}  // namespace plexon
