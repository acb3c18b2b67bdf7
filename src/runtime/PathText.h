// Small rules for path texts shared by every layer. Nothing here touches the file system.
#pragma once

#include <string>

namespace plexon {

// Folder texts end in "/": adds it where it is missing (an empty text becomes "/").
inline std::string IncludeTrailingPathDelimiter(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace plexon
