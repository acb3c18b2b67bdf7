// The desktop's part in accessibility: which node each top-level window's contents hang from, and
// where a node shows on the screen.
#include <algorithm>

#include "platform/window/Window.h"

namespace plexon::window {

void Desktop::SetAccessible(HWND topLevel, Accessible* root) {
    if (IsWindow(topLevel) && !topLevel->parent_) topLevel->accessible_ = root;
}

Accessible* Desktop::AccessibleOf(HWND topLevel) const {
    return IsWindow(topLevel) ? topLevel->accessible_ : nullptr;
}

std::optional<gdi::RECT> Desktop::ScreenExtents(const Accessible& node) {
    const Accessible* root = &node;
    while (const Accessible* parent = root->AccessibleParent()) root = parent;
    const auto top = std::find_if(topLevels_.begin(), topLevels_.end(),
                                  [&](HWND w) { return w->accessible_ == root && w->visible_; });
    if (top == topLevels_.end()) return std::nullopt;
    const std::optional<ScreenPlacement> placement = backend_->Placement(**top);
    if (!placement) return std::nullopt;
    const gdi::RECT r = node.Extents();
    const int s = placement->scale;
    const gdi::POINT o = placement->origin;
    return gdi::RECT{o.x + r.left * s, o.y + r.top * s, o.x + r.right * s, o.y + r.bottom * s};
}

}  // namespace plexon::window
