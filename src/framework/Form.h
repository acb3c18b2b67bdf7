// Forms: top-level windows with a caption and border style, placement, focus among their controls,
// dialog keys (tab order, default and cancel buttons, accelerators), closing with a close action,
// and modal runs that disable the other windows and return a modal result.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/WinControl.h"

namespace plexon {

class TButtonControl;

using TModalResult = int;
inline constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
                              mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10;

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
using enum TFormBorderStyle;
enum class TPosition { poDesigned, poScreenCenter };
using enum TPosition;
enum class TCloseAction { caNone, caHide, caFree };
using enum TCloseAction;

using TCloseEvent = std::function<void(TComponent* sender, TCloseAction& action)>;
// Files dropped onto the form from the desktop's file manager in one gesture, in drop order.
using TFilesDroppedEvent = std::function<void(TComponent* sender, const std::vector<std::string>& paths)>;

class TForm : public TWinControl {
  public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    // The form's bounds are those of its client area; there is no frame of our own.
    void SetClientWidth(int value) { SetWidth(value); }
    void SetClientHeight(int value) { SetHeight(value); }
    // While Alt is held the form shows its keyboard cues: captions that hide their "&" underline
    // until then show it.
    bool KeyboardCues() const { return keyboardCues_; }
    void SetKeyboardCues(bool shown);
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool value) { keyPreview_ = value; }

    TSenderEvent OnCreate;
    TSenderEvent OnShow;
    TCloseEvent OnClose;
    // Without a handler, dropped files are ignored.
    TFilesDroppedEvent OnFilesDropped;

    // Runs OnCreate; the code that builds a form calls it once its controls exist.
    void DoCreate();

    void SetVisible(bool visible) override;
    // Shows the form, disables the other forms and runs messages until ModalResult is set; then
    // hides it, enables the others again and gives the focus back. Returns the modal result.
    TModalResult ShowModal();
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    bool Modal() const { return modal_; }
    // In a modal run: ends it with mrCancel. Otherwise asks OnClose; caHide hides the form (the
    // main form ends the application), caFree frees it later, caNone keeps it.
    void Close();
    // Frees the form once the messages queued before have been handled.
    void Release();

    TWinControl* ActiveControl() const { return activeControl_; }
    // The control that had the keyboard last; a modal run gives it back.
    TWinControl* FocusedControl() const { return focusedControl_; }
    void SetActiveControl(TWinControl* control);
    // Moves the focus to control: the old control's DoExit may refuse by raising, and then the focus
    // stays where it was.
    void FocusControl(TWinControl* control);
    // The next (or previous) control in tab order, across nested containers, wrapping around.
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const;
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop);

    // Keys that move the focus or press buttons; true when used.
    virtual bool DialogKey(int key, Shift shift);
    // A character as an accelerator ("&" in a caption); true when used.
    bool DialogChar(char32_t ch);

    // Forms see their controls' keys first when KeyPreview is on.
    void KeyDown(int& key, Shift shift) override;
    void KeyUp(int& key, Shift shift) override;
    void KeyPress(char32_t& key) override;

    // Bookkeeping when a control leaves the form.
    void ControlRemoving(TControl* control);

    // A dialog unless the form says it is a main window (Frame) or a message (Alert).
    window::AccessibleRole Role() const override { return role_; }
    void SetAccessibleRole(window::AccessibleRole role) { role_ = role; }
    window::AccessibleStates States() const override;
    // The form's own client area.
    gdi::RECT Extents() const override { return {0, 0, Width(), Height()}; }

  protected:
    void CreateHandle() override;
    void WndProc(window::Message& message) override;
    void CaptionChanged() override;

  private:
    void FocusFirst();
    TButtonControl* FindButton(bool defaultButton) const;

    TFormBorderStyle borderStyle_ = bsSizeable;
    TPosition position_ = poDesigned;
    bool keyPreview_ = false;
    bool keyboardCues_ = false;
    bool modal_ = false;
    TModalResult modalResult_ = mrNone;
    window::AccessibleRole role_ = window::AccessibleRole::Dialog;
    TWinControl* activeControl_ = nullptr;
    TWinControl* focusedControl_ = nullptr;
};

// A control that can act as a form's default or cancel button: the form presses it with Enter or Esc.
class TButtonControl : public TWinControl {
  public:
    using TWinControl::TWinControl;
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    // Click also hands the modal result to the form.
    void Click() override;
    // Its accelerator clicks it while it can take the focus.
    bool Accelerate(char32_t ch) override;

    // A push button whose one action, "click", clicks it while it can take the focus.
    window::AccessibleRole Role() const override { return window::AccessibleRole::PushButton; }
    window::AccessibleStates States() const override;
    window::AccessibleFacets Facets() const override { return {window::AccessibleFacet::Action}; }
    int ActionCount() const override { return 1; }
    std::string ActionName(int index) const override;
    bool DoAction(int index) override;

  private:
    bool default_ = false;
    bool cancel_ = false;
    TModalResult modalResult_ = mrNone;
};

}  // namespace plexon
