// Clipboard text with a read-back check.
#include "forms/Clipboard.h"

#include "framework/FrameworkErrors.h"

namespace plexon {

void PutClipboardText(window::Backend& desktop, const std::string& text) {
    const std::string carried = text.substr(0, text.find('\0'));
    desktop.SetClipboardText(carried);
    if (desktop.ClipboardText() != carried) throw Exception(std::string(msg::kClipboardOpen));
}

}  // namespace plexon
