// Pop-ups of a form (an open combo list, a hint): a borderless top-level window of their own where
// the back end places windows; where it cannot (SDL on Wayland), a child window on top of the form,
// clipped to it, at the same place within the form.
#pragma once

#include "platform/gdi/Types.h"
#include "platform/window/Window.h"

namespace plexon {

// Whether pop-ups are drawn inside their form.
bool PopupsInForm();

// The client area of a form's top-level window in screen coordinates: where an in-form pop-up may go.
gdi::RECT FormScreenArea(window::HWND form);

// A pop-up of `size` at `at` when it fits above area's bottom, else ending at `bottomIfAbove`; then
// moved into area (its top-left corner first when it is larger). Screen coordinates.
gdi::RECT FitPopup(gdi::POINT at, gdi::SIZE size, int bottomIfAbove, const gdi::RECT& area);

// Where a pop-up of form may go, in screen coordinates: the screen, or the form with PopupsInForm().
gdi::RECT PopupArea(window::HWND form);

// Makes and shows the pop-up of that kind at `bounds` (screen coordinates): a top-level window owned
// by form's top-level window, or with PopupsInForm() a child on top of it.
window::HWND CreatePopup(window::HWND form, const gdi::RECT& bounds, window::PopupKind kind,
                         window::WindowProc proc);

}  // namespace plexon
