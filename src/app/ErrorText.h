// The text the application's error display shows for an error message; the batch command prints
// the same text on stderr. It does not print anything itself.
#pragma once

#include <string>
#include <string_view>

namespace plexon {

// The message with "." appended when its last character sorts after "." byte-wise: letters and
// digits gain a full stop, while a message ending in ".", "!" or ")" is shown as it is.
std::string ErrorDisplayText(std::string_view message);

}  // namespace plexon
