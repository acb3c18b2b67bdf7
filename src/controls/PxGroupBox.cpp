// Group box geometry and painting: caption band, frame and caption rectangles by alignment, the
// frame interrupted under the caption's text box, turned captions on the left and right sides.
#include "controls/PxGroupBox.h"

#include <algorithm>

#include "controls/PxFillObject.h"
#include "framework/ControlDrawing.h"
#include "graphics/GdiSupport.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/Fonts.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/Text.h"

namespace plexon {

namespace {

enum class Side { Top, Left, Bottom, Right };

Side SideOf(TPxGroupCaptionAlign a) {
    switch (a) {
        case gcaTopLeft:
        case gcaTopCenter:
        case gcaTopRight:
            return Side::Top;
        case gcaLeftBottom:
        case gcaLeftCenter:
        case gcaLeftTop:
            return Side::Left;
        case gcaBottomLeft:
        case gcaBottomCenter:
        case gcaBottomRight:
            return Side::Bottom;
        default:
            return Side::Right;
    }
}

// Where the text box sits in the caption rectangle.
TPxAlignment PlacementOf(TPxGroupCaptionAlign a) {
    switch (a) {
        case gcaTopLeft:
        case gcaLeftTop:
            return agTopLeft;
        case gcaTopCenter:
            return agTopCenter;
        case gcaTopRight:
        case gcaRightTop:
            return agTopRight;
        case gcaLeftCenter:
            return agCenterLeft;
        case gcaRightCenter:
            return agCenterRight;
        case gcaLeftBottom:
        case gcaBottomLeft:
            return agBottomLeft;
        case gcaBottomCenter:
            return agBottomCenter;
        case gcaBottomRight:
        case gcaRightBottom:
            return agBottomRight;
    }
    return agTopLeft;
}

bool IsBlank(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

}  // namespace

TPxGroupBox::TPxGroupBox(TComponent* owner) : TPxCustomPanel(owner) {
    SetParentColor(true);
    Bevel().SetMode(bmWindows);
    captionFont_.OnChange = [this](TFont&) {
        if (!followingFont_) captionParentFont_ = false;
        MeasureBand();
        AlignControls();
        Invalidate();
    };
    SetBounds(0, 0, 185, 105);
    MeasureBand();
}

void TPxGroupBox::MeasureBand() {
    ScopedMemoryDc screen;
    band_ = ControlTextExtent(screen.Get(), "W", captionFont_).cy;
}

void TPxGroupBox::SetAlignment(TPxGroupCaptionAlign value) {
    if (value == alignment_) return;
    alignment_ = value;
    MeasureBand();
    AlignControls();
    Invalidate();
}

void TPxGroupBox::SetCaptionOffset(int value) {
    if (value == captionOffset_) return;
    captionOffset_ = value;
    Invalidate();
}

void TPxGroupBox::SetShowAccelChar(bool value) {
    if (value == showAccelChar_) return;
    showAccelChar_ = value;
    Invalidate();
}

void TPxGroupBox::SetCaptionParentFont(bool value) {
    captionParentFont_ = value;
    if (value) ParentFontOrColorChanged();
}

void TPxGroupBox::ParentFontOrColorChanged() {
    if (captionParentFont_) {
        followingFont_ = true;
        captionFont_.Assign(Font());
        followingFont_ = false;
    }
    TPxCustomPanel::ParentFontOrColorChanged();
}

bool TPxGroupBox::Turned() const {
    const Side side = SideOf(alignment_);
    return side == Side::Left || side == Side::Right;
}

gdi::RECT TPxGroupBox::AlignRect() const {
    gdi::RECT r = TPxCustomPanel::AlignRect();
    switch (SideOf(alignment_)) {
        case Side::Top:
            r.top += band_;
            break;
        case Side::Left:
            r.left += band_;
            break;
        case Side::Bottom:
            r.bottom -= band_;
            break;
        case Side::Right:
            r.right -= band_;
            break;
    }
    return r;
}

gdi::RECT TPxGroupBox::FrameRect() const {
    const int w = Width(), h = Height(), d = band_ / 2 - 1;
    switch (SideOf(alignment_)) {
        case Side::Top:
            return {0, d, w, h};
        case Side::Left:
            return {d, 0, w, h};
        case Side::Bottom:
            return {0, 0, w, h - d};
        case Side::Right:
            return {0, 0, w - d, h};
    }
    return {0, 0, w, h};
}

gdi::RECT TPxGroupBox::CaptionRect() const {
    const int w = Width(), h = Height(), o = captionOffset_, b = band_;
    switch (alignment_) {
        case gcaTopLeft:
            return {o, 0, w, b};
        case gcaTopCenter:
            return {0, 0, w, b};
        case gcaTopRight:
            return {0, 0, w - o, b};
        case gcaLeftBottom:
            return {0, 0, b, h - o};
        case gcaLeftCenter:
            return {0, 0, b, h};
        case gcaLeftTop:
            return {0, o, b, h};
        case gcaBottomLeft:
            return {o, h - b, w, h};
        case gcaBottomCenter:
            return {0, h - b, w, h};
        case gcaBottomRight:
            return {0, h - b, w - o, h};
        case gcaRightTop:
            return {w - b, o + 2, w, h};
        case gcaRightCenter:
            return {w - b, 2, w, h};
        case gcaRightBottom:
            return {w - b, 2, w, h - o};
    }
    return {0, 0, w, b};
}

std::string TPxGroupBox::MeasuredCaption() const {
    return showAccelChar_ && Caption() == "&" ? std::string(" ") : Caption();
}

namespace {

// The first control inside parent, in tab order and depth first, that a Tab key could focus.
TWinControl* FirstTabStop(const TWinControl& parent) {
    for (TWinControl* child : parent.TabList()) {
        if (child->TabStop() && child->CanFocus()) return child;
        if (TWinControl* inner = FirstTabStop(*child)) return inner;
    }
    return nullptr;
}

}  // namespace

bool TPxGroupBox::Accelerate(char32_t ch) {
    if (!showAccelChar_ || !ReallyVisible() || !ReallyEnabled() || !IsAccelerator(ch)) return false;
    TWinControl* target = FirstTabStop(*this);
    if (!target) return false;
    target->SetFocus();
    return true;
}

gdi::RECT TPxGroupBox::CaptionTextBox() {
    ScopedMemoryDc screen;
    const gdi::UINT format =
        gdi::DT_SINGLELINE | gdi::DT_EXPANDTABS | (showAccelChar_ ? 0 : gdi::DT_NOPREFIX);
    const gdi::RECT text =
        MeasureControlText(screen.Get(), MeasuredCaption(), {0, 0, 0, 0}, format, captionFont_);
    int w = text.right - text.left + 2, h = text.bottom - text.top + 2;
    if (Turned()) std::swap(w, h);
    const gdi::RECT area = CaptionRect();
    const gdi::POINT at = AlignBox(area, w, h, PlacementOf(alignment_));
    return {at.x, at.y, at.x + w, at.y + h};
}

void TPxGroupBox::Paint() {
    const gdi::HDC dc = Canvas().Handle();
    const bool blank = IsBlank(Caption());
    gdi::RECT frame = blank ? ClientRect() : FrameRect();
    if (Bevel().Mode() == bmWindows)
        gdi::DrawEdge(dc, &frame, gdi::EDGE_ETCHED, gdi::BF_RECT);
    else
        Bevel().Draw(dc, frame, true);
    if (blank) return;
    const gdi::RECT box = CaptionTextBox();
    gdi::RECT gap = box;
    switch (SideOf(alignment_)) {
        case Side::Top:
        case Side::Bottom:
            gap.left -= 2;
            break;
        case Side::Left:
            gap.bottom += 2;
            break;
        case Side::Right:
            gap.top -= 2;
            break;
    }
    if (Transparent())
        PaintParentBackground(dc, gap);
    else
        FillSolid(dc, gap, Color());
    const TColor color = ReallyEnabled() ? captionFont_.Color() : clGrayText;
    // The text goes where the caption goes, this time within its box's 2 spare pixels: centred or
    // to the far side as the alignment says (along the text only, for turned captions).
    const int w = box.right - box.left - 2, h = box.bottom - box.top - 2;
    const gdi::POINT at = AlignBox(box, w, h, PlacementOf(alignment_));
    if (!Turned()) {
        const gdi::UINT format = gdi::DT_SINGLELINE | gdi::DT_EXPANDTABS | gdi::DT_LEFT | gdi::DT_TOP |
                                 (showAccelChar_ ? 0 : gdi::DT_NOPREFIX);
        DrawControlTextInColor(dc, Caption(), {at.x, at.y, at.x + w, at.y + h}, format, captionFont_, color);
        return;
    }
    // Turned captions read upwards on the left and downwards on the right; no accelerator marks.
    TFont turned(captionFont_);
    const bool left = SideOf(alignment_) == Side::Left;
    turned.SetOrientation(left ? 900 : 2700);
    const gdi::HFONT old = gdi::SelectObject(dc, turned.Handle());
    const int oldMode = gdi::SetBkMode(dc, gdi::TRANSPARENT);
    gdi::SetTextColor(dc, ResolveColor(color));
    if (left)
        gdi::TextOut(dc, box.left, at.y + h, Caption().c_str(), int(Caption().size()));
    else
        gdi::TextOut(dc, box.left + w, at.y, Caption().c_str(), int(Caption().size()));
    gdi::SetBkMode(dc, oldMode);
    gdi::SelectObject(dc, old);
}

}  // namespace plexon
