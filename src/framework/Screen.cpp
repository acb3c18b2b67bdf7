// The screen object.
#include "framework/Screen.h"

#include <algorithm>

#include "framework/Form.h"
#include "platform/window/Window.h"

namespace plexon {

TScreen& Screen() {
    static TScreen screen;
    return screen;
}

void TScreen::SetCursor(TCursor cursor) {
    cursor_ = cursor;
    window::TheDesktop().SetOverrideCursor(cursor);
}

int TScreen::Width() const {
    return window::TheDesktop().Native().ScreenSize().cx;
}

int TScreen::Height() const {
    return window::TheDesktop().Native().ScreenSize().cy;
}

bool TScreen::HasForm(const TForm* form) const {
    return std::find(forms_.begin(), forms_.end(), form) != forms_.end();
}

TForm* TScreen::ActiveForm() const {
    window::HWND active = window::TheDesktop().ActiveTopLevel();
    for (TForm* form : forms_)
        if (form->HandleAllocated() && form->Handle() == active) return form;
    return nullptr;
}

}  // namespace plexon
