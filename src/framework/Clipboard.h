// The clipboard as the framework offers it: text only, through the window system's back end.
// Pictures on the clipboard are the graphics layer's business.
#pragma once

#include <string>

namespace plexon {

class TClipboard {
  public:
    // The clipboard's text (empty when it holds none), UTF-8.
    std::string AsText() const;
    void SetAsText(const std::string& text);
};

TClipboard& Clipboard();

}  // namespace plexon
