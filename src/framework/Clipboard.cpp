// Clipboard text, passed to the process desktop's back end, with a read-back check on writes.
#include "framework/Clipboard.h"

#include "framework/FrameworkErrors.h"
#include "platform/window/Window.h"

namespace plexon {

std::string TClipboard::AsText() const {
    return window::TheDesktop().Native().ClipboardText();
}

void TClipboard::SetAsText(const std::string& text) {
    window::Backend& desktop = window::TheDesktop().Native();
    const std::string carried = text.substr(0, text.find('\0'));
    desktop.SetClipboardText(carried);
    if (desktop.ClipboardText() != carried) throw Exception(std::string(msg::kClipboardOpen));
}

TClipboard& Clipboard() {
    static TClipboard clipboard;
    return clipboard;
}

}  // namespace plexon
