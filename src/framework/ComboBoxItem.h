// An item of a combo box as a screen reader sees it: a list item, selected while it is the current
// one. It knows only its place; the combo box answers everything else.
#pragma once

#include "framework/ComboBox.h"

namespace plexon {

class TComboBoxItem : public window::Accessible {
  public:
    TComboBoxItem(const TComboBox& combo, int index) : combo_(combo), index_(index) {}

    window::AccessibleRole Role() const override { return window::AccessibleRole::ListItem; }
    std::string AccessibleName() const override;
    window::AccessibleStates States() const override;
    window::Accessible* AccessibleParent() const override { return const_cast<TComboBox*>(&combo_); }
    // The item's row in the list that opens below the box.
    gdi::RECT Extents() const override;

  private:
    const TComboBox& combo_;
    int index_;
};

}  // namespace plexon
