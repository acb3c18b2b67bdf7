// The application object and its message loop.
#include "framework/Application.h"

#include "framework/Form.h"
#include "framework/FrameworkErrors.h"
#include "framework/MessageBox.h"
#include "framework/Screen.h"
#include "graphics/BitmapCanvas.h"
#include "platform/window/Window.h"

namespace plexon {

TApplication& Application() {
    // The desktop and the screen are made first so that they outlive the forms the application owns
    // (statics are destroyed in the reverse order of their making).
    static window::Desktop& desktop = window::TheDesktop();
    static TScreen& screen = Screen();
    static TApplication application;
    (void)desktop;
    (void)screen;
    return application;
}

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() {
    DestroyComponents();
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    if (operation == TOperation::Remove && component == mainForm_) mainForm_ = nullptr;
}

bool TApplication::Dispatch(bool wait, const std::function<bool(const window::Message&)>* takes) {
    window::Desktop& desk = window::TheDesktop();
    window::Message message;
    if (!desk.GetMessage(message, wait ? window::Wait::Yes : window::Wait::No)) return false;
    const bool painting =
        message.kind == window::MessageKind::Paint || message.kind == window::MessageKind::EraseBackground;
    if (!takes || painting || desk.IsServiceTimer(message) || (*takes)(message)) {
        try {
            desk.DispatchMessage(message);
        } catch (...) {
            HandleException();
        }
    } else if (message.kind == window::MessageKind::Timer) {
        // Passed, not lost: taken as it is, a due timer would be due again at once, for ever.
        desk.SkipTimer(message.id);
    }
    ReleaseIdleBitmapDcs();
    return true;
}

void TApplication::HandleMessage() {
    Dispatch(true);
}

void TApplication::ProcessMessages() {
    while (Dispatch(false)) {
    }
}

void TApplication::ProcessMessagesOnly(const std::function<bool(const window::Message&)>& takes) {
    while (Dispatch(false, &takes)) {
    }
}

void TApplication::Run() {
    if (!mainForm_) return;
    mainForm_->Show();
    while (!terminated_) HandleMessage();
    // The process ends after Run; a later Run (tests run many) starts afresh.
    terminated_ = false;
}

std::string TApplication::ErrorDisplayText(const std::string& message) {
    return plexon::ErrorDisplayText(message);
}

void TApplication::HandleException() {
    window::Desktop& desk = window::TheDesktop();
    if (desk.Capture()) desk.ReleaseCapture();
    try {
        throw;
    } catch (const EAbort&) {
        // The silent abort: the command ends without a word.
    } catch (const std::exception& e) {
        if (OnException) {
            OnException(e);
        } else {
            ShowException(e.what());
        }
    }
}

void TApplication::ShowException(const std::string& message) {
    RunMessageBox(
        {.text = plexon::ErrorDisplayText(message), .caption = title_, .icon = TMessageBoxIcon::Stop});
}

}  // namespace plexon
