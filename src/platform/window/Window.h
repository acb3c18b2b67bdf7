// The desktop: a tree of windows (top-level forms and windowed child controls) with bounds,
// visibility, enabling, z-order and invalidation; the message queue with input routing, focus and
// capture; painting into each window's surface and composing each top-level frame. It knows nothing
// of controls; the window procedure of each window does.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/gdi/Types.h"
#include "platform/window/Accessible.h"
#include "platform/window/Backend.h"
#include "platform/window/Message.h"

namespace plexon::window {

using WindowProc = std::function<void(Message&)>;

// Top-level windows the program places itself, borderless and on top, without a task bar entry or
// the focus: a hint, which never takes the mouse either, and an open list.
enum class PopupKind { None, Hint, List };

struct WindowOptions {
    HWND parent = nullptr;  // null: a top-level window
    // Top-level only: the window a pop-up or a dialog belongs to. It shows at its owner's scale, is
    // placed relative to its owner's real place, and stays above it.
    HWND owner = nullptr;
    gdi::RECT bounds;     // parent's client coordinates; for a top-level, screen coordinates
    std::string caption;  // top-level windows only
    BorderStyle border = BorderStyle::Single;
    PopupKind popup = PopupKind::None;
    WindowProc proc;  // receives every message of the window
};

// A node of the window tree. Its surface is a 32-bit DIB section of its size that its Paint
// messages draw into; the top-level frame is composed from the surfaces.
class Window {
  public:
    HWND Parent() const { return parent_; }
    const std::vector<HWND>& Children() const { return children_; }  // bottom of the z-order first
    const gdi::RECT& Bounds() const { return bounds_; }
    int Width() const { return bounds_.right - bounds_.left; }
    int Height() const { return bounds_.bottom - bounds_.top; }
    bool Visible() const { return visible_; }
    bool Enabled() const { return enabled_; }
    bool Invalid() const { return invalid_; }
    const std::string& Caption() const { return caption_; }
    BorderStyle Border() const { return border_; }
    PopupKind Popup() const { return popup_; }
    HWND Owner() const { return owner_; }
    Cursor WindowCursor() const { return cursor_; }
    HWND TopLevel();
    // The back end's record for a top-level window.
    void* native = nullptr;

  private:
    friend class Desktop;
    Window() = default;

    HWND parent_ = nullptr;
    HWND owner_ = nullptr;
    std::vector<HWND> children_;
    gdi::RECT bounds_;
    std::string caption_;
    BorderStyle border_ = BorderStyle::Single;
    PopupKind popup_ = PopupKind::None;
    WindowProc proc_;
    bool visible_ = false;
    bool enabled_ = true;
    bool invalid_ = true;
    bool shownOnce_ = false;
    bool frameStale_ = true;  // top-level: the frame must be composed again
    Cursor cursor_ = Cursor::Default;
    Accessible* accessible_ = nullptr;  // top-level only
    gdi::HBITMAP surface_ = nullptr;
    gdi::HDC dc_ = nullptr;
    std::uint8_t* surfaceBits_ = nullptr;
    gdi::HBITMAP frame_ = nullptr;  // top-level only
    std::uint8_t* frameBits_ = nullptr;
};

// A service timer acts in every loop, even one that lets no input act (a weld between its strips):
// it keeps work going that is no answer to the user's input, such as a screen reader's requests.
enum class TimerKind { Normal, Service };

class Desktop {
  public:
    explicit Desktop(std::unique_ptr<Backend> backend);
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    Backend& Native() { return *backend_; }

    // The tree. Windows start hidden; destroying a window destroys its children first.
    HWND CreateWindow(const WindowOptions& options);
    void DestroyWindow(HWND window);
    bool IsWindow(HWND window) const { return live_.count(window) != 0; }
    std::vector<HWND> TopLevels() const { return topLevels_; }
    void SetBounds(HWND window, const gdi::RECT& bounds);
    void SetCaption(HWND window, const std::string& caption);
    void SetBorder(HWND window, BorderStyle border);
    // Makes owner (a top-level window; null: none) the window that topLevel, a dialog, was opened
    // from: from its next showing it stays above it.
    void SetOwner(HWND topLevel, HWND owner);
    void Show(HWND window, bool visible);
    void Enable(HWND window, bool enabled);
    // Visible and enabled up to the top-level window.
    bool IsReallyVisible(HWND window) const;
    bool IsReallyEnabled(HWND window) const;
    void BringToFront(HWND window);
    void SendToBack(HWND window);
    // Client point of `window` in screen coordinates and back. Screen coordinates count the pixels of
    // the window's own scale, from where the window system reports its top-level window to be.
    gdi::POINT ClientToScreen(HWND window, gdi::POINT p) const;
    gdi::POINT ScreenToClient(HWND window, gdi::POINT p) const;
    // Where the mouse was last reported, in screen coordinates; (-1, -1) before any report.
    gdi::POINT GetCursorPos() const;

    // Accessibility: the node a top-level window's contents hang from (null: none). The form that
    // owns the window sets it and clears it before the node goes.
    void SetAccessible(HWND topLevel, Accessible* root);
    Accessible* AccessibleOf(HWND topLevel) const;
    // A node's extents on the screen, in screen pixels at the window's display scale; none where
    // the window system keeps the window's position to itself, or the node is in no shown window.
    std::optional<gdi::RECT> ScreenExtents(const Accessible& node);

