// One spelling for an existing path, so that two texts naming the same file or folder compare equal.
#pragma once

#include <optional>
#include <string>

namespace plexon {

// The absolute path with links, "." and ".." resolved; a folder's text ends in "/". Empty when the
// path does not exist or cannot be resolved.
std::optional<std::string> CanonicalPath(const std::string& path);

}  // namespace plexon
