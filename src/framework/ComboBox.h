// The combo box in drop-down-list style: a fixed list of items, one chosen. Arrow keys, Home, End
// and a typed letter choose among them; a click or Alt+Down opens the list below the box (above it
// when drawn inside a form with no room below), where the mouse or Enter chooses and Esc or a click
// outside closes it. OnChange follows the user's choices.
#pragma once

#include "framework/ListItemNodes.h"
#include "framework/StringList.h"
#include "framework/WinControl.h"

namespace plexon {

class TComboBox : public TWinControl, private TItemSource {
  public:
    explicit TComboBox(TComponent* owner);
    ~TComboBox() override;

    TStringList& Items() { return items_; }
    const TStringList& Items() const { return items_; }
    int ItemIndex() const { return itemIndex_; }
    // Chooses without raising OnChange; -1 or an index outside the items chooses nothing.
    void SetItemIndex(int index);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int value) { itemHeight_ = value; }
    bool DroppedDown() const { return popup_ != nullptr; }
    void SetDroppedDown(bool value);
    // The item highlighted in the open list.
    int HotIndex() const { return hotIndex_; }

    TSenderEvent OnChange;

    bool WantsKey(int key, Shift shift) const override;
    bool WantsChars() const override { return true; }
    void KeyDown(int& key, Shift shift) override;
    void KeyPress(char32_t& key) override;
    void MouseDown(MouseButton button, Shift shift, int x, int y) override;

    // A combo box whose children are its items (ComboBoxAccessible.cpp). Without a label it is
    // named by its current item; selecting a child chooses it as the user does.
    window::AccessibleRole Role() const override { return window::AccessibleRole::ComboBox; }
    std::string AccessibleName() const override;
    window::AccessibleFacets Facets() const override;
    std::string AccessibleText() const override;
    int AccessibleChildCount() const override { return items_.Count(); }
    window::Accessible* AccessibleChild(int index) const override;
    int SelectedChild() const override { return itemIndex_; }
    bool SelectChild(int index) override;

  protected:
    void Paint() override;
    void WndProc(window::Message& message) override;

  private:
    void Choose(int index);  // by the user: raises OnChange when the index changes
    void PopupProc(window::Message& message);
    void PaintPopup(gdi::HDC dc);
    int ItemAt(int y) const;

    TStringList items_;
    int itemIndex_ = -1;
    int itemHeight_ = 13;
    int hotIndex_ = -1;
    window::HWND popup_ = nullptr;
    // The items for a screen reader; an item's row is in the list that opens below the box.
    std::string ItemText(int index) const override;
    bool ItemSelected(int index) const override { return index == itemIndex_; }
    bool ItemShowing(int) const override { return DroppedDown(); }
    gdi::RECT ItemExtents(int index) const override;
    mutable TListItemNodes itemNodes_;
};

}  // namespace plexon
