// The window tree of the desktop: creation and destruction, bounds, captions, visibility, enabling
// and z-order. Painting and input routing are in their own files.
#include <algorithm>
#include <cassert>

#include "platform/window/Window.h"

namespace plexon::window {

HWND Window::TopLevel() {
    HWND window = this;
    while (window->parent_) window = window->parent_;
    return window;
}

Desktop::Desktop(std::unique_ptr<Backend> backend) : backend_(std::move(backend)) {}

Desktop::~Desktop() {
    while (!topLevels_.empty()) DestroyWindow(topLevels_.back());
}

HWND Desktop::CreateWindow(const WindowOptions& options) {
    assert(!options.parent || IsWindow(options.parent));
    std::unique_ptr<Window> made(new Window);
    HWND window = made.get();
    window->parent_ = options.parent;
    window->owner_ = options.parent ? nullptr : options.owner;
    window->bounds_ = options.bounds;
    window->caption_ = options.caption;
    window->border_ = options.border;
    window->popup_ = options.popup;
    window->proc_ = options.proc;
    windows_.push_back(std::move(made));
    live_.insert(window);
    if (options.parent) {
        options.parent->children_.push_back(window);
    } else {
        topLevels_.push_back(window);
        try {
            backend_->CreateNative(*window);
        } catch (...) {
            DestroyWindow(window);
            throw;
        }
    }
    return window;
}

void Desktop::DestroyWindow(HWND window) {
    if (!IsWindow(window)) return;
    HWND parent = window->parent_;
    DestroyTree(window);
    if (parent && IsWindow(parent)) {
        auto& siblings = parent->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
        Invalidate(parent);
    }
    topLevels_.erase(std::remove(topLevels_.begin(), topLevels_.end(), window), topLevels_.end());
    windows_.erase(std::remove_if(windows_.begin(), windows_.end(),
                                  [&](const std::unique_ptr<Window>& w) { return !live_.count(w.get()); }),
                   windows_.end());
}

void Desktop::DestroyTree(HWND window) {
    // Children go first, while their parent still exists.
    while (!window->children_.empty()) {
        HWND child = window->children_.back();
        DestroyTree(child);
        window->children_.pop_back();
    }
    if (focus_ == window) focus_ = nullptr;
    if (capture_ == window) capture_ = nullptr;
    if (hover_ == window) hover_ = nullptr;
    if (active_ == window) active_ = nullptr;
    if (lastMouseTop_ == window) lastMouseTop_ = nullptr;
    for (HWND top : topLevels_)
        if (top->owner_ == window) top->owner_ = nullptr;
    std::erase_if(queue_, [&](const Message& m) { return m.window == window; });
    FreeSurfaces(window);
    if (!window->parent_) backend_->DestroyNative(*window);
    live_.erase(window);
}

void Desktop::SetBounds(HWND window, const gdi::RECT& bounds) {
    assert(IsWindow(window));
    const gdi::RECT old = window->bounds_;
    if (old.left == bounds.left && old.top == bounds.top && old.right == bounds.right &&
        old.bottom == bounds.bottom)
        return;
    window->bounds_ = bounds;
    const bool resized = bounds.right - bounds.left != old.right - old.left ||
                         bounds.bottom - bounds.top != old.bottom - old.top;
    if (window->parent_) {
        Invalidate(window->parent_);
    } else {
        backend_->UpdateNative(*window);
    }
    if (resized) {
        Invalidate(window);
        Message size{.kind = MessageKind::Size, .window = window};
        SendMessage(size);
    }
    window->TopLevel()->frameStale_ = true;
}

void Desktop::SetCaption(HWND window, const std::string& caption) {
    assert(IsWindow(window));
    if (window->caption_ == caption) return;
    window->caption_ = caption;
    if (window->parent_) return;
    backend_->UpdateNative(*window);
    window->frameStale_ = true;  // where the back end draws the title bar, it is in the frame
}

void Desktop::SetBorder(HWND window, BorderStyle border) {
    assert(IsWindow(window));
    if (window->border_ == border) return;
    window->border_ = border;
    if (!window->parent_) backend_->UpdateNative(*window);
}

void Desktop::SetOwner(HWND topLevel, HWND owner) {
    assert(IsWindow(topLevel) && (!owner || IsWindow(owner)));
    if (!topLevel->parent_ && owner != topLevel) topLevel->owner_ = owner;
}

void Desktop::Show(HWND window, bool visible) {
    assert(IsWindow(window));
    if (window->visible_ == visible) return;
    window->visible_ = visible;
    if (!visible) {
        // A hidden window keeps neither the focus nor the mouse.
        for (HWND w = focus_; w; w = w->parent_)
            if (w == window) {
                SetFocus(nullptr);
                break;
            }
        for (HWND w = capture_; w; w = w->parent_)
            if (w == window) {
                ReleaseCapture();
                break;
            }
    }
    if (window->parent_) {
        Invalidate(window->parent_);
    } else if (!visible) {
        backend_->ShowNative(*window, false);
    } else if (window->shownOnce_) {
        // A native window appears only with a frame to show; the first one is shown after composing.
        backend_->ShowNative(*window, true);
    }
    if (visible) Invalidate(window);
}

void Desktop::Enable(HWND window, bool enabled) {
    assert(IsWindow(window));
    if (window->enabled_ == enabled) return;
    window->enabled_ = enabled;
    if (!enabled) {
        for (HWND w = capture_; w; w = w->parent_)
            if (w == window) {
                ReleaseCapture();
                break;
            }
    }
}

bool Desktop::IsReallyVisible(HWND window) const {
    for (HWND w = window; w; w = w->parent_)
        if (!w->visible_) return false;
    return true;
}

bool Desktop::IsReallyEnabled(HWND window) const {
    for (HWND w = window; w; w = w->parent_)
        if (!w->enabled_) return false;
    return true;
}

void Desktop::BringToFront(HWND window) {
    assert(IsWindow(window));
    if (!window->parent_) {
        backend_->FocusNative(*window);
        return;
    }
    auto& siblings = window->parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    siblings.push_back(window);
    Invalidate(window->parent_);
}

void Desktop::SendToBack(HWND window) {
    assert(IsWindow(window));
    if (!window->parent_) return;
    auto& siblings = window->parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    siblings.insert(siblings.begin(), window);
    Invalidate(window->parent_);
}

gdi::POINT Desktop::ClientToScreen(HWND window, gdi::POINT p) const {
    for (HWND w = window; w; w = w->parent_) {
        p.x += w->bounds_.left;
        p.y += w->bounds_.top;
    }
    return p;
}

gdi::POINT Desktop::ScreenToClient(HWND window, gdi::POINT p) const {
    const gdi::POINT origin = ClientToScreen(window, {0, 0});
    return {p.x - origin.x, p.y - origin.y};
}

}  // namespace plexon::window
