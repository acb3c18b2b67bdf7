// The clipboard as the framework offers it: text only, through the window system's back end.
// Pictures on the clipboard are the graphics layer's business.
#pragma once

#include <string>

namespace plexon {

class TClipboard {
  public:
    // The clipboard's text (empty when it holds none), UTF-8.
    std::string AsText() const;
    // Puts text (up to its first zero byte, as the clipboard carries it) on the clipboard; Exception
    // "Cannot open clipboard" when the clipboard does not hold it afterwards. Reading it back is the
    // only way the back ends let us learn that the clipboard could not be opened.
    void SetAsText(const std::string& text);
};

TClipboard& Clipboard();

}  // namespace plexon
