// The generic accessible answers of controls, windowed controls, forms and buttons: names from
// captions or labels, descriptions from hints, states from the flags, children from the control
// tree. Controls that show something else (text, a value, items, links) override their part.
#include <algorithm>

#include "framework/Form.h"
#include "framework/WinControl.h"
#include "platform/window/Window.h"
#include "runtime/PrefixText.h"

namespace plexon {

using window::AccessibleRelation;
using window::AccessibleState;
using window::AccessibleStates;
using window::RelationKind;

namespace {

std::string WithoutBlanks(std::string text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), blank));
    text.erase(std::find_if_not(text.rbegin(), text.rend(), blank).base(), text.end());
    return text;
}

// Every control below (and with) control that names a target, the first one found.
const TControl* FindLabelOf(const TControl& control, const TControl* target) {
    if (control.LabelTarget() == target) return &control;
    if (const auto* container = dynamic_cast<const TWinControl*>(&control))
        for (int i = 0; i < container->ControlCount(); ++i)
            if (const TControl* found = FindLabelOf(*container->Controls(i), target)) return found;
    return nullptr;
}

}  // namespace

std::string TControl::AccessibleName() const {
    if (const TControl* label = LabelledBy()) return label->AccessibleName();
    return WithoutBlanks(StripPrefixes(Caption()));
}

AccessibleStates TControl::States() const {
    AccessibleStates states;
    if (AcceptsInput()) states = states.With(AccessibleState::Enabled).With(AccessibleState::Sensitive);
    if (Visible()) states = states.With(AccessibleState::Visible);
    if (ReallyVisible()) states = states.With(AccessibleState::Showing);
    return states;
}

window::Accessible* TControl::AccessibleParent() const {
    return parent_;
}

gdi::RECT TControl::Extents() const {
    const TForm* form = ParentForm();
    const gdi::POINT origin = ClientToScreen({0, 0});
    const gdi::POINT base = form && form != this ? form->ClientToScreen({0, 0}) : origin;
    const int left = origin.x - base.x, top = origin.y - base.y;
    return {left, top, left + Width(), top + Height()};
}

TControl* TControl::LabelledBy() const {
    const TForm* form = ParentForm();
    return form ? const_cast<TControl*>(FindLabelOf(*form, this)) : nullptr;
}

std::vector<AccessibleRelation> TControl::Relations() const {
    std::vector<AccessibleRelation> relations;
    if (TControl* target = LabelTarget()) relations.push_back({RelationKind::LabelFor, target});
    if (TControl* label = LabelledBy()) relations.push_back({RelationKind::LabelledBy, label});
    return relations;
}

AccessibleStates TWinControl::States() const {
    AccessibleStates states = TControl::States();
    if (TabStop()) states = states.With(AccessibleState::Focusable);
    if (Focused()) states = states.With(AccessibleState::Focused);
    return states;
}

window::Accessible* TWinControl::AccessibleChild(int index) const {
    return index >= 0 && index < ControlCount() ? Controls(index) : nullptr;
}

AccessibleStates TForm::States() const {
    AccessibleStates states = TWinControl::States();
    if (HandleAllocated() && window::TheDesktop().ActiveTopLevel() == handle_)
        states = states.With(AccessibleState::Active);
    return states;
}

AccessibleStates TButtonControl::States() const {
    AccessibleStates states = TWinControl::States();
    if (Default()) states = states.With(AccessibleState::Default);
    return states;
}

std::string TButtonControl::ActionName(int index) const {
    return index == 0 ? "click" : "";
}

bool TButtonControl::DoAction(int index) {
    if (index != 0 || !CanFocus() || !AcceptsInput()) return false;
    Click();
    return true;
}

}  // namespace plexon
