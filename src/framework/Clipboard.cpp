// Clipboard text, passed to the process desktop's back end.
#include "framework/Clipboard.h"

#include "platform/window/Window.h"

namespace plexon {

std::string TClipboard::AsText() const {
    return window::TheDesktop().Native().ClipboardText();
}

void TClipboard::SetAsText(const std::string& text) {
    window::TheDesktop().Native().SetClipboardText(text);
}

TClipboard& Clipboard() {
    static TClipboard clipboard;
    return clipboard;
}

}  // namespace plexon
