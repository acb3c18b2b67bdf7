// The messages a window receives, one record for all kinds. Routing and order are the desktop's job.
#pragma once

#include <string>
#include <vector>

#include "platform/gdi/Types.h"
#include "platform/window/Input.h"

namespace plexon::window {

class Window;
using HWND = Window*;

enum class MessageKind {
    EraseBackground,  // dc: the window's own surface, client coordinates
    Paint,            // dc as above, after EraseBackground
    MouseMove,
    MouseDown,
    MouseUp,
    MouseWheel,   // wheel: notches turned, positive away from the user; point: where the mouse is
    DoubleClick,  // in place of the second MouseDown of a double click
    MouseEnter,
    MouseLeave,
    KeyDown,
    KeyUp,
    Char,
    SetFocus,     // other: the window that lost the focus (may be null)
    KillFocus,    // other: the window that gets the focus (may be null)
    CaptureLost,  // the mouse capture was taken away or released
    Close,        // the close box of a top-level window
    Size,         // the window's size changed
    Move,         // a top-level window was placed elsewhere; point: its new screen position
    Posted,       // posted by the program itself; id tells which
    Timer,        // a desktop timer is due; id tells which, window is null
    FilesDropped  // files dropped from the file manager onto a top-level window; paths lists them
};

struct Message {
    MessageKind kind = MessageKind::Posted;
    HWND window = nullptr;
    gdi::POINT point{};  // mouse position in the window's client coordinates
    MouseButton button = MouseButton::Left;
    Shift shift = Shift::None;
    int key = 0;   // virtual key code
    char32_t ch = 0;  // character input, a code point
    HWND other = nullptr;
    gdi::HDC dc = nullptr;
    int id = 0;
    int wheel = 0;  // MouseWheel: notches
    std::vector<std::string> paths{};  // FilesDropped: the paths of one drop gesture, in drop order
};

}  // namespace plexon::window
