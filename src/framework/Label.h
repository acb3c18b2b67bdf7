// The static text: alignment, word wrap, the "&" prefix, transparency over the parent, the
// embossed look when disabled. It takes no focus and no keys; its "&" accelerator focuses FocusControl.
#pragma once

#include "framework/GraphicControl.h"

namespace plexon {
class TWinControl;
}

namespace plexon {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
using enum TAlignment;

class TLabel : public TGraphicControl {
  public:
    explicit TLabel(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    // The control that Alt plus the caption's "&" letter focuses; null: none. The form forgets it
    // when that control leaves.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* control) { focusControl_ = control; }
    // Focuses FocusControl while that can take the focus.
    bool Accelerate(char32_t ch) override;

    // A label that labels its FocusControl; its name is its text on one line.
    window::AccessibleRole Role() const override { return window::AccessibleRole::Label; }
    std::string AccessibleName() const override;
    window::AccessibleFacets Facets() const override { return {window::AccessibleFacet::Text}; }
    // What the label shows, its line breaks as "\n".
    std::string AccessibleText() const override;
    TControl* LabelTarget() const override;

  protected:
    // Each line break (CR, CR LF or LF) as one LF.
    static std::string WithNewlines(std::string text);
    void Paint() override;

  private:
    TAlignment alignment_ = taLeftJustify;
    bool wordWrap_ = false;
    bool transparent_ = false;
    bool showAccelChar_ = true;
    TWinControl* focusControl_ = nullptr;
};

}  // namespace plexon
