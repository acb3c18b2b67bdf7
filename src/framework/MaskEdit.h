// The masked edit: a one-line field whose text follows an edit mask. Typing fills editable
// positions (refused characters beep), the caret skips fixed ones, Backspace and Delete empty
// positions, Esc undoes the changes made since the field got the focus, and leaving a changed,
// incomplete field raises EDBEditError and keeps the focus there.
#pragma once

#include <string>

#include "framework/EditMask.h"
#include "framework/WinControl.h"

namespace plexon {

class TMaskEdit : public TWinControl {
  public:
    explicit TMaskEdit(TComponent* owner);

    const std::string& EditMask() const { return maskText_; }
    void SetEditMask(const std::string& mask);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value) { maxLength_ = value; }
    // The text as the mask reads it back (entered characters, blanks as spaces, literals if saved).
    std::string MaskedText() const { return mask_.Text(); }
    void SetMaskedText(const std::string& text);
    // What the field shows.
    const std::string& DisplayText() const { return mask_.Display(); }
    bool Modified() const { return modified_; }
    int SelStart() const { return selStart_; }
    int SelLength() const { return selLength_; }
    void SetSel(int start, int length);

    void DoEnter() override;
    void DoExit() override;
    bool WantsKey(int key, Shift shift) const override;
    bool WantsChars() const override { return true; }
    void KeyDown(int& key, Shift shift) override;
    void KeyPress(char& key) override;
    void MouseDown(MouseButton button, Shift shift, int x, int y) override;

  protected:
    void Paint() override;

  private:
    void ClearSelection();
    void Changed();
    int TextLeft() const { return 3; }

    std::string maskText_;
    TEditMask mask_{""};
    int maxLength_ = 0;
    int selStart_ = 0;
    int selLength_ = 0;
    bool modified_ = false;
    std::string enterText_;
};

}  // namespace plexon
