// The combo box as a screen reader sees it: a combo box named by its label or current item, with
// one list item per item, the current one selected; selecting an item chooses it as a click would.
#include "framework/ComboBox.h"
#include "framework/ComboBoxItem.h"

namespace plexon {

using window::AccessibleState;

std::string TComboBoxItem::AccessibleName() const {
    return index_ < combo_.Items().Count() ? combo_.Items()[index_] : std::string();
}

window::AccessibleStates TComboBoxItem::States() const {
    window::AccessibleStates states = combo_.TControl::States().Without(AccessibleState::Showing);
    // Items show only while the list is open.
    if (combo_.DroppedDown()) states = states.With(AccessibleState::Showing);
    states = states.With(AccessibleState::Selectable);
    return index_ == combo_.ItemIndex() ? states.With(AccessibleState::Selected) : states;
}

gdi::RECT TComboBoxItem::Extents() const {
    const gdi::RECT box = combo_.Extents();
    const int top = box.bottom + 1 + index_ * combo_.ItemHeight();
    return {box.left + 1, top, box.right - 1, top + combo_.ItemHeight()};
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
    if (index < 0 || index >= items_.Count()) return nullptr;
    // Nodes stay once made, so a screen reader's references to them stay valid.
    while (int(itemNodes_.size()) <= index)
        itemNodes_.push_back(std::make_unique<TComboBoxItem>(*this, int(itemNodes_.size())));
    return itemNodes_[std::size_t(index)].get();
}

bool TComboBox::SelectChild(int index) {
    if (!AcceptsInput() || index < 0 || index >= items_.Count()) return false;
    Choose(index);
    return true;
}

}  // namespace plexon
