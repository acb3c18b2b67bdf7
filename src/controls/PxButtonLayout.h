// Where a button puts its glyph and caption: the settings object with the glyph's side, the spacing,
// the placement and offsets, and the drop-down arrow's settings. The arithmetic is in GlyphLayout.
#pragma once

#include "controls/PxFillObject.h"
#include "controls/PxSettings.h"
#include "graphics/Color.h"

namespace plexon {

// Where the text stands relative to the glyph.
enum class TPxTextAlign { taLeft, taLeftTop, taRight, taRightTop, taTop, taTopLeft, taBottom, taBottomLeft };
using enum TPxTextAlign;
enum class TPxArrowPosition { apRightText, apRightButton, apBottomText };
using enum TPxArrowPosition;

class TPxButtonLayout : public TPxSettings {
  public:
    TPxAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPxAlignment value) { Set(alignment_, value); }
    TPxTextAlign AlignText2Glyph() const { return alignText2Glyph_; }
    void SetAlignText2Glyph(TPxTextAlign value) { Set(alignText2Glyph_, value); }
    int Spacing() const { return spacing_; }
    void SetSpacing(int value) { Set(spacing_, value); }
    int OffsetX() const { return offsetX_; }
    void SetOffsetX(int value) { Set(offsetX_, value); }
    int OffsetY() const { return offsetY_; }
    void SetOffsetY(int value) { Set(offsetY_, value); }
    // The drop-down arrow's settings; no button of this program draws an arrow.
    bool Arrow() const { return arrow_; }
    void SetArrow(bool value) { Set(arrow_, value); }
    TColor ArrowColor() const { return arrowColor_; }
    void SetArrowColor(TColor value) { Set(arrowColor_, value); }
    int ArrowIndent() const { return arrowIndent_; }
    void SetArrowIndent(int value) { Set(arrowIndent_, value); }
    TPxArrowPosition ArrowPosition() const { return arrowPosition_; }
    void SetArrowPosition(TPxArrowPosition value) { Set(arrowPosition_, value); }
    int ArrowSize() const { return arrowSize_; }
    void SetArrowSize(int value) { Set(arrowSize_, value); }

  private:
    TPxAlignment alignment_ = agCenter;
    TPxTextAlign alignText2Glyph_ = taRight;
    int spacing_ = 2;
    int offsetX_ = 0, offsetY_ = 0;
    bool arrow_ = false;
    TColor arrowColor_ = clBlack;
    int arrowIndent_ = 3;
    TPxArrowPosition arrowPosition_ = apRightText;
    int arrowSize_ = 3;
};

struct GlyphPlacement {
    gdi::RECT glyph;  // empty when there is no glyph
    gdi::RECT text;   // the text box (extent plus 2 each way); empty for no caption
};

// Places a glyph and a text box of the given sizes (0 x 0: absent) in the content rectangle.
GlyphPlacement PlaceGlyphAndText(const gdi::RECT& content, gdi::SIZE glyph, gdi::SIZE text,
                                 const TPxButtonLayout& layout);

}  // namespace plexon
