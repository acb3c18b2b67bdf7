// The title bar we draw above a window's client area where the compositor draws none (Wayland
// without client-side decorations): the caption in Tahoma 8 bold on the caption colours and a close
// box, in the classic look. Drawing and hit areas only; the back end routes the mouse.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi/Types.h"

namespace plexon::window {

inline constexpr int kTitleBarHeight = 20;

enum class TitleBarPart { Caption, CloseBox };

// The close box of a bar `width` wide, in bar coordinates.
gdi::RECT CloseBoxRect(int width);
// What of a bar `width` wide lies at p (bar coordinates, inside the bar).
TitleBarPart TitleBarPartAt(int width, gdi::POINT p);

struct TitleBarLook {
    std::string caption;
    bool active = true;         // the window has the keyboard: active caption colours
    bool closePressed = false;  // the close box is held down
};

// The bar `width` (at least 1) wide, kTitleBarHeight high, as 32-bit pixels (blue, green, red, 0),
// top row first, width * 4 bytes a row.
std::vector<std::uint8_t> DrawTitleBar(int width, const TitleBarLook& look);

}  // namespace plexon::window
