// How the contents of our windows describe themselves to assistive technology: one node per window,
// control or part of a control (a list item, a link), with a role, a name, states and the optional
// parts a screen reader uses. Plain C++ only: the bridge that speaks AT-SPI maps this onto its own
// types, and the framework's controls implement it. Nodes do not notify anyone of changes here.
#pragma once

#include <string>
#include <vector>

#include "platform/gdi/Types.h"
#include "runtime/EnumSet.h"

namespace plexon::window {

enum class AccessibleRole {
    Frame,  // a main window
    Dialog,
    Alert,  // a message dialog
    PushButton,
    CheckBox,
    ComboBox,
    List,
    ListItem,  // an item of a combo box or a list
    Label,
    Text,   // an edit field
    Panel,  // a group box or a panel holding controls
    ProgressBar,
    Link,  // a link of a markup label
    Image,
    Separator,
    Filler,  // drawing without meaning of its own (a shape)
    ScrollBar,
};

enum class AccessibleState {
    Enabled,
    Sensitive,
    Focusable,
    Focused,
    Showing,  // visible together with every parent
    Visible,  // the control's own flag
    Checked,  // a latched button, a ticked check box
    Default,  // the button Enter presses
    Active,   // the window with the keyboard
    Selectable,
    Selected,
    Editable,
};
using AccessibleStates = TEnumSet<AccessibleState>;

// The optional parts a node offers beyond name, states, children and extents.
enum class AccessibleFacet { Action, Text, EditableText, Value, Selection };
using AccessibleFacets = TEnumSet<AccessibleFacet>;

struct AccessibleValue {
    double current = 0, minimum = 0, maximum = 0;
};

class Accessible;

enum class RelationKind { LabelFor, LabelledBy };
struct AccessibleRelation {
    RelationKind kind;
    Accessible* target;
};

// A node. Pointers to nodes stay valid while the control they belong to lives; positions in texts
// count characters (code points), not bytes.
class Accessible {
  public:
    virtual ~Accessible() = default;

    virtual AccessibleRole Role() const = 0;
    virtual std::string AccessibleName() const = 0;
    virtual std::string AccessibleDescription() const { return {}; }
    virtual AccessibleStates States() const = 0;
    // Null for the root of a top-level window.
    virtual Accessible* AccessibleParent() const = 0;
    virtual int AccessibleChildCount() const { return 0; }
    // Null outside 0 .. AccessibleChildCount() - 1.
    virtual Accessible* AccessibleChild(int) const { return nullptr; }
    virtual AccessibleFacets Facets() const { return {}; }
    // The node's rectangle in the client coordinates of its top-level window, in the window's own
    // pixels (before any display scale); Desktop::ScreenExtents maps it onto the screen.
    virtual gdi::RECT Extents() const = 0;
    virtual std::vector<AccessibleRelation> Relations() const { return {}; }

    // Action: what a user's click does, at once. A caller answering a bus request posts it instead,
    // since a click may start a modal run.
    virtual int ActionCount() const { return 0; }
    virtual std::string ActionName(int) const { return {}; }
    virtual bool DoAction(int) { return false; }

    // Text: what the node shows (a label's caption, a field's text, a combo box's current item).
    virtual std::string AccessibleText() const { return {}; }
    // EditableText: true when the field took the change.
    virtual bool SetAccessibleText(const std::string&) { return false; }
    virtual bool InsertAccessibleText(int /*position*/, const std::string&) { return false; }
    virtual bool DeleteAccessibleText(int /*start*/, int /*end*/) { return false; }

    virtual AccessibleValue Value() const { return {}; }

    // Selection among the children: the selected child's index (-1: none), and selecting one as the
    // user would.
    virtual int SelectedChild() const { return -1; }
    virtual bool SelectChild(int) { return false; }
};

// Lower-case words for roles and states, as the tree's outline and log lines show them.
const char* RoleName(AccessibleRole role);
const char* StateName(AccessibleState state);

// An outline of the tree below node, one line per node: indentation by depth, role, quoted name,
// states, actions, the value or text where the node has one, the roles of the nodes it labels, and
// the description.
std::string AccessibleOutline(const Accessible& node);

}  // namespace plexon::window
