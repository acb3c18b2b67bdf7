// The flat glyph button: a windowless push button with a glyph and a caption, hot tracking, groups
// of latching buttons and repeated clicks. The office faces are drawn exactly; the other styles get
// a plain classic or flat look. Drop-down menus, image lists and the themed look are not built.
#pragma once

#include <cstdint>

#include "controls/PxButtonLayout.h"
#include "controls/PxGlyphHolder.h"
#include "framework/GraphicControl.h"

namespace plexon {

enum class TPxUserButtonStyle {
    gbsWin31,
    gbsWin40,
    gbsClassic,
    gbsClassicFlat,
    gbsFlat,
    gbsFlatUnColored,
    gbsNavigator,
    gbsExplorer,
    gbsExplorerColored,
    gbsIntegrated,
    gbsCombo,
    gbsOffice,
    gbsOfficeTransp,
    gbsWin40Ext
};
using enum TPxUserButtonStyle;

// The button's state; 5 is not used.
enum class TPxButtonState : std::uint8_t {
    bsUp = 0,
    bsDisabled = 1,
    bsHot = 2,
    bsLatched = 3,
    bsPressed = 4,
    bsDropDown = 6,
    bsDisabledLatched = 7
};
using enum TPxButtonState;

// The office faces' colours.
inline constexpr TColor kOfficeFrame = 0xC66931;       // RGB(49, 105, 198)
inline constexpr TColor kOfficeHot = 0xEFD3C6;         // RGB(198, 211, 239)
inline constexpr TColor kOfficeDown = 0xF7DFD6;        // RGB(214, 223, 247)
inline constexpr TColor kOfficeHotLatched = 0xE0A88D;  // RGB(141, 168, 224)

class TPxSpeedButton : public TGraphicControl {
  public:
    explicit TPxSpeedButton(TComponent* owner);
    ~TPxSpeedButton() override;

    bool UseCaption() const { return useCaption_; }
    void SetUseCaption(bool value);

    // The caption's "&" underline follows the buttons' rule (framework/AccessKeyCues.h): it shows
    // only while Alt is held. Off, it always shows.
    bool HideAccelUntilAlt() const { return hideAccelUntilAlt_; }
    void SetHideAccelUntilAlt(bool value) { hideAccelUntilAlt_ = value; }
    const TBitmap& Glyph() const { return glyph_.Glyph(); }
    void SetGlyph(const TBitmap& glyph);
    int NumGlyphs() const { return glyph_.NumGlyphs(); }
    void SetNumGlyphs(int value);
    TPxUserButtonStyle ButtonStyle() const { return style_; }
    void SetButtonStyle(TPxUserButtonStyle value);
    TPxButtonLayout& ButtonLayout() { return layout_; }
    bool ThemedLook() const { return themedLook_; }
    void SetThemedLook(bool value);
    bool Transparent() const { return transparent_; }

    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value) { groupIndex_ = value; }
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value) { allowAllUp_ = value; }
    // Latches the button (in a group only) and releases the other latched buttons of its group.
    bool Pressed() const { return down_; }
    void SetPressed(bool value);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool value);
    TColor EnterColor() const { return enterColor_; }
    void SetEnterColor(TColor value) { enterColor_ = value; }
    bool EnterColorChange() const { return enterColorChange_; }
    void SetEnterColorChange(bool value) { enterColorChange_ = value; }
    bool RepeatedClick() const { return repeatedClick_; }
    void SetRepeatedClick(bool value) { repeatedClick_ = value; }
    int RepeatingDelay() const { return repeatingDelay_; }
    void SetRepeatingDelay(int value) { repeatingDelay_ = std::uint16_t(value); }
    int RepeatingInterval() const { return repeatingInterval_; }
    void SetRepeatingInterval(int value) { repeatingInterval_ = std::uint16_t(value); }
    bool HideHint() const { return hideHint_; }
    void SetHideHint(bool value) { hideHint_ = value; }

    TSenderEvent OnMouseExit;

    TPxButtonState State() const { return state_; }
    // Pixels kept free inside the edge for the style.
    int ContentInset() const;
    // Where glyph and text box go in the current state.
    GlyphPlacement Placement();
    // How many times the button painted itself without its parent (for the hover benchmark).
    int OwnRepaints() const { return ownRepaints_; }

    void MouseDown(MouseButton button, Shift shift, int x, int y) override;
    void MouseUp(MouseButton button, Shift shift, int x, int y) override;
    void MouseMove(Shift shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseCaptureLost() override;
    void DblClick() override;
    // Its accelerator clicks it, or in a group latches it (releases it when AllowAllUp) as a click would.
    bool Accelerate(char32_t ch) override;

    // A push button, checked while latched, whose action "click" does what a click with the mouse
    // does while the button is enabled and showing.
    window::AccessibleRole Role() const override { return window::AccessibleRole::PushButton; }
    window::AccessibleStates States() const override;
    window::AccessibleFacets Facets() const override { return {window::AccessibleFacet::Action}; }
    int ActionCount() const override { return 1; }
    std::string ActionName(int index) const override { return index == 0 ? "click" : ""; }
    bool DoAction(int index) override;

  protected:
    void Paint() override;
    void EnabledChanged() override;
    void CaptionChanged() override;

  private:
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < Width() && y < Height(); }
    bool HasHotLook() const;
    bool MouseOver() const;
    void SetState(TPxButtonState state);
    // A click's latching: in a group, latched, or released when AllowAllUp.
    void ToggleLatch();
    void RepaintState();
    void PaintFace(TCanvas& canvas, const gdi::RECT& r);
    void StartRepeating();
    void StopRepeating();

    TPxGlyphHolder glyph_;
    TPxButtonLayout layout_;
    TPxUserButtonStyle style_ = gbsWin40;
    TPxButtonState state_ = bsUp;
    bool useCaption_ = true;
    bool hideAccelUntilAlt_ = false;
    bool themedLook_ = true;
    bool transparent_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool down_ = false;  // Pressed
    bool multiLine_ = false;
    TColor enterColor_ = clCaptionText;
    bool enterColorChange_ = false;
    bool repeatedClick_ = false;
    std::uint16_t repeatingDelay_ = 500, repeatingInterval_ = 100;
    bool hideHint_ = true;
    bool tracking_ = false;
    bool over_ = false;  // the mouse is over the button
    int repeatTimer_ = 0;
    int ownRepaints_ = 0;
};

}  // namespace plexon
