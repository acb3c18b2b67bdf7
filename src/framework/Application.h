// The application object: title, the main form, the message loop and its exception handling, and
// the error display (a message box titled with the application title, stop icon, one OK button).
// Bitmap canvases give back their idle device contexts after every message.
#pragma once

#include <exception>
#include <functional>
#include <string>

#include "framework/Component.h"
#include "platform/window/Message.h"

namespace plexon {

class TForm;

class TApplication : public TComponent {
  public:
    TApplication();
    ~TApplication() override;

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    void Initialize() {}

    // Creates a form owned by the application; the first one becomes the main form.
    template <class Form>
    void CreateForm(Form*& reference) {
        reference = new Form(this);
        if (!mainForm_) mainForm_ = reference;
    }
    TForm* MainForm() const { return mainForm_; }

    // Shows the main form and handles messages until the application terminates; then clears the
    // terminated state for a later run.
    void Run();
    // Handles every message queued now, without waiting.
    void ProcessMessages();
    // The same while the program is busy: painting goes through, of the rest only what `takes`
    // accepts is handled and everything else is dropped, so that input cannot start a second command.
    void ProcessMessagesOnly(const std::function<bool(const window::Message&)>& takes);
    // Waits for one message and handles it.
    void HandleMessage();
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }

    // The error display for the exception being handled (call inside a catch block): the mouse
    // capture is cancelled; a silent abort shows nothing; any other exception shows its message.
    void HandleException();
    void ShowException(const std::string& message);
    // The displayed text: the message with "." appended when its last character sorts after ".".
    static std::string ErrorDisplayText(const std::string& message);

    // Replaces the error display (tests, batch front ends).
    std::function<void(const std::exception&)> OnException;

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    bool Dispatch(bool wait, const std::function<bool(const window::Message&)>* takes = nullptr);

    std::string title_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
};

TApplication& Application();

}  // namespace plexon
