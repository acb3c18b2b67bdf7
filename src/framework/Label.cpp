// The static text.
#include "framework/Label.h"

#include "framework/ControlDrawing.h"
#include "framework/WinControl.h"
#include "platform/gdi/Text.h"
#include "runtime/PrefixText.h"

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

std::string TLabel::AccessibleText() const {
    return WithNewlines(showAccelChar_ ? StripPrefixes(Caption()) : Caption());
}

std::string TLabel::WithNewlines(std::string text) {
    for (std::size_t at = text.find('\r'); at != std::string::npos; at = text.find('\r', at)) {
        const bool pair = at + 1 < text.size() && text[at + 1] == '\n';
        text.replace(at, pair ? 2 : 1, "\n");
    }
    return text;
}

std::string TLabel::AccessibleName() const {
    // One line: each break, with the blanks around it, reads as one space.
    const std::string text = AccessibleText();
    std::string name;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\t';
        if (!blank)
            name += c;
        else if (!name.empty() && name.back() != ' ')
            name += ' ';
    }
    if (!name.empty() && name.back() == ' ') name.pop_back();
    return name;
}

TControl* TLabel::LabelTarget() const {
    return focusControl_;
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
