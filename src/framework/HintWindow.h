// Hints: a borderless pop-up (PopupWindow.h) that shows one control's hint (clInfoText on clInfoBk in
// Tahoma 8, a 1-pixel frame) 20 px below the pointer, and the tracking behind it. The windows' mouse
// and key routing feeds the tracking; it runs on the desktop's timers.
#pragma once

#include <cstdint>

#include "platform/window/Window.h"

namespace plexon {

class TControl;

// How long the pointer rests before a hint shows, and how long the hint stays.
inline constexpr std::uint32_t kHintPause = 500, kHintHidePause = 2500;

// The pointer moved over control (the one under it, windowless or not); the control itself or
// its nearest parent with ShowHint gets the hint.
void HintMouseMove(TControl& control);
// The pointer left control.
void HintMouseLeave(TControl& control);
// Hides the hint for good, until the pointer leaves its control: a click, a key.
void CancelHint();
// Forgets a control that is going away.
void HintControlGone(TControl& control);
// The hint window showing now; null when none.
window::HWND ShownHintWindow();

}  // namespace plexon
