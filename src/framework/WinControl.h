// Controls with a window of their own: child controls with alignment and anchors, the window
// handle, painting (own surface, then windowless children drawn over it), focus, tab order and
// the keyboard. Dialog keys (Tab, Enter, Esc, accelerators) are passed to the form.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "framework/Control.h"
#include "platform/window/Message.h"

namespace plexon {

class TControlCanvas;

using TKeyEvent = std::function<void(TComponent* sender, int& key, Shift shift)>;
using TKeyPressEvent = std::function<void(TComponent* sender, char32_t& key)>;

class TWinControl : public TControl {
  public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    int ControlCount() const { return int(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(std::size_t(index)); }

    // The window, made (with those of the parents) on first use.
    window::HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }

    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value) { tabStop_ = value; }
    // The child windows in tab order.
    std::vector<TWinControl*> TabList() const;

    bool Focused() const;
    virtual bool CanFocus() const;
    // Moves the focus here through the form; EInvalidOperation when the control cannot take it.
    void SetFocus();

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TSenderEvent OnEnter;
    TSenderEvent OnExit;

    // A container by default; its children are the child controls in the order they were made.
    window::AccessibleRole Role() const override { return window::AccessibleRole::Panel; }
    window::AccessibleStates States() const override;
    int AccessibleChildCount() const override { return ControlCount(); }
    window::Accessible* AccessibleChild(int index) const override;

    void SetBounds(int left, int top, int width, int height) override;
    void Invalidate() override;
    void BringToFront() override;

    // The focus came in or is going away, as the form moves it. DoExit may refuse by raising.
    virtual void DoEnter();
    virtual void DoExit();
    // Keys: the form sees them first when it previews keys; a key the control does not want is
    // offered to the form as a dialog key before the control's own handling.
    virtual bool WantsKey(int key, Shift shift) const;
    // Controls that take typed characters; the others let a letter act as an accelerator.
    virtual bool WantsChars() const { return false; }
    virtual void KeyDown(int& key, Shift shift);
    virtual void KeyUp(int& key, Shift shift);
    virtual void KeyPress(char32_t& key);
    // The wheel turned over the control (notches positive away from the user); true when it
    // scrolled. A control that does not scroll leaves it to its parent.
    virtual bool MouseWheel(Shift, int /*notches*/) { return false; }

  protected:
    friend class TControl;

    // The window's own drawing: EraseBackground, then Paint on the canvas.
    virtual void PaintWindow(gdi::HDC dc);
    // Fills the client area in Color; controls that paint their whole area themselves skip it.
    virtual void EraseBackground(gdi::HDC dc);
    virtual void Paint() {}
    // Canvas over the window's surface, valid during painting.
    TCanvas& Canvas();
    virtual void WndProc(window::Message& message);
    virtual void FocusChanged(bool focused);
    void VisibilityChanged() override;
    void EnabledChanged() override;
    void CursorChanged() override;
    // Children that follow the font or colour take them over.
    void ParentFontOrColorChanged() override;
    virtual void CreateHandle();
    void DestroyHandle();
    void UpdateWindowState();
    void AlignControls();
    // The area aligned children share: the client area less what the control draws around it.
    virtual gdi::RECT AlignRect() const { return ClientRect(); }
    // The windowless child under a client point, topmost first.
    TControl* ControlAtPos(gdi::POINT p) const;
    void InvalidateChild(const TControl& child);
    // A windowless child changed its cursor: the window shows it when the mouse is over that child.
    void ChildCursorChanged(const TControl& child);
    void PaintControls(gdi::HDC dc);

    // Mouse input coming through the window; windowless children under the mouse get it.
    void RouteMouse(window::Message& message);

    window::HWND handle_ = nullptr;
    bool focusOnClick_ = false;

  private:
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void ApplyAnchors(int oldWidth, int oldHeight);

    std::vector<TControl*> controls_;  // creation order
    std::vector<TWinControl*> tabOrder_;
    bool tabStop_ = false;
    std::unique_ptr<TControlCanvas> canvas_;
    TControl* mouseControl_ = nullptr;  // windowless child that took a button press
    TControl* hoverControl_ = nullptr;
    int alignedWidth_ = 0, alignedHeight_ = 0;
    bool aligning_ = false;
};

}  // namespace plexon
