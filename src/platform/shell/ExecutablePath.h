// The full path of the running program's file, for finding files kept beside it.
#pragma once

#include <optional>
#include <string>

namespace plexon {

// Empty when the system cannot tell (no /proc); callers fall back to another location.
std::optional<std::string> ExecutablePath();

}  // namespace plexon
