// Where the settings file lives: "config.ini" beside the executable when that folder can take it,
// otherwise in the user's configuration folder; PLEXON_CONFIG names any other file. Only finds the
// path: reading, writing and creating folders belong to the suffix settings.
#pragma once

#include <optional>
#include <string>

namespace plexon {

// What the choice depends on, gathered once so that it can be given in full by tests.
struct SettingsEnvironment {
    std::optional<std::string> executablePath;
    std::optional<std::string> plexonConfig;   // PLEXON_CONFIG
    std::optional<std::string> xdgConfigHome;  // XDG_CONFIG_HOME
    std::optional<std::string> home;           // HOME, or the account's home folder
};

// The environment of this process.
SettingsEnvironment CurrentSettingsEnvironment();

// Whether the file is wanted for reading the settings or for saving them.
enum class SettingsUse { Load, Save };

// In order: PLEXON_CONFIG when set and not empty, for both uses; "config.ini" in the executable's
// folder when that folder already holds it or is writable and is not where programs are installed
// (the system's program folders and the build's install folder); "tesvo-plexon/config.ini" under
// XDG_CONFIG_HOME when it is an absolute path, else under the home folder's ".config" (the user's
// file). A "config.ini" beside the executable that this user cannot write (the file or its folder
// read-only) is saved to the user's file instead, and is loaded from there once that exists, so that
// a change is never lost.
std::string SettingsFilePath(const SettingsEnvironment& environment, SettingsUse use = SettingsUse::Load);

}  // namespace plexon
