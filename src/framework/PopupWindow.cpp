// Pop-up windows, placed by us or drawn inside their form.
#include "framework/PopupWindow.h"

#include <algorithm>
#include <utility>

namespace plexon {

bool PopupsInForm() {
    return !window::TheDesktop().Native().CanPlaceWindows();
}

gdi::RECT FormScreenArea(window::HWND form) {
    window::HWND top = form->TopLevel();
    const gdi::POINT origin = window::TheDesktop().ClientToScreen(top, {0, 0});
    return {origin.x, origin.y, origin.x + top->Width(), origin.y + top->Height()};
}

gdi::RECT FitPopup(gdi::POINT at, gdi::SIZE size, int bottomIfAbove, const gdi::RECT& area) {
    const int x = std::clamp(at.x, area.left, std::max(area.left, area.right - size.cx));
    int y = at.y + size.cy > area.bottom ? bottomIfAbove - size.cy : at.y;
    y = std::clamp(y, area.top, std::max(area.top, area.bottom - size.cy));
    return {x, y, x + size.cx, y + size.cy};
}

gdi::RECT PopupArea(window::HWND form) {
    if (form && PopupsInForm()) return FormScreenArea(form);
    window::Backend& native = window::TheDesktop().Native();
    const gdi::SIZE screen = form ? native.ScreenSizeOf(*form->TopLevel()) : native.ScreenSize();
    return {0, 0, screen.cx, screen.cy};
}

window::HWND CreatePopup(window::HWND form, const gdi::RECT& bounds, window::PopupKind kind,
                         window::WindowProc proc) {
    window::Desktop& desk = window::TheDesktop();
    window::WindowOptions options{.owner = form ? form->TopLevel() : nullptr,
                                  .bounds = bounds,
                                  .caption = {},
                                  .border = window::BorderStyle::None,
                                  .popup = kind,
                                  .proc = std::move(proc)};
    if (form && PopupsInForm()) {
        // Created last, the child lies above the form's controls.
        options.parent = form->TopLevel();
        options.owner = nullptr;
        options.popup = window::PopupKind::None;
        const gdi::POINT at = desk.ScreenToClient(options.parent, {bounds.left, bounds.top});
        options.bounds = {at.x, at.y, at.x + bounds.right - bounds.left, at.y + bounds.bottom - bounds.top};
    }
    window::HWND popup = desk.CreateWindow(options);
    desk.Show(popup, true);
    return popup;
}

}  // namespace plexon
