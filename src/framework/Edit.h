// A plain one-line text field: typing inserts at the caret, Backspace and Delete remove a
// character, Left, Right, Home and End move the caret, a click puts it at the nearest gap. It
// keeps no selection and no undo; Return and Esc are left to the dialog.
#pragma once

#include <cstddef>
#include <string>

#include "framework/WinControl.h"

namespace plexon {

class TEdit : public TWinControl {
  public:
    explicit TEdit(TComponent* owner);

    // The caret's place in bytes, always at a character's start.
    std::size_t CaretAt() const { return caret_; }
    // Replaces the text and puts the caret at its end.
    void SetEditText(const std::string& text);

    // The text changed by typing or deleting.
    TSenderEvent OnChange;

    bool WantsKey(int key, Shift shift) const override;
    bool WantsChars() const override { return true; }
    void KeyDown(int& key, Shift shift) override;
    void KeyPress(char32_t& key) override;
    void MouseDown(MouseButton button, Shift shift, int x, int y) override;

    // A text field named by its label; its text is what it shows.
    window::AccessibleRole Role() const override { return window::AccessibleRole::Text; }
    window::AccessibleStates States() const override;
    window::AccessibleFacets Facets() const override;
    std::string AccessibleText() const override { return Text(); }
    bool SetAccessibleText(const std::string& text) override;

  protected:
    void Paint() override;

  private:
    void Edited(std::string text, std::size_t caret);
    // Pixels of the text before byte offset `at`.
    int WidthBefore(std::size_t at);

    std::size_t caret_ = 0;
    int scroll_ = 0;  // pixels of the text scrolled out on the left, to keep the caret in view
};

}  // namespace plexon
