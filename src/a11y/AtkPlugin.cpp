// The accessibility plugin: our nodes (Accessible.h) as ATK objects, which the ATK bridge offers to
// screen readers over AT-SPI. A shared library of its own, opened only when an accessibility bus runs,
// so a machine without ATK runs the program as before. Everything here runs on the program's thread;
// the bridge's D-Bus traffic is answered when the host's timer pumps GLib's default main context.
#include <atk-bridge.h>
#include <atk/atk.h>

#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/window/AccessibilityHost.h"

namespace {

using namespace plexon::window;

AccessibilityHost* host = nullptr;
std::string applicationName;
AtkObject* application = nullptr;

// The nodes of the windows as they are now, refreshed before each round of requests: a node of a
// control that has gone is never called again.
std::unordered_set<const Accessible*> live;

void Collect(Accessible* node) {
    live.insert(node);
    for (int i = 0; i < node->AccessibleChildCount(); ++i)
        if (Accessible* child = node->AccessibleChild(i)) Collect(child);
}

void RefreshLive() {
    live.clear();
    for (Accessible* window : host->Windows()) Collect(window);
}

// The windows a reader sees: those that show.
std::vector<Accessible*> ShownWindows() {
    std::vector<Accessible*> shown;
    for (Accessible* window : host->Windows())
        if (window->States().Contains(AccessibleState::Showing)) shown.push_back(window);
    return shown;
}

// ---- the node object ----------------------------------------------------------------------------

struct NodeObject {
    AtkObject parent;
    Accessible* node;
    std::string* name;  // the texts ATK hands out stay valid while the object lives
    std::string* description;
    std::string* actionName;
};
struct NodeObjectClass {
    AtkObjectClass parent;
};

std::unordered_map<const Accessible*, AtkObject*> wrappers;

Accessible* NodeOf(gpointer object) {
    Accessible* node = reinterpret_cast<NodeObject*>(object)->node;
    return node && live.count(node) ? node : nullptr;
}

AtkObject* Wrap(Accessible* node);

constexpr std::pair<AccessibleRole, AtkRole> kRoles[] = {
    {AccessibleRole::Frame, ATK_ROLE_FRAME},         {AccessibleRole::Dialog, ATK_ROLE_DIALOG},
    {AccessibleRole::Alert, ATK_ROLE_ALERT},         {AccessibleRole::PushButton, ATK_ROLE_PUSH_BUTTON},
    {AccessibleRole::ComboBox, ATK_ROLE_COMBO_BOX},  {AccessibleRole::CheckBox, ATK_ROLE_CHECK_BOX},
    {AccessibleRole::List, ATK_ROLE_LIST},           {AccessibleRole::ListItem, ATK_ROLE_LIST_ITEM},
    {AccessibleRole::Label, ATK_ROLE_LABEL},         {AccessibleRole::Text, ATK_ROLE_TEXT},
    {AccessibleRole::Panel, ATK_ROLE_PANEL},         {AccessibleRole::ProgressBar, ATK_ROLE_PROGRESS_BAR},
    {AccessibleRole::Link, ATK_ROLE_LINK},           {AccessibleRole::Image, ATK_ROLE_IMAGE},
    {AccessibleRole::Separator, ATK_ROLE_SEPARATOR}, {AccessibleRole::Filler, ATK_ROLE_FILLER},
    {AccessibleRole::ScrollBar, ATK_ROLE_SCROLL_BAR},
};

AtkRole AtkRoleOf(AccessibleRole role) {
    for (const auto& [ours, atk] : kRoles)
        if (ours == role) return atk;
    return ATK_ROLE_UNKNOWN;
}

constexpr std::pair<AccessibleState, AtkStateType> kStates[] = {
    {AccessibleState::Enabled, ATK_STATE_ENABLED},     {AccessibleState::Sensitive, ATK_STATE_SENSITIVE},
    {AccessibleState::Focusable, ATK_STATE_FOCUSABLE}, {AccessibleState::Focused, ATK_STATE_FOCUSED},
    {AccessibleState::Showing, ATK_STATE_SHOWING},     {AccessibleState::Visible, ATK_STATE_VISIBLE},
    {AccessibleState::Checked, ATK_STATE_CHECKED},     {AccessibleState::Default, ATK_STATE_DEFAULT},
    {AccessibleState::Active, ATK_STATE_ACTIVE},       {AccessibleState::Selectable, ATK_STATE_SELECTABLE},
    {AccessibleState::Selected, ATK_STATE_SELECTED},   {AccessibleState::Editable, ATK_STATE_EDITABLE},
};

const gchar* NodeName(AtkObject* object) {
    auto* self = reinterpret_cast<NodeObject*>(object);
    const Accessible* node = NodeOf(object);
    *self->name = node ? node->AccessibleName() : std::string();
    return self->name->c_str();
}

const gchar* NodeDescription(AtkObject* object) {
    auto* self = reinterpret_cast<NodeObject*>(object);
    const Accessible* node = NodeOf(object);
    *self->description = node ? node->AccessibleDescription() : std::string();
    return self->description->c_str();
}

AtkRole NodeRole(AtkObject* object) {
    const Accessible* node = NodeOf(object);
    return node ? AtkRoleOf(node->Role()) : ATK_ROLE_INVALID;
}

gint NodeChildCount(AtkObject* object) {
    const Accessible* node = NodeOf(object);
    return node ? node->AccessibleChildCount() : 0;
}

AtkObject* NodeChild(AtkObject* object, gint index) {
    const Accessible* node = NodeOf(object);
    Accessible* child = node ? node->AccessibleChild(index) : nullptr;
    if (!child) return nullptr;
    return ATK_OBJECT(g_object_ref(Wrap(child)));
}

AtkObject* NodeParent(AtkObject* object) {
    const Accessible* node = NodeOf(object);
    if (!node) return nullptr;
    Accessible* parent = node->AccessibleParent();
    return parent ? Wrap(parent) : application;
}

gint NodeIndexInParent(AtkObject* object) {
    const Accessible* node = NodeOf(object);
    if (!node) return -1;
    if (const Accessible* parent = node->AccessibleParent()) {
        for (int i = 0; i < parent->AccessibleChildCount(); ++i)
            if (parent->AccessibleChild(i) == node) return i;
        return -1;
    }
    const std::vector<Accessible*> windows = ShownWindows();
    for (std::size_t i = 0; i < windows.size(); ++i)
        if (windows[i] == node) return gint(i);
    return -1;
}

AtkStateSet* NodeStates(AtkObject* object) {
    AtkStateSet* set = atk_state_set_new();
    const Accessible* node = NodeOf(object);
    if (!node) {
        atk_state_set_add_state(set, ATK_STATE_DEFUNCT);
        return set;
    }
    const AccessibleStates states = node->States();
    for (const auto& [ours, atk] : kStates)
        if (states.Contains(ours)) atk_state_set_add_state(set, atk);
    return set;
}

AtkRelationSet* NodeRelations(AtkObject* object) {
    AtkRelationSet* set = atk_relation_set_new();
    const Accessible* node = NodeOf(object);
    if (!node) return set;
    for (const AccessibleRelation& relation : node->Relations()) {
        if (!relation.target || !live.count(relation.target)) continue;
        AtkObject* target = Wrap(relation.target);
        AtkRelation* atk = atk_relation_new(
            &target, 1,
            relation.kind == RelationKind::LabelFor ? ATK_RELATION_LABEL_FOR : ATK_RELATION_LABELLED_BY);
        atk_relation_set_add(set, atk);
        g_object_unref(atk);
    }
    return set;
}

// ---- interfaces ---------------------------------------------------------------------------------

void GetExtents(AtkComponent* component, gint* x, gint* y, gint* width, gint* height, AtkCoordType coords) {
    *x = *y = *width = *height = -1;
    const Accessible* node = NodeOf(component);
    if (!node) return;
    plexon::gdi::RECT rect = node->Extents();
    if (coords == ATK_XY_SCREEN)
        if (const std::optional<plexon::gdi::RECT> screen = host->ScreenExtents(*node)) rect = *screen;
    *x = rect.left;
    *y = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
}

void InitComponent(gpointer g, gpointer) {
    auto* iface = static_cast<AtkComponentIface*>(g);
    iface->get_extents = GetExtents;
}

gint ActionCount(AtkAction* action) {
    const Accessible* node = NodeOf(action);
    return node ? node->ActionCount() : 0;
}

const gchar* ActionName(AtkAction* action, gint index) {
    auto* self = reinterpret_cast<NodeObject*>(action);
    const Accessible* node = NodeOf(action);
    *self->actionName = node ? node->ActionName(index) : std::string();
    return self->actionName->c_str();
}

gboolean DoAction(AtkAction* action, gint index) {
    Accessible* node = NodeOf(action);
    if (!node || index < 0 || index >= node->ActionCount()) return FALSE;
    // Answered at once; done on the program's loop, where a modal run may start.
    host->Post([node, index] {
        if (live.count(node)) node->DoAction(index);
    });
    return TRUE;
}

void InitAction(gpointer g, gpointer) {
    auto* iface = static_cast<AtkActionIface*>(g);
    iface->get_n_actions = ActionCount;
    iface->get_name = ActionName;
    iface->do_action = DoAction;
}

std::string TextOf(gpointer object) {
    const Accessible* node = NodeOf(object);
    return node ? node->AccessibleText() : std::string();
}

gchar* GetText(AtkText* text, gint start, gint end) {
    const std::string whole = TextOf(text);
    const glong count = g_utf8_strlen(whole.c_str(), -1);
    if (end < 0 || end > count) end = gint(count);
    if (start < 0) start = 0;
    if (start > end) start = end;
    return g_utf8_substring(whole.c_str(), start, end);
}

gint CharacterCount(AtkText* text) {
    return gint(g_utf8_strlen(TextOf(text).c_str(), -1));
}

gint CaretOffset(AtkText*) {
    return 0;
}

void InitText(gpointer g, gpointer) {
    auto* iface = static_cast<AtkTextIface*>(g);
    iface->get_text = GetText;
    iface->get_character_count = CharacterCount;
    iface->get_caret_offset = CaretOffset;
}

void SetTextContents(AtkEditableText* text, const gchar* contents) {
    if (Accessible* node = NodeOf(text)) node->SetAccessibleText(contents ? contents : "");
}

void InsertText(AtkEditableText* text, const gchar* string, gint length, gint* position) {
    Accessible* node = NodeOf(text);
    if (!node || !string || !position) return;
    const std::string inserted = length < 0 ? std::string(string) : std::string(string, std::size_t(length));
    if (node->InsertAccessibleText(*position, inserted))
        *position += gint(g_utf8_strlen(inserted.c_str(), -1));
}

void DeleteText(AtkEditableText* text, gint start, gint end) {
    if (Accessible* node = NodeOf(text)) node->DeleteAccessibleText(start, end);
}

void InitEditableText(gpointer g, gpointer) {
    auto* iface = static_cast<AtkEditableTextIface*>(g);
    iface->set_text_contents = SetTextContents;
    iface->insert_text = InsertText;
    iface->delete_text = DeleteText;
}

AccessibleValue ValueOf(gpointer object) {
    const Accessible* node = NodeOf(object);
    return node ? node->Value() : AccessibleValue{};
}

void SetDouble(GValue* value, double number) {
    g_value_init(value, G_TYPE_DOUBLE);
    g_value_set_double(value, number);
}

void CurrentValue(AtkValue* value, GValue* out) {
    SetDouble(out, ValueOf(value).current);
}
void MinimumValue(AtkValue* value, GValue* out) {
    SetDouble(out, ValueOf(value).minimum);
}
void MaximumValue(AtkValue* value, GValue* out) {
    SetDouble(out, ValueOf(value).maximum);
}

void ValueAndText(AtkValue* value, gdouble* current, gchar** text) {
    *current = ValueOf(value).current;
    if (text) *text = nullptr;
}

AtkRange* Range(AtkValue* value) {
    const AccessibleValue v = ValueOf(value);
    return atk_range_new(v.minimum, v.maximum, nullptr);
}

void InitValue(gpointer g, gpointer) {
    auto* iface = static_cast<AtkValueIface*>(g);
    iface->get_current_value = CurrentValue;
    iface->get_minimum_value = MinimumValue;
    iface->get_maximum_value = MaximumValue;
    iface->get_value_and_text = ValueAndText;
    iface->get_range = Range;
}

gboolean AddSelection(AtkSelection* selection, gint index) {
    Accessible* node = NodeOf(selection);
    return node && node->SelectChild(index);
}

AtkObject* RefSelection(AtkSelection* selection, gint index) {
    const Accessible* node = NodeOf(selection);
    if (!node || index != 0 || node->SelectedChild() < 0) return nullptr;
    Accessible* child = node->AccessibleChild(node->SelectedChild());
    return child ? ATK_OBJECT(g_object_ref(Wrap(child))) : nullptr;
}

gint SelectionCount(AtkSelection* selection) {
    const Accessible* node = NodeOf(selection);
    return node && node->SelectedChild() >= 0 ? 1 : 0;
}

gboolean IsChildSelected(AtkSelection* selection, gint index) {
    const Accessible* node = NodeOf(selection);
    return node && node->SelectedChild() == index;
}

void InitSelection(gpointer g, gpointer) {
    auto* iface = static_cast<AtkSelectionIface*>(g);
    iface->add_selection = AddSelection;
    iface->ref_selection = RefSelection;
    iface->get_selection_count = SelectionCount;
    iface->is_child_selected = IsChildSelected;
}

// ---- types --------------------------------------------------------------------------------------

void NodeFinalize(GObject* object) {
    auto* self = reinterpret_cast<NodeObject*>(object);
    delete self->name;
    delete self->description;
    delete self->actionName;
    // The class of every node type shares this function: the finalizer to chain up to is ATK's.
    G_OBJECT_CLASS(g_type_class_peek(ATK_TYPE_OBJECT))->finalize(object);
}

void NodeClassInit(gpointer klass, gpointer) {
    G_OBJECT_CLASS(klass)->finalize = NodeFinalize;
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->get_name = NodeName;
    atk->get_description = NodeDescription;
    atk->get_role = NodeRole;
    atk->get_n_children = NodeChildCount;
    atk->ref_child = NodeChild;
    atk->get_parent = NodeParent;
    atk->get_index_in_parent = NodeIndexInParent;
    atk->ref_state_set = NodeStates;
    atk->ref_relation_set = NodeRelations;
}

void NodeInit(GTypeInstance* instance, gpointer) {
    auto* self = reinterpret_cast<NodeObject*>(instance);
    self->node = nullptr;
    self->name = new std::string;
    self->description = new std::string;
    self->actionName = new std::string;
}

GType NodeType() {
    static const GType type =
        g_type_register_static_simple(ATK_TYPE_OBJECT, "PlexonAccessible", sizeof(NodeObjectClass),
                                      NodeClassInit, sizeof(NodeObject), NodeInit, GTypeFlags(0));
    return type;
}

bool IsWindowRole(AccessibleRole role) {
    return role == AccessibleRole::Frame || role == AccessibleRole::Dialog || role == AccessibleRole::Alert;
}

void InitWindow(gpointer, gpointer) {}

// A subtype per set of facets, so that each object offers exactly the interfaces its node has; the
// roots of windows are windows to ATK too, whose activation and creation the bridge reports.
GType TypeWith(AccessibleFacets facets, bool window) {
    static std::unordered_map<unsigned, GType> types;
    unsigned key = 0;
    constexpr AccessibleFacet kAll[] = {AccessibleFacet::Action, AccessibleFacet::Text,
                                        AccessibleFacet::EditableText, AccessibleFacet::Value,
                                        AccessibleFacet::Selection};
    for (unsigned i = 0; i < std::size(kAll); ++i)
        if (facets.Contains(kAll[i])) key |= 1u << i;
    if (window) key |= 32;
    if (auto found = types.find(key); found != types.end()) return found->second;
    const std::string name = "PlexonAccessible" + std::to_string(key);
    const GType type = g_type_register_static_simple(NodeType(), name.c_str(), sizeof(NodeObjectClass),
                                                     nullptr, sizeof(NodeObject), nullptr, GTypeFlags(0));
    const auto add = [type](GType iface, auto init) {
        const GInterfaceInfo info{init, nullptr, nullptr};
        g_type_add_interface_static(type, iface, &info);
    };
    add(ATK_TYPE_COMPONENT, InitComponent);
    if (key & 1) add(ATK_TYPE_ACTION, InitAction);
    if (key & 2) add(ATK_TYPE_TEXT, InitText);
    if (key & 4) add(ATK_TYPE_EDITABLE_TEXT, InitEditableText);
    if (key & 8) add(ATK_TYPE_VALUE, InitValue);
    if (key & 16) add(ATK_TYPE_SELECTION, InitSelection);
    if (key & 32) add(ATK_TYPE_WINDOW, InitWindow);
    types.emplace(key, type);
    return type;
}

AtkObject* Wrap(Accessible* node) {
    if (auto found = wrappers.find(node); found != wrappers.end()) return found->second;
    auto* object = static_cast<NodeObject*>(g_object_new(
        TypeWith(node->Facets(), IsWindowRole(node->Role()) && !node->AccessibleParent()), nullptr));
    object->node = node;
    AtkObject* atk = ATK_OBJECT(object);
    atk_object_initialize(atk, nullptr);
    atk->role = AtkRoleOf(node->Role());
    wrappers.emplace(node, atk);
    return atk;
}

// Objects of nodes that have gone are dropped; a reader still holding one finds it defunct.
void DropGone() {
    for (auto it = wrappers.begin(); it != wrappers.end();) {
        if (live.count(it->first)) {
            ++it;
            continue;
        }
        reinterpret_cast<NodeObject*>(it->second)->node = nullptr;
        g_object_unref(it->second);
        it = wrappers.erase(it);
    }
}

// ---- the application and the toolkit ------------------------------------------------------------

const gchar* ApplicationName(AtkObject*) {
    return applicationName.c_str();
}

gint ApplicationChildCount(AtkObject*) {
    return gint(ShownWindows().size());
}

AtkObject* ApplicationChild(AtkObject*, gint index) {
    const std::vector<Accessible*> windows = ShownWindows();
    if (index < 0 || std::size_t(index) >= windows.size()) return nullptr;
    return ATK_OBJECT(g_object_ref(Wrap(windows[std::size_t(index)])));
}

AtkObject* ApplicationParent(AtkObject*) {
    return nullptr;
}

void ApplicationClassInit(gpointer klass, gpointer) {
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->get_name = ApplicationName;
    atk->get_n_children = ApplicationChildCount;
    atk->ref_child = ApplicationChild;
    atk->get_parent = ApplicationParent;
}

AtkObject* MakeApplication() {
    const GType type =
        g_type_register_static_simple(ATK_TYPE_OBJECT, "PlexonApplication", sizeof(AtkObjectClass),
                                      ApplicationClassInit, sizeof(AtkObject), nullptr, GTypeFlags(0));
    AtkObject* object = ATK_OBJECT(g_object_new(type, nullptr));
    atk_object_initialize(object, nullptr);
    object->role = ATK_ROLE_APPLICATION;
    return object;
}

AtkObject* Root() {
    return application;
}
const gchar* ToolkitName() {
    return "Tesvo Plexon";
}
const gchar* ToolkitVersion() {
    return "1";
}

// ---- events -------------------------------------------------------------------------------------
// Our controls do not announce their changes, so each round compares what every node says with what
// it said the round before, and tells the bridge what changed: names (a path label after Browse),
// states (focus, a button disabled while busy), values (the progress bar, at most every 100 ms),
// windows that appeared (an alert among them) and the window with the keyboard, every 50 ms.

struct Seen {
    std::string name;
    AccessibleStates states;
    double value = 0;
};
std::unordered_map<const Accessible*, Seen> seen;
std::vector<Accessible*> seenWindows;
Accessible* seenActive = nullptr;
gint64 valueReported = 0;

void ReportWindows() {
    const std::vector<Accessible*> windows = ShownWindows();
    for (std::size_t i = 0; i < windows.size(); ++i) {
        if (std::find(seenWindows.begin(), seenWindows.end(), windows[i]) != seenWindows.end()) continue;
        AtkObject* object = Wrap(windows[i]);
        g_signal_emit_by_name(application, "children-changed::add", gint(i), object);
        g_signal_emit_by_name(object, "create");
    }
    Accessible* active = host->ActiveWindow();
    if (active != seenActive) {
        if (seenActive && live.count(seenActive)) g_signal_emit_by_name(Wrap(seenActive), "deactivate");
        if (active && live.count(active)) g_signal_emit_by_name(Wrap(active), "activate");
        seenActive = active;
    }
    seenWindows = windows;
}

void ReportChanges() {
    ReportWindows();
    const gint64 now = g_get_monotonic_time();
    const bool valuesDue = now - valueReported >= 100000;  // the progress bar at most ten times a second
    for (const Accessible* node : live) {
        Seen current{node->AccessibleName(), node->States(),
                     node->Facets().Contains(AccessibleFacet::Value) ? node->Value().current : 0};
        auto found = seen.find(node);
        if (found == seen.end()) {
            // A control that comes with the focus (the default button of a new dialog) is where the
            // reader now is.
            if (current.states.Contains(AccessibleState::Focused))
                atk_object_notify_state_change(Wrap(const_cast<Accessible*>(node)), ATK_STATE_FOCUSED, TRUE);
            seen.emplace(node, std::move(current));
            continue;
        }
        Seen& before = found->second;
        AtkObject* object = Wrap(const_cast<Accessible*>(node));
        if (current.name != before.name) {
            before.name = current.name;
            g_object_notify(G_OBJECT(object), "accessible-name");
        }
        if (!(current.states == before.states)) {
            for (const auto& [ours, atk] : kStates)
                if (current.states.Contains(ours) != before.states.Contains(ours))
                    atk_object_notify_state_change(object, atk, current.states.Contains(ours));
            before.states = current.states;
        }
        if (valuesDue && current.value != before.value) {
            before.value = current.value;
            g_signal_emit_by_name(object, "value-changed", current.value, nullptr);
        }
    }
    if (valuesDue) valueReported = now;
    for (auto it = seen.begin(); it != seen.end();)
        it = live.count(it->first) ? std::next(it) : seen.erase(it);
}

// Answers what the bridge has received and reports what changed since the last round, then forgets
// the objects of nodes that have gone.
void Pump() {
    RefreshLive();
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    // Comparing every node costs more than answering; twenty rounds a second keep announcements prompt.
    static gint64 compared = 0;
    if (const gint64 now = g_get_monotonic_time(); now - compared >= 50000) {
        compared = now;
        ReportChanges();
    }
    DropGone();
}

}  // namespace

extern "C" __attribute__((visibility("default"))) bool plexon_accessibility_start(AccessibilityHost* theHost,
                                                                                  const char* name) {
    if (host) return true;
    host = theHost;
    applicationName = name;
    auto* util = static_cast<AtkUtilClass*>(g_type_class_ref(ATK_TYPE_UTIL));
    util->get_root = Root;
    util->get_toolkit_name = ToolkitName;
    util->get_toolkit_version = ToolkitVersion;
    application = MakeApplication();
    RefreshLive();
    if (atk_bridge_adaptor_init(nullptr, nullptr) != 0) return false;
    // Often enough that a reader's request is answered at once to the ear.
    host->Every(20, Pump);
    return true;
}
