// Finding the settings file from the executable's folder and the environment.
#include "weld/SettingsLocation.h"

#include <unistd.h>

#include <cstdlib>
#include <string_view>

#include "platform/shell/ExecutablePath.h"
#include "platform/shell/FileAttributes.h"
#include "platform/shell/Folders.h"
#include "runtime/PathText.h"

namespace plexon {
namespace {

constexpr const char* kFileName = "config.ini";

std::optional<std::string> NonEmptyVariable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') return std::nullopt;
    return std::string(value);
}

// An installed program shares its folder with every user and every other program: a file beside it
// would be one user's settings for all, and the superuser could write it there.
bool IsInstalledProgramFolder(std::string_view folder) {
    constexpr std::string_view kSystemFolders[] = {
        "/usr/bin/", "/usr/local/bin/", "/bin/", "/usr/games/", "/usr/local/games/", "/usr/sbin/", "/sbin/"};
    for (std::string_view system : kSystemFolders)
        if (folder == system) return true;
#ifdef PLEXON_INSTALL_BINDIR
    return folder == IncludeTrailingPathDelimiter(PLEXON_INSTALL_BINDIR);
#else
    return false;
#endif
}

// "tesvo-plexon/config.ini" under XDG_CONFIG_HOME, else under the home folder's ".config".
std::string UserSettingsFile(const SettingsEnvironment& environment) {
    // Relative XDG_CONFIG_HOME values are invalid by the convention and are ignored.
    std::string base;
    if (environment.xdgConfigHome && environment.xdgConfigHome->starts_with('/'))
        base = IncludeTrailingPathDelimiter(*environment.xdgConfigHome);
    else if (environment.home)
        base = IncludeTrailingPathDelimiter(*environment.home) + ".config/";
    // Without any home folder the file goes below the working folder, the last place left.
    return base + "tesvo-plexon/" + kFileName;
}

}  // namespace

SettingsEnvironment CurrentSettingsEnvironment() {
    return {ExecutablePath(), NonEmptyVariable("PLEXON_CONFIG"), NonEmptyVariable("XDG_CONFIG_HOME"),
            HomeFolder()};
}

std::string SettingsFilePath(const SettingsEnvironment& environment, SettingsUse use) {
    if (environment.plexonConfig && !environment.plexonConfig->empty()) return *environment.plexonConfig;
    const std::string user = UserSettingsFile(environment);
    if (environment.executablePath) {
        // The folder is the executable's path up to and including its last delimiter.
        if (const std::string folder = ExtractFilePath(*environment.executablePath);
            !folder.empty() && !IsInstalledProgramFolder(folder)) {
            const std::string beside = folder + kFileName;
            const bool writable = IsWritableFolder(folder);
            if (!PathExists(beside)) {
                if (writable) return beside;
            } else if (writable && ::access(beside.c_str(), W_OK) == 0) {
                return beside;
            } else {
                // Its letters stay in use until the first save, which can only go to the user's file.
                return use == SettingsUse::Save || PathExists(user) ? user : beside;
            }
        }
    }
    return user;
}

}  // namespace plexon
