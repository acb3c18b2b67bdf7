// Choosing the chooser back end and keeping the application modal around a chooser program.
#include "forms/ChooserRun.h"

#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Screen.h"
#include "platform/window/Window.h"

namespace plexon {

namespace {

// Disables the application's enabled forms for its lifetime, as a modal form does, and gives the
// active form and its focused control the keyboard back afterwards.
class ModalScope {
  public:
    ModalScope() : previous_(Screen().ActiveForm()) {
        window::Desktop& desk = window::TheDesktop();
        if (desk.Capture()) desk.ReleaseCapture();
        for (int i = 0; i < Screen().FormCount(); ++i) {
            TForm* form = Screen().Forms(i);
            if (form->HandleAllocated() && form->Handle()->Enabled()) {
                desk.Enable(form->Handle(), false);
                disabled_.push_back(form);
            }
        }
    }
    ~ModalScope() {
        window::Desktop& desk = window::TheDesktop();
        for (TForm* form : disabled_)
            if (Screen().HasForm(form) && form->HandleAllocated()) desk.Enable(form->Handle(), true);
        if (previous_ && Screen().HasForm(previous_) && previous_->Visible()) {
            TWinControl* focus = previous_->ActiveControl();
            desk.SetFocus(focus && focus->CanFocus() ? focus->Handle() : previous_->Handle());
        }
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

  private:
    TForm* previous_;
    std::vector<TForm*> disabled_;
};

}  // namespace

ChooserAnswer RunChooser(ChooserRequest request, const ChooserWindowOptions& window) {
    if (const auto script = ChooserScriptPath()) return NextScriptedAnswer(*script, request);
    const auto program = FindDesktopChooser();
    if (!program) return RunChooserWindow(request, window);
    const ModalScope modal;
    request.keepWaiting = [] {
        Application().ProcessMessages();
        return !Application().Terminated();
    };
    return RunDesktopChooser(*program, request);
}

}  // namespace plexon
