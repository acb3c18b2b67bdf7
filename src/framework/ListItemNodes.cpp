// Item nodes: the list's own states, less what only the list has, plus the item's selection.
#include "framework/ListItemNodes.h"

namespace plexon {

using window::AccessibleState;

window::AccessibleStates TListItemNode::States() const {
    const window::AccessibleStates list = list_.States();
    window::AccessibleStates states{AccessibleState::Selectable};
    for (AccessibleState kept :
         {AccessibleState::Enabled, AccessibleState::Sensitive, AccessibleState::Visible})
        if (list.Contains(kept)) states = states.With(kept);
    if (source_.ItemShowing(index_)) states = states.With(AccessibleState::Showing);
    return source_.ItemSelected(index_) ? states.With(AccessibleState::Selected) : states;
}

window::Accessible* TListItemNodes::At(TControl& list, const TItemSource& source, int index, int count) {
    if (index < 0 || index >= count) return nullptr;
    while (int(nodes_.size()) <= index)
        nodes_.push_back(std::make_unique<TListItemNode>(list, source, int(nodes_.size())));
    return nodes_[std::size_t(index)].get();
}

}  // namespace plexon
