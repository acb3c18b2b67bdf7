// Questions about a path in the file system, asked without opening anything.
#pragma once

#include <string>

namespace plexon {

// True when the path exists and is a folder (a link to a folder counts); "/" at the end is allowed.
bool DirectoryExists(const std::string& path);

}  // namespace plexon
