// What a window system offers the desktop: native top-level windows that show our frames, input
// events, cursors, clipboard text, a beep and opening links. Routing and painting stay in the desktop.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi/Types.h"
#include "platform/window/Input.h"

namespace plexon::window {

class Desktop;
class Window;

enum class BorderStyle { None, Single, Dialog, Sizeable };

// The pixels of a top-level window's client area: 32 bits (blue, green, red, 0), top row first.
struct FrameView {
    const std::uint8_t* pixels = nullptr;
    int width = 0, height = 0;
    std::size_t stride = 0;
};

// A square picture for the window system to show for our windows (task bar, switcher): pixels
// 0xAARRGGBB, alpha not premultiplied, top row first.
struct IconImage {
    int size = 0;
    std::vector<std::uint32_t> argb;
};

enum class Wait { No, Yes };

// A native window's client area on the screen: its top-left corner in screen pixels, and how many
// screen pixels show one of our pixels.
struct ScreenPlacement {
    gdi::POINT origin;
    int scale = 1;
};

class Backend {
  public:
    virtual ~Backend() = default;

    virtual void CreateNative(Window& top) = 0;
    virtual void DestroyNative(Window& top) = 0;
    // Caption, border style, position and size of the top-level window changed.
    virtual void UpdateNative(Window& top) = 0;
    virtual void ShowNative(Window& top, bool visible) = 0;
    // The frame is complete; show it. A hidden native window becomes visible after its first frame.
    virtual void Present(Window& top, const FrameView& frame) = 0;
    // Gives the keyboard to the native window of top.
    virtual void FocusNative(Window& top) = 0;
    // Where the client area of top shows on the screen and at which scale; none where the window
    // system does not tell (Wayland).
    virtual std::optional<ScreenPlacement> Placement(const Window& top) = 0;

    // Feeds pending native events into the desktop; with Wait::Yes blocks until there is one.
    virtual void PumpEvents(Desktop& desktop, Wait wait) = 0;
    // Like PumpEvents with Wait::Yes, but gives up at the deadline on the Milliseconds clock (the
    // desktop's next timer).
    virtual void PumpEventsUntil(Desktop& desktop, std::uint64_t deadline) = 0;
    // A monotonic clock in milliseconds for the desktop's timers.
    virtual std::uint64_t Milliseconds() = 0;

    virtual void SetCursor(Cursor cursor) = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    virtual std::string ClipboardText() = 0;
    virtual void Beep() = 0;
    // Hands the address (a web address or a mailto: address) to the desktop's handler.
    virtual bool OpenUrl(const std::string& address) = 0;
    // The screen in our pixels at the program's scale, and at the scale top shows at (lower than the
    // program's when top would not fit the screen at it).
    virtual gdi::SIZE ScreenSize() = 0;
    virtual gdi::SIZE ScreenSizeOf(const Window& top) = 0;
    // The icon of every native window, those that exist and those made later.
    virtual void SetApplicationIcon(const IconImage& icon) = 0;
    // Whether a top-level window shows where its bounds say. Where it does not (Wayland leaves
    // placing to the compositor), pop-ups such as open lists and hints are drawn inside their form.
    virtual bool CanPlaceWindows() const = 0;
};

}  // namespace plexon::window
