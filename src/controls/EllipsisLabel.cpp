// Painting of the ellipsis label: the background unless transparent, then the caption in one
// DrawText call with the format of its properties, embossed when disabled.
#include "controls/EllipsisLabel.h"

#include "framework/ControlDrawing.h"
#include "platform/gdi/Text.h"

namespace plexon {

void TEllipsisLabel::SetEllipsType(TEllipsType value) {
    if (value == ellipsType_) return;
    ellipsType_ = value;
    Invalidate();
}

void TEllipsisLabel::SetLayout(TTextLayout value) {
    if (value == layout_) return;
    layout_ = value;
    Invalidate();
}

gdi::UINT TEllipsisLabel::DrawFormat() const {
    gdi::UINT format = Alignment() == taRightJustify ? gdi::DT_RIGHT
                       : Alignment() == taCenter     ? gdi::DT_CENTER
                                                     : gdi::DT_LEFT;
    format |= WordWrap() ? gdi::DT_WORDBREAK : gdi::DT_SINGLELINE;
    format |= layout_ == tlCenter ? gdi::DT_VCENTER : layout_ == tlBottom ? gdi::DT_BOTTOM : gdi::DT_TOP;
    format |= ellipsType_ == etEndEllips    ? gdi::DT_END_ELLIPSIS
              : ellipsType_ == etPathEllips ? gdi::DT_PATH_ELLIPSIS
                                            : 0;
    if (!ShowAccelChar()) format |= gdi::DT_NOPREFIX;
    return format;
}

void TEllipsisLabel::Paint() {
    const gdi::HDC dc = Canvas().Handle();
    if (!Transparent()) FillSolid(dc, ClientRect(), Color());
    DrawControlText(dc, Caption(), ClientRect(), DrawFormat(), Font(),
                    ReallyEnabled() ? TextState::Enabled : TextState::Disabled);
}

}  // namespace plexon
