// A vertical scroll bar in the classic 3D look: two arrow buttons, a track and a thumb sized to the
// page. Arrows step a line, the track a page (both repeat while held), the thumb drags; it never
// takes the focus, the control it scrolls keeps it.
#pragma once

#include "framework/WinControl.h"

namespace plexon {

class TScrollBar : public TWinControl {
  public:
    explicit TScrollBar(TComponent* owner);
    ~TScrollBar() override;

    // Positions run from 0 to Max() - PageSize(); Max is the count of lines, PageSize those shown.
    int Max() const { return max_; }
    int PageSize() const { return pageSize_; }
    int Position() const { return position_; }
    void SetParams(int max, int pageSize, int position);
    // Sets the position (clamped) without raising OnScroll.
    void SetPosition(int position);

    // The user moved the position.
    TSenderEvent OnScroll;

    void MouseDown(MouseButton button, Shift shift, int x, int y) override;
    void MouseMove(Shift shift, int x, int y) override;
    void MouseUp(MouseButton button, Shift shift, int x, int y) override;
    void MouseCaptureLost() override;

    // A scroll bar with its position as a value; it has no keyboard focus of its own.
    window::AccessibleRole Role() const override { return window::AccessibleRole::ScrollBar; }
    window::AccessibleFacets Facets() const override { return {window::AccessibleFacet::Value}; }
    window::AccessibleValue Value() const override;

    // Milliseconds before a held arrow or track repeats, and between repeats.
    static constexpr std::uint32_t kRepeatDelay = 400, kRepeatInterval = 50;

  protected:
    void Paint() override;

  private:
    enum class Part { None, LineUp, LineDown, PageUp, PageDown, Thumb };
    int Range() const { return std::max(0, max_ - pageSize_); }
    int ArrowHeight() const;
    // The thumb's top and height within the track, in client pixels.
    gdi::RECT ThumbRect() const;
    Part PartAt(int y) const;
    // One step of the held part while the pointer stays on it.
    void Step();
    void Scroll(int position);
    void StopRepeat();

    int max_ = 0, pageSize_ = 1, position_ = 0;
    Part held_ = Part::None;
    bool pointerOnHeld_ = false;
    int pointerY_ = 0;
    int dragOffset_ = 0;  // pointer's distance below the thumb's top while dragging
    int timer_ = 0;
};

}  // namespace plexon
