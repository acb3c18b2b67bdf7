// The home folder from the environment or the user database; the working folder from the system.
#include "platform/shell/Folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace plexon {

std::optional<std::string> HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return std::string(home);
    const passwd* account = getpwuid(getuid());
    if (account == nullptr || account->pw_dir == nullptr || *account->pw_dir == '\0') return std::nullopt;
    return std::string(account->pw_dir);
}

std::optional<std::string> WorkingFolder() {
    std::string folder(4096, '\0');
    while (::getcwd(folder.data(), folder.size()) == nullptr) {
        if (errno != ERANGE) return std::nullopt;
        folder.resize(folder.size() * 2);
    }
    folder.resize(folder.find('\0'));
    return folder;
}

}  // namespace plexon
