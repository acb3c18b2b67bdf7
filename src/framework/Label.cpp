// The static text.
#include "framework/Label.h"

#include "framework/ControlDrawing.h"
#include "framework/WinControl.h"
#include "platform/gdi/Text.h"

namespace plexon {

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
}

void TLabel::SetAlignment(TAlignment value) {
    alignment_ = value;
    Invalidate();
}

void TLabel::SetWordWrap(bool value) {
    wordWrap_ = value;
    Invalidate();
}

void TLabel::SetTransparent(bool value) {
    transparent_ = value;
    Invalidate();
}

bool TLabel::Accelerate(char32_t ch) {
    TWinControl* target = focusControl_;
    if (!showAccelChar_ || !ReallyVisible() || !IsAccelerator(ch) || !target || !target->CanFocus())
        return false;
    target->SetFocus();
    return true;
}

void TLabel::SetShowAccelChar(bool value) {
    showAccelChar_ = value;
    Invalidate();
}

void TLabel::Paint() {
    const gdi::HDC dc = Canvas().Handle();
    if (!transparent_) FillSolid(dc, ClientRect(), Color());
    gdi::UINT format = gdi::DT_EXPANDTABS;
    if (wordWrap_) format |= gdi::DT_WORDBREAK;
    if (alignment_ == taCenter) format |= gdi::DT_CENTER;
    if (alignment_ == taRightJustify) format |= gdi::DT_RIGHT;
    if (!showAccelChar_) format |= gdi::DT_NOPREFIX;
    DrawControlText(dc, Caption(), ClientRect(), format, Font(),
                    ReallyEnabled() ? TextState::Enabled : TextState::Disabled);
}

}  // namespace plexon
