// The flat glyph button's states, transitions and painting. State changes repaint the button alone
// when it can draw its own background (opaque, or over a panel's background bitmap); otherwise the
// parent repaints under it.
#include "controls/PxSpeedButton.h"

#include "controls/PxCustomPanel.h"
#include "framework/AccessKeyCues.h"
#include "framework/ControlDrawing.h"
#include "framework/HintWindow.h"
#include "framework/WinControl.h"
#include "graphics/GdiSupport.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/Text.h"
#include "platform/window/Window.h"

namespace plexon {

namespace {

bool IsDown(TPxButtonState s) {
    return s == bsLatched || s == bsPressed || s == bsDropDown;
}

bool MakesTransparent(TPxUserButtonStyle style) {
    return style == gbsExplorer || style == gbsExplorerColored || style == gbsOfficeTransp;
}

}  // namespace

TPxSpeedButton::TPxSpeedButton(TComponent* owner) : TGraphicControl(owner) {
    clickOnMouseUp_ = false;  // clicks come from the button's own tracking
    SetBounds(0, 0, 23, 22);
    SetColor(clWindow);
    layout_.OnChange = [this] { Invalidate(); };
}

TPxSpeedButton::~TPxSpeedButton() {
    StopRepeating();
}

void TPxSpeedButton::SetUseCaption(bool value) {
    if (value == useCaption_) return;
    useCaption_ = value;
    Invalidate();
}

void TPxSpeedButton::SetGlyph(const TBitmap& glyph) {
    glyph_.SetGlyph(glyph);
    Invalidate();
}

void TPxSpeedButton::SetNumGlyphs(int value) {
    glyph_.SetNumGlyphs(value);
    Invalidate();
}

void TPxSpeedButton::SetButtonStyle(TPxUserButtonStyle value) {
    if (value == style_) return;
    style_ = value;
    transparent_ = MakesTransparent(style_);
    Invalidate();
}

void TPxSpeedButton::SetThemedLook(bool value) {
    // No platform theme exists here: the flag is kept, the look stays the style's.
    themedLook_ = value;
}

void TPxSpeedButton::SetMultiLine(bool value) {
    if (value == multiLine_) return;
    multiLine_ = value;
    Invalidate();
}

void TPxSpeedButton::CaptionChanged() {
    Invalidate();
}

int TPxSpeedButton::ContentInset() const {
    switch (style_) {
        case gbsWin31:
            return 3;
        case gbsWin40:
        case gbsClassic:
        case gbsClassicFlat:
        case gbsNavigator:
        case gbsIntegrated:
        case gbsWin40Ext:
            return 2;
        default:
            return 1;
    }
}

bool TPxSpeedButton::HasHotLook() const {
    switch (style_) {
        case gbsClassicFlat:
        case gbsFlat:
        case gbsFlatUnColored:
        case gbsNavigator:
        case gbsExplorer:
        case gbsExplorerColored:
        case gbsOffice:
        case gbsOfficeTransp:
        case gbsWin40Ext:
            return true;
        default:
            return glyph_.NumGlyphs() >= 3 || enterColorChange_;
    }
}

bool TPxSpeedButton::MouseOver() const {
    return over_;
}

void TPxSpeedButton::SetState(TPxButtonState state) {
    if (state == state_) return;
    const bool upHot = (state_ == bsUp && state == bsHot) || (state_ == bsHot && state == bsUp);
    state_ = state;
    if (upHot && !HasHotLook()) return;
    RepaintState();
}

void TPxSpeedButton::RepaintState() {
    TWinControl* parent = Parent();
    if (!parent || !Visible()) return;
    // Alone when the button can draw everything under itself; else the parent paints again.
    auto* panel = dynamic_cast<TPxCustomPanel*>(parent);
    const bool ownBackground = !transparent_ || (panel && panel->KeepsBackground());
    if (ownBackground && parent->HandleAllocated() &&
        window::TheDesktop().PaintNow(parent->Handle(), [this](gdi::HDC dc) { PaintOn(dc); })) {
        ++ownRepaints_;
        return;
    }
    Invalidate();
}

void TPxSpeedButton::SetPressed(bool value) {
    if (groupIndex_ == 0) value = false;
    if (value == down_) return;
    down_ = value;
    if (down_ && Parent()) {
        for (int i = 0; i < Parent()->ControlCount(); ++i) {
            auto* other = dynamic_cast<TPxSpeedButton*>(Parent()->Controls(i));
            if (!other || other == this || other->groupIndex_ != groupIndex_ || !other->down_) continue;
            other->down_ = false;
            other->allowAllUp_ = allowAllUp_;
            if (other->Enabled()) other->SetState(other->over_ ? bsHot : bsUp);
        }
    }
    if (!Enabled())
        SetState(down_ ? bsDisabledLatched : bsDisabled);
    else if (!tracking_)
        SetState(down_ ? bsLatched : over_ ? bsHot : bsUp);
}

void TPxSpeedButton::EnabledChanged() {
    tracking_ = false;
    StopRepeating();
    state_ = Enabled() ? (down_ ? bsLatched : bsUp) : (down_ ? bsDisabledLatched : bsDisabled);
    Invalidate();
}

void TPxSpeedButton::MouseEnter() {
    over_ = true;
    if (!Enabled()) return;
    if (state_ == bsUp)
        SetState(bsHot);
    else if (state_ == bsLatched)
        RepaintState();  // the latched face is tinted while hot
    TGraphicControl::MouseEnter();
}

void TPxSpeedButton::MouseLeave() {
    over_ = false;
    if (!Enabled()) return;
    if (state_ == bsHot)
        SetState(bsUp);
    else if (state_ == bsLatched)
        RepaintState();
    if (hideHint_) CancelHint();
    if (OnMouseExit) OnMouseExit(this);
    TGraphicControl::MouseLeave();
}

void TPxSpeedButton::MouseCaptureLost() {
    TGraphicControl::MouseCaptureLost();
    // No release will come: the press is over, and later hovers must not show it pressed.
    tracking_ = false;
    StopRepeating();
    if (Enabled()) SetState(down_ ? bsLatched : bsUp);
}

void TPxSpeedButton::MouseMove(Shift shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (!Enabled()) return;
    over_ = Inside(x, y);
    if (tracking_) {
        // A latched button shows latched outside, not up: dragging off must not unlatch it.
        if (!over_)
            SetState(down_ ? bsLatched : bsUp);
        else
            SetState(down_ ? bsLatched : bsPressed);
        return;
    }
    if (state_ == bsUp && over_) SetState(bsHot);
}

void TPxSpeedButton::MouseDown(MouseButton button, Shift shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (!Enabled() || button != MouseButton::Left) return;
    tracking_ = true;
    over_ = Inside(x, y);
    if (!(down_ && groupIndex_ != 0)) SetState(bsPressed);
    if (repeatedClick_) {
        Click();
        StartRepeating();
    }
}

void TPxSpeedButton::MouseUp(MouseButton button, Shift shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    if (!tracking_ || button != MouseButton::Left) return;
    tracking_ = false;
    StopRepeating();
    over_ = Inside(x, y);
    if (!over_) {
        SetState(down_ ? bsLatched : bsUp);
        return;
    }
    ToggleLatch();
    // The face is hot again before the handler runs (it may open a modal window).
    SetState(down_ ? bsLatched : bsHot);
    if (state_ == bsLatched) RepaintState();
    if (!repeatedClick_) Click();
}

bool TPxSpeedButton::Accelerate(char32_t ch) {
    if (!useCaption_ || !IsAccelerator(ch) || !ReallyEnabled() || !ReallyVisible()) return false;
    if (groupIndex_ == 0)
        Click();
    else
        ToggleLatch();
    return true;
}

void TPxSpeedButton::ToggleLatch() {
    if (groupIndex_ == 0) return;
    if (!down_)
        SetPressed(true);
    else if (allowAllUp_)
        SetPressed(false);
}

window::AccessibleStates TPxSpeedButton::States() const {
    const window::AccessibleStates states = TGraphicControl::States();
    return down_ ? states.With(window::AccessibleState::Checked) : states;
}

bool TPxSpeedButton::DoAction(int index) {
    if (index != 0 || !AcceptsInput() || !ReallyVisible()) return false;
    ToggleLatch();
    Click();
    return true;
}

void TPxSpeedButton::DblClick() {
    if (state_ == bsLatched) TGraphicControl::DblClick();
}

void TPxSpeedButton::StartRepeating() {
    StopRepeating();
    repeatTimer_ = window::TheDesktop().SetTimer(repeatingDelay_, [this] {
        // After the delay, the interval; clicks only while the button is held down on it.
        const int id = repeatTimer_;
        repeatTimer_ = window::TheDesktop().SetTimer(repeatingInterval_, [this] {
            if (state_ == bsPressed) Click();
        });
        window::TheDesktop().KillTimer(id);
        if (state_ == bsPressed) Click();
    });
}

void TPxSpeedButton::StopRepeating() {
    if (repeatTimer_) window::TheDesktop().KillTimer(repeatTimer_);
    repeatTimer_ = 0;
}

GlyphPlacement TPxSpeedButton::Placement() {
    const int inset = ContentInset();
    gdi::RECT content{inset, inset, Width() - inset, Height() - inset};
    if (IsDown(state_)) content = {content.left + 1, content.top + 1, content.right + 1, content.bottom + 1};
    gdi::SIZE text{0, 0};
    const std::string caption = useCaption_ ? Caption() : std::string();
    if (!caption.empty()) {
        TCanvas& canvas = Canvas();
        const bool attached = canvas.HandleAllocated();
        gdi::RECT measured;
        const gdi::UINT format = gdi::DT_EXPANDTABS | (multiLine_ ? gdi::DT_WORDBREAK : gdi::DT_SINGLELINE);
        const std::string shown = caption == "&" ? std::string(" ") : caption;
        if (attached) {
            measured = MeasureControlText(canvas.Handle(), shown, {0, 0, content.right - content.left, 0},
                                          format, Font());
        } else {
            ScopedMemoryDc screen;
            measured = MeasureControlText(screen.Get(), shown, {0, 0, content.right - content.left, 0},
                                          format, Font());
        }
        text = {measured.right - measured.left + 2, measured.bottom - measured.top + 2};
    }
    return PlaceGlyphAndText(content, glyph_.ImageSize(), text, layout_);
}

void TPxSpeedButton::PaintFace(TCanvas& canvas, const gdi::RECT& r) {
    const gdi::HDC dc = canvas.Handle();
    if (style_ == gbsOffice || style_ == gbsOfficeTransp) {
        const bool hot = state_ == bsHot || (state_ == bsLatched && over_);
        TColor face = IsDown(state_) || state_ == bsDisabledLatched ? kOfficeDown : Color();
        if (hot) face = state_ == bsLatched ? kOfficeHotLatched : kOfficeHot;
        if (face != Color()) {
            canvas.Pen().SetColor(kOfficeFrame);
            canvas.Pen().SetWidth(1);
            canvas.Brush().SetStyle(TBrushStyle::Solid);
            canvas.Brush().SetColor(face);
            canvas.Rectangle(r.left, r.top, r.right, r.bottom);
        } else if (style_ == gbsOffice) {
            FillSolid(dc, r, Color());
        }
        return;
    }
    // The other styles: a plain classic raised / sunken edge, or a flat one that shows when hot.
    const bool classic = style_ == gbsWin31 || style_ == gbsWin40 || style_ == gbsClassic ||
                         style_ == gbsWin40Ext || style_ == gbsCombo;
    gdi::RECT edge = r;
    if (IsDown(state_) || state_ == bsDisabledLatched)
        gdi::DrawEdge(dc, &edge, classic ? gdi::EDGE_SUNKEN : gdi::BDR_SUNKENOUTER, gdi::BF_RECT);
    else if (classic)
        gdi::DrawEdge(dc, &edge, gdi::EDGE_RAISED, gdi::BF_RECT);
    else if (state_ == bsHot)
        gdi::DrawEdge(dc, &edge, gdi::BDR_RAISEDINNER, gdi::BF_RECT);
}

void TPxSpeedButton::Paint() {
    TCanvas& canvas = Canvas();
    const gdi::HDC dc = canvas.Handle();
    const gdi::RECT r = ClientRect();
    auto* panel = dynamic_cast<TPxCustomPanel*>(Parent());
    if (!transparent_ || !panel || !panel->CopyBackground(dc, BoundsRect(), 0, 0)) {
        // Over a parent without a background of its own, a transparent button keeps the pixels the
        // parent just painted.
        if (!transparent_) FillSolid(dc, r, Color());
    }
    PaintFace(canvas, r);
    const GlyphPlacement placed = Placement();
    const std::string caption = useCaption_ ? Caption() : std::string();
    if (!caption.empty()) {
        const gdi::UINT format = gdi::DT_EXPANDTABS | gdi::DT_LEFT | gdi::DT_TOP |
                                 (multiLine_ ? gdi::DT_WORDBREAK : gdi::DT_SINGLELINE) |
                                 (hideAccelUntilAlt_ ? AccessKeyCueFormat(*this) : 0);
        if (Enabled()) {
            const bool entered = enterColorChange_ && (state_ == bsHot || IsDown(state_));
            DrawControlTextInColor(dc, caption, placed.text, format, Font(),
                                   entered ? enterColor_ : Font().Color());
        } else {
            const gdi::RECT shifted{placed.text.left + 1, placed.text.top + 1, placed.text.right + 1,
                                    placed.text.bottom + 1};
            DrawControlTextInColor(dc, caption, shifted, format, Font(), clBtnHighlight);
            DrawControlTextInColor(dc, caption, placed.text, format, Font(), clGrayText);
        }
    }
    const bool disabled = state_ == bsDisabled || state_ == bsDisabledLatched;
    const int index = disabled ? 1 : int(state_) < glyph_.NumGlyphs() ? int(state_) : 0;
    glyph_.Draw(canvas, index, placed.glyph.left, placed.glyph.top);
}

}  // namespace plexon
