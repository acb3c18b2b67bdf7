// The items of a control that lists them (a combo box, a list) as a screen reader sees them: list
// items named by their text, selectable, selected and showing as the control says. A node knows
// only its place; the control answers the rest.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/Control.h"

namespace plexon {

// What a control with items tells the nodes of its items. Indexes may lie outside the items when
// they shrank after a node was made: then an empty text and nothing selected.
class TItemSource {
  public:
    virtual std::string ItemText(int index) const = 0;
    // What the item is beyond its name (a folder among files); empty for most lists.
    virtual std::string ItemDescription(int) const { return {}; }
    virtual bool ItemSelected(int index) const = 0;
    virtual bool ItemShowing(int index) const = 0;
    // In the client coordinates of the control's top-level window, as Extents.
    virtual gdi::RECT ItemExtents(int index) const = 0;

  protected:
    ~TItemSource() = default;
};

class TListItemNode : public window::Accessible {
  public:
    TListItemNode(TControl& list, const TItemSource& source, int index)
        : list_(list), source_(source), index_(index) {}

    window::AccessibleRole Role() const override { return window::AccessibleRole::ListItem; }
    std::string AccessibleName() const override { return source_.ItemText(index_); }
    std::string AccessibleDescription() const override { return source_.ItemDescription(index_); }
    window::AccessibleStates States() const override;
    window::Accessible* AccessibleParent() const override { return &list_; }
    gdi::RECT Extents() const override { return source_.ItemExtents(index_); }

  private:
    TControl& list_;
    const TItemSource& source_;
    int index_;
};

// The nodes of one control's items, made as they are asked for and kept, so that a screen reader's
// references to them stay valid while the control lives.
class TListItemNodes {
  public:
    // Null outside 0 .. count - 1.
    window::Accessible* At(TControl& list, const TItemSource& source, int index, int count);

  private:
    std::vector<std::unique_ptr<TListItemNode>> nodes_;
};

}  // namespace plexon
