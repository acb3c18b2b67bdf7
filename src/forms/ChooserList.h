// The list of the built-in chooser window: one line per item, a sunken white field, several items
// selected at once when allowed (Ctrl+click toggles, Shift+click and Shift+arrows extend), the
// arrow keys, Page Up/Down, Home and End. It does not sort and has no scroll bar; it scrolls to
// keep the focused item in view.
#pragma once

#include <string>
#include <vector>

#include "framework/ListItemNodes.h"
#include "framework/WinControl.h"

namespace plexon {

class TChooserList : public TWinControl, private TItemSource {
  public:
    explicit TChooserList(TComponent* owner);

    void SetItems(std::vector<std::string> items);
    const std::vector<std::string>& Items() const { return items_; }
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value) { multiSelect_ = value; }
    bool Selected(int index) const { return selected_.at(std::size_t(index)); }
    // Makes index the only selected item and the focused one (-1: none).
    void SelectOnly(int index);
    // The selected items' indexes in list order.
    std::vector<int> SelectedIndexes() const;
    int ItemIndex() const { return itemIndex_; }
    int TopIndex() const { return topIndex_; }
    static constexpr int kItemHeight = 16;

    TSenderEvent OnChange;

    bool WantsKey(int key, Shift shift) const override;
    void KeyDown(int& key, Shift shift) override;
    void MouseDown(MouseButton button, Shift shift, int x, int y) override;

    // A list with one list item per line; the selected child is the focused line, and selecting one
    // selects it alone, as a plain click does.
    window::AccessibleRole Role() const override { return window::AccessibleRole::List; }
    window::AccessibleFacets Facets() const override { return {window::AccessibleFacet::Selection}; }
    int AccessibleChildCount() const override { return int(items_.size()); }
    window::Accessible* AccessibleChild(int index) const override;
    int SelectedChild() const override { return itemIndex_; }
    bool SelectChild(int index) override;

  protected:
    void Paint() override;

  private:
    int VisibleRows() const;
    void MoveTo(int index, Shift shift);
    void ScrollIntoView();

    std::vector<std::string> items_;
    std::vector<bool> selected_;
    bool multiSelect_ = false;
    int itemIndex_ = -1;
    int anchor_ = -1;
    int topIndex_ = 0;

    std::string ItemText(int index) const override;
    bool ItemSelected(int index) const override;
    // Only the lines scrolled into view show.
    bool ItemShowing(int index) const override;
    gdi::RECT ItemExtents(int index) const override;
    mutable TListItemNodes itemNodes_;
};

}  // namespace plexon
