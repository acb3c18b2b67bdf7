// A link of a markup label as a screen reader sees it: role link, named by its text, described by
// its target, with the action "click" that follows it as a click does. It knows only its number;
// the label places its links afresh for every question, as it does for hit tests.
#pragma once

#include "controls/MarkupLabel.h"

namespace plexon {

class TMarkupLinkNode : public window::Accessible {
  public:
    TMarkupLinkNode(TMarkupLabel& label, int index) : label_(label), index_(index) {}

    window::AccessibleRole Role() const override { return window::AccessibleRole::Link; }
    std::string AccessibleName() const override;
    std::string AccessibleDescription() const override { return Link().target; }
    window::AccessibleStates States() const override { return label_.States(); }
    window::Accessible* AccessibleParent() const override { return &label_; }
    window::AccessibleFacets Facets() const override { return {window::AccessibleFacet::Action}; }
    gdi::RECT Extents() const override;
    int ActionCount() const override { return 1; }
    std::string ActionName(int index) const override { return index == 0 ? "click" : ""; }
    bool DoAction(int index) override;

  private:
    // The link now; an empty one when the markup lost it meanwhile.
    TMarkupLink Link() const;

    TMarkupLabel& label_;
    int index_;
};

}  // namespace plexon
