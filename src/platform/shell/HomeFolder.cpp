// The home folder from the environment or the user database.
#include "platform/shell/HomeFolder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace plexon {

std::optional<std::string> HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return std::string(home);
    const passwd* account = getpwuid(getuid());
    if (account == nullptr || account->pw_dir == nullptr || *account->pw_dir == '\0') return std::nullopt;
    return std::string(account->pw_dir);
}

}  // namespace plexon
