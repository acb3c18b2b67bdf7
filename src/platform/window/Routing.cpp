// The message queue of the desktop and the routing of input: the window under the mouse or the
// capturing window gets mouse messages, the focused window gets keys; hover, focus and capture
// changes are announced in the order a desktop announces them.
#include <algorithm>
#include <cassert>
#include <cstdint>
#include <utility>

#include "platform/window/Window.h"

namespace plexon::window {

void Desktop::Queue(Message message) {
    queue_.push_back(std::move(message));
}

void Desktop::PostMessage(HWND window, int id) {
    assert(IsWindow(window));
    Queue({.kind = MessageKind::Posted, .window = window, .id = id});
}

bool Desktop::GetMessage(Message& message, Wait wait) {
    for (;;) {
        if (queue_.empty()) backend_->PumpEvents(*this, Wait::No);
        if (!queue_.empty()) {
            message = queue_.front();
            queue_.pop_front();
            return true;
        }
        if (HWND invalid = NextToPaint()) {
            message = {.kind = MessageKind::Paint, .window = invalid};
            return true;
        }
        PresentStale();
        if (TimerDue(message)) return true;
        if (wait == Wait::No) return false;
        if (timers_.empty()) {
            backend_->PumpEvents(*this, Wait::Yes);
        } else {
            std::uint64_t next = UINT64_MAX;
            for (const auto& [id, timer] : timers_) next = std::min(next, timer.due);
            backend_->PumpEventsUntil(*this, next);
        }
    }
}

void Desktop::DispatchMessage(Message& message) {
    if (message.kind == MessageKind::Timer) {
        DispatchTimer(message.id);
        return;
    }
    if (!IsWindow(message.window)) return;
    if (message.kind == MessageKind::Paint) {
        PaintWindow(message.window);
        return;
    }
    SendMessage(message);
}

void Desktop::SendMessage(Message& message) {
    if (!IsWindow(message.window) || !message.window->proc_) return;
    // The procedure may destroy its own window; keep it alive for the call.
    WindowProc proc = message.window->proc_;
    proc(message);
}

HWND Desktop::HitTest(HWND top, gdi::POINT p) const {
    if (!IsWindow(top) || !top->visible_ || !top->enabled_) return nullptr;
    if (p.x < 0 || p.y < 0 || p.x >= top->Width() || p.y >= top->Height()) return nullptr;
    HWND window = top;
    for (;;) {
        HWND hit = nullptr;
        for (auto it = window->children_.rbegin(); it != window->children_.rend(); ++it) {
            const gdi::RECT& b = (*it)->bounds_;
            if ((*it)->visible_ && p.x >= b.left && p.x < b.right && p.y >= b.top && p.y < b.bottom) {
                hit = *it;
                break;
            }
        }
        if (!hit) return window;
        // A disabled window swallows the mouse: nothing under it reacts.
        if (!hit->enabled_) return nullptr;
        p.x -= hit->bounds_.left;
        p.y -= hit->bounds_.top;
        window = hit;
    }
}

void Desktop::TrackHover(HWND window) {
    if (window == hover_) return;
    if (hover_) Queue({.kind = MessageKind::MouseLeave, .window = hover_});
    hover_ = window;
    if (hover_) Queue({.kind = MessageKind::MouseEnter, .window = hover_});
    UpdateCursor();
}

void Desktop::SetOverrideCursor(Cursor cursor) {
    override_ = cursor;
    UpdateCursor();
}

void Desktop::SetWindowCursor(HWND window, Cursor cursor) {
    assert(IsWindow(window));
    window->cursor_ = cursor;
    if (window == hover_) UpdateCursor();
}

void Desktop::UpdateCursor() {
    Cursor wanted = override_;
    if (wanted == Cursor::Default && hover_) wanted = hover_->cursor_;
    if (wanted == Cursor::Default) wanted = Cursor::Arrow;
    if (wanted == current_) return;
    current_ = wanted;
    backend_->SetCursor(wanted);
}

void Desktop::LookThroughHint(HWND& top, gdi::POINT& p) const {
    if (top->popup_ != PopupKind::Hint || !top->owner_) return;
    p = ScreenToClient(top->owner_, ClientToScreen(top, p));
    top = top->owner_;
}

void Desktop::InputMouseMove(HWND top, gdi::POINT p, Shift shift) {
    if (!IsWindow(top)) return;
    LookThroughHint(top, p);
    lastMouse_ = p;
    lastMouseTop_ = top;
    HWND target = capture_ ? capture_ : HitTest(top, p);
    TrackHover(target);
    if (!target) return;
    const gdi::POINT screen = ClientToScreen(top, p);
    Queue({.kind = MessageKind::MouseMove, .window = target, .point = ScreenToClient(target, screen),
           .shift = shift});
}

void Desktop::InputMouseButton(HWND top, gdi::POINT p, MouseButton button, bool down, int clicks, Shift shift) {
    if (!IsWindow(top)) return;
    LookThroughHint(top, p);
    if (p.x != lastMouse_.x || p.y != lastMouse_.y || top != lastMouseTop_) InputMouseMove(top, p, shift);
    if (down && top->enabled_ && active_ != top) InputActivate(top);
    HWND target = capture_ ? capture_ : HitTest(top, p);
    if (!target) return;
    const gdi::POINT screen = ClientToScreen(top, p);
    MessageKind kind = !down ? MessageKind::MouseUp : clicks == 2 ? MessageKind::DoubleClick : MessageKind::MouseDown;
    Queue({.kind = kind, .window = target, .point = ScreenToClient(target, screen), .button = button,
           .shift = shift});
}

void Desktop::InputMouseWheel(HWND top, int notches, Shift shift) {
    if (!IsWindow(top) || top != lastMouseTop_ || notches == 0 || !top->enabled_) return;
    HWND target = capture_ ? capture_ : HitTest(top, lastMouse_);
    if (!target) return;
    const gdi::POINT screen = ClientToScreen(top, lastMouse_);
    Queue({.kind = MessageKind::MouseWheel, .window = target, .point = ScreenToClient(target, screen),
           .shift = shift, .wheel = notches});
}

HWND Desktop::KeyTarget() const {
    // A focused control that was disabled meanwhile (a busy window) leaves the keys to its window.
    if (focus_ && IsReallyEnabled(focus_)) return focus_;
    return active_ && IsReallyEnabled(active_) ? active_ : nullptr;
}

void Desktop::InputKey(int key, bool down, Shift shift) {
    HWND target = KeyTarget();
    if (!target) return;
    Queue({.kind = down ? MessageKind::KeyDown : MessageKind::KeyUp, .window = target, .shift = shift, .key = key});
}

void Desktop::InputChar(char32_t ch) {
    HWND target = KeyTarget();
    if (!target) return;
    Queue({.kind = MessageKind::Char, .window = target, .ch = ch});
}

void Desktop::InputClose(HWND top) {
    // A disabled window (another one runs modally) ignores its close box.
    if (!IsWindow(top) || !top->enabled_) return;
    Queue({.kind = MessageKind::Close, .window = top});
}

void Desktop::InputMoved(HWND top, gdi::POINT origin) {
    if (!IsWindow(top) || top->parent_) return;
    gdi::RECT& b = top->bounds_;
    if (b.left == origin.x && b.top == origin.y) return;
    b = {origin.x, origin.y, origin.x + b.right - b.left, origin.y + b.bottom - b.top};
    Message moved{.kind = MessageKind::Move, .window = top, .point = origin};
    SendMessage(moved);
}

void Desktop::InputDrop(HWND top, std::vector<std::string> paths) {
    if (!IsWindow(top) || top->parent_ || !top->enabled_ || paths.empty()) return;
    Queue({.kind = MessageKind::FilesDropped, .window = top, .paths = std::move(paths)});
}

void Desktop::InputActivate(HWND top) {
    if (IsWindow(top)) active_ = top;
}

void Desktop::SetFocus(HWND window) {
    assert(!window || IsWindow(window));
    if (window == focus_) return;
    HWND old = focus_;
    focus_ = window;
    if (window) {
        HWND top = window->TopLevel();
        if (top != active_) {
            active_ = top;
            backend_->FocusNative(*top);
        }
    }
    if (old && IsWindow(old)) {
        Message kill{.kind = MessageKind::KillFocus, .window = old, .other = window};
        SendMessage(kill);
    }
    // The old window's handler may have moved the focus on; then that move stands.
    if (window && focus_ == window) {
        Message set{.kind = MessageKind::SetFocus, .window = window, .other = old};
        SendMessage(set);
    }
}

void Desktop::SetCapture(HWND window) {
    assert(IsWindow(window));
    if (capture_ == window) return;
    HWND old = capture_;
    capture_ = window;
    if (old) {
        Message lost{.kind = MessageKind::CaptureLost, .window = old};
        SendMessage(lost);
    }
}

void Desktop::ReleaseCapture() {
    HWND old = capture_;
    capture_ = nullptr;
    if (old) {
        Message lost{.kind = MessageKind::CaptureLost, .window = old};
        SendMessage(lost);
    }
}

gdi::POINT Desktop::GetCursorPos() const {
    if (!lastMouseTop_) return lastMouse_;
    return ClientToScreen(lastMouseTop_, lastMouse_);
}

}  // namespace plexon::window