    // Painting: marks the window for a repaint when the queue is empty; UpdateWindow repaints the
    // window's top-level at once.
    void Invalidate(HWND window);
    void UpdateWindow(HWND window);
    // Draws into the window's surface at once, outside a Paint message, and has its top-level
    // frame composed again: for a windowless control that repaints only itself. Nothing when the
    // window is not showing or waits for a full repaint anyway; returns whether it drew.
    bool PaintNow(HWND window, const std::function<void(gdi::HDC)>& paint);
    // The composed client area of a visible top-level window, current as of the last repaint.
    FrameView Frame(HWND topLevel) const;

    // Focus and capture. SetFocus sends KillFocus to the old window, then SetFocus to the new one.
    HWND Focus() const { return focus_; }
    void SetFocus(HWND window);
    HWND Capture() const { return capture_; }
    void SetCapture(HWND window);
    void ReleaseCapture();
    HWND ActiveTopLevel() const { return active_; }

    // Cursors: the override (the screen cursor) wins over the cursor of the window under the mouse.
    void SetWindowCursor(HWND window, Cursor cursor);
    void SetOverrideCursor(Cursor cursor);
    Cursor OverrideCursor() const { return override_; }
    Cursor CurrentCursor() const { return current_; }

    // The queue. PostMessage appends a Posted message; GetMessage takes the next message, painting
    // invalid windows when nothing else is queued and asking the back end for input (with Wait::Yes
    // blocking until something arrives). DispatchMessage hands a message to its window.
    void PostMessage(HWND window, int id);
    bool GetMessage(Message& message, Wait wait);
    void DispatchMessage(Message& message);
    // Sends a message to the window's procedure at once (nothing for a destroyed window).
    void SendMessage(Message& message);

    // Timers on the back end's clock. A due timer is the queue's last priority: it comes after
    // input, posted messages and painting, as one Timer message however many intervals passed;
    // dispatching it runs the action and starts the next interval. An interval of 0 counts as 1 ms.
    // Returns the timer's id (> 0).
    int SetTimer(std::uint32_t intervalMs, std::function<void()> action, TimerKind kind = TimerKind::Normal);
    // Stops the timer; nothing for an unknown id.
    void KillTimer(int id);
    bool HasTimer(int id) const { return timers_.count(id) != 0; }
    // A loop that lets only some messages act (TApplication::ProcessMessagesOnly) passes a due timer
    // that is no service: it is due again one interval later, not at once.
    bool IsServiceTimer(const Message& message) const;
    void SkipTimer(int id);

    // Input as a window system reports it, in the client coordinates of a top-level window. The
    // desktop routes it to the window under the mouse, the capturing window or the focused window.
    void InputMouseMove(HWND topLevel, gdi::POINT p, Shift shift);
    void InputMouseButton(HWND topLevel, gdi::POINT p, MouseButton button, bool down, int clicks,
                          Shift shift);
    // The wheel turned `notches` (positive away from the user) over the window under the mouse.
    void InputMouseWheel(HWND topLevel, int notches, Shift shift);
    void InputKey(int key, bool down, Shift shift);
    void InputChar(char32_t ch);
    void InputClose(HWND topLevel);
    // The window system put the client area of a top-level window elsewhere (a window manager's
    // placing, the user's move): `origin` is its new top-left corner in screen coordinates. The
    // window's bounds follow, and it gets a Move message; the native window is not asked to move.
    void InputMoved(HWND topLevel, gdi::POINT origin);
    // Files dropped in one gesture onto a top-level window, in the order the file manager gave them.
    // A disabled window (another one runs modally) takes no drop, as it takes no other input.
    void InputDrop(HWND topLevel, std::vector<std::string> paths);
    void InputActivate(HWND topLevel);
    // The native window lost its contents; the frame is shown again.
    void InputExposed(HWND topLevel);

  private:
    void Queue(Message message);
    bool TimerDue(Message& message);
    void DispatchTimer(int id);
    HWND HitTest(HWND topLevel, gdi::POINT p) const;
    // A hint never takes the mouse: a position over one is taken as over its owner below.
    void LookThroughHint(HWND& topLevel, gdi::POINT& p) const;
    // Where keys and characters go: the focused window, else the active top-level; none when disabled.
    HWND KeyTarget() const;
    void TrackHover(HWND window);
    void UpdateCursor();
    void PaintWindow(HWND window);
    // The first invalid visible window, top-levels in order and parents before their children.
    HWND NextToPaint() const;
    void Compose(HWND topLevel);
    void PresentStale();
    void ComposeChildren(HWND window, gdi::POINT origin, const gdi::RECT& clip);
    void EnsureSurface(HWND window);
    void FreeSurfaces(HWND window);
    void DestroyTree(HWND window);

    std::unique_ptr<Backend> backend_;
    std::vector<std::unique_ptr<Window>> windows_;
    std::unordered_set<HWND> live_;
    std::vector<HWND> topLevels_;
    std::deque<Message> queue_;
    HWND focus_ = nullptr;
    HWND capture_ = nullptr;
    HWND hover_ = nullptr;
    HWND active_ = nullptr;
    Cursor override_ = Cursor::Default;
    Cursor current_ = Cursor::Default;
    gdi::POINT lastMouse_{-1, -1};
    HWND lastMouseTop_ = nullptr;
    gdi::HDC composeDc_ = nullptr;  // the frame being composed
    struct Timer {
        std::uint32_t interval;
        std::uint64_t due;
        std::function<void()> action;
        TimerKind kind = TimerKind::Normal;
    };
    std::map<int, Timer> timers_;
    int lastTimerId_ = 0;
};

enum class BackendKind { Headless, Sdl };

// The process's desktop, made on first use with the back end PLEXON_BACKEND names ("sdl" or
// "headless"); without it, SDL when a display is available, else headless.
Desktop& TheDesktop();
// Replaces the process's desktop with a fresh one on the given back end; no window may exist.
void SelectBackend(BackendKind kind);

}  // namespace plexon::window
