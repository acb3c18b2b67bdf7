// Words for roles and states, and the outline of a tree that tests compare and logs show.
#include "platform/window/Accessible.h"

#include <array>
#include <cstdio>

namespace plexon::window {

const char* RoleName(AccessibleRole role) {
    static constexpr std::array kNames = {
        "frame", "dialog", "alert", "push button",  "check box", "combo box", "list",      "list item",
        "label", "text",   "panel", "progress bar", "link",      "image",     "separator", "filler",
        "scroll bar"};
    static_assert(kNames.size() == std::size_t(AccessibleRole::ScrollBar) + 1);
    return kNames[std::size_t(role)];
}

const char* StateName(AccessibleState state) {
    static constexpr std::array kNames = {"enabled", "sensitive",  "focusable", "focused",
                                          "showing", "visible",    "checked",   "default",
                                          "active",  "selectable", "selected",  "editable"};
    static_assert(kNames.size() == std::size_t(AccessibleState::Editable) + 1);
    return kNames[std::size_t(state)];
}

namespace {

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// In quotes, line breaks written as "\n" so that a node keeps to its line.
std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) quoted += c == '\n' ? std::string("\\n") : std::string(1, c);
    return quoted + '"';
}

void Outline(const Accessible& node, int depth, std::string& out) {
    out.append(std::size_t(depth) * 2, ' ');
    out += RoleName(node.Role());
    out += " " + Quoted(node.AccessibleName());
    const gdi::RECT r = node.Extents();
    out += " (" + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + ")";
    const AccessibleStates states = node.States();
    for (int s = 0; s <= int(AccessibleState::Editable); ++s)
        if (states.Contains(AccessibleState(s))) out += std::string(" ") + StateName(AccessibleState(s));
    for (int a = 0; a < node.ActionCount(); ++a) out += " action=" + node.ActionName(a);
    const AccessibleFacets facets = node.Facets();
    if (facets.Contains(AccessibleFacet::Value)) {
        const AccessibleValue v = node.Value();
        out += " value=" + Number(v.current) + "[" + Number(v.minimum) + ".." + Number(v.maximum) + "]";
    }
    if (facets.Contains(AccessibleFacet::Text)) out += " text=" + Quoted(node.AccessibleText());
    if (facets.Contains(AccessibleFacet::Selection))
        out += " selected=" + std::to_string(node.SelectedChild());
    for (const AccessibleRelation& relation : node.Relations())
        if (relation.kind == RelationKind::LabelFor)
            out += std::string(" label-for=") + RoleName(relation.target->Role());
    if (const std::string hint = node.AccessibleDescription(); !hint.empty()) out += " hint=" + Quoted(hint);
    out += '\n';
    for (int i = 0; i < node.AccessibleChildCount(); ++i)
        if (const Accessible* child = node.AccessibleChild(i)) Outline(*child, depth + 1, out);
}

}  // namespace

std::string AccessibleOutline(const Accessible& node) {
    std::string out;
    Outline(node, 0, out);
    return out;
}

}  // namespace plexon::window
