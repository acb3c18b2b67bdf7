// What the accessibility plugin asks of the program that loaded it. The plugin is a shared library
// of its own, so it reaches the program only through these virtual calls and the nodes' own
// (Accessible.h): nothing else of ours is linked into it twice.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/window/Accessible.h"

namespace plexon::window {

class AccessibilityHost {
  public:
    virtual ~AccessibilityHost() = default;
    // The roots of the top-level windows, shown or hidden, in the order the desktop keeps them.
    virtual std::vector<Accessible*> Windows() = 0;
    // The root of the window with the keyboard, if any.
    virtual Accessible* ActiveWindow() = 0;
    // The node's extents in screen pixels; none where the screen position is unknown (Wayland).
    virtual std::optional<gdi::RECT> ScreenExtents(const Accessible& node) = 0;
    // Runs the action on the program's own loop, after the current request is answered: a click may
    // start a modal run that must not run inside the bridge's call. While a weld runs it waits, as
    // a user's click would.
    virtual void Post(std::function<void()> action) = 0;
    // Runs the action every interval, from every loop the program runs (main, modal, between strips).
    virtual void Every(std::uint32_t intervalMs, std::function<void()> action) = 0;
};

// The plugin's entry point, looked up by this name: starts the bridge for the application name and
// returns whether it runs.
using AccessibilityStart = bool (*)(AccessibilityHost* host, const char* applicationName);
inline constexpr const char* kAccessibilityStart = "plexon_accessibility_start";

}  // namespace plexon::window
