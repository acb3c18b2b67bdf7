// File-attribute checks on top of stat.
#include "platform/shell/FileAttributes.h"

#include <sys/stat.h>

namespace plexon {

bool DirectoryExists(const std::string& path) {
    struct stat info {};
    if (path.empty() || stat(path.c_str(), &info) != 0) return false;
    return S_ISDIR(info.st_mode);
}

}  // namespace plexon
