// The combo box as a screen reader sees it: a combo box named by its label or current item, with
// one list item per item, the current one selected; selecting an item chooses it as a click would.
#include "framework/ComboBox.h"

namespace plexon {

std::string TComboBox::ItemText(int index) const {
    return index >= 0 && index < items_.Count() ? items_[index] : std::string();
}

gdi::RECT TComboBox::ItemExtents(int index) const {
    const gdi::RECT box = Extents();
    const int top = box.bottom + 1 + index * itemHeight_;
    return {box.left + 1, top, box.right - 1, top + itemHeight_};
}

std::string TComboBox::AccessibleName() const {
    if (LabelledBy()) return TWinControl::AccessibleName();
    return AccessibleText();
}

window::AccessibleFacets TComboBox::Facets() const {
    return {window::AccessibleFacet::Text, window::AccessibleFacet::Selection};
}

std::string TComboBox::AccessibleText() const {
    return itemIndex_ >= 0 ? items_[itemIndex_] : std::string();
}

window::Accessible* TComboBox::AccessibleChild(int index) const {
    return itemNodes_.At(*const_cast<TComboBox*>(this), *this, index, items_.Count());
}

bool TComboBox::SelectChild(int index) {
    if (!AcceptsInput() || index < 0 || index >= items_.Count()) return false;
    Choose(index);
    return true;
}

}  // namespace plexon
