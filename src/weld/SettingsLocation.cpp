// Finding the settings file from the executable's folder and the environment.
#include "weld/SettingsLocation.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/shell/ExecutablePath.h"
#include "runtime/PathText.h"

namespace plexon {
namespace {

constexpr const char* kFileName = "config.ini";

std::optional<std::string> NonEmptyVariable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') return std::nullopt;
    return std::string(value);
}

std::optional<std::string> HomeFolder() {
    if (auto home = NonEmptyVariable("HOME")) return home;
    const passwd* account = getpwuid(getuid());
    if (account == nullptr || account->pw_dir == nullptr || *account->pw_dir == '\0') return std::nullopt;
    return std::string(account->pw_dir);
}

bool Exists(const std::string& path) {
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

}  // namespace

SettingsEnvironment CurrentSettingsEnvironment() {
    return {ExecutablePath(), NonEmptyVariable("PLEXON_CONFIG"), NonEmptyVariable("XDG_CONFIG_HOME"),
            HomeFolder()};
}

std::string SettingsFilePath(const SettingsEnvironment& environment) {
    if (environment.plexonConfig && !environment.plexonConfig->empty()) return *environment.plexonConfig;
    if (environment.executablePath) {
        // The folder is the executable's path up to and including its last delimiter.
        const size_t delimiter = environment.executablePath->rfind('/');
        if (delimiter != std::string::npos) {
            const std::string folder = environment.executablePath->substr(0, delimiter + 1);
            const std::string beside = folder + kFileName;
            if (Exists(beside) || access(folder.c_str(), W_OK) == 0) return beside;
        }
    }
    // Relative XDG_CONFIG_HOME values are invalid by the convention and are ignored.
    std::string base;
    if (environment.xdgConfigHome && environment.xdgConfigHome->starts_with('/'))
        base = IncludeTrailingPathDelimiter(*environment.xdgConfigHome);
    else if (environment.home)
        base = IncludeTrailingPathDelimiter(*environment.home) + ".config/";
    // Without any home folder the file goes below the working folder, the last place left.
    return base + "tesvo-plexon/" + kFileName;
}

}  // namespace plexon
