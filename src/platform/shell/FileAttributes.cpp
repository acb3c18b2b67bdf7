// File-attribute checks and folder listings on top of stat and readdir.
#include "platform/shell/FileAttributes.h"

#include <dirent.h>
#include <sys/stat.h>

namespace plexon {

bool DirectoryExists(const std::string& path) {
    struct stat info {};
    if (path.empty() || stat(path.c_str(), &info) != 0) return false;
    return S_ISDIR(info.st_mode);
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

std::optional<std::unordered_set<std::string>> NamesInFolder(const std::string& folder) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return std::nullopt;
    std::unordered_set<std::string> names;
    while (const dirent* entry = ::readdir(dir)) names.insert(entry->d_name);
    ::closedir(dir);
    return names;
}

}  // namespace plexon
