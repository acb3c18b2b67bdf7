// Putting text on the desktop's clipboard with a check that it arrived; reading it back is the
// only way the back ends let us learn that the clipboard could not be opened.
#pragma once

#include <string>

#include "platform/window/Backend.h"

namespace plexon {

// Puts text (up to its first zero byte, as CF_TEXT carries it) on the clipboard; Exception
// "Cannot open clipboard" when the clipboard does not hold it afterwards.
void PutClipboardText(window::Backend& desktop, const std::string& text);

}  // namespace plexon
