// The masked edit: a one-line field whose text follows an edit mask; it edits characters, not
// bytes. Typing fills editable positions (refused characters beep), the caret skips fixed ones,
// Backspace and Delete empty positions, Esc undoes the changes made since the field got the focus,
// and leaving a changed, incomplete field raises EDBEditError and keeps the focus there. The caret
// blinks while the field has the focus; dragging the mouse selects.
#pragma once

#include <string>

#include "framework/EditMask.h"
#include "framework/Timer.h"
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
    void KeyPress(char32_t& key) override;
    void MouseDown(MouseButton button, Shift shift, int x, int y) override;
    void MouseMove(Shift shift, int x, int y) override;
    void MouseUp(MouseButton button, Shift shift, int x, int y) override;
    // Whether the blinking caret is in its visible phase (it is drawn only while focused and
    // nothing is selected).
    bool CaretShown() const { return caretShown_; }
    // A text field named by its label. Its text is what it shows; changes through the editable
    // text go as typing and deleting would (the mask refuses what it refuses), a whole new text as
    // SetMaskedText takes it. All refuse while the field takes no input.
    window::AccessibleRole Role() const override { return window::AccessibleRole::Text; }
    window::AccessibleStates States() const override;
    window::AccessibleFacets Facets() const override;
    std::string AccessibleText() const override { return DisplayText(); }
    bool SetAccessibleText(const std::string& text) override;
    bool InsertAccessibleText(int position, const std::string& text) override;
    bool DeleteAccessibleText(int start, int end) override;

    // Milliseconds between the caret's phases.
    static constexpr std::uint32_t kCaretBlinkTime = 530;

  protected:
    void Paint() override;
    void FocusChanged(bool focused) override;
    void WndProc(window::Message& message) override;

  private:
    // Empty the selected positions / one position; true when a character was removed.
    bool ClearSelection();
    bool ClearAt(int index);
    void Changed();
    int TextLeft() const { return 3; }
    // The position whose gap lies nearest to client x.
    int PositionAt(int x);
    // Shows the caret and starts its blinking afresh, as after every key and click.
    void ResetCaret();

    std::string maskText_;
    TEditMask mask_{""};
    int maxLength_ = 0;
    int selStart_ = 0;
    int selLength_ = 0;
    bool modified_ = false;
    std::string enterText_;
    TTimer* blink_;
    bool caretShown_ = true;
    bool selecting_ = false;  // the left button went down here and drags a selection
    int anchor_ = 0;          // where that drag began
};

}  // namespace plexon
