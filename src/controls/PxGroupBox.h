// The captioned group box of the panel family: a frame (etched, or the bevel's) interrupted by the
// caption on any of the four sides, children kept inside frame and caption band. There is no theme
// engine here, so the classic etched frame is always what is drawn; 3D caption effects are not built.
#pragma once

#include "controls/PxCustomPanel.h"
#include "graphics/Font.h"

namespace plexon {

enum class TPxGroupCaptionAlign {
    gcaTopLeft,
    gcaTopCenter,
    gcaTopRight,
    gcaLeftBottom,
    gcaLeftCenter,
    gcaLeftTop,
    gcaBottomLeft,
    gcaBottomCenter,
    gcaBottomRight,
    gcaRightTop,
    gcaRightCenter,
    gcaRightBottom
};
using enum TPxGroupCaptionAlign;

class TPxGroupBox : public TPxCustomPanel {
  public:
    explicit TPxGroupBox(TComponent* owner);

    TPxGroupCaptionAlign Alignment() const { return alignment_; }
    void SetAlignment(TPxGroupCaptionAlign value);
    int CaptionOffset() const { return captionOffset_; }
    void SetCaptionOffset(int value);
    // Changing the caption font through this reference turns CaptionParentFont off.
    TFont& CaptionFont() { return captionFont_; }
    void SetCaptionFont(const TFont& font) { captionFont_.Assign(font); }
    bool CaptionParentFont() const { return captionParentFont_; }
    void SetCaptionParentFont(bool value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    // Kept for form descriptions; no platform theme exists to use them.
    bool ThemedLook() const { return themedLook_; }
    void SetThemedLook(bool value) { themedLook_ = value; }
    bool ThemedLookCaptionColor() const { return themedLookCaptionColor_; }
    void SetThemedLookCaptionColor(bool value) { themedLookCaptionColor_ = value; }

    // Height of the caption band: the height of "W" in the caption font.
    int CaptionBand() const { return band_; }
    // Where the frame and the caption go for the current size and alignment.
    gdi::RECT FrameRect() const;
    gdi::RECT CaptionRect() const;
    // The caption's text box (text extent plus 2 each way) placed in the caption rectangle.
    gdi::RECT CaptionTextBox();
    // Its accelerator focuses the first child, in tab order, that can take the focus.
    bool Accelerate(char32_t ch) override;

  protected:
    gdi::RECT AlignRect() const override;
    void Paint() override;
    void ParentFontOrColorChanged() override;

  private:
    void MeasureBand();
    bool Turned() const;
    std::string MeasuredCaption() const;

    TPxGroupCaptionAlign alignment_ = gcaTopLeft;
    int captionOffset_ = 8;
    TFont captionFont_;
    bool captionParentFont_ = true;
    bool followingFont_ = false;
    bool showAccelChar_ = true;
    bool themedLook_ = true;
    bool themedLookCaptionColor_ = true;
    int band_ = 0;
};

}  // namespace plexon
