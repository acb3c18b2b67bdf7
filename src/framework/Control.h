// The base of all controls: bounds, alignment and anchors, visibility, enabling, font and colour
// with their parent-following flags, caption, hint, cursor, the mouse events and painting requests.
// Windows, focus and keys belong to TWinControl; drawing on a parent's surface to TGraphicControl.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "framework/Component.h"
#include "graphics/Canvas.h"
#include "graphics/Color.h"
#include "platform/gdi/Types.h"
#include "platform/window/Accessible.h"
#include "platform/window/Input.h"

namespace plexon {

class TWinControl;
class TForm;

using window::MouseButton;
using window::Shift;
using TCursor = window::Cursor;
inline constexpr TCursor crDefault = TCursor::Default, crArrow = TCursor::Arrow, crHourGlass = TCursor::Hourglass,
                         crHandPoint = TCursor::Hand, crIBeam = TCursor::IBeam;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
using enum TAlign;

// A set of the sides a control keeps its distance to when its parent is resized.
enum class TAnchors : std::uint8_t { None = 0, akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
constexpr TAnchors operator|(TAnchors a, TAnchors b) { return TAnchors(std::uint8_t(a) | std::uint8_t(b)); }
constexpr bool Has(TAnchors set, TAnchors side) { return (std::uint8_t(set) & std::uint8_t(side)) != 0; }
inline constexpr TAnchors akLeft = TAnchors::akLeft, akTop = TAnchors::akTop, akRight = TAnchors::akRight,
                          akBottom = TAnchors::akBottom;


// Event handlers: the sender is the control (or whatever component raises the event).
using TSenderEvent = std::function<void(TComponent* sender)>;
using TMouseEvent = std::function<void(TComponent* sender, MouseButton button, Shift shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TComponent* sender, Shift shift, int x, int y)>;

// The hint a control shows for one pointer position. The control may change any part of it.
struct THintInfo {
    std::string text;
    std::optional<gdi::POINT> position;  // screen; unset: 20 px below the pointer
    gdi::RECT area{};  // client area in which the hint stays; the pointer leaving it asks again
    // Draws the text its own way (markup) in r, or only measures it; returns the size it takes.
    std::function<gdi::SIZE(TCanvas& canvas, const gdi::RECT& r, bool draw)> paint;
};

// Every control is a node of its window's accessible tree (ControlAccessible.cpp has the generic
// answers: name from the caption, description from the hint, states from the flags).
class TControl : public TComponent, public window::Accessible {
  public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    virtual void SetBounds(int left, int top, int width, int height);
    gdi::RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    virtual int ClientWidth() const { return width_; }
    virtual int ClientHeight() const { return height_; }
    gdi::RECT ClientRect() const { return {0, 0, ClientWidth(), ClientHeight()}; }
    // Client point of this control in screen coordinates, and back.
    gdi::POINT ClientToScreen(gdi::POINT p) const;
    gdi::POINT ScreenToClient(gdi::POINT p) const;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors anchors) { anchors_ = anchors; }

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);
    // Visible and enabled together with every parent.
    bool ReallyVisible() const;
    bool ReallyEnabled() const;
    // Enabled with every parent, on a window that takes input now (not one a modal run disabled):
    // what a user could operate.
    bool AcceptsInput() const;

    // The control's font. Changing it clears ParentFont and reaches the children that follow it.
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font) { font_.Assign(font); }
    // Whether the font follows the parent's; setting it true takes the parent's font at once.
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    // Treats the font as changed by the control itself: ParentFont goes off and the children that
    // follow it take it over. Changes through Font() do this on their own.
    void FontChanged();
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    const std::string& Text() const { return Caption(); }
    void SetText(const std::string& text) { SetCaption(text); }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    // Whether resting the pointer on the control shows its hint.
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value) { showHint_ = value; }
    // The hint for the pointer at a client point; false for none. The base shows Hint().
    virtual bool GetHintInfo(gdi::POINT cursor, THintInfo& info);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);

    TSenderEvent OnClick;
    TSenderEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TSenderEvent OnMouseEnter;
    TSenderEvent OnMouseLeave;

    virtual void Click();
    // Acts on the dialog character ch when it is this control's "&" accelerator and the control takes
    // accelerators now; true when it acted. The form offers each character to its controls in turn.
    virtual bool Accelerate(char32_t ch);
    // Asks for a repaint when the queue is empty / repaints at once.
    virtual void Invalidate();
    void Repaint();
    virtual void BringToFront();

    // The form the control sits on (itself for a form); null when it has none.
    TForm* ParentForm() const;

    window::AccessibleRole Role() const override { return window::AccessibleRole::Filler; }
    // The labelling control's name, else the caption as it reads, without surrounding blanks.
    std::string AccessibleName() const override;
    std::string AccessibleDescription() const override { return hint_; }
    window::AccessibleStates States() const override;
    window::Accessible* AccessibleParent() const override;
    gdi::RECT Extents() const override;
    std::vector<window::AccessibleRelation> Relations() const override;
    // The control this one labels (a label's FocusControl); null for the others.
    virtual TControl* LabelTarget() const { return nullptr; }
    // The control on the same form whose LabelTarget is this one; null when none.
    TControl* LabelledBy() const;

    // Mouse input in client coordinates, as the parent window routes it. Public for that routing.
    virtual void MouseDown(MouseButton button, Shift shift, int x, int y);
    virtual void MouseUp(MouseButton button, Shift shift, int x, int y);
    virtual void MouseMove(Shift shift, int x, int y);
    virtual void DblClick();
    virtual void MouseEnter();
    virtual void MouseLeave();
    // The press the control was tracking ended without a button release (capture taken away).
    virtual void MouseCaptureLost() { pressed_ = false; }

  protected:
    // Stores a drawn property and asks for a repaint: the setter shape of custom-drawn controls.
    template <class T>
    void SetAndRepaint(T& field, T value) {
        field = value;
        Invalidate();
    }
    // True when the caption marks ch as its accelerator, in either letter case.
    bool IsAccelerator(char32_t ch) const;
    virtual void CaptionChanged() { Invalidate(); }
    virtual void BoundsChanged() {}
    virtual void ParentFontOrColorChanged();
    virtual void VisibilityChanged() {}
    virtual void EnabledChanged() { Invalidate(); }
    // Windowless controls under the mouse show their new cursor at once.
    virtual void CursorChanged();
    // Raised on mouse up inside the control after a press there, for controls that click that way.
    bool clickOnMouseUp_ = true;
    bool pressed_ = false;
    TWinControl* parent_ = nullptr;

  private:
    friend class TWinControl;
    void MakeFollowParent();
    void FontWasChanged();

    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TAlign align_ = alNone;
    TAnchors anchors_ = akLeft | akTop;
    bool visible_ = true;
    bool enabled_ = true;
    TFont font_;
    bool parentFont_ = true;
    bool followingParent_ = false;  // the font changes because the parent's did
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    std::string caption_;
    std::string hint_;
    bool showHint_ = false;
    TCursor cursor_ = crDefault;
};

// Copies what a font describes, colour included, from one font to another.
void AssignFont(TFont& target, const TFont& source);

}  // namespace plexon
