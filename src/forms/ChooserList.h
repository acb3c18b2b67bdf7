// The list of the built-in chooser window: one line per entry, a folder glyph before folders, a
// sunken white field with a scroll bar, several entries selected at once when allowed (Ctrl+click
// and Ctrl+Space pick apart, Shift+click and Shift+keys extend, Ctrl+A takes all), the arrow keys,
// Page Up/Down, Home, End, the wheel and type-to-find. It does not sort; it keeps the focused entry
// in view.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/ListItemNodes.h"
#include "framework/WinControl.h"

namespace plexon {

class TScrollBar;

struct TChooserItem {
    std::string name;
    bool folder = false;
};

class TChooserList : public TWinControl, private TItemSource {
  public:
    explicit TChooserList(TComponent* owner);

    void SetItems(std::vector<TChooserItem> items);
    const std::vector<TChooserItem>& Items() const { return items_; }
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value) { multiSelect_ = value; }
    // The list takes Return itself (to open a folder) instead of leaving it to the default button.
    void SetWantsReturn(bool value) { wantsReturn_ = value; }
    bool Selected(int index) const { return selected_.at(std::size_t(index)); }
    // Makes index the only selected item and the focused one (-1: none).
    void SelectOnly(int index);
    // The selected items' indexes in list order.
    std::vector<int> SelectedIndexes() const;
    int ItemIndex() const { return itemIndex_; }
    int TopIndex() const { return topIndex_; }
    // Scrolls so that index is the first line shown, as far as the list reaches.
    void SetTopIndex(int index);
    int VisibleRows() const;
    TScrollBar& ScrollBar() { return *scrollBar_; }
    // What a screen reader calls the list ("Files", "Folders").
    void SetAccessibleName(std::string name) { accessibleName_ = std::move(name); }
    static constexpr int kItemHeight = 16;
    static constexpr int kWheelLines = 3;
    // Letters typed within this many milliseconds of each other find one name together.
    static constexpr std::uint64_t kFindPause = 1000;

    TSenderEvent OnChange;

    bool WantsKey(int key, Shift shift) const override;
    bool WantsChars() const override { return true; }
    void KeyDown(int& key, Shift shift) override;
    void KeyPress(char32_t& key) override;
    void MouseDown(MouseButton button, Shift shift, int x, int y) override;
    bool MouseWheel(Shift shift, int notches) override;

    // A list with one list item per line; the selected child is the focused line, and selecting one
    // selects it alone, as a plain click does.
    window::AccessibleRole Role() const override { return window::AccessibleRole::List; }
    std::string AccessibleName() const override { return accessibleName_; }
    window::AccessibleFacets Facets() const override { return {window::AccessibleFacet::Selection}; }
    int AccessibleChildCount() const override { return int(items_.size()); }
    window::Accessible* AccessibleChild(int index) const override;
    int SelectedChild() const override { return itemIndex_; }
    bool SelectChild(int index) override;

  protected:
    void Paint() override;
    void BoundsChanged() override;

  private:
    void MoveTo(int index, Shift shift);
    // Moves the focus alone, leaving the selection as it is (Ctrl with the keys).
    void FocusOnly(int index);
    void Toggle(int index);
    void SelectAll();
    void Changed();
    void ScrollIntoView();
    void SyncScrollBar();
    void FindTyped(char32_t ch);

    std::vector<TChooserItem> items_;
    std::vector<bool> selected_;
    bool multiSelect_ = false;
    bool wantsReturn_ = false;
    int itemIndex_ = -1;
    int anchor_ = -1;
    int topIndex_ = 0;
    TScrollBar* scrollBar_ = nullptr;
    std::string accessibleName_;
    std::string typed_;
    std::uint64_t lastTyped_ = 0;

    std::string ItemText(int index) const override;
    std::string ItemDescription(int index) const override;
    bool ItemSelected(int index) const override;
    // Only the lines scrolled into view show.
    bool ItemShowing(int index) const override;
    gdi::RECT ItemExtents(int index) const override;
    mutable TListItemNodes itemNodes_;
};

}  // namespace plexon
